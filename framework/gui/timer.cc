#include "framework/gui/timer.h"

#include <QTimer>
#include <algorithm>
#include <chrono>

#include "framework/core/exceptions.h"
#include "framework/gui/internal/testing.h"

// The Qt timer runs one period at a time, precise and single-shot, towards
// the moment the period runs out; a timeout that still comes early (Qt
// counts whole milliseconds) waits for the rest.
struct Timer::Native {
  using Clock = std::chrono::steady_clock;
  static constexpr int64_t kLongest = int64_t{1000} * 1000 * 1000 * 1000;
  QTimer qtimer;
  Clock::time_point due;

  // Starts a period of that many milliseconds (at most about 31 years, so
  // that the moment stays within the clock's range).
  void StartPeriod(int64_t milliseconds) {
    due = Clock::now() + std::chrono::milliseconds(std::min<int64_t>(milliseconds, kLongest));
    Arm();
  }
  void Arm() {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    qtimer.start(static_cast<int>(std::clamp<int64_t>(left.count(), 0, INT32_MAX)));
  }
  bool Early() const { return Clock::now() < due; }
  // Fires as if the period had run out.
  static void Fire(Timer& timer) { timer.Fire(); }
};

namespace {

// Running timers, in the order they started; weak, since the window owns
// its timers.
std::vector<std::weak_ptr<Timer>>& Running() {
  static std::vector<std::weak_ptr<Timer>> running;
  return running;
}

void Forget(const Timer* timer) {
  auto& r = Running();
  r.erase(std::remove_if(r.begin(), r.end(),
                         [timer](const std::weak_ptr<Timer>& w) {
                           auto t = w.lock();
                           return !t || t.get() == timer;
                         }),
          r.end());
}

int64_t IntegerOf(const PropertyValue& value, const std::string& name) {
  if (const auto* i = std::get_if<int64_t>(&value)) return *i;
  if (const auto* d = std::get_if<double>(&value)) return static_cast<int64_t>(*d);
  throw TypeMismatchException(name + " takes a number");
}

}  // namespace

Timer::Timer() : native_(std::make_unique<Native>()) {
  native_->qtimer.setTimerType(Qt::PreciseTimer);
  native_->qtimer.setSingleShot(true);
  QObject::connect(&native_->qtimer, &QTimer::timeout, [this] {
    if (native_->Early()) return native_->Arm();
    Fire();
  });
}

Timer::~Timer() {
  native_->qtimer.stop();
  Forget(this);
}

void Timer::SetProperty(const std::string& name, const PropertyValue& value) {
  if (name == "Period") {
    SetPeriod(IntegerOf(value, name));
  } else if (name == "RunMode") {
    SetRunMode(IntegerOf(value, name));
  } else {
    Control::SetProperty(name, value);
  }
}

std::map<std::string, Control::EventShape> Timer::Events() const {
  auto events = Control::Events();
  events["Action"] = {"", ""};
  return events;
}

void Timer::SetPeriod(int64_t milliseconds) {
  if (milliseconds < 0) throw InvalidArgumentException("a timer period cannot be negative");
  period_ = milliseconds;
  Restart();
}

void Timer::SetRunMode(int64_t mode) {
  if (mode < kModeOff || mode > kModeMultiple)
    throw InvalidArgumentException("timer mode " + std::to_string(mode));
  run_mode_ = mode;
  Restart();
}

void Timer::Reset() { Restart(); }

void Timer::Restart() {
  QTimer& q = native_->qtimer;
  q.stop();
  Forget(this);
  if (run_mode_ == kModeOff) return;
  native_->StartPeriod(period_);
  if (auto self = weak_from_this().lock())
    Running().push_back(std::static_pointer_cast<Timer>(self));
}

void Timer::Fire() {
  // Hold the timer while its handler runs: the handler may drop the window.
  auto self = weak_from_this().lock();
  if (!self) return;
  if (run_mode_ == kModeSingle) {
    native_->qtimer.stop();
    run_mode_ = kModeOff;
    Forget(this);
  } else {
    // The next period counts from this firing.
    native_->StartPeriod(period_);
  }
  RaiseEvent("Action");
}

bool test_hooks::FireTimerNow(const std::shared_ptr<Timer>& timer) {
  NotNil(timer);
  if (timer->RunMode() == Timer::kModeOff) return false;
  if (timer->RunMode() == Timer::kModeMultiple) timer->Reset();
  Timer::Native::Fire(*timer);
  return true;
}

std::vector<std::shared_ptr<Timer>> test_hooks::PendingTimers() {
  std::vector<std::shared_ptr<Timer>> timers;
  for (const auto& w : Running())
    if (auto t = w.lock()) timers.push_back(t);
  return timers;
}
