// Every loop of the engine's routines ends its iterations at the yield
// point: the yields of one call, counted unthrottled, are the sum of each
// loop's iterations (the kernels yield once per group of work where they
// group it), so a loop that stops yielding changes the count.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"
#include "framework/testing/core_seams.h"
#include "tests/engine/engine_test_util.h"

namespace {
// Yields during one call of routine.
template <typename Routine>
int64_t YieldsOf(Routine routine) {
  int64_t yields = 0;
  seams::CountYields(&yields);
  routine();
  seams::CountYields(nullptr);
  return yields;
}

int64_t CeilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

class EngineYieldTest : public testing::Test {
 protected:
  void SetUp() override { VarsModule::InitializeVariables(); }
};
}  // namespace

TEST_F(EngineYieldTest, RandomDataAndCorrelationYieldInEveryLoop) {
  struct Case {
    int64_t vars, subs;
  };
  for (Case c : {Case{3, 50}, Case{5, 300}, Case{13, 600}}) {
    SCOPED_TRACE(testing::Message() << c.vars << " x " << c.subs);
    StartRun(c.vars, c.subs, 1);
    seams::SeedRandom(3);
    // One per subject's row of draws.
    EXPECT_EQ(YieldsOf(StatsModule::RanNumbers), c.subs);
    // Per block of 256 subjects, one per four columns of cross-products;
    // then one per row of correlations.
    EXPECT_EQ(YieldsOf(StatsModule::CorrMatrix),
              CeilDiv(c.subs, 256) * CeilDiv(c.vars, 4) + c.vars);
  }
}

TEST_F(EngineYieldTest, EigenvaluesYieldInEveryLoop) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    std::string name;
    int64_t n;
    std::vector<double> matrix;  // row by row
    int64_t sweeps;              // sweeps that rotated
    bool converged;              // a further sweep found the sum 0
  };
  const std::vector<Case> cases = {
      {"Identity", 4, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 0, true},
      {"HalfPair", 4, {1, 0.5, 0, 0, 0.5, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 1, true},
      {"NotANumber", 3, {1, nan, 0.5, nan, 1, 0.5, 0.5, 0.5, 1}, 50, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int64_t n = c.n;
    StartRun(n, 50, 1);
    VarsModule::r.ReDim(-1, -1);
    VarsModule::r.ReDim(n, n);
    for (int64_t i = 1; i <= n; ++i)
      for (int64_t j = 1; j <= n; ++j) VarsModule::r(i, j) = c.matrix[(i - 1) * n + (j - 1)];
    const int64_t sums_of_the_off_diagonal = c.sweeps + (c.converged ? 1 : 0);
    const int64_t expected = n                                     // copy of the matrix, per row
                             + sums_of_the_off_diagonal * (n - 1)  // sum, per row
                             + c.sweeps * (n * (n - 1) / 2)        // per pivot
                             + c.sweeps * (n - 1)                  // per pivot row
                             + c.sweeps                            // per sweep
                             + (n - 1)                             // sort, per place
                             + n;                                  // accumulation, per row
    EXPECT_EQ(YieldsOf(StatsModule::EigenvaluesCalc), expected);
  }
}

TEST_F(EngineYieldTest, SummaryYieldsPerRow) {
  StartRun(7, 50, 2);
  EXPECT_EQ(YieldsOf(StatsModule::SummaryStats), 7);
}
