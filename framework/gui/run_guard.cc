#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <set>
#include <string>

#include "framework/gui/dialogs.h"
#include "framework/gui/internal/native.h"
#include "framework/gui/runtime.h"
#include "framework/gui/window.h"

struct RunGuard::State {
  std::weak_ptr<Window> window;
  std::set<std::string> allowed;
};

namespace {

RunGuard::State* current = nullptr;

bool Allowed(const QWidget* w) {
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

// While a guard lives, refuses user input before any widget or handler
// sees it. The menus pass: the menu code refuses their items itself.
class GuardFilter : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (current == nullptr) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // Dialogs (a message box, the print dialog) belong to no window of the
    // program and must stay answerable.
    if (w == nullptr || !native::WindowOf(w)) return false;
    switch (e->type()) {
      case QEvent::KeyPress:
        if (Allowed(w) || InMenu(w)) return false;
        Beep();
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (Allowed(w) || InMenu(w)) return false;
        if (qobject_cast<QAbstractButton*>(w) != nullptr) Beep();
        return true;
      case QEvent::KeyRelease:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::ContextMenu:
        return !(Allowed(w) || InMenu(w));
      default:
        return false;
    }
  }
};

}  // namespace

RunGuard::RunGuard(const std::shared_ptr<Window>& window,
                   std::initializer_list<const char*> allowed_controls)
    : previous_(current), state_(std::make_unique<State>()) {
  state_->window = window;
  for (const char* name : allowed_controls) state_->allowed.insert(name);
  current = state_.get();
}

RunGuard::~RunGuard() { current = previous_; }

bool RunGuard::Active() { return current != nullptr; }

namespace native {

bool InputRefused() { return current != nullptr; }

void InstallRunGuardFilter() {
  static GuardFilter* filter = nullptr;
  if (filter != nullptr) return;
  filter = new GuardFilter;
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace native
