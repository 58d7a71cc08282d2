// What a window class needs of the framework: the window and its controls,
// property lists, delegates and events, dialogs, dates, pictures, the
// runtime, and the core's exceptions, references, text functions and yield
// point. The application object, menus, timers, printing, file types and
// start-up have headers of their own, included where they are used.
#pragma once

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/property.h"
#include "framework/core/text.h"
#include "framework/core/yield.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control.h"
#include "framework/gui/date.h"
#include "framework/gui/delegate.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/label.h"
#include "framework/gui/line.h"
#include "framework/gui/picture.h"
#include "framework/gui/progress_wheel.h"
#include "framework/gui/push_button.h"
#include "framework/gui/runtime.h"
#include "framework/gui/text_area.h"
#include "framework/gui/text_field.h"
#include "framework/gui/window.h"
