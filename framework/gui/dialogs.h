// The message box and the system alert.
#pragma once

#include <string>

// Shows text in a modal message box with one button; returns when the user
// has dismissed it. The box's title is the application's name: the package
// info of the registered application object ("Vellacor"), or the
// program's file name before one is registered.
void MsgBox(const std::string& text);

// Sounds the system alert and returns at once.
void Beep();
