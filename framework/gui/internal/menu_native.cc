// The Qt side of menus: the installed bar built into every window that
// shows it and kept in step with its items, and the road from a menu
// choice or a shortcut to the window's handler.
#include "framework/gui/internal/menu_native.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/run_guard.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/runtime.h"
#include "framework/gui/window.h"

namespace {

std::shared_ptr<MenuBar> installed;
// The windows that show the installed bar (MenuBarVisible True).
std::vector<std::weak_ptr<Window>> bar_windows;
bool rebuild_queued = false;

void ForEachBelow(const MenuItem& item, const std::function<void(MenuItem&)>& fn) {
  for (int64_t i = 0; i < item.Count(); ++i) {
    MenuItem& child = *item.Item(i);
    fn(child);
    ForEachBelow(child, fn);
  }
}

bool InInstalledBar(const MenuItem& item) {
  const MenuItem* root = &item;
  std::shared_ptr<MenuItem> up;
  while ((up = root->Parent())) root = up.get();
  return installed && root == installed.get();
}

QKeySequence KeySequenceOf(const std::string& shortcut) {
  std::string s = shortcut;
  if (s.rfind("Cmd+", 0) == 0) s = "Ctrl+" + s.substr(4);
  return QKeySequence(QString::fromStdString(s), QKeySequence::PortableText);
}

// What the action shows: the caption (an ampersand is not a mnemonic), and
// after a tab, which menus show as the shortcut column, the shortcut.
QString ActionText(const MenuItem& item) {
  QString text = QString::fromStdString(item.Value()).replace("&", "&&");
  const QKeySequence keys = KeySequenceOf(item.Shortcut());
  if (!keys.isEmpty()) text += "\t" + keys.toString(QKeySequence::NativeText);
  return text;
}

bool OpensMenu(const MenuItem& item) {
  auto parent = item.Parent();
  return item.Count() > 0 || (parent && dynamic_cast<const MenuBar*>(parent.get()));
}

void Sync(MenuItem& item) {
  auto& actions = MenuItem::Native::Of(item).actions;
  actions.erase(std::remove_if(actions.begin(), actions.end(),
                               [](const QPointer<QAction>& a) { return a.isNull(); }),
                actions.end());
  for (const QPointer<QAction>& a : actions) {
    if (!item.IsSeparator()) {
      a->setText(ActionText(item));
      if (QMenu* m = a->menu()) m->setTitle(a->text());
    }
    a->setVisible(item.Visible());
    a->setEnabled(OpensMenu(item) || item.Enabled());
  }
}

void UpdateMenus(const std::shared_ptr<Window>& window) {
  if (!installed) return;
  ForEachBelow(*installed, [](MenuItem& i) { i.SetEnabled(i.AutoEnabled()); });
  if (window) Window::Native::Of(*window).RaiseEnableMenuItems();
  ForEachBelow(*installed, Sync);
}

void Choose(const std::weak_ptr<Window>& weak_window, const std::weak_ptr<MenuItem>& weak_item) {
  auto window = weak_window.lock();
  auto item = weak_item.lock();
  if (!window || !item) return;
  const bool quit_item = dynamic_cast<QuitMenuItem*>(item.get()) != nullptr;
  if (native::MenuItemRefused(item->Name()) && !quit_item) {
    Beep();
    return;
  }
  bool taken = false;
  if (Window::Native::Of(*window).InvokeMenuHandler(item->Name(), &taken) && taken) return;
  if (quit_item) native::CallProgram([] { Quit(0); });
}

bool Reachable(const MenuItem& item) {
  for (const MenuItem* i = &item; i != nullptr; i = i->Parent().get())
    if (!i->Visible()) return false;
  return true;
}

// The keys of shortcut, pressed in window, as an ordinary key: to the
// window's focus widget, or to the window itself. The shortcut stays out
// of the way meanwhile, since Qt offers every key press to the shortcuts
// first.
void PassOnAsKey(Window& window, QShortcut& shortcut) {
  const QKeySequence keys = shortcut.key();
  if (keys.isEmpty()) return;
  QWidget* top = native::TopLevel(window);
  QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
  const int key = keys[0].key();
  const Qt::KeyboardModifiers modifiers = keys[0].keyboardModifiers();
  // Ctrl and a letter bring that letter's control character, as typed.
  const QString text = modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z
                           ? QString(QChar(key - Qt::Key_A + 1))
                           : QString();
  // The key's handling may rebuild the menu bar, and the shortcut with it.
  const QPointer<QShortcut> kept(&shortcut);
  shortcut.setEnabled(false);
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(target, &release);
  if (kept) kept->setEnabled(true);
}

// A shortcut acts only after the enabled state is brought up to date, like
// a menu that opens; so a shortcut is a QShortcut of its own, not the
// action's, whose state would be the one left by the last update. The
// shortcut of an item that cannot be chosen then is an ordinary key press.
void ShortcutPressed(const std::weak_ptr<Window>& weak_window,
                     const std::weak_ptr<MenuItem>& weak_item, QShortcut* shortcut) {
  auto window = weak_window.lock();
  auto item = weak_item.lock();
  if (!window || !item) return;
  UpdateMenus(window);
  if (item->Enabled() && Reachable(*item))
    Choose(window, item);
  else
    PassOnAsKey(*window, *shortcut);
}

void AddItems(QMenu* menu, QMenuBar* bar, const MenuItem& parent,
              const std::weak_ptr<Window>& window) {
  for (int64_t i = 0; i < parent.Count(); ++i) {
    std::shared_ptr<MenuItem> item = parent.Item(i);
    std::weak_ptr<MenuItem> weak_item = item;
    QAction* action;
    if (item->IsSeparator()) {
      action = menu->addSeparator();
    } else if (item->Count() > 0) {
      QMenu* sub = menu->addMenu(ActionText(*item));
      action = sub->menuAction();
      AddItems(sub, bar, *item, window);
    } else {
      action = menu->addAction(ActionText(*item));
      QObject::connect(action, &QAction::triggered,
                       [window, weak_item] { Choose(window, weak_item); });
      const QKeySequence keys = KeySequenceOf(item->Shortcut());
      if (!keys.isEmpty()) {
        auto* shortcut = new QShortcut(keys, bar);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setObjectName(QString::fromStdString(item->Name()));
        QObject::connect(shortcut, &QShortcut::activated, [window, weak_item, shortcut] {
          ShortcutPressed(window, weak_item, shortcut);
        });
      }
    }
    action->setMenuRole(QAction::NoRole);
    MenuItem::Native::Of(*item).actions.push_back(action);
    Sync(*item);
  }
}

// Escape in one of the bar's menus closes it but leaves Qt's bar holding
// the keyboard, with nothing on screen to say so: typed keys and the
// shortcuts went nowhere. Once none of the bar's menus is open (Left and
// Right only move to another one), the keyboard goes back to the widget
// that had it.
void LeaveKeyboardMode(QMenuBar* bar) {
  if (QApplication::activePopupWidget() != nullptr || !bar->hasFocus()) return;
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(bar, &escape);
}

QMenuBar* BuildBar(const std::shared_ptr<Window>& window, const MenuBar& bar) {
  auto* qbar = new QMenuBar;
  qbar->setNativeMenuBar(false);
  std::weak_ptr<Window> weak_window = window;
  for (int64_t i = 0; i < bar.Count(); ++i) {
    std::shared_ptr<MenuItem> top = bar.Item(i);
    QMenu* menu = qbar->addMenu(ActionText(*top));
    QObject::connect(menu, &QMenu::aboutToShow, [weak_window] { UpdateMenus(weak_window.lock()); });
    QObject::connect(menu, &QMenu::aboutToHide, qbar,
                     [qbar] { QTimer::singleShot(0, qbar, [qbar] { LeaveKeyboardMode(qbar); }); });
    menu->menuAction()->setMenuRole(QAction::NoRole);
    MenuItem::Native::Of(*top).actions.push_back(menu->menuAction());
    AddItems(menu, qbar, *top, weak_window);
    Sync(*top);
  }
  return qbar;
}

void ShowIn(const std::shared_ptr<Window>& window) {
  native::SetMenuBar(*window, installed ? BuildBar(window, *installed) : nullptr);
}

void RebuildAll() {
  rebuild_queued = false;
  bar_windows.erase(std::remove_if(bar_windows.begin(), bar_windows.end(),
                                   [](const std::weak_ptr<Window>& w) { return w.expired(); }),
                    bar_windows.end());
  for (const auto& weak : bar_windows)
    if (auto w = weak.lock()) ShowIn(w);
}

QAction* ActionIn(const MenuItem& item, const Window& window) {
  QMenuBar* bar = native::MenuBarOf(window);
  if (bar == nullptr) return nullptr;
  for (const QPointer<QAction>& a : MenuItem::Native::Of(item).actions) {
    if (a.isNull()) continue;
    for (QObject* o = a->parent(); o != nullptr; o = o->parent())
      if (o == bar) return a.data();
  }
  return nullptr;
}

std::shared_ptr<MenuItem> ItemNamed(const std::string& name) {
  auto item = installed ? installed->_Lookup(name) : nullptr;
  if (!item) throw InvalidArgumentException("no menu item named " + name);
  return item;
}

std::shared_ptr<MenuItem> TopLevelOf(std::shared_ptr<MenuItem> item) {
  while (item->Parent() && item->Parent() != installed) item = item->Parent();
  return item;
}

}  // namespace

