// The Qt side of controls: widgets, the routing of their input to the
// controls' events, and the conversions that controls and windows share.
#include "framework/gui/internal/control_native.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <cmath>

#include "framework/core/text.h"
#include "framework/gui/internal/window_native.h"

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
    case Qt::Key_Backspace:
      return Chr(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return Chr(9);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Chr(13);
    case Qt::Key_Escape:
      return Chr(27);
    case Qt::Key_Left:
      return Chr(28);
    case Qt::Key_Right:
      return Chr(29);
    case Qt::Key_Up:
      return Chr(30);
    case Qt::Key_Down:
      return Chr(31);
    case Qt::Key_Delete:
      return Chr(127);
    case Qt::Key_Home:
      return Chr(1);
    case Qt::Key_End:
      return Chr(4);
    case Qt::Key_PageUp:
      return Chr(11);
    case Qt::Key_PageDown:
      return Chr(12);
    case Qt::Key_Insert:
    case Qt::Key_Help:
      return Chr(KeyCode::kHelp);
    // Modifiers alone are no key press of their own.
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
      return "";
    default:
      // The function keys, and any other key that brings no text.
      return text.isEmpty() ? Chr(KeyCode::kFunction) : text.toStdString();
  }
}

bool KeyDownRefuses(Control& control, const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    size_t next = i + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    if (control.RaiseEvent("KeyDown", {text.substr(i, next - i)}).value_or(false)) return true;
    i = next;
  }
  return false;
}

void PressButton(PushButton& button) {
  auto* w = qobject_cast<QAbstractButton*>(WidgetOf(button));
  if (w == nullptr || !w->isVisible() || !w->isEnabled()) return;
  // The road of the space bar on a focused button: no mouse events.
  w->click();
}

std::shared_ptr<RectControl> ControlOf(const QWidget* w) {
  for (; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    auto* n = static_cast<RectControl::Native*>(w->property("vellacor_control").value<void*>());
    if (n != nullptr) return std::static_pointer_cast<RectControl>(n->control->shared_from_this());
  }
  return nullptr;
}

QWidget* WidgetOf(const RectControl& control) { return RectControl::Native::Of(control).widget; }

namespace {
QPlainTextEdit* EditOf(const TextArea& area) {
  return static_cast<QPlainTextEdit*>(WidgetOf(area));
}
}  // namespace

QTextDocument* DocumentOf(const TextArea& area) { return EditOf(area)->document(); }

QFont FontOf(const TextArea& area) {
  // On screen a layout point is a pixel; on paper the same size is points.
  QFont font = EditOf(area)->font();
  if (font.pixelSize() > 0) font.setPointSizeF(font.pixelSize());
  return font;
}

const QImage& ImageOf(const Picture& picture) { return Picture::Native::Of(picture).image; }

}  // namespace native

namespace {

// Routes the input of a control's widget (and its children) to the
// control's events. Keys first go to KeyDown: True discards them. A mouse
// press goes to MouseDown: True takes it away from the widget.
class InputFilter : public QObject {
 public:
  InputFilter(RectControl* control, QObject* parent) : QObject(parent), control_(control) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w == nullptr) return false;
    switch (e->type()) {
      case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        const std::string key = native::KeyText(k->key(), k->text());
        if (key.empty()) return false;
        auto r = control_->RaiseEvent("KeyDown", {key});
        return r.value_or(false);
      }
      case QEvent::MouseButtonPress: {
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) return false;
        const QPoint p = Local(w, static_cast<QMouseEvent*>(e));
        auto r = control_->RaiseEvent("MouseDown", {int64_t{p.x()}, int64_t{p.y()}});
        return r.value_or(false);
      }
      case QEvent::MouseButtonRelease: {
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) return false;
        const QPoint p = Local(w, static_cast<QMouseEvent*>(e));
        control_->RaiseEvent("MouseUp", {int64_t{p.x()}, int64_t{p.y()}});
        return false;
      }
      case QEvent::Enter:
        if (w == native::WidgetOf(*control_)) control_->RaiseEvent("MouseEnter");
        return false;
      case QEvent::Leave:
        if (w == native::WidgetOf(*control_)) control_->RaiseEvent("MouseExit");
        return false;
      default:
        return false;
    }
  }

 private:
  // The event's position in the control's own coordinates.
  QPoint Local(QWidget* w, QMouseEvent* e) const {
    QWidget* own = native::WidgetOf(*control_);
    const QPoint p = e->position().toPoint();
    return own == nullptr || own == w ? p : w->mapTo(own, p);
  }

  RectControl* control_;
};

void Watch(QWidget* w, QObject* filter) {
  w->installEventFilter(filter);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
    area->viewport()->installEventFilter(filter);
}

}  // namespace

RectControl::Native::~Native() {
  if (widget) {
    widget->setProperty("vellacor_control", QVariant());
    delete widget.data();
  }
}

void RectControl::Native::Adopt(QWidget* w) {
  auto win = window.lock();
  widget = w;
  if (win) w->setParent(native::Content(*win));
  w->setProperty("vellacor_control", QVariant::fromValue(static_cast<void*>(this)));
  // The filter belongs to the widget and goes with it.
  Watch(w, new InputFilter(control, w));
  ApplyGeometry();
  ApplyFont();
  ApplyColors();
  w->setEnabled(enabled);
  w->setVisible(visible);
}

void RectControl::Native::ApplyGeometry() {
  if (widget)
    widget->setGeometry(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                        static_cast<int>(height));
}

void RectControl::Native::ApplyFont() {
  if (widget) widget->setFont(native::MakeFont(font_name, font_size, bold, italic, underline));
}

void RectControl::Native::ApplyColors() {
  if (!widget) return;
  QPalette pal = widget->palette();
  if (has_text_color) {
    pal.setColor(QPalette::WindowText, native::ToQColor(text_color));
    pal.setColor(QPalette::Text, native::ToQColor(text_color));
    pal.setColor(QPalette::ButtonText, native::ToQColor(text_color));
  }
  if (has_background) pal.setColor(QPalette::Base, native::ToQColor(background));
  widget->setPalette(pal);
}

void RectControl::Native::ApplyAlignment() {
  // Only labels and text fields align their text: 2 centres it, 3 puts it
  // right, anything else left.
  const Qt::Alignment h = alignment == 2   ? Qt::AlignHCenter
                          : alignment == 3 ? Qt::AlignRight
                                           : Qt::AlignLeft;
  if (auto* label = qobject_cast<QLabel*>(widget))
    label->setAlignment(h | Qt::AlignVCenter);
  else if (auto* edit = qobject_cast<QLineEdit*>(widget))
    edit->setAlignment(h | Qt::AlignVCenter);
}
