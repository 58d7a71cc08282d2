// The Qt side shared by the framework's classes: colours, fonts, keys, and
// the way from a widget back to its window or control.
#include <QApplication>
#include <QFontDatabase>
#include <QMenuBar>
#include <QWidget>
#include <cmath>

#include "framework/core/text.h"
#include "framework/gui/control.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/native.h"
#include "framework/gui/internal/widgets.h"

namespace native {

namespace {
// The size of "System" text when a control gives none.
constexpr int kDefaultFontPixels = 13;
}  // namespace

QColor ToQColor(const Color& c) {
  // Alpha 0 is opaque in the stored form.
  return QColor(c.Red(), c.Green(), c.Blue(), 255 - c.Alpha());
}

QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline) {
  QFont font = QApplication::font();
  if (name == "Courier" || name == "Courier New") {
    // Liberation Mono has Courier New's metrics; fall back to any fixed font.
    static const QString mono = [] {
      for (const char* family : {"Liberation Mono", "DejaVu Sans Mono"})
        if (QFontDatabase::hasFamily(family)) return QString(family);
      return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    font.setFamily(mono);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
  } else if (name.empty() || name == "System" || name == "SmallSystem") {
    // The layouts were made for a compact system font; Liberation Sans has
    // Arial's widths, where the usual desktop default runs wider.
    static const QString system = QFontDatabase::hasFamily("Liberation Sans")
                                      ? QString("Liberation Sans")
                                      : QApplication::font().family();
    font.setFamily(system);
  } else {
    font.setFamily(QString::fromStdString(name));
  }
  // Window layouts are in points drawn one point to a pixel; fonts follow
  // the same scale so that texts keep the room the layout gives them.
  font.setPixelSize(size > 0 ? static_cast<int>(std::lround(size)) : kDefaultFontPixels);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

std::string KeyText(int qt_key, const QString& text) {
  switch (qt_key) {
    case Qt::Key_Backspace: return Chr(8);
    case Qt::Key_Tab: case Qt::Key_Backtab: return Chr(9);
    case Qt::Key_Return: case Qt::Key_Enter: return Chr(13);
    case Qt::Key_Escape: return Chr(27);
    case Qt::Key_Left: return Chr(28);
    case Qt::Key_Right: return Chr(29);
    case Qt::Key_Up: return Chr(30);
    case Qt::Key_Down: return Chr(31);
    case Qt::Key_Delete: return Chr(127);
    case Qt::Key_Home: return Chr(1);
    case Qt::Key_End: return Chr(4);
    case Qt::Key_PageUp: return Chr(11);
    case Qt::Key_PageDown: return Chr(12);
    case Qt::Key_Insert: case Qt::Key_Help: return Chr(KeyCode::kHelp);
    // Modifiers alone are no key press of their own.
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Meta: case Qt::Key_Alt:
    case Qt::Key_AltGr: case Qt::Key_CapsLock: case Qt::Key_NumLock:
    case Qt::Key_ScrollLock: case Qt::Key_Super_L: case Qt::Key_Super_R:
    case Qt::Key_Hyper_L: case Qt::Key_Hyper_R: case Qt::Key_Mode_switch:
      return "";
    default:
      // The function keys, and any other key that brings no text.
      return text.isEmpty() ? Chr(KeyCode::kFunction) : text.toStdString();
  }
}

void GiveActivationBack(QWidget* window) {
  if (window != nullptr && window->isVisible() && !window->isActiveWindow())
    window->activateWindow();
}

QWidget* TopLevel(const Window& window) { return window._Native()->top; }
QWidget* Content(const Window& window) { return window._Native()->content; }

std::shared_ptr<Window> WindowOf(const QWidget* w) {
  if (w == nullptr) return nullptr;
  const QWidget* top = w->window();
  auto* n = static_cast<Window::Native*>(top->property("vellacor_window").value<void*>());
  if (n == nullptr) return nullptr;
  return std::static_pointer_cast<Window>(n->window->shared_from_this());
}

std::shared_ptr<RectControl> ControlOf(const QWidget* w) {
  for (; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    auto* n = static_cast<RectControl::Native*>(w->property("vellacor_control").value<void*>());
    if (n != nullptr) return std::static_pointer_cast<RectControl>(n->control->shared_from_this());
  }
  return nullptr;
}

QWidget* WidgetOf(const RectControl& control) { return control._Native()->widget; }

void SetMenuBar(Window& window, QMenuBar* bar) {
  Window::Native* n = window._Native();
  if (n->menu_bar && n->menu_bar != bar) delete n->menu_bar.data();
  n->menu_bar = bar;
  if (bar != nullptr) {
    bar->setParent(n->top);
    bar->setNativeMenuBar(false);
    bar->show();
  }
  n->ApplySize();
}

QMenuBar* MenuBarOf(const Window& window) { return window._Native()->menu_bar; }

bool InvokeMenuHandler(Window& window, const std::string& item_name, bool* result) {
  Delegate handler = window._MenuHandler(item_name);
  if (result != nullptr) *result = false;
  if (!handler) return false;
  std::shared_ptr<Object> self = window.shared_from_this();
  bool r = false;
  CallProgram([&] { r = handler->_InvokeErased(self, {}); });
  if (result != nullptr) *result = r;
  return true;
}

void RaiseEnableMenuItems(Window& window) {
  if (!window.IsEventImplemented("EnableMenuItems")) return;
  CallProgram([&] { window.Event_EnableMenuItems(); });
}

}  // namespace native
