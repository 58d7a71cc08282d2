#include "framework/core/random.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <utility>
#include <vector>

#include "framework/testing/core_seams.h"

namespace {
#ifdef VELLACOR_SMALL_TESTS
constexpr int64_t kSample = 2'000'000;
#else
constexpr int64_t kSample = 20'000'000;
#endif

double NormalTail(double x) { return 0.5 * std::erfc(x / std::sqrt(2.0)); }
}  // namespace

TEST(RandomTest, SystemRandomIsOneObject) { EXPECT_EQ(&System::Random(), &System::Random()); }

TEST(RandomTest, SeedForTestingRestartsTheSameSequence) {
  Random& generator = System::Random();
  seams::SeedRandom(42);
  std::vector<double> first(1000);
  for (double& x : first) x = generator.Gaussian();
  seams::SeedRandom(42);
  for (double x : first)
    EXPECT_EQ(std::bit_cast<uint64_t>(generator.Gaussian()), std::bit_cast<uint64_t>(x));
  seams::SeedRandom(43);
  EXPECT_NE(generator.Gaussian(), first[0]);
}

TEST(RandomTest, TwoEntropySeededGeneratorsDiffer) {
  Random a, b;
  EXPECT_NE(a.Gaussian(), b.Gaussian());
}

TEST(RandomTest, FillGaussianEqualsSuccessiveDraws) {
  Random a(7), b(7);
  std::vector<double> filled(100'003);
  a.FillGaussian(filled.data(), static_cast<int64_t>(filled.size()));
  for (double x : filled)
    ASSERT_EQ(std::bit_cast<uint64_t>(b.Gaussian()), std::bit_cast<uint64_t>(x));
}

TEST(RandomTest, NumberIsInUnitInterval) {
  Random generator(3);
  for (int i = 0; i < 100'000; ++i) {
    const double u = generator.Number();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
}

// Mean, variance, the bins of the whole line and the tails beyond the
// ziggurat's base layer, on one large sample with a fixed seed. Each bound
// is about five standard errors.
TEST(RandomTest, GaussianFitsTheNormalDistribution) {
  Random generator(20240601);
  constexpr double kLow = -4.0, kWidth = 0.05;
  constexpr int kBins = 160;  // [-4, 4) plus one bin for each side beyond
  std::vector<int64_t> bins(kBins + 2, 0);
  double sum = 0, sum_squares = 0;
  int64_t beyond_base = 0, beyond_4_5 = 0;
  for (int64_t i = 0; i < kSample; ++i) {
    const double x = generator.Gaussian();
    ASSERT_TRUE(std::isfinite(x));
    sum += x;
    sum_squares += x * x;
    if (std::fabs(x) > 3.6541528853610088) ++beyond_base;
    if (std::fabs(x) > 4.5) ++beyond_4_5;
    const double slot = std::floor((x - kLow) / kWidth);
    const int bin = slot < 0 ? 0 : slot >= kBins ? kBins + 1 : static_cast<int>(slot) + 1;
    ++bins[bin];
  }
  const double n = static_cast<double>(kSample);
  const double mean = sum / n;
  const double variance = sum_squares / n - mean * mean;
  EXPECT_LT(std::fabs(mean), 5.0 / std::sqrt(n));
  EXPECT_LT(std::fabs(variance - 1.0), 5.0 * std::sqrt(2.0 / n));

  double chi_square = 0;
  for (int b = 0; b < kBins + 2; ++b) {
    double p;
    if (b == 0) {
      p = NormalTail(-kLow);
    } else if (b == kBins + 1) {
      p = NormalTail(-kLow);
    } else {
      const double lo = kLow + (b - 1) * kWidth;
      p = NormalTail(lo) - NormalTail(lo + kWidth);
    }
    const double expected = n * p;
    chi_square += (bins[b] - expected) * (bins[b] - expected) / expected;
  }
  const double df = kBins + 1;
  EXPECT_LT(chi_square, df + 5.0 * std::sqrt(2.0 * df)) << "chi-square " << chi_square;

  for (auto [count, edge] :
       {std::pair{beyond_base, 3.6541528853610088}, std::pair{beyond_4_5, 4.5}}) {
    const double expected = n * 2 * NormalTail(edge);
    EXPECT_LT(std::fabs(count - expected), 5.0 * std::sqrt(expected)) << "beyond " << edge;
  }
}
