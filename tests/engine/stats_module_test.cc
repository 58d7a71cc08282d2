#include "engine/stats_module.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"
#include "framework/testing/core_seams.h"
#include "tests/engine/engine_test_util.h"

namespace {
struct Counts {
  int64_t vars, subs;
};

class StatsModuleTest : public testing::Test {
 protected:
  void SetUp() override { VarsModule::InitializeVariables(); }
};

// The replication as the window runs it, after StartRun.
void Replicate() {
  StatsModule::RanNumbers();
  StatsModule::CorrMatrix();
  StatsModule::EigenvaluesCalc();
}
}  // namespace

TEST_F(StatsModuleTest, DrawsFillRowByRow) {
  for (Counts counts : {Counts{3, 50}, Counts{4, 51}, Counts{13, 97}, Counts{200, 250}}) {
    SCOPED_TRACE(testing::Message() << counts.vars << " x " << counts.subs);
    VarsModule::vars = counts.vars;
    VarsModule::subs = counts.subs;
    seams::SeedRandom(11);
    StatsModule::RanNumbers();
    seams::SeedRandom(11);
    const int64_t n = counts.vars;
    ASSERT_EQ(VarsModule::RanData.UBound(1), counts.subs);
    ASSERT_EQ(VarsModule::RanData.UBound(2), n);
    for (int64_t k = 1; k <= counts.vars * counts.subs; ++k) {
      const double draw = System::Random().Gaussian();
      ASSERT_EQ(VarsModule::RanData((k - 1) / n + 1, (k - 1) % n + 1), draw) << "draw " << k;
    }
  }
}

TEST_F(StatsModuleTest, CorrelationHasUnitDiagonalExactSymmetryAndZeroBorder) {
  for (Counts counts : {Counts{3, 50}, Counts{5, 6}, Counts{17, 300}, Counts{64, 100}}) {
    SCOPED_TRACE(testing::Message() << counts.vars << " x " << counts.subs);
    VarsModule::vars = counts.vars;
    VarsModule::subs = counts.subs;
    seams::SeedRandom(5);
    StatsModule::RanNumbers();
    StatsModule::CorrMatrix();
    const Array2D<double>& r = VarsModule::r;
    const int64_t n = counts.vars;
    ASSERT_EQ(r.UBound(1), n);
    ASSERT_EQ(r.UBound(2), n);
    for (int64_t i = 0; i <= n; ++i) {
      EXPECT_EQ(std::bit_cast<uint64_t>(r(0, i)), 0u);
      EXPECT_EQ(std::bit_cast<uint64_t>(r(i, 0)), 0u);
    }
    for (int64_t i = 1; i <= n; ++i) {
      EXPECT_EQ(r(i, i), 1.0);
      for (int64_t k = 1; k <= n; ++k) {
        ASSERT_EQ(std::bit_cast<uint64_t>(r(i, k)), std::bit_cast<uint64_t>(r(k, i)));
        if (i != k) {
          ASSERT_LT(std::fabs(r(i, k)), 1.0);
        }
      }
    }
  }
}

TEST_F(StatsModuleTest, SmallerRunAfterLargerLeavesNothingOfIt) {
#ifdef VELLACOR_SMALL_TESTS
  const Counts large{40, 400};
#else
  const Counts large{200, 2500};
#endif
  StartRun(large.vars, large.subs, 1);
  seams::SeedRandom(1);
  Replicate();
  StatsModule::SummaryStats();

  // The same small run on fresh state is what the small run must give.
  StartRun(3, 50, 2);
  literal::State fresh = CopyOfVarsModule();
  fresh.RanData = Array2D<double>(2500, 200);
  fresh.r = Array2D<double>(200, 200);
  seams::SeedRandom(2);
  for (int rep = 0; rep < 2; ++rep) {
    literal::RanNumbers(fresh);
    literal::CorrMatrix(fresh);
    literal::EigenvaluesCalc(fresh);
  }
  literal::SummaryStats(fresh);

  seams::SeedRandom(2);
  for (int rep = 0; rep < 2; ++rep) Replicate();
  StatsModule::SummaryStats();
  EXPECT_TRUE(BitIdentical(VarsModule::RanData, fresh.RanData));
  EXPECT_TRUE(BitIdentical(VarsModule::r, fresh.r));
  EXPECT_TRUE(BitIdentical(VarsModule::SumStats, fresh.SumStats));
  EXPECT_EQ(VarsModule::RanData.UBound(1), 50);
  EXPECT_EQ(VarsModule::RanData.UBound(2), 3);
  EXPECT_EQ(VarsModule::r.UBound(1), 3);
  EXPECT_EQ(VarsModule::SumStats.UBound(1), 3);
}

