#include "engine/stats_module.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/correlation.h"
#include "engine/jacobi.h"
#include "engine/vars_module.h"
#include "framework/core/exceptions.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"

namespace {
// The kernels read elements 1..rows by 1..cols without checks; an array
// that lacks them fails here as the first checked read would.
void RequireBounds(const Array2D<double>& a, int64_t rows, int64_t cols, const char* name) {
  if (rows > 0 && cols > 0 && (a.UBound(1) < rows || a.UBound(2) < cols))
    throw OutOfBoundsException(std::string(name) + " has upper bounds (" +
                               std::to_string(a.UBound(1)) + ", " + std::to_string(a.UBound(2)) +
                               "), needs (" + std::to_string(rows) + ", " + std::to_string(cols) +
                               ")");
}

// The kernels' scratch space, kept from one replication to the next so that
// a replication allocates nothing; each call writes what it reads.
CorrelationWorkspace correlation_workspace;
JacobiWorkspace jacobi_workspace;
std::vector<double> eigenvalues;
}  // namespace

void StatsModule::RanNumbers() {
  const int64_t n = VarsModule::vars;
  const int64_t N = VarsModule::subs;
  VarsModule::RanData.ReDim(N, n);
  // System::Random() is the same object on every call, so fetching it once
  // a row draws the same sequence as fetching it for every element.
  for (int64_t i = 1; i <= N; ++i) {
    System::Random().FillGaussian(VarsModule::RanData.Row(i) + 1, n);
    RuntimeYield();
  }
}

void StatsModule::CorrMatrix() {
  const int64_t n = VarsModule::vars;
  const int64_t N = VarsModule::subs;
  Array2D<double>& r = VarsModule::r;
  const Array2D<double>& data = VarsModule::RanData;
  r.ReDim(-1, -1);
  r.ReDim(n, n);
  if (n <= 0) return;
  RequireBounds(data, N, n, "RanData");
  CorrelationKernel(data.Row(1) + 1, data.Stride(), N, n, r.Row(1) + 1, r.Stride(),
                    correlation_workspace);
}

void StatsModule::EigenvaluesCalc() {
  const int64_t n = VarsModule::vars;
  const Array2D<double>& r = VarsModule::r;
  Array2D<double>& sums = VarsModule::SumStats;
  if (n <= 0) return;
  RequireBounds(r, n, n, "r");
  eigenvalues.resize(n);
  JacobiEigenvalues(r.Row(1) + 1, r.Stride(), n, eigenvalues.data(), jacobi_workspace);
  SortDescending(eigenvalues.data(), n);
  for (int64_t i = 1; i <= n; ++i) {
    const double value = eigenvalues[i - 1];
    sums(i, 1) = value + sums(i, 1);
    sums(i, 2) = value * value + sums(i, 2);
    RuntimeYield();
  }
}

void StatsModule::SummaryStats() {
  const int64_t n = VarsModule::vars;
  const int64_t R = VarsModule::reps;
  Array2D<double>& sums = VarsModule::SumStats;
  for (int64_t i = 1; i <= n; ++i) {
    const double correction = (sums(i, 1) * sums(i, 1)) / static_cast<double>(R);
    sums(i, 1) = sums(i, 1) / static_cast<double>(R);
    sums(i, 3) = std::sqrt((sums(i, 2) - correction) / static_cast<double>(R - 1));
    RuntimeYield();
  }
}
