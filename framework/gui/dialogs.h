// The message box and the system alert.
#pragma once

#include <string>

// Shows text in a modal message box with one button; returns when the user
// has dismissed it.
void MsgBox(const std::string& text);

// Sounds the system alert and returns at once.
void Beep();
