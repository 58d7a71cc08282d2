#include "framework/gui/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <map>

#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/native.h"
#include "framework/gui/internal/props.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/widgets.h"

void (*_WindowMenuBarHook)(const std::shared_ptr<Window>& window) = nullptr;

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

const props::Table<Window>& WindowTable() {
  using props::AsBool;
  using props::AsInt;
  auto n = [](Window& w) -> Window::Native& { return *w._Native(); };
  static const props::Table<Window> table = {
      {"Width", [](Window& w, const PropertyValue& v) { w._SetSize(AsInt("Width", v), w.Height()); }},
      {"Height", [](Window& w, const PropertyValue& v) { w._SetSize(w.Width(), AsInt("Height", v)); }},
      {"MinimumWidth", [](Window& w, const PropertyValue& v) { w._SetLimit(0, AsInt("MinimumWidth", v)); }},
      {"MinimumHeight", [](Window& w, const PropertyValue& v) { w._SetLimit(1, AsInt("MinimumHeight", v)); }},
      {"MaximumWidth", [](Window& w, const PropertyValue& v) { w._SetLimit(2, AsInt("MaximumWidth", v)); }},
      {"MaximumHeight", [](Window& w, const PropertyValue& v) { w._SetLimit(3, AsInt("MaximumHeight", v)); }},
      {"Type", [=](Window& w, const PropertyValue& v) { n(w).type = AsInt("Type", v); n(w).ApplyFrame(); }},
      {"Title", [=](Window& w, const PropertyValue& v) { n(w).title = props::AsString("Title", v); n(w).ApplyFrame(); }},
      {"HasCloseButton", [=](Window& w, const PropertyValue& v) { n(w).close_button = AsBool("HasCloseButton", v); n(w).ApplyFrame(); }},
      {"HasMinimizeButton", [=](Window& w, const PropertyValue& v) { n(w).minimize_button = AsBool("HasMinimizeButton", v); n(w).ApplyFrame(); }},
      {"HasMaximizeButton", [=](Window& w, const PropertyValue& v) { n(w).maximize_button = AsBool("HasMaximizeButton", v); n(w).ApplyFrame(); }},
      {"Resizeable", [](Window& w, const PropertyValue& v) { w._SetResizeable(AsBool("Resizeable", v)); }},
      {"Visible", [](Window& w, const PropertyValue& v) { w._SetVisibleProperty(AsBool("Visible", v)); }},
      {"HasBackgroundColor", [=](Window& w, const PropertyValue& v) { n(w).has_background = AsBool("HasBackgroundColor", v); n(w).ApplyFrame(); }},
      {"BackgroundColor", [=](Window& w, const PropertyValue& v) { n(w).background = props::AsColor("BackgroundColor", v); n(w).ApplyFrame(); }},
      {"MenuBarVisible", [](Window& w, const PropertyValue& v) { w._SetMenuBarVisible(AsBool("MenuBarVisible", v)); }},
      {"DefaultLocation", [=](Window& w, const PropertyValue& v) { n(w).default_location = AsInt("DefaultLocation", v); }},
      // There is no full-screen mode and no composite or live-resize
      // drawing; the frame is what the flags above give.
      {"HasFullScreenButton", props::Ignore<Window>},
      {"FullScreen", props::Ignore<Window>},
      {"Composite", props::Ignore<Window>},
      {"MacProcID", props::Ignore<Window>},
      {"LiveResize", props::Ignore<Window>},
  };
  return table;
}

}  // namespace

// The native side reads the size and flags, so it comes after them.
Window::Window() { native_ = std::make_unique<Native>(this); }
Window::~Window() {
  // The controls' widgets go with the frame; drop the controls first.
  by_name_.clear();
  controls_.clear();
}

void Window::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<Window, Object>(*this, WindowTable(), name, value);
}

void Window::_SetSize(int64_t width, int64_t height) {
  width_ = width;
  height_ = height;
  native_->ApplySize();
}

