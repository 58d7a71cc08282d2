#include "framework/gui/progress_wheel.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cmath>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/testing.h"

namespace {

constexpr int kSpokes = 12;
constexpr int kStepMs = 80;

// Spokes whose shade runs round; a timer turns it while it shows.
// During a long run the timer fires at the run's yield points.
class WheelWidget : public QWidget {
 public:
  WheelWidget() {
    timer_.setInterval(kStepMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      ++steps_;
      update();
    });
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  int64_t steps() const { return steps_; }

 protected:
  void showEvent(QShowEvent*) override { timer_.start(); }
  void hideEvent(QHideEvent*) override { timer_.stop(); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    p.translate(width() / 2.0, height() / 2.0);
    const double outer = side / 2 - 1, inner = outer * 0.45;
    QPen pen;
    pen.setWidthF(std::max(2.0, side / 10));
    pen.setCapStyle(Qt::RoundCap);
    for (int i = 0; i < kSpokes; ++i) {
      // The newest spoke is darkest; the others fade behind it.
      const int age = static_cast<int>((steps_ - i) % kSpokes + kSpokes) % kSpokes;
      pen.setColor(QColor(60, 60, 60, 255 - age * 200 / kSpokes));
      p.setPen(pen);
      const double angle = 2 * M_PI * i / kSpokes;
      p.drawLine(QPointF(inner * std::sin(angle), -inner * std::cos(angle)),
                 QPointF(outer * std::sin(angle), -outer * std::cos(angle)));
    }
  }

 private:
  QTimer timer_;
  int64_t steps_ = 0;
};

}  // namespace

ProgressWheel::ProgressWheel() = default;
ProgressWheel::~ProgressWheel() = default;

std::map<std::string, Control::EventShape> ProgressWheel::Events() const {
  return RectControl::Events();
}

int64_t test_hooks::WheelSteps(const std::shared_ptr<ProgressWheel>& wheel) {
  auto* w = static_cast<WheelWidget*>(native::WidgetOf(*NotNil(wheel)));
  return w == nullptr ? 0 : w->steps();
}

void ProgressWheel::MakeWidget() {
  auto* w = new WheelWidget;
  w->setFocusPolicy(Qt::NoFocus);
  Native::Of(*this).Adopt(w);
}
