// The cooperative yield point. Long loops end their iterations here so that
// the GUI runtime can process pending events during a run.
//
// Until a handler is installed, a yield costs one predictable branch. Once
// one is installed, RuntimeYield() calls it at most every kYieldInterval;
// between calls it only counts down, so the clock is read rarely.
#pragma once

#include <cstdint>

namespace yield_detail {
extern void (*handler)();
extern int64_t countdown;
void SlowPath();
}  // namespace yield_detail

// Installs the function that processes pending events (nullptr removes it).
void SetYieldHandler(void (*handler)());

// The yield point: returns after pending work is done.
inline void RuntimeYield() {
  if (yield_detail::handler != nullptr && --yield_detail::countdown <= 0) yield_detail::SlowPath();
}

// Calls the handler now, whatever the throttle says (used where a run
// reaches a natural boundary and the tests count yields).
void RuntimeYieldNow();
