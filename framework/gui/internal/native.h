// The framework's Qt side, for the framework's own .cc files and for the
// test seams only: code above the framework never includes this header.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/gui/control.h"
#include "framework/gui/picture.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window.h"

class QFont;
class QImage;
class QMenuBar;
class QTextDocument;
class QWidget;

namespace native {

// ---- Widgets behind the framework's objects ----------------------------
// The top-level widget of a window (its frame), and its content area, which
// is exactly Width x Height and is the parent of the controls' widgets.
QWidget* TopLevel(const Window& window);
QWidget* Content(const Window& window);
// The window whose top-level widget is w or contains w, or empty.
std::shared_ptr<Window> WindowOf(const QWidget* w);
// The widget of a control (empty before the control was attached).
QWidget* WidgetOf(const RectControl& control);
// The control whose widget is w or contains w, or empty.
std::shared_ptr<RectControl> ControlOf(const QWidget* w);
// The document behind a text area; paragraphs are the text's carriage
// returns.
QTextDocument* DocumentOf(const TextArea& area);
// The font of a text area (its FontName mapped to an installed font).
QFont FontOf(const TextArea& area);
// The image of a picture.
const QImage& ImageOf(const Picture& picture);

// ---- Menus ---------------------------------------------------------------
// (The hook _WindowMenuBarHook, called for windows that show a menu bar, is
// declared below, outside this namespace.)
// Places bar above the window's content area (the content keeps its size);
// the window takes ownership. nullptr removes the bar.
void SetMenuBar(Window& window, QMenuBar* bar);
QMenuBar* MenuBarOf(const Window& window);
// Runs the window's handler for the menu item through the exception helper.
// Returns false when the window has no handler for that item; *result gets
// the handler's Boolean result (false if it raised).
bool InvokeMenuHandler(Window& window, const std::string& item_name, bool* result);
// Raises the window's EnableMenuItems event (where Qt is about to show a
// menu of that window).
void RaiseEnableMenuItems(Window& window);

}  // namespace native

// Called by Window::Constructor once, after the construction events and
// before the window first shows, for every window whose MenuBarVisible is
// True; the menu code sets it and builds a QMenuBar that it hands to
// native::SetMenuBar. May be null.
extern void (*_WindowMenuBarHook)(const std::shared_ptr<Window>& window);
