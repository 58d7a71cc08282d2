// Qt side of menus, for the framework's own use.
#pragma once

#include <QPointer>
#include <QAction>
#include <memory>
#include <vector>

#include "framework/gui/menu.h"

struct MenuItem::Native {
  // The item's action in each window's menu bar.
  std::vector<QPointer<QAction>> actions;
};

// Shows bar (empty: no bar) in every window whose MenuBarVisible is True.
void _ShowMenuBarInAllWindows(const std::shared_ptr<MenuBar>& bar);
