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
  // An end or the thickness: stored, then the line is placed anew.
  auto placing = [](int64_t Line::*field, const char* property) {
    return [=](Line& l, const PropertyValue& v) {
      l.*field = props::AsInt(property, v);
      l.Place();
    };
  };
  static const props::Table<Line> table = {
      {"X1", placing(&Line::x1_, "X1")},
      {"Y1", placing(&Line::y1_, "Y1")},
      {"X2", placing(&Line::x2_, "X2")},
      {"Y2", placing(&Line::y2_, "Y2")},
      {"Thickness", placing(&Line::thickness_, "Thickness")},
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