namespace native {

void ShowMenuBarInAllWindows(const std::shared_ptr<MenuBar>& bar) {
  installed = bar;
  RebuildAll();
}

void AttachMenuBar(const std::shared_ptr<Window>& window) {
  bar_windows.push_back(window);
  if (installed) ShowIn(window);
}

bool OpenFirstMenu(const Window& window) {
  QMenuBar* bar = native::MenuBarOf(window);
  if (bar == nullptr || !bar->isVisible()) return false;
  for (QAction* action : bar->actions()) {
    if (action->menu() == nullptr || action->text().isEmpty() || !action->isVisible() ||
        !action->isEnabled())
      continue;
    bar->setActiveAction(action);
    return true;
  }
  return false;
}

// A changed caption or flag shows at once; a changed shape (a new child, a
// separator, a shortcut) needs the bars built again, which waits for the
// event loop, since this may run while one of the bar's menus is open.
void MenuItemChanged(MenuItem& item, bool shape) {
  Sync(item);
  if (shape && InInstalledBar(item) && !rebuild_queued && QCoreApplication::instance()) {
    rebuild_queued = true;
    QTimer::singleShot(0, &RebuildAll);
  }
}

}  // namespace native

bool test_hooks::ChooseMenuItem(const std::shared_ptr<Window>& window, const std::string& name) {
  NotNil(window);
  auto item = ItemNamed(name);
  QAction* action = ActionIn(*item, *window);
  QAction* top = ActionIn(*TopLevelOf(item), *window);
  if (action == nullptr || top == nullptr || top->menu() == nullptr)
    throw InvalidArgumentException("the window shows no menu item " + name);
  // The path of a mouse choice: the menu opens, then the item is triggered.
  Q_EMIT top->menu()->aboutToShow();
  if (!action->isEnabled() || !action->isVisible() || !Reachable(*item)) return false;
  action->trigger();
  return true;
}

