// The engine's kernels against the loop-for-loop transcription: bit for bit,
// over random counts and seeds and over matrices chosen to reach every
// branch of the Jacobi solver.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/testing/core_seams.h"
#include "tests/engine/engine_test_util.h"

namespace {
#ifdef VELLACOR_SMALL_TESTS
constexpr int64_t kMaxVars = 30, kMaxSubs = 200, kTrialsPerShard = 2;
#else
constexpr int64_t kMaxVars = 200, kMaxSubs = 2500, kTrialsPerShard = 5;
#endif

int64_t Between(Random& picker, int64_t low, int64_t high) {
  return low + static_cast<int64_t>(picker.Number() * static_cast<double>(high - low + 1));
}

class WholeRunTest : public testing::TestWithParam<int> {};

// Each step runs on both sides from the same inputs and is compared before
// the next, so a difference is caught in the step that makes it.
TEST_P(WholeRunTest, EveryStepIsBitIdentical) {
  Random picker(1000 + GetParam());
  VarsModule::InitializeVariables();
  for (int trial = 0; trial < kTrialsPerShard; ++trial) {
    const int64_t vars = Between(picker, 3, kMaxVars);
    const int64_t subs = Between(picker, std::max<int64_t>(50, vars + 1), kMaxSubs);
    const int64_t reps = Between(picker, 1, 3);
    const uint64_t seed = static_cast<uint64_t>(GetParam()) * 1000 + trial;
    SCOPED_TRACE(testing::Message() << vars << " variables, " << subs << " subjects, " << reps
                                    << " replications, seed " << seed);
    StartRun(vars, subs, reps);
    literal::State reference = CopyOfVarsModule();
    for (int64_t rep = 0; rep < reps; ++rep) {
      seams::SeedRandom(seed * 10 + rep);
      StatsModule::RanNumbers();
      seams::SeedRandom(seed * 10 + rep);
      literal::RanNumbers(reference);
      ASSERT_TRUE(BitIdentical(VarsModule::RanData, reference.RanData));
      StatsModule::CorrMatrix();
      literal::CorrMatrix(reference);
      ASSERT_TRUE(BitIdentical(VarsModule::r, reference.r));
      StatsModule::EigenvaluesCalc();
      literal::EigenvaluesCalc(reference);
      ASSERT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));
    }
    StatsModule::SummaryStats();
    literal::SummaryStats(reference);
    ASSERT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, WholeRunTest, testing::Range(0, 8));

// A matrix filled by fill(i, j) for i <= j; below the diagonal it holds
// values the solver must ignore.
template <typename Fill>
void SetUpperTriangle(int64_t n, Fill fill) {
  VarsModule::vars = n;
  VarsModule::r.ReDim(-1, -1);
  VarsModule::r.ReDim(n, n);
  for (int64_t i = 1; i <= n; ++i)
    for (int64_t j = 1; j <= n; ++j) VarsModule::r(i, j) = j >= i ? fill(i, j) : 1e300;
}

void ExpectEigenvaluesMatchLiteral() {
  const int64_t n = VarsModule::vars;
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(n, 3);
  literal::State reference = CopyOfVarsModule();
  StatsModule::EigenvaluesCalc();
  literal::EigenvaluesCalc(reference);
  EXPECT_TRUE(BitIdentical(VarsModule::SumStats, reference.SumStats));
}

TEST(JacobiEquivalenceTest, GeneralSymmetricMatrices) {
  Random values(77);
  for (int64_t n = 1; n <= 40; ++n) {
    SCOPED_TRACE(n);
    SetUpperTriangle(n, [&](int64_t i, int64_t j) {
      return i == j ? 10 * values.Gaussian() : values.Gaussian();
    });
    ExpectEigenvaluesMatchLiteral();
  }
}

TEST(JacobiEquivalenceTest, SparseMatricesReachTheNegligibleBranch) {
  Random values(78);
  for (int64_t n : {5, 12, 31, 64}) {
    SCOPED_TRACE(n);
    SetUpperTriangle(n, [&](int64_t i, int64_t j) {
      if (i == j) return std::floor(values.Number() * 4);  // repeated diagonal values
      return values.Number() < 0.8 ? 0.0 : 1e-9 * values.Gaussian();
    });
    ExpectEigenvaluesMatchLiteral();
  }
}

TEST(JacobiEquivalenceTest, GradedMatricesReachTheSmallAngleBranch) {
  Random values(79);
  for (int64_t n : {4, 9, 33}) {
    SCOPED_TRACE(n);
    SetUpperTriangle(n, [&](int64_t i, int64_t j) {
      return i == j ? static_cast<double>(i) : 1e-12 * values.Gaussian();
    });
    ExpectEigenvaluesMatchLiteral();
  }
}

TEST(JacobiEquivalenceTest, NotANumberIsNeverRotated) {
  Random values(80);
  SetUpperTriangle(6, [&](int64_t i, int64_t j) {
    return i == 2 && j == 5 ? std::numeric_limits<double>::quiet_NaN() : values.Gaussian();
  });
  ExpectEigenvaluesMatchLiteral();
}
}  // namespace
