#include "framework/gui/canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/props.h"

namespace {

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(Canvas* canvas) : canvas_(canvas) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const auto& picture = canvas_->Backdrop();
    if (!picture) return;
    QPainter painter(this);
    // The picture keeps its size; a smaller canvas shows its top left part.
    painter.drawImage(QPoint(0, 0), native::ImageOf(*picture));
  }
  // Presses that no handler takes go on to the window.
  void mousePressEvent(QMouseEvent* e) override { e->ignore(); }

 private:
  Canvas* canvas_;
};

const props::Table<Canvas>& CanvasTable() {
  static const props::Table<Canvas> table = {
      {"Backdrop",
       [](Canvas& c, const PropertyValue& v) { c.SetBackdrop(props::AsPicture("Backdrop", v)); }},
      {"AllowTabs", props::Ignore<Canvas>},
  };
  return table;
}

}  // namespace

Canvas::Canvas() = default;
Canvas::~Canvas() = default;

void Canvas::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<Canvas, RectControl>(*this, CanvasTable(), name, value);
}

std::map<std::string, Control::EventShape> Canvas::Events() const {
  auto events = RectControl::Events();
  events["MouseDown"] = {", Integer, Integer", " as Boolean"};
  events["MouseUp"] = {", Integer, Integer", " as Boolean"};
  return events;
}

void Canvas::SetBackdrop(const std::shared_ptr<Picture>& picture) {
  backdrop_ = picture;
  if (QWidget* w = native::WidgetOf(*this)) w->update();
}

void Canvas::MakeWidget() {
  auto* w = new CanvasWidget(this);
  w->setFocusPolicy(Qt::NoFocus);
  Native::Of(*this).Adopt(w);
}
