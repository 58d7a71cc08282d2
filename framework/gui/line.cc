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

const props::Table<Line>& LineTable() {
  static const props::Table<Line> table = {
      {"X1", [](Line& l, const PropertyValue& v) { l._SetEnd(0, props::AsInt("X1", v)); }},
      {"Y1", [](Line& l, const PropertyValue& v) { l._SetEnd(1, props::AsInt("Y1", v)); }},
      {"X2", [](Line& l, const PropertyValue& v) { l._SetEnd(2, props::AsInt("X2", v)); }},
      {"Y2", [](Line& l, const PropertyValue& v) { l._SetEnd(3, props::AsInt("Y2", v)); }},
      {"Thickness", [](Line& l, const PropertyValue& v) { l._SetEnd(4, props::AsInt("Thickness", v)); }},
      {"LineColor", [](Line& l, const PropertyValue& v) { l._SetColor(props::AsColor("LineColor", v)); }},
      // A line's place is its two ends.
      {"Left", props::Ignore<Line>},
      {"Top", props::Ignore<Line>},
      {"Width", props::Ignore<Line>},
      {"Height", props::Ignore<Line>},
  };
  return table;
}

}  // namespace

Line::Line() = default;
Line::~Line() = default;

void Line::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<Line, RectControl>(*this, LineTable(), name, value);
}

std::map<std::string, Control::EventShape> Line::Events() const {
  return Control::Events();
}

void Line::_SetEnd(int which, int64_t value) {
  int64_t* fields[] = {&x1_, &y1_, &x2_, &y2_, &thickness_};
  *fields[which] = value;
  Place();
}

void Line::_SetColor(const Color& color) {
  color_ = color;
  if (QWidget* w = native::WidgetOf(*this)) w->update();
}

void Line::Place() {
  const int64_t half = (thickness_ + 1) / 2;
  const int64_t left = std::min(x1_, x2_) - half, top = std::min(y1_, y2_) - half;
  const int64_t right = std::max(x1_, x2_) + half, bottom = std::max(y1_, y2_) + half;
  SetBounds(left, top, right - left, bottom - top);
  if (QWidget* w = native::WidgetOf(*this)) w->update();
}

void Line::_MakeWidget() {
  auto* w = new LineWidget(this);
  w->setFocusPolicy(Qt::NoFocus);
  _Native()->Adopt(w);
  Place();
}
