// The Qt side of windows: the frame and content widgets, which raise the
// window's events, and the way back from a widget to its window.
#include "framework/gui/internal/window_native.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/menu_native.h"

namespace native {

namespace {

// The program window lent to the framework's open modal dialogs, and how
// many of those are open. Once the last has closed, the window stays lent
// until its activation has come back.
QPointer<QWidget> lent;
int open_dialogs = 0;

// Whether the activation of top is its return from a modal dialog of the
// framework; that return ends the lending, as does the activation of any
// other window of the program once the dialogs have closed.
bool ReturnsFromDialog(const QWidget* top) {
  if (lent.isNull()) return false;
  const bool returns = lent == top;
  if (open_dialogs == 0) lent = nullptr;
  return returns;
}

}  // namespace

ModalDialogScope::ModalDialogScope() : opener_(QApplication::activeWindow()) {
  if (open_dialogs++ == 0) lent = WindowOf(opener_) ? opener_ : nullptr;
}

ModalDialogScope::~ModalDialogScope() {
  if (--open_dialogs > 0 || opener_.isNull() || lent != opener_) return;
  // Already back (or gone): nothing is to come.
  if (!opener_->isVisible() || opener_->isActiveWindow())
    lent = nullptr;
  else
    opener_->activateWindow();
}

QWidget* TopLevel(const Window& window) { return Window::Native::Of(window).top; }
QWidget* Content(const Window& window) { return Window::Native::Of(window).content; }

std::shared_ptr<Window> WindowOf(const QWidget* w) {
  if (w == nullptr) return nullptr;
  const QWidget* top = w->window();
  auto* n = static_cast<Window::Native*>(top->property("vellacor_window").value<void*>());
  if (n == nullptr) return nullptr;
  return std::static_pointer_cast<Window>(n->window->shared_from_this());
}

void SetMenuBar(Window& window, QMenuBar* bar) {
  Window::Native* n = &Window::Native::Of(window);
  if (n->menu_bar && n->menu_bar != bar) delete n->menu_bar.data();
  n->menu_bar = bar;
  if (bar != nullptr) {
    bar->setParent(n->top);
    bar->setNativeMenuBar(false);
    bar->show();
  }
  n->ApplySize();
}

QMenuBar* MenuBarOf(const Window& window) { return Window::Native::Of(window).menu_bar; }

// ---- FrameWidget / ContentWidget ---------------------------------------------

FrameWidget::FrameWidget(Window::Native* owner) : QWidget(nullptr), owner_(owner) {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

bool FrameWidget::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !ReturnsFromDialog(this)) {
    Window* w = owner_->window;
    if (w->IsEventImplemented("Activate")) CallProgram([w] { w->Event_Activate(); });
  } else if (e->type() == QEvent::Hide && lent == this && open_dialogs == 0) {
    // A hidden window has left the dialog's return behind.
    lent = nullptr;
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
  bool taken = false;
  if (!key.empty() && w->IsEventImplemented("KeyDown"))
    CallProgram([&] { taken = w->Event_KeyDown(key); });
  // True takes the key; False lets it go on to the framework's own
  // handling: F10 opens the window's first menu, as on this desktop, if the
  // window is still shown.
  if (!taken && e->key() == Qt::Key_F10 && e->modifiers() == Qt::NoModifier && isVisible())
    taken = OpenFirstMenu(*w);
  if (taken)
    e->accept();
  else
    QWidget::keyPressEvent(e);
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

int Window::Native::MenuBarHeight() const { return menu_bar ? menu_bar->sizeHint().height() : 0; }

void Window::Native::ApplyFrame() {
  Qt::WindowFlags flags = Qt::Window;
  // Types 0, 1 and 8 have a frame with a title bar and the buttons that the
  // flags ask for (maximize only when resizeable); every other type is a
  // plain box without a frame.
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
  content->setGeometry(0, bar, static_cast<int>(window->Width()),
                       static_cast<int>(window->Height()));
}

void Window::Native::Place() {
  if (placed) return;
  placed = true;
  // Every placement code centres the window on the primary screen's
  // available area. One that does not fit keeps its top edge, with the
  // title bar and the menu bar, and its left edge on the area; what does
  // not fit goes off the bottom (and the right).
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    const QSize size = top->frameGeometry().size();
    const int x = area.left() + (area.width() - size.width()) / 2;
    const int y = area.top() + (area.height() - size.height()) / 2;
    top->move(std::max(x, area.left()), std::max(y, area.top()));
  }
}

void Window::Native::ApplyTabOrder(const std::vector<std::shared_ptr<Control>>& controls) {
  std::vector<std::shared_ptr<RectControl>> stops;
  for (const auto& c : controls) {
    auto rc = std::dynamic_pointer_cast<RectControl>(c);
    QWidget* w = rc ? native::WidgetOf(*rc) : nullptr;
    if (w == nullptr || w->focusPolicy() == Qt::NoFocus) continue;
    if (!RectControl::Native::Of(*rc).allow_focus) {
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

bool Window::Native::InvokeMenuHandler(const std::string& item_name, bool* result) {
  auto it = window->menu_handlers_.find(item_name);
  if (result != nullptr) *result = false;
  if (it == window->menu_handlers_.end()) return false;
  const Delegate handler = it->second;
  std::shared_ptr<Object> self = window->shared_from_this();
  bool r = false;
  native::CallProgram([&] { r = RuntimeDelegate::Native::Invoke(*handler, self, {}); });
  if (result != nullptr) *result = r;
  return true;
}

void Window::Native::RaiseEnableMenuItems() {
  if (!window->IsEventImplemented("EnableMenuItems")) return;
  native::CallProgram([&] { window->Event_EnableMenuItems(); });
}
