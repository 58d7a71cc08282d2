// The run guard's side (RunGuard, runtime.h): user input refused while a
// guard lives.
#pragma once

#include <string>

namespace native {

// Puts the guard in front of every widget's input; RuntimeInit calls it
// once the Qt application object exists.
void InstallRunGuardFilter();

// True while a RunGuard refuses user input and does not let the menu item
// of that name through: the item, unless it is the quit item, should then
// beep and do nothing.
bool MenuItemRefused(const std::string& item_name);

}  // namespace native