void Window::_SetLimit(int which, int64_t value) {
  int64_t* limits[] = {&min_width_, &min_height_, &max_width_, &max_height_};
  *limits[which] = value;
  native_->ApplySize();
}

void Window::_SetResizeable(bool resizeable) {
  resizeable_ = resizeable;
  native_->ApplyFrame();
}

void Window::_SetVisibleProperty(bool visible) {
  visible_ = visible;
  if (constructed_) visible ? Show() : Hide();
}

void Window::_SetMenuBarVisible(bool visible) { menu_bar_visible_ = visible; }

bool Window::IsEventImplemented(const std::string&) const { return true; }

void Window::Constructor() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (ConstructionListener()) ConstructionListener()(*this);
  Layout();
  CreateControls();
  native_->ApplyTabOrder(controls_);
  AddMenuHandlers(self);
  native_->RaiseOpen();
  if (menu_bar_visible_ && _WindowMenuBarHook != nullptr) _WindowMenuBarHook(self);
  constructed_ = true;
  Implicit()[FullClassName()] = self;
  if (visible_) Show();
}

void Window::Show() {
  visible_ = true;
  native_->ApplySize();
  native_->Place();
  native_->top->show();
  if (QGuiApplication::platformName() != "offscreen") native_->top->raise();
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

void Window::_Adopt(const std::shared_ptr<Control>& control) {
  NotNil(control);
  controls_.push_back(control);
  control->_Attach(std::static_pointer_cast<Window>(shared_from_this()));
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

Delegate Window::_MenuHandler(const std::string& item_name) const {
  auto it = menu_handlers_.find(item_name);
  return it == menu_handlers_.end() ? nullptr : it->second;
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

namespace native {

// ---- FrameWidget / ContentWidget ---------------------------------------------

FrameWidget::FrameWidget(Window::Native* owner) : QWidget(nullptr), owner_(owner) {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

bool FrameWidget::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    Window* w = owner_->window;
    if (w->IsEventImplemented("Activate")) CallProgram([w] { w->Event_Activate(); });
  }
  return QWidget::event(e);
}

void FrameWidget::closeEvent(QCloseEvent* e) {
  Window* w = owner_->window;
  // Closing is never refused; the window hides and keeps its state.
  if (w->IsEventImplemented("Close")) CallProgram([w] { w->Event_Close(); });
  e->accept();
}

void FrameWidget::keyPressEvent(QKeyEvent* e) {
  Window* w = owner_->window;
  const std::string key = KeyText(e->key(), e->text());
  if (key.empty() || !w->IsEventImplemented("KeyDown")) return QWidget::keyPressEvent(e);
  bool taken = false;
  CallProgram([&] { taken = w->Event_KeyDown(key); });
  // True takes the key; False lets it go on to Qt's own handling.
  if (taken) e->accept();
  else QWidget::keyPressEvent(e);
}

void FrameWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  owner_->LayoutContent();
}

ContentWidget::ContentWidget(Window::Native* owner, QWidget* parent)
    : QWidget(parent), owner_(owner) {}

void ContentWidget::mousePressEvent(QMouseEvent* e) {
  Window* w = owner_->window;
  // Any button.
  if (!w->IsEventImplemented("MouseDown")) return QWidget::mousePressEvent(e);
  const QPoint p = e->position().toPoint();
  CallProgram([&] { w->Event_MouseDown(p.x(), p.y()); });
  e->accept();
}

}  // namespace native

// ---- Window::Native ----------------------------------------------------------

Window::Native::Native(Window* w) : window(w) {
  top = new native::FrameWidget(this);
  top->setProperty("vellacor_window", QVariant::fromValue(static_cast<void*>(this)));
  content = new native::ContentWidget(this, top);
  content->setFocusPolicy(Qt::NoFocus);
  ApplyFrame();
  ApplySize();
}

Window::Native::~Native() { delete top.data(); }

int Window::Native::MenuBarHeight() const {
  return menu_bar ? menu_bar->sizeHint().height() : 0;
}

void Window::Native::ApplyFrame() {
  Qt::WindowFlags flags = Qt::Window;
  // Type 0 is a document window with a title bar and the listed buttons;
  // the other types are plain boxes without a frame.
  if (type == 0 || type == 1 || type == 8) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (close_button) flags |= Qt::WindowCloseButtonHint;
    if (minimize_button) flags |= Qt::WindowMinimizeButtonHint;
    if (maximize_button && window->Resizeable()) flags |= Qt::WindowMaximizeButtonHint;
  } else {
    flags |= Qt::FramelessWindowHint;
  }
  const bool shown = top->isVisible();
  if (top->windowFlags() != flags) {
    top->setWindowFlags(flags);
    if (shown) top->show();
  }
  top->setWindowTitle(QString::fromStdString(title));
  content->setAutoFillBackground(has_background);
  QPalette pal = content->palette();
  if (has_background) pal.setColor(QPalette::Window, native::ToQColor(background));
  content->setPalette(pal);
  ApplySize();
}

