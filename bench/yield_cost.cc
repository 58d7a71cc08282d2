// Measures what the yield point costs a long run with a window on screen:
// the run's time with and without event processing, and the longest gap
// between two event-processing calls (the longest the window waits for a
// repaint).
//
//   cmake --build <build> --target vellacor_yield_cost
//   QT_QPA_PLATFORM=offscreen <build>/bench/vellacor_yield_cost
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "framework/core/yield.h"
#include "framework/gui/framework.h"
#include "framework/testing/seams.h"

namespace {

using Clock = std::chrono::steady_clock;

class WheelWnd : public Window {
 public:
  std::string FullClassName() const override { return "WheelWnd.WheelWnd"; }
  void Layout() override { _SetProperties(shared_from_this(), {{"Width", 200}, {"Height", 100}}); }
  void CreateControls() override {
    auto wheel = _New<ProgressWheel>();
    _AddControl("Wheel", wheel);
    _SetProperties(wheel, {{"Left", 80}, {"Top", 30}, {"Width", 30}, {"Height", 30}});
  }
};

Clock::time_point last_call;
Clock::duration longest_gap{};
void (*real_handler)() = nullptr;

// Stands in front of the runtime's handler to time the gaps between calls.
void TimedHandler() {
  const auto now = Clock::now();
  longest_gap = std::max(longest_gap, now - last_call);
  last_call = now;
  real_handler();
}

// A run of small iterations, each ending at the yield point.
double Run(int64_t iterations) {
  volatile double sink = 0;
  const auto start = Clock::now();
  for (int64_t i = 0; i < iterations; ++i) {
    double x = sink;
    for (int k = 0; k < 200; ++k) x = x * 0.999 + 1.0;
    sink = x;
    RuntimeYield();
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
  seams::InitRuntime();
  auto window = std::make_shared<WheelWnd>();
  window->Constructor();
  seams::ProcessEvents();

  const int64_t iterations = 4'000'000;
  // The runtime's handler is installed by RuntimeInit; take it out for the
  // baseline, then put it back behind the timer.
  real_handler = yield_detail::handler;
  SetYieldHandler(nullptr);
  const double bare = Run(iterations);
  SetYieldHandler(&TimedHandler);
  last_call = Clock::now();
  const double yielding = Run(iterations);
  const int64_t calls = seams::YieldHandlerCalls();
  std::printf("run without event processing: %.3f s\n", bare);
  std::printf("run with event processing:    %.3f s (%+.2f%%)\n", yielding,
              100.0 * (yielding - bare) / bare);
  std::printf("event processing calls:       %lld\n", static_cast<long long>(calls));
  std::printf("longest gap between calls:    %.1f ms\n",
              std::chrono::duration<double, std::milli>(longest_gap).count());
  std::printf("wheel steps during the run:   %lld\n",
              static_cast<long long>(
                  seams::WheelSteps(Cast<ProgressWheel>(window->_ControlByName("Wheel")))));
  return 0;
}
