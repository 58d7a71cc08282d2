// Windows. A window class derives from Window, names itself by its full
// class name and builds itself in the construction events:
//
//   class AboutWnd : public Window {
//    public:
//     std::string FullClassName() const override { return "AboutWnd.AboutWnd"; }
//     void Layout() override { _SetProperties(shared_from_this(), kProperties); }
//     void CreateControls() override { ... _New<Label>() ... _AddControl(...) ... }
//   };
//   auto w = std::make_shared<AboutWnd>(); w->Constructor();
//
// Constructor() raises Layout, CreateControls, AddMenuHandlers and Open, then
// shows the window if its Visible property is True, and makes it its class's
// implicit instance, held for the rest of the process.
//
// The window's content area is exactly Width x Height; a window that is not
// Resizeable keeps that size whatever its minimum and maximum say. A menu
// bar, when the window shows one, sits above the content area.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/property.h"
#include "framework/gui/control.h"
#include "framework/gui/delegate.h"

class Window : public Object {
 public:
  static constexpr const char* kClassName = "Window";
  Window();
  ~Window() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;

  // The name under which the implicit instance is registered,
  // e.g. "ControlWnd.ControlWnd".
  virtual std::string FullClassName() const { return "Window.Window"; }

  // Builds the window (see above). The window must be held by a shared_ptr.
  // An exception from a construction event leaves Constructor unhandled; the
  // window is then not registered.
  void Constructor();

  // Construction events, raised by Constructor in this order.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers(std::shared_ptr<Window> window) { (void)window; }

  // Window events; the defaults do nothing. A Boolean result of True takes
  // the event away from the framework's own handling.
  virtual void Event_Open() {}
  virtual void Event_Activate() {}
  virtual void Event_Close() {}
  virtual void Event_EnableMenuItems() {}
  // A key that no control of the window takes; the key as text, keys
  // without text as control characters (see KeyCode in control.h). True
  // takes the key; False lets it go on.
  virtual bool Event_KeyDown(std::string key) {
    (void)key;
    return false;
  }
  // A press of any mouse button on the window's content outside any
  // control that takes presses, at content coordinates.
  virtual bool Event_MouseDown(int64_t x, int64_t y) {
    (void)x;
    (void)y;
    return false;
  }

  // Whether the class handles the window event of that name ("Open",
  // "Activate", "Close", "EnableMenuItems", "KeyDown", "MouseDown"); the
  // framework raises only events that are implemented. Default: all of them.
  virtual bool IsEventImplemented(const std::string& name) const;

  void Show();
  // Hides the window; it keeps its controls and state and can be shown again.
  void Hide();
  bool Visible() const;
  // Redraws the window; erase_background redraws the background as well.
  void Refresh(bool erase_background = true);

  const std::string& Title() const;
  int64_t Width() const { return width_; }
  int64_t Height() const { return height_; }
  bool Resizeable() const { return resizeable_; }
  bool MenuBarVisible() const { return menu_bar_visible_; }

  // Makes a control owned by this window; its constructor has run and it is
  // attached to the window, not yet registered under a name.
  template <typename T>
  std::shared_ptr<T> _New() {
    auto control = std::make_shared<T>();
    Adopt(control);
    return control;
  }
  // Registers control under name (which also becomes its Name).
  void _AddControl(const std::string& name, const std::shared_ptr<Control>& control);
  // The control registered under name, or empty.
  std::shared_ptr<Control> _ControlByName(const std::string& name) const;
  // The controls in the order they were made.
  const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }

  // Registers the handler of the menu item of that name, signature
  // "(  ) as Boolean". A second handler for the same name replaces the first.
  void _AddMenuHandler(const std::string& item_name, const Delegate& handler);
  bool HasMenuHandler(const std::string& item_name) const;

  // The control that holds the keyboard focus in this window, or empty.
  std::shared_ptr<RectControl> FocusControl() const;

  // The framework's Qt side of the window (internal/window_native.h).
  struct Native;

 private:
  friend struct Native;
  // Attaches a control that _New has made.
  void Adopt(const std::shared_ptr<Control>& control);
  // Raises Open on the controls in the order they were made, then on the
  // window.
  void RaiseOpen();

  std::unique_ptr<Native> native_;
  std::vector<std::shared_ptr<Control>> controls_;
  std::map<std::string, std::shared_ptr<Control>> by_name_;
  std::map<std::string, Delegate> menu_handlers_;
  int64_t width_ = 300, height_ = 300;
  int64_t min_width_ = 64, min_height_ = 64;
  int64_t max_width_ = 32000, max_height_ = 32000;
  bool resizeable_ = true;
  bool menu_bar_visible_ = false;
  bool visible_ = true;
  bool constructed_ = false;
};

// The implicit instance registered under the full class name, or empty.
std::shared_ptr<Window> _GetImplicitWindow(const std::string& full_class_name);

// The implicit instance of the window class W, the one registered under
// W::kFullClassName; when there is none, a new W is made and built
// (Constructor), and the framework holds it from then on. An exception while
// it is built passes on to the caller.
template <typename W>
std::shared_ptr<W> ImplicitInstance() {
  std::shared_ptr<Window> window = _GetImplicitWindow(W::kFullClassName);
  if (!window) {
    auto made = std::make_shared<W>();
    made->Constructor();
    window = made;
  }
  return Cast<W>(window);
}
