#include "framework/gui/window.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <map>

#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/menu_native.h"
#include "framework/gui/internal/props.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"

namespace {

// The implicit instances, held for the life of the process.
std::map<std::string, std::shared_ptr<Window>>& Implicit() {
  static auto* windows = new std::map<std::string, std::shared_ptr<Window>>;
  return *windows;
}

std::function<void(const Window&)>& ConstructionListener() {
  static std::function<void(const Window&)> listener;
  return listener;
}

}  // namespace

// The native side reads the size and flags, so it comes after them.
Window::Window() { native_ = std::make_unique<Native>(this); }
Window::~Window() {
  // The controls' widgets go with the frame; drop the controls first.
  by_name_.clear();
  controls_.clear();
}

// The table is the member's own, so that its setters reach the window's
// state.
void Window::SetProperty(const std::string& name, const PropertyValue& value) {
  using props::AsBool;
  using props::AsInt;
  auto n = [](Window& w) -> Native& { return *w.native_; };
  // clang-format off
  static const props::Table<Window> table = {
      {"Width", [=](Window& w, const PropertyValue& v) { w.width_ = AsInt("Width", v); n(w).ApplySize(); }},
      {"Height", [=](Window& w, const PropertyValue& v) { w.height_ = AsInt("Height", v); n(w).ApplySize(); }},
      {"MinimumWidth", [=](Window& w, const PropertyValue& v) { w.min_width_ = AsInt("MinimumWidth", v); n(w).ApplySize(); }},
      {"MinimumHeight", [=](Window& w, const PropertyValue& v) { w.min_height_ = AsInt("MinimumHeight", v); n(w).ApplySize(); }},
      {"MaximumWidth", [=](Window& w, const PropertyValue& v) { w.max_width_ = AsInt("MaximumWidth", v); n(w).ApplySize(); }},
      {"MaximumHeight", [=](Window& w, const PropertyValue& v) { w.max_height_ = AsInt("MaximumHeight", v); n(w).ApplySize(); }},
      {"Type", [=](Window& w, const PropertyValue& v) { n(w).type = AsInt("Type", v); n(w).ApplyFrame(); }},
      {"Title", [=](Window& w, const PropertyValue& v) { n(w).title = props::AsString("Title", v); n(w).ApplyFrame(); }},
      {"HasCloseButton", [=](Window& w, const PropertyValue& v) { n(w).close_button = AsBool("HasCloseButton", v); n(w).ApplyFrame(); }},
      {"HasMinimizeButton", [=](Window& w, const PropertyValue& v) { n(w).minimize_button = AsBool("HasMinimizeButton", v); n(w).ApplyFrame(); }},
      {"HasMaximizeButton", [=](Window& w, const PropertyValue& v) { n(w).maximize_button = AsBool("HasMaximizeButton", v); n(w).ApplyFrame(); }},
      {"Resizeable", [=](Window& w, const PropertyValue& v) { w.resizeable_ = AsBool("Resizeable", v); n(w).ApplyFrame(); }},
      {"Visible", [](Window& w, const PropertyValue& v) {
         w.visible_ = AsBool("Visible", v);
         if (w.constructed_) w.visible_ ? w.Show() : w.Hide();
       }},
      {"HasBackgroundColor", [=](Window& w, const PropertyValue& v) { n(w).has_background = AsBool("HasBackgroundColor", v); n(w).ApplyFrame(); }},
      {"BackgroundColor", [=](Window& w, const PropertyValue& v) { n(w).background = props::AsColor("BackgroundColor", v); n(w).ApplyFrame(); }},
      {"MenuBarVisible", [](Window& w, const PropertyValue& v) { w.menu_bar_visible_ = AsBool("MenuBarVisible", v); }},
      {"DefaultLocation", [=](Window& w, const PropertyValue& v) { n(w).default_location = AsInt("DefaultLocation", v); }},
      // There is no full-screen mode and no composite or live-resize
      // drawing; the frame is what the flags above give.
      {"HasFullScreenButton", props::Ignore<Window>},
      {"FullScreen", props::Ignore<Window>},
      {"Composite", props::Ignore<Window>},
      {"MacProcID", props::Ignore<Window>},
      {"LiveResize", props::Ignore<Window>},
  };
  // clang-format on
  props::Set<Window, Object>(*this, table, name, value);
}

bool Window::IsEventImplemented(const std::string&) const { return true; }

void Window::Constructor() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (ConstructionListener()) ConstructionListener()(*this);
  Layout();
  CreateControls();
  native_->ApplyTabOrder(controls_);
  AddMenuHandlers(self);
  RaiseOpen();
  if (menu_bar_visible_) native::AttachMenuBar(self);
  constructed_ = true;
  Implicit()[FullClassName()] = self;
  if (visible_) Show();
}

void Window::Show() {
  visible_ = true;
  native_->ApplySize();
  native_->Place();
  native_->top->show();
  const bool stacks = QGuiApplication::platformName() != "offscreen";
  if (stacks) native_->top->raise();
  // A modal dialog that is open (a message box) stays in front of the
  // window, with the keyboard, also where no window manager keeps it there.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != native_->top) {
    if (stacks) modal->raise();
    modal->activateWindow();
    return;
  }
  native_->top->activateWindow();
}

void Window::Hide() {
  visible_ = false;
  native_->top->hide();
}

bool Window::Visible() const { return constructed_ ? native_->top->isVisible() : visible_; }

void Window::Refresh(bool erase_background) {
  (void)erase_background;  // Qt always paints the background under the controls.
  native_->top->update();
  for (QWidget* w : native_->top->findChildren<QWidget*>()) w->update();
}

const std::string& Window::Title() const { return native_->title; }

void Window::Adopt(const std::shared_ptr<Control>& control) {
  NotNil(control);
  controls_.push_back(control);
  control->Attach(std::static_pointer_cast<Window>(shared_from_this()));
}

void Window::RaiseOpen() {
  // Part of building the window: an exception goes on to whoever builds it.
  for (const auto& c : controls_)
    if (const Delegate* open = c->FindHandler("Open"))
      RuntimeDelegate::Native::Invoke(**open, c, {});
  if (IsEventImplemented("Open")) Event_Open();
}

void Window::_AddControl(const std::string& name, const std::shared_ptr<Control>& control) {
  NotNil(control)->SetName(name);
  by_name_[name] = control;
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

std::shared_ptr<Control> Window::_ControlByName(const std::string& name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

void Window::_AddMenuHandler(const std::string& item_name, const Delegate& handler) {
  if (NotNil(handler)->Signature() != "(  ) as Boolean")
    throw TypeMismatchException("menu handler \"" + handler->Signature() +
                                "\" must be \"(  ) as Boolean\"");
  menu_handlers_[item_name] = handler;
}

bool Window::HasMenuHandler(const std::string& item_name) const {
  return menu_handlers_.count(item_name) != 0;
}

std::shared_ptr<RectControl> Window::FocusControl() const { return native_->focus.lock(); }

std::shared_ptr<Window> _GetImplicitWindow(const std::string& full_class_name) {
  auto it = Implicit().find(full_class_name);
  return it == Implicit().end() ? nullptr : it->second;
}

void test_hooks::OnWindowConstruction(std::function<void(const Window&)> fn) {
  ConstructionListener() = std::move(fn);
}

void test_hooks::ForgetImplicitWindows() {
  for (auto& [name, w] : Implicit()) w->Hide();
  Implicit().clear();
}