bool test_hooks::PressMenuShortcut(const std::shared_ptr<Window>& window, const std::string& name) {
  NotNil(window);
  auto item = ItemNamed(name);
  QMenuBar* bar = native::MenuBarOf(*window);
  QShortcut* shortcut = bar ? bar->findChild<QShortcut*>(QString::fromStdString(name)) : nullptr;
  if (shortcut == nullptr) throw InvalidArgumentException("the window has no shortcut for " + name);
  Q_EMIT shortcut->activated();
  return item->Enabled() && Reachable(*item);
}

void test_hooks::UpdateMenus(const std::shared_ptr<Window>& window) { ::UpdateMenus(window); }

std::vector<std::string> test_hooks::MenuBarText(const std::shared_ptr<Window>& window) {
  std::vector<std::string> lines;
  QMenuBar* bar = window ? native::MenuBarOf(*window) : nullptr;
  if (bar == nullptr) return lines;
  std::function<void(QMenu*, const std::string&)> walk = [&](QMenu* menu,
                                                             const std::string& indent) {
    for (QAction* a : menu->actions()) {
      lines.push_back(indent + (a->isSeparator() ? "-" : a->text().toStdString()));
      if (a->menu()) walk(a->menu(), indent + "  ");
    }
  };
  for (QAction* a : bar->actions()) {
    lines.push_back(a->text().toStdString());
    if (a->menu()) walk(a->menu(), "  ");
  }
  return lines;
}
