// The About item of the installed menu bar, found by name.
#pragma once

#include <memory>

#include "framework/gui/menu.h"

// The item named "AboutVellacor" in the application's installed menu bar,
// looked up afresh on every call; empty when the bar holds no such item.
// Raises NilObjectException without an application object or a bar.
std::shared_ptr<AppleMenuItem> AboutVellacor();