namespace {
struct JacobiCase {
  std::string name;
  int64_t n;
  std::vector<double> matrix;    // row by row
  std::vector<double> expected;  // largest first
  double tolerance;              // 0: exact
};

std::vector<double> Diagonal(std::vector<double> d) {
  const size_t n = d.size();
  std::vector<double> m(n * n, 0.0);
  for (size_t i = 0; i < n; ++i) m[i * n + i] = d[i];
  return m;
}

std::vector<JacobiCase> JacobiCases() {
  std::vector<JacobiCase> cases;
  cases.push_back({"Identity", 4, Diagonal({1, 1, 1, 1}), {1, 1, 1, 1}, 0});
  cases.push_back({"Diagonal1323", 4, Diagonal({1, 3, 2, 3}), {3, 3, 2, 1}, 0});
  {
    std::vector<double> m = Diagonal({1, 1, 1, 1});
    m[0 * 4 + 1] = m[1 * 4 + 0] = 0.5;
    cases.push_back({"HalfPair", 4, m, {1.5, 1, 1, 0.5}, 0});
  }
  {
    std::vector<double> m(16, 0.3);
    for (int i = 0; i < 4; ++i) m[i * 4 + i] = 1;
    cases.push_back({"EquiCorrelated", 4, m, {1.9, 0.7, 0.7, 0.7}, 1e-15});
  }
  {
    std::vector<double> m = Diagonal({0, 1e-10, 5});
    m[0 * 3 + 1] = m[1 * 3 + 0] = 1e-30;
    cases.push_back({"TinyElement", 3, m, {5, 1e-10, -1e-50}, 1e-60});
  }
  {
    std::vector<double> m = Diagonal({1, 1, 1});
    m[0 * 3 + 1] = m[1 * 3 + 0] = std::ldexp(1.0, -10);
    m[0 * 3 + 2] = m[2 * 3 + 0] = std::ldexp(1.0, -6);
    m[1 * 3 + 2] = m[2 * 3 + 1] = 7 * std::ldexp(1.0, -8);
    // The expected values are the roots of the characteristic polynomial; the
    // bits are checked against the literal loops below, as for every case.
    cases.push_back({"ThresholdEqualsFirstElement",
                     3,
                     m,
                     {1.0319204786838090, 0.99915886260980798, 0.96892065870638300},
                     1e-15});
  }
  return cases;
}
}  // namespace

TEST_F(StatsModuleTest, JacobiCases) {
  for (const JacobiCase& c : JacobiCases()) {
    SCOPED_TRACE(c.name);
    VarsModule::vars = c.n;
    VarsModule::r.ReDim(-1, -1);
    VarsModule::r.ReDim(c.n, c.n);
    for (int64_t i = 1; i <= c.n; ++i)
      for (int64_t j = 1; j <= c.n; ++j) VarsModule::r(i, j) = c.matrix[(i - 1) * c.n + (j - 1)];
    StartRun(c.n, 50, 1);
    literal::State reference = CopyOfVarsModule();
    StatsModule::EigenvaluesCalc();
    literal::EigenvaluesCalc(reference);
    EXPECT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));
    for (int64_t i = 1; i <= c.n; ++i) {
      const double value = VarsModule::SumStats(i, 1);
      if (c.tolerance == 0) {
        EXPECT_EQ(value, c.expected[i - 1]) << "row " << i;
      } else {
        EXPECT_NEAR(value, c.expected[i - 1], c.tolerance) << "row " << i;
      }
      EXPECT_EQ(VarsModule::SumStats(i, 2), value * value);
    }
  }
}

// Among equal eigenvalues the sort takes the last one; only zeros of either
// sign can show which. A summary table that starts at -0 keeps each sign.
TEST_F(StatsModuleTest, SortTakesTheLastOfEqualValues) {
  struct Case {
    std::vector<double> diagonal;
    std::vector<double> expected;  // largest first, signs included
  };
  const std::vector<Case> cases = {
      {{0.0, -0.0}, {-0.0, 0.0}},
      {{-0.0, 0.0}, {0.0, -0.0}},
      {{0.0, -0.0, 0.0, -0.0}, {-0.0, 0.0, -0.0, 0.0}},
      {{0.0, -0.0, -1.0}, {-0.0, 0.0, -1.0}},
  };
  for (const Case& c : cases) {
    const int64_t n = static_cast<int64_t>(c.diagonal.size());
    SCOPED_TRACE(testing::Message() << "order " << n);
    StartRun(n, 50, 1);
    VarsModule::r.ReDim(-1, -1);
    VarsModule::r.ReDim(n, n);
    for (int64_t i = 1; i <= n; ++i) {
      VarsModule::r(i, i) = c.diagonal[i - 1];
      VarsModule::SumStats(i, 1) = -0.0;
    }
    literal::State reference = CopyOfVarsModule();
    StatsModule::EigenvaluesCalc();
    literal::EigenvaluesCalc(reference);
    EXPECT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));
    for (int64_t i = 1; i <= n; ++i)
      EXPECT_EQ(std::bit_cast<uint64_t>(VarsModule::SumStats(i, 1)),
                std::bit_cast<uint64_t>(c.expected[i - 1]))
          << "row " << i << ": " << VarsModule::SumStats(i, 1);
  }
}

