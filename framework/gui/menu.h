// Menus: a MenuBar is a MenuItem whose children are the top-level menus; a
// menu's children are its items. Items are shared objects, made with
// std::make_shared and attached with AddMenu.
//
// The application's installed bar (Application::SetMenuBar) shows in every
// window whose MenuBarVisible is True. Before one of its menus opens, and
// before a shortcut acts, the framework brings the items' enabled state up
// to date: every item is reset to its AutoEnabled flag, then the window
// gets its EnableMenuItems event, in which code may set Enabled True.
// Choosing an item calls the handler that the window registered under the
// item's name (Window::_AddMenuHandler); a QuitMenuItem that no handler
// takes quits the application with exit code 0.
//
// Top-level menus (and submenus) can always be opened, whatever their
// flags, so that their items stay reachable. A caption of "-" makes the item
// a separator. Linux has no application menu, so AppleMenuItem items stay
// where the bar puts them (the program keeps its About item in the Edit
// menu) and QuitMenuItem stays in its own menu.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"

class MenuItem : public Object {
 public:
  static constexpr const char* kClassName = "MenuItem";
  MenuItem();
  ~MenuItem() override;
  const char* ClassName() const override { return kClassName; }

  // The parameterless constructor that the program runs after making an
  // item; a plain item has nothing to build.
  virtual void Constructor() {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  bool AutoEnabled() const { return auto_enabled_; }
  void SetAutoEnabled(bool value);
  // The caption.
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // "Cmd+" and a capital letter: the command modifier (Ctrl on Linux) with
  // that key; another text is read as a Qt key sequence; empty for none.
  const std::string& Shortcut() const { return shortcut_; }
  void SetShortcut(const std::string& shortcut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  bool IsSeparator() const { return value_ == "-"; }

  // Appends item as the last child. Raises NilObjectException for an empty
  // item.
  void AddMenu(const std::shared_ptr<MenuItem>& item);
  // The direct child of that name, or empty.
  std::shared_ptr<MenuItem> Child(const std::string& name) const;
  // The first item of that name at any depth below this one, depth first in
  // order, or empty.
  std::shared_ptr<MenuItem> _Lookup(const std::string& name) const;
  int64_t Count() const { return static_cast<int64_t>(children_.size()); }
  // The child at index 0..Count()-1; raises OutOfBoundsException otherwise.
  std::shared_ptr<MenuItem> Item(int64_t index) const;
  // The item this one is attached to, or empty.
  std::shared_ptr<MenuItem> Parent() const { return parent_.lock(); }

  // The framework's Qt side of the item (internal/menu_native.h).
  struct Native;

 private:
  friend struct Native;
  std::string name_, value_, shortcut_;
  bool auto_enabled_ = false, visible_ = true, enabled_ = true;
  std::vector<std::shared_ptr<MenuItem>> children_;
  std::weak_ptr<MenuItem> parent_;
  std::unique_ptr<Native> native_;
};

class MenuBar : public MenuItem {
 public:
  static constexpr const char* kClassName = "MenuBar";
  const char* ClassName() const override { return kClassName; }
};

// An item that belongs to the application menu where the platform has one.
class AppleMenuItem : public MenuItem {
 public:
  static constexpr const char* kClassName = "AppleMenuItem";
  const char* ClassName() const override { return kClassName; }
};

// The built-in quit item: choosing it quits with exit code 0, unless the
// window's handler for it returns True.
class QuitMenuItem : public MenuItem {
 public:
  static constexpr const char* kClassName = "QuitMenuItem";
  const char* ClassName() const override { return kClassName; }
};