void Window::Native::ApplySize() {
  const int w = static_cast<int>(window->Width());
  const int h = static_cast<int>(window->Height());
  const int bar = MenuBarHeight();
  if (window->Resizeable()) {
    // The maximum never cuts into the size the window was given.
    const int max_w = static_cast<int>(std::max(window->max_width_, window->Width()));
    const int max_h = static_cast<int>(std::max(window->max_height_, window->Height()));
    const int min_w = static_cast<int>(std::min(window->min_width_, window->Width()));
    const int min_h = static_cast<int>(std::min(window->min_height_, window->Height()));
    top->setMinimumSize(min_w, min_h + bar);
    top->setMaximumSize(max_w, max_h + bar);
    top->resize(w, h + bar);
  } else {
    top->setFixedSize(w, h + bar);
  }
  LayoutContent();
}

void Window::Native::LayoutContent() {
  const int bar = MenuBarHeight();
  if (menu_bar) menu_bar->setGeometry(0, 0, top->width(), bar);
  if (window->Resizeable() && top->isVisible()) {
    window->width_ = top->width();
    window->height_ = top->height() - bar;
  }
  content->setGeometry(0, bar, static_cast<int>(window->Width()), static_cast<int>(window->Height()));
}

void Window::Native::Place() {
  if (placed) return;
  placed = true;
  // Every placement code centres the window on the primary screen.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    const QSize size = top->size();
    top->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  }
}

void Window::Native::ApplyTabOrder(const std::vector<std::shared_ptr<Control>>& controls) {
  std::vector<std::shared_ptr<RectControl>> stops;
  for (const auto& c : controls) {
    auto rc = std::dynamic_pointer_cast<RectControl>(c);
    QWidget* w = rc ? native::WidgetOf(*rc) : nullptr;
    if (w == nullptr || w->focusPolicy() == Qt::NoFocus) continue;
    if (!rc->_Native()->allow_focus) {
      w->setFocusPolicy(Qt::NoFocus);
    } else if (rc->TabStop()) {
      w->setFocusPolicy(Qt::StrongFocus);
      stops.push_back(rc);
    } else {
      w->setFocusPolicy(Qt::ClickFocus);
    }
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
  for (size_t i = 1; i < stops.size(); ++i)
    QWidget::setTabOrder(native::WidgetOf(*stops[i - 1]), native::WidgetOf(*stops[i]));
}

void Window::Native::FocusMovedTo(const std::shared_ptr<RectControl>& control) {
  auto old = focus.lock();
  if (old == control) return;
  focus = control;
  if (old) old->RaiseEvent("LostFocus");
  // A LostFocus handler may have moved the focus on; then that move raised
  // GotFocus already.
  if (control && focus.lock() == control) control->RaiseEvent("GotFocus");
}

void Window::Native::RaiseOpen() {
  // Part of building the window: an exception goes on to whoever builds it.
  for (const auto& c : window->controls_)
    if (Delegate open = c->_Handler("Open")) open->_InvokeErased(c, {});
  if (window->IsEventImplemented("Open")) window->Event_Open();
}