TEST_F(StatsModuleTest, CorrelationEigenvaluesAddUpToOrderAndDescend) {
  for (Counts counts : {Counts{3, 50}, Counts{10, 60}, Counts{50, 500}}) {
    SCOPED_TRACE(testing::Message() << counts.vars << " x " << counts.subs);
    StartRun(counts.vars, counts.subs, 1);
    seams::SeedRandom(9);
    Replicate();
    double total = 0;
    for (int64_t i = 1; i <= counts.vars; ++i) {
      total += VarsModule::SumStats(i, 1);
      if (i > 1) {
        EXPECT_LE(VarsModule::SumStats(i, 1), VarsModule::SumStats(i - 1, 1));
      }
    }
    EXPECT_NEAR(total, static_cast<double>(counts.vars), 1e-12 * counts.vars);
  }
}

TEST_F(StatsModuleTest, SummaryOfTwoReplications) {
  StartRun(3, 50, 2);
  VarsModule::SumStats(1, 1) = 4;   // 1 + 3
  VarsModule::SumStats(1, 2) = 10;  // 1 + 9
  StatsModule::SummaryStats();
  EXPECT_EQ(VarsModule::SumStats(1, 1), 2.0);
  EXPECT_EQ(VarsModule::SumStats(1, 3), std::sqrt(2.0));
  EXPECT_EQ(VarsModule::SumStats(1, 2), 10.0);
}

TEST_F(StatsModuleTest, SummaryOfOneReplicationHasNoDeviation) {
  StartRun(4, 50, 1);
  seams::SeedRandom(4);
  Replicate();
  std::vector<double> values, squares;
  for (int64_t i = 1; i <= 4; ++i) {
    values.push_back(VarsModule::SumStats(i, 1));
    squares.push_back(VarsModule::SumStats(i, 2));
  }
  StatsModule::SummaryStats();
  for (int64_t i = 1; i <= 4; ++i) {
    EXPECT_EQ(VarsModule::SumStats(i, 1), values[i - 1]);
    EXPECT_EQ(VarsModule::SumStats(i, 2), squares[i - 1]);
    EXPECT_TRUE(std::isnan(VarsModule::SumStats(i, 3)));
  }
}

TEST_F(StatsModuleTest, TooSmallArraysRaiseOutOfBounds) {
  // A summary table with fewer rows than eigenvalues: the rows it has are
  // added to, as in the reference loops, then the access fails.
  StartRun(5, 50, 1);
  seams::SeedRandom(3);
  StatsModule::RanNumbers();
  StatsModule::CorrMatrix();
  literal::State reference = CopyOfVarsModule();
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(3, 3);
  reference.SumStats = VarsModule::SumStats;
  EXPECT_THROW(StatsModule::EigenvaluesCalc(), OutOfBoundsException);
  EXPECT_THROW(literal::EigenvaluesCalc(reference), OutOfBoundsException);
  EXPECT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));

  // A correlation matrix smaller than the count of variables.
  VarsModule::vars = 6;
  EXPECT_THROW(StatsModule::EigenvaluesCalc(), OutOfBoundsException);
  // Random data with fewer rows than subjects.
  VarsModule::subs = 51;
  EXPECT_THROW(StatsModule::CorrMatrix(), OutOfBoundsException);
}

namespace {
int64_t handler_calls = 0;
void CountEvents() { ++handler_calls; }
}  // namespace

// Runs with the GUI runtime's handler installed until it has been reached a
// few times, then the same run without it: the same bits.
TEST_F(StatsModuleTest, YieldingLeavesResultsUnchanged) {
  StartRun(20, 200, 0);
  handler_calls = 0;
  SetYieldHandler(&CountEvents);
  seams::SeedRandom(8);
  int64_t reps = 0;
  while (handler_calls < 3 && reps < 100000) {
    Replicate();
    ++reps;
  }
  SetYieldHandler(nullptr);
  ASSERT_GE(handler_calls, 3);
  const Array2D<double> with_handler = VarsModule::SumStats;

  StartRun(20, 200, 0);
  seams::SeedRandom(8);
  for (int64_t rep = 0; rep < reps; ++rep) Replicate();
  EXPECT_TRUE(BitIdentical(VarsModule::SumStats, with_handler));
}
