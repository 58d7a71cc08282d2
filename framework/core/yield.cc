#include "framework/core/yield.h"

#include <chrono>

#include "framework/core/internal/testing.h"

namespace yield_detail {
void (*handler)() = nullptr;
int64_t countdown = 1;
}  // namespace yield_detail

namespace {
using Clock = std::chrono::steady_clock;
// The handler runs at most this often: a window then repaints well within
// 50 ms, and event processing takes a small share of a long run.
constexpr auto kYieldInterval = std::chrono::milliseconds(20);
Clock::time_point last_call;
int64_t calls = 0;
// How many yield points pass between two clock readings; adapted so that a
// clock reading happens about every millisecond.
int64_t stride = 64;
Clock::time_point last_check;
// Set by test_hooks::CountYields: where yields are counted, and the handler to
// put back afterwards.
int64_t* yield_counter = nullptr;
void (*handler_before_counting)() = nullptr;
void NoHandler() {}

void CallHandler() {
  ++calls;
  last_call = Clock::now();
  yield_detail::handler();
}
}  // namespace

void SetYieldHandler(void (*h)()) {
  yield_detail::handler = h;
  yield_detail::countdown = 1;
  calls = 0;
  last_call = last_check = Clock::now();
}

void yield_detail::SlowPath() {
  if (yield_counter != nullptr) {
    ++*yield_counter;
    countdown = 1;
    return;
  }
  const auto now = Clock::now();
  const auto since_check = now - last_check;
  last_check = now;
  // Keep clock readings near one per millisecond, whatever a yield costs.
  if (since_check < std::chrono::microseconds(500) && stride < (int64_t{1} << 20))
    stride *= 2;
  else if (since_check > std::chrono::milliseconds(2) && stride > 1)
    stride /= 2;
  countdown = stride;
  if (now - last_call >= kYieldInterval) CallHandler();
}

void RuntimeYieldNow() {
  if (yield_counter != nullptr)
    ++*yield_counter;
  else if (yield_detail::handler != nullptr)
    CallHandler();
}

int64_t test_hooks::YieldHandlerCalls() { return calls; }

void test_hooks::CountYields(int64_t* counter) {
  if (counter != nullptr) {
    if (yield_counter == nullptr) handler_before_counting = yield_detail::handler;
    yield_detail::handler = &NoHandler;  // sends every yield to SlowPath
  } else if (yield_counter != nullptr) {
    yield_detail::handler = handler_before_counting;
  }
  yield_counter = counter;
  yield_detail::countdown = 1;
}
