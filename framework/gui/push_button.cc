#include "framework/gui/push_button.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/props.h"

namespace {

// A push button that draws itself as a round help button in the help style.
class ButtonWidget : public QPushButton {
 public:
  explicit ButtonWidget(PushButton* button) : button_(button) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (button_->ButtonStyle() != PushButton::kHelpStyle) return QPushButton::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 4;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    QLinearGradient fill(circle.topLeft(), circle.bottomLeft());
    const bool down = isDown();
    fill.setColorAt(0, down ? QColor(200, 205, 215) : QColor(255, 255, 255));
    fill.setColorAt(1, down ? QColor(170, 175, 190) : QColor(222, 226, 234));
    p.setPen(QPen(QColor(120, 125, 140), 1));
    p.setBrush(fill);
    p.drawEllipse(circle);
    if (hasFocus()) {
      p.setPen(QPen(palette().color(QPalette::Highlight), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(circle.adjusted(1, 1, -1, -1));
    }
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(8, side * 2 / 3));
    p.setFont(f);
    p.setPen(QColor(40, 60, 110));
    p.drawText(circle, Qt::AlignCenter, "?");
  }

 private:
  PushButton* button_;
};

ButtonWidget* ButtonOf(const PushButton& b) { return static_cast<ButtonWidget*>(native::WidgetOf(b)); }

const props::Table<PushButton>& ButtonTable() {
  static const props::Table<PushButton> table = {
      {"Caption", [](PushButton& b, const PropertyValue& v) { b.SetCaption(props::AsString("Caption", v)); }},
      {"MacButtonStyle", [](PushButton& b, const PropertyValue& v) { b._SetStyle(props::AsInt("MacButtonStyle", v)); }},
      {"Default", [](PushButton& b, const PropertyValue& v) { b._SetDefault(props::AsBool("Default", v)); }},
      // No button answers Escape by itself.
      {"Cancel", props::Ignore<PushButton>},
  };
  return table;
}

}  // namespace

PushButton::PushButton() = default;
PushButton::~PushButton() = default;

void PushButton::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<PushButton, RectControl>(*this, ButtonTable(), name, value);
}

std::map<std::string, Control::EventShape> PushButton::Events() const {
  auto events = RectControl::Events();
  events["Action"] = {"", ""};
  events["MouseDown"] = {", Integer, Integer", " as Boolean"};
  events["MouseUp"] = {", Integer, Integer", " as Boolean"};
  events["KeyDown"] = {", String", " as Boolean"};
  return events;
}

std::string PushButton::Caption() const { return ButtonOf(*this)->text().toStdString(); }

void PushButton::SetCaption(const std::string& caption) {
  ButtonOf(*this)->setText(QString::fromStdString(caption));
}

void PushButton::_SetStyle(int64_t style) {
  style_ = style;
  ButtonOf(*this)->setFlat(style == kHelpStyle);
  ButtonOf(*this)->update();
}

void PushButton::_Press() {
  QWidget* w = ButtonOf(*this);
  if (w == nullptr || !w->isVisible() || !w->isEnabled()) return;
  const int64_t x = w->width() / 2, y = w->height() / 2;
  if (RaiseEvent("MouseDown", {x, y}).value_or(false)) return;
  RaiseEvent("MouseUp", {x, y});
  RaiseEvent("Action");
}

void PushButton::_MakeWidget() {
  auto* w = new ButtonWidget(this);
  w->setAutoDefault(false);
  w->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(w, &QPushButton::clicked, [this] { RaiseEvent("Action"); });
  _Native()->Adopt(w);
}
