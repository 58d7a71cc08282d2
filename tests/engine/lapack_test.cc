// The Jacobi solver against LAPACK's symmetric eigenvalue routine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/testing/core_seams.h"
#include "tests/engine/engine_test_util.h"

extern "C" void dsyevd_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda,
                        double* w, double* work, const int* lwork, int* iwork, const int* liwork,
                        int* info, size_t jobz_length, size_t uplo_length);

namespace {
#ifdef VELLACOR_SMALL_TESTS
const std::vector<int64_t> kOrders = {3, 4, 5, 8, 13, 30};
#else
const std::vector<int64_t> kOrders = {3,  4,  5,  6,   8,   11,  16,  23,
                                      32, 50, 64, 100, 128, 150, 199, 200};
#endif

// Eigenvalues of VarsModule::r, largest first, by dsyevd.
std::vector<double> LapackEigenvalues() {
  const int n = static_cast<int>(VarsModule::vars);
  std::vector<double> a(n * n), w(n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[i * n + j] = VarsModule::r(i + 1, j + 1);
  int lwork = -1, liwork = -1, info = 0, iwork_size = 0;
  double work_size = 0;
  dsyevd_("N", "U", &n, a.data(), &n, w.data(), &work_size, &lwork, &iwork_size, &liwork, &info, 1,
          1);
  lwork = static_cast<int>(work_size);
  liwork = iwork_size;
  std::vector<double> work(lwork);
  std::vector<int> iwork(liwork);
  dsyevd_("N", "U", &n, a.data(), &n, w.data(), work.data(), &lwork, iwork.data(), &liwork, &info,
          1, 1);
  EXPECT_EQ(info, 0);
  std::sort(w.begin(), w.end(), std::greater<double>());
  return w;
}

// Eigenvalues of VarsModule::r, largest first, by the engine.
std::vector<double> EngineEigenvalues() {
  const int64_t n = VarsModule::vars;
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(n, 3);
  StatsModule::EigenvaluesCalc();
  std::vector<double> values;
  for (int64_t i = 1; i <= n; ++i) values.push_back(VarsModule::SumStats(i, 1));
  return values;
}

void ExpectSameAsLapack() {
  const int64_t n = VarsModule::vars;
  const std::vector<double> expected = LapackEigenvalues();
  const std::vector<double> actual = EngineEigenvalues();
  for (int64_t i = 0; i < n; ++i)
    ASSERT_NEAR(actual[i], expected[i], 1e-12 * static_cast<double>(n)) << "eigenvalue " << i + 1;
}

// r = Q diag(values) Q^T for a random orthogonal Q (a product of Householder
// reflections), made exactly symmetric from its upper triangle.
void SetSpectrum(const std::vector<double>& values, Random& random) {
  const int64_t n = static_cast<int64_t>(values.size());
  std::vector<double> a(n * n, 0.0);
  for (int64_t i = 0; i < n; ++i) a[i * n + i] = values[i];
  std::vector<double> v(n), av(n);
  for (int reflection = 0; reflection < 3; ++reflection) {
    double norm = 0;
    for (double& x : v) {
      x = random.Gaussian();
      norm += x * x;
    }
    for (double& x : v) x /= std::sqrt(norm);
    // A <- H A H with H = I - 2 v v^T.
    for (int64_t i = 0; i < n; ++i) {
      av[i] = 0;
      for (int64_t j = 0; j < n; ++j) av[i] += a[i * n + j] * v[j];
    }
    double vav = 0;
    for (int64_t i = 0; i < n; ++i) vav += v[i] * av[i];
    for (int64_t i = 0; i < n; ++i)
      for (int64_t j = 0; j < n; ++j)
        a[i * n + j] += -2 * v[i] * av[j] - 2 * av[i] * v[j] + 4 * vav * v[i] * v[j];
  }
  VarsModule::vars = n;
  VarsModule::r.ReDim(-1, -1);
  VarsModule::r.ReDim(n, n);
  for (int64_t i = 0; i < n; ++i)
    for (int64_t j = i; j < n; ++j)
      VarsModule::r(i + 1, j + 1) = VarsModule::r(j + 1, i + 1) = a[i * n + j];
}
}  // namespace

TEST(LapackTest, RandomCorrelationMatrices) {
  VarsModule::InitializeVariables();
  for (int64_t n : kOrders) {
    SCOPED_TRACE(testing::Message() << "order " << n);
    VarsModule::vars = n;
    VarsModule::subs = std::max<int64_t>(50, 2 * n);
    seams::SeedRandom(500 + n);
    StatsModule::RanNumbers();
    StatsModule::CorrMatrix();
    ExpectSameAsLapack();
  }
}

TEST(LapackTest, RepeatedAndClusteredEigenvalues) {
  Random random(31);
  struct Spectrum {
    const char* name;
    std::function<double(int64_t i, int64_t n)> value;
  };
  const std::vector<Spectrum> spectra = {
      {"three repeated values", [](int64_t i, int64_t) { return static_cast<double>(i % 3 + 1); }},
      {"one value and one outlier",
       [](int64_t i, int64_t n) { return i == 0 ? static_cast<double>(n) : 0.5; }},
      {"cluster 1e-9 wide", [](int64_t i, int64_t) { return 1 + 1e-9 * static_cast<double>(i); }},
      {"cluster 1e-14 wide",
       [](int64_t i, int64_t) { return 2 + 1e-14 * static_cast<double>(i % 4); }},
      {"zeros and a pair", [](int64_t i, int64_t) { return i < 2 ? 3.0 : 0.0; }},
  };
  for (int64_t n : kOrders) {
    if (n > 100) continue;
    for (const Spectrum& spectrum : spectra) {
      SCOPED_TRACE(testing::Message() << spectrum.name << ", order " << n);
      std::vector<double> values(n);
      for (int64_t i = 0; i < n; ++i) values[i] = spectrum.value(i, n);
      SetSpectrum(values, random);
      ExpectSameAsLapack();
    }
  }
}
