#include "framework/gui/line.h"

#include <QPainter>
#include <QPen>
#include <QWidget>
#include <algorithm>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/props.h"

namespace {

// Draws the line inside a widget that just covers it.
class LineWidget : public QWidget {
 public:
  explicit LineWidget(Line* line) : line_(line) { setAttribute(Qt::WA_TransparentForMouseEvents); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(native::ToQColor(line_->LineColor()));
    pen.setWidth(static_cast<int>(line_->Thickness()));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = pos();
    painter.drawLine(QPoint(int(line_->X1()), int(line_->Y1())) - origin,
                     QPoint(int(line_->X2()), int(line_->Y2())) - origin);
  }

 private:
  Line* line_;
};

}  // namespace

Line::Line() = default;
Line::~Line() = default;

// The table is the member's own, so that its setters reach the line's
// state.
void Line::SetProperty(const std::string& name, const PropertyValue& value) {
  static const props::Table<Line> table = {
      {"X1",
       [](Line& l, const PropertyValue& v) {
         l.x1_ = props::AsInt("X1", v);
         l.Place();
       }},
      {"Y1",
       [](Line& l, const PropertyValue& v) {
         l.y1_ = props::AsInt("Y1", v);
         l.Place();
       }},
      {"X2",
       [](Line& l, const PropertyValue& v) {
         l.x2_ = props::AsInt("X2", v);
         l.Place();
       }},
      {"Y2",
       [](Line& l, const PropertyValue& v) {
         l.y2_ = props::AsInt("Y2", v);
         l.Place();
       }},
      {"Thickness",
       [](Line& l, const PropertyValue& v) {
         l.thickness_ = props::AsInt("Thickness", v);
         l.Place();
       }},
      {"LineColor",
       [](Line& l, const PropertyValue& v) {
         l.color_ = props::AsColor("LineColor", v);
         if (QWidget* w = native::WidgetOf(l)) w->update();
       }},
      // A line's place is its two ends.
      {"Left", props::Ignore<Line>},
      {"Top", props::Ignore<Line>},
      {"Width", props::Ignore<Line>},
      {"Height", props::Ignore<Line>},
  };
  props::Set<Line, RectControl>(*this, table, name, value);
}

std::map<std::string, Control::EventShape> Line::Events() const { return Control::Events(); }

void Line::Place() {
  const int64_t half = (thickness_ + 1) / 2;
  const int64_t left = std::min(x1_, x2_) - half, top = std::min(y1_, y2_) - half;
  const int64_t right = std::max(x1_, x2_) + half, bottom = std::max(y1_, y2_) + half;
  SetBounds(left, top, right - left, bottom - top);
  if (QWidget* w = native::WidgetOf(*this)) w->update();
}

void Line::MakeWidget() {
  auto* w = new LineWidget(this);
  w->setFocusPolicy(Qt::NoFocus);
  Native::Of(*this).Adopt(w);
  Place();
}
