// The application's one menu bar: its top-level menus and their items,
// built in code when its single instance is first asked for.
//
// Only the About item has code of the program behind it (the main window
// registers its handler and enables it); Quit is the framework's built-in
// quit item, and every other item does nothing.
#pragma once

#include <functional>
#include <memory>

#include "framework/gui/menu.h"

class Menu : public MenuBar {
 public:
  static constexpr const char* kClassName = "Menu";
  const char* ClassName() const override { return kClassName; }

  // The single bar, made and built on the first call; later calls return
  // the same object. An error while building passes on and stores nothing.
  static std::shared_ptr<Menu> Instance();
  // Instance() with another way of making the bar (a test's failing one).
  static std::shared_ptr<Menu> _InstanceMadeBy(const std::function<std::shared_ptr<Menu>()>& make);

  // The single bar once built, held for the life of the process.
  static inline std::shared_ptr<Menu> _implicitInstance;

  // Builds the bar: Untitled0 to Untitled3 in order, nothing else.
  void Constructor() override;
  // Each builds one top-level menu and its items: the first empty menu,
  // File, Edit, the last empty menu.
  virtual void Untitled0();
  virtual void Untitled1();
  virtual void Untitled2();
  virtual void Untitled3();
};
