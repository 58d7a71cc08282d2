// RunGuard (runtime.h): while one lives, an application-wide event filter
// refuses the user's input to the program's windows.
#include "framework/gui/internal/run_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <set>
#include <string>

#include "framework/gui/dialogs.h"
#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/runtime.h"
#include "framework/gui/window.h"

struct RunGuard::State {
  std::weak_ptr<Window> window;
  std::set<std::string> allowed;
  std::set<std::string> menu_items;
  std::set<std::string> windows;
};

namespace {

RunGuard::State* current = nullptr;

bool Allowed(const QWidget* w) {
  auto window = native::WindowOf(w);
  if (window && current->windows.count(window->FullClassName()) != 0) return true;
  auto control = native::ControlOf(w);
  if (!control) return false;
  return control->OwnerWindow() == current->window.lock() &&
         current->allowed.count(control->Name()) != 0;
}

bool InMenu(const QWidget* w) {
  for (; w != nullptr; w = w->parentWidget())
    if (qobject_cast<const QMenuBar*>(w) != nullptr || qobject_cast<const QMenu*>(w) != nullptr)
      return true;
  return false;
}

// A press on w: refused unless w takes input during the run. A refused
// press on a push button beeps; the second press of a double click comes
// as a press and a double click, and beeps once.
bool RefusePress(const QWidget* w, const QEvent* e) {
  if (Allowed(w) || InMenu(w)) return false;
  if (e->type() == QEvent::MouseButtonPress && qobject_cast<const QAbstractButton*>(w) != nullptr)
    Beep();
  return true;
}

// The widget that a press on a window will reach, or empty when the window
// is none of the program's (a dialog, a menu) or a menu is open.
QWidget* PressTarget(const QWindow* window, const QMouseEvent* e) {
  if (QApplication::activePopupWidget() != nullptr) return nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() != window) continue;
    if (!native::WindowOf(top)) return nullptr;
    QWidget* child = top->childAt(e->position().toPoint());
    return child != nullptr ? child : top;
  }
  return nullptr;
}

// While a guard lives, refuses user input before any widget or handler
// sees it. The menus pass: the menu code refuses their items itself.
class GuardFilter : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (current == nullptr) return false;
    // A press reaches its window before the widget under it, and Qt moves
    // the focus to that widget before the widget's own filters run: refused
    // here, it leaves the focus where it was.
    if (auto* window = qobject_cast<QWindow*>(watched)) {
      if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
        return false;
      QWidget* target = PressTarget(window, static_cast<QMouseEvent*>(e));
      return target != nullptr && RefusePress(target, e);
    }
    auto* w = qobject_cast<QWidget*>(watched);
    // Dialogs (a message box, the print dialog) belong to no window of the
    // program and must stay answerable.
    if (w == nullptr || !native::WindowOf(w)) return false;
    const bool passes = Allowed(w) || InMenu(w);
    switch (e->type()) {
      case QEvent::KeyPress:
        if (passes) return false;
        Beep();
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return RefusePress(w, e);
      case QEvent::InputMethod:
        // Composed text, as typed keys are.
        if (passes) return false;
        if (!static_cast<QInputMethodEvent*>(e)->commitString().isEmpty()) Beep();
        return true;
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        if (passes) return false;
        // No action: the drag's source keeps its text.
        static_cast<QDropEvent*>(e)->setDropAction(Qt::IgnoreAction);
        e->ignore();
        if (e->type() == QEvent::Drop) Beep();
        return true;
      case QEvent::KeyRelease:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::ContextMenu:
        return !passes;
      default:
        return false;
    }
  }
};

}  // namespace

RunGuard::RunGuard(const std::shared_ptr<Window>& window,
                   std::initializer_list<const char*> allowed_controls,
                   std::initializer_list<const char*> allowed_menu_items,
                   std::initializer_list<const char*> allowed_windows)
    : previous_(current), state_(std::make_unique<State>()) {
  state_->window = window;
  for (const char* name : allowed_controls) state_->allowed.insert(name);
  for (const char* name : allowed_menu_items) state_->menu_items.insert(name);
  for (const char* name : allowed_windows) state_->windows.insert(name);
  current = state_.get();
}

RunGuard::~RunGuard() { current = previous_; }

namespace native {

bool MenuItemRefused(const std::string& item_name) {
  return current != nullptr && current->menu_items.count(item_name) == 0;
}

void InstallRunGuardFilter() {
  static GuardFilter* filter = nullptr;
  if (filter != nullptr) return;
  filter = new GuardFilter;
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace native
