// The Qt side of menus: the installed bar built into every window that
// shows it and kept in step with its items.
#pragma once

#include <QAction>
#include <QPointer>
#include <memory>
#include <vector>

#include "framework/gui/menu.h"

class Window;

struct MenuItem::Native {
  static Native& Of(const MenuItem& item) { return *item.native_; }
  // The item's action in each window's menu bar.
  std::vector<QPointer<QAction>> actions;
};

namespace native {

// Installs bar (empty: no bar) and shows it in every window whose
// MenuBarVisible is True.
void ShowMenuBarInAllWindows(const std::shared_ptr<MenuBar>& bar);
// Shows the installed bar in window, from now on and whenever the bar is
// installed or built again. Window::Constructor calls it once for a window
// whose MenuBarVisible is True, after the construction events and before
// the window first shows.
void AttachMenuBar(const std::shared_ptr<Window>& window);
// Opens the first menu of window's bar that has a caption, as F10 does;
// false when the window shows no bar or the bar no such menu.
bool OpenFirstMenu(const Window& window);
// The item's caption or flags changed: its actions show the change at
// once. A changed shape (a new child, a separator, a shortcut) of the
// installed bar has the bars built again, which waits for the event loop.
void MenuItemChanged(MenuItem& item, bool shape);

}  // namespace native
