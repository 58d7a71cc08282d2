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

ButtonWidget* ButtonOf(const PushButton& b) {
  return static_cast<ButtonWidget*>(native::WidgetOf(b));
}

}  // namespace

PushButton::PushButton() = default;
PushButton::~PushButton() = default;

// The table is the member's own, so that its setters reach the button's
// state.
void PushButton::SetProperty(const std::string& name, const PropertyValue& value) {
  static const props::Table<PushButton> table = {
      {"Caption",
       [](PushButton& b, const PropertyValue& v) { b.SetCaption(props::AsString("Caption", v)); }},
      {"MacButtonStyle",
       [](PushButton& b, const PropertyValue& v) {
         b.style_ = props::AsInt("MacButtonStyle", v);
         ButtonOf(b)->setFlat(b.style_ == kHelpStyle);
         ButtonOf(b)->update();
       }},
      {"Default",
       [](PushButton& b, const PropertyValue& v) { b.default_ = props::AsBool("Default", v); }},
      // No button answers Escape by itself.
      {"Cancel", props::Ignore<PushButton>},
  };
  props::Set<PushButton, RectControl>(*this, table, name, value);
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

void PushButton::MakeWidget() {
  auto* w = new ButtonWidget(this);
  w->setAutoDefault(false);
  w->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(w, &QPushButton::clicked, [this] { RaiseEvent("Action"); });
  Native::Of(*this).Adopt(w);
}
