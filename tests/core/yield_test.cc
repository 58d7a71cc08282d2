#include "framework/core/yield.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "framework/testing/core_seams.h"

namespace {
int handled = 0;
void CountingHandler() { ++handled; }
}  // namespace

// Once the handler is removed, no yield reaches it any more, neither the
// throttled one nor the forced one, and none is counted as a call.
TEST(YieldTest, WithoutHandlerDoesNothing) {
  handled = 0;
  SetYieldHandler(&CountingHandler);
  RuntimeYieldNow();
  ASSERT_EQ(handled, 1);
  SetYieldHandler(nullptr);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
  while (std::chrono::steady_clock::now() < end) RuntimeYield();
  for (int i = 0; i < 1000; ++i) RuntimeYieldNow();
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(seams::YieldHandlerCalls(), 0);
}

TEST(YieldTest, HandlerIsThrottledButReachedWhenTimePasses) {
  handled = 0;
  SetYieldHandler(&CountingHandler);
  // A burst of yields within a few microseconds reaches the handler rarely.
  for (int i = 0; i < 100000; ++i) RuntimeYield();
  EXPECT_LE(handled, 5);
  // After the interval has passed, the next few yields reach it.
  const int before = handled;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
  while (std::chrono::steady_clock::now() < end) RuntimeYield();
  EXPECT_GE(handled - before, 2);
  RuntimeYieldNow();
  EXPECT_EQ(seams::YieldHandlerCalls(), handled);
  SetYieldHandler(nullptr);
}

TEST(YieldTest, CountingHookCountsEveryYieldAndPutsTheHandlerBack) {
  handled = 0;
  SetYieldHandler(&CountingHandler);
  int64_t yields = 0;
  seams::CountYields(&yields);
  for (int i = 0; i < 1000; ++i) RuntimeYield();
  RuntimeYieldNow();
  seams::CountYields(nullptr);
  EXPECT_EQ(yields, 1001);
  EXPECT_EQ(handled, 0);
  RuntimeYieldNow();
  EXPECT_EQ(handled, 1);
  SetYieldHandler(nullptr);
}
