// The engine's routines next to the loop-for-loop transcription and next to
// LAPACK (OpenBLAS, one thread), at the largest counts (200 variables, 2500
// subjects), at (50, 500) and at (10, 100), and the generator's draw rate;
// the kernels at the machine's best instruction-set level and at each level
// it runs. Run, pinned to one quiet core N:
//   env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE taskset -c N
//   build/bench/engine_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/kernel_level.h"
#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"
#include "framework/testing/core_seams.h"
#include "tests/reference/literal_engine.h"

extern "C" {
void dsyevd_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
             double* work, const int* lwork, int* iwork, const int* liwork, int* info,
             size_t jobz_length, size_t uplo_length);
void dsyrk_(const char* uplo, const char* trans, const int* n, const int* k, const double* alpha,
            const double* a, const int* lda, const double* beta, double* c, const int* ldc,
            size_t uplo_length, size_t trans_length);
void openblas_set_num_threads(int threads);
}

namespace {
// Counts set, one replication's data and correlation matrix in place.
void Prepare(const benchmark::State& state, literal::State* reference = nullptr) {
  VarsModule::InitializeVariables();
  VarsModule::vars = state.range(0);
  VarsModule::subs = state.range(1);
  VarsModule::reps = 1;
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(VarsModule::vars, 3);
  seams::SeedRandom(1);
  StatsModule::RanNumbers();
  StatsModule::CorrMatrix();
  if (reference != nullptr) {
    reference->vars = VarsModule::vars;
    reference->subs = VarsModule::subs;
    reference->reps = 1;
    reference->RanData = VarsModule::RanData;
    reference->r = VarsModule::r;
    reference->SumStats = VarsModule::SumStats;
  }
}

void BM_RanNumbers(benchmark::State& state) {
  Prepare(state);
  for (auto _ : state) StatsModule::RanNumbers();
}
void BM_RanNumbersLiteral(benchmark::State& state) {
  literal::State reference;
  Prepare(state, &reference);
  for (auto _ : state) literal::RanNumbers(reference);
}
void BM_CorrMatrix(benchmark::State& state) {
  Prepare(state);
  for (auto _ : state) StatsModule::CorrMatrix();
}
void BM_CorrMatrixLiteral(benchmark::State& state) {
  literal::State reference;
  Prepare(state, &reference);
  for (auto _ : state) literal::CorrMatrix(reference);
}
void BM_EigenvaluesCalc(benchmark::State& state) {
  Prepare(state);
  for (auto _ : state) StatsModule::EigenvaluesCalc();
}
void BM_EigenvaluesCalcLiteral(benchmark::State& state) {
  literal::State reference;
  Prepare(state, &reference);
  for (auto _ : state) literal::EigenvaluesCalc(reference);
}
void BM_Replication(benchmark::State& state) {
  Prepare(state);
  for (auto _ : state) {
    StatsModule::RanNumbers();
    StatsModule::CorrMatrix();
    StatsModule::EigenvaluesCalc();
  }
}
void BM_ReplicationLiteral(benchmark::State& state) {
  literal::State reference;
  Prepare(state, &reference);
  for (auto _ : state) {
    literal::RanNumbers(reference);
    literal::CorrMatrix(reference);
    literal::EigenvaluesCalc(reference);
  }
}

// The peer: what a scientific Python stack does with the same draws, one
// thread. dsyevd with eigenvalues only (jobz "N") on the upper triangle.
class LapackEigenvalues {
 public:
  explicit LapackEigenvalues(int n) : n_(n), a_(static_cast<size_t>(n) * n), w_(n) {
    openblas_set_num_threads(1);
    int lwork = -1, liwork = -1, info = 0, iwork_size = 0;
    double work_size = 0;
    dsyevd_("N", "U", &n_, a_.data(), &n_, w_.data(), &work_size, &lwork, &iwork_size, &liwork,
            &info, 1, 1);
    work_.resize(static_cast<size_t>(work_size));
    iwork_.resize(static_cast<size_t>(iwork_size));
  }
  // The matrix to be solved next, column-major n x n (symmetric, so either).
  double* matrix() { return a_.data(); }
  // Eigenvalues of matrix(), ascending; matrix() is overwritten.
  const std::vector<double>& Solve() {
    const int lwork = static_cast<int>(work_.size()), liwork = static_cast<int>(iwork_.size());
    int info = 0;
    dsyevd_("N", "U", &n_, a_.data(), &n_, w_.data(), work_.data(), &lwork, iwork_.data(), &liwork,
            &info, 1, 1);
    if (info != 0) std::abort();
    return w_;
  }

 private:
  int n_;
  std::vector<double> a_, w_, work_;
  std::vector<int> iwork_;
};

void CopyCorrelationMatrix(double* a, int n) {
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[i * n + j] = VarsModule::r(i + 1, j + 1);
}

void BM_EigenvaluesLapack(benchmark::State& state) {
  Prepare(state);
  const int n = static_cast<int>(VarsModule::vars);
  LapackEigenvalues solver(n);
  for (auto _ : state) {
    CopyCorrelationMatrix(solver.matrix(), n);
    benchmark::DoNotOptimize(solver.Solve().data());
  }
}

// The same draws; the correlation as numpy's corrcoef forms it (centred
// data, X^T X by dsyrk, divided by the outer product of the spreads); then
// dsyevd.
void BM_ReplicationLapack(benchmark::State& state) {
  Prepare(state);
  const int n = static_cast<int>(VarsModule::vars);
  const int N = static_cast<int>(VarsModule::subs);
  LapackEigenvalues solver(n);
  std::vector<double> centred(static_cast<size_t>(n) * N), mean(n), spread(n);
  const double one = 1, zero = 0;
  for (auto _ : state) {
    StatsModule::RanNumbers();
    const Array2D<double>& data = VarsModule::RanData;
    std::fill(mean.begin(), mean.end(), 0.0);
    for (int j = 1; j <= N; ++j)
      for (int i = 0; i < n; ++i) mean[i] += data.Row(j)[i + 1];
    for (double& m : mean) m /= N;
    // Column-major n x N: column j is subject j.
    for (int j = 0; j < N; ++j)
      for (int i = 0; i < n; ++i)
        centred[static_cast<size_t>(j) * n + i] = data.Row(j + 1)[i + 1] - mean[i];
    double* c = solver.matrix();
    dsyrk_("U", "N", &n, &N, &one, centred.data(), &n, &zero, c, &n, 1, 1);
    for (int i = 0; i < n; ++i) spread[i] = std::sqrt(c[i * n + i]);
    for (int k = 0; k < n; ++k)
      for (int i = 0; i <= k; ++i) c[k * n + i] /= spread[i] * spread[k];
    benchmark::DoNotOptimize(solver.Solve().data());
  }
}

// Ten replications' sums in the table; each iteration finishes a copy.
void BM_SummaryStats(benchmark::State& state) {
  Prepare(state);
  for (int rep = 0; rep < 10; ++rep) StatsModule::EigenvaluesCalc();
  VarsModule::reps = 10;
  const Array2D<double> sums = VarsModule::SumStats;
  for (auto _ : state) {
    VarsModule::SumStats = sums;
    StatsModule::SummaryStats();
  }
}
void BM_SummaryStatsLiteral(benchmark::State& state) {
  literal::State reference;
  Prepare(state, &reference);
  for (int rep = 0; rep < 10; ++rep) literal::EigenvaluesCalc(reference);
  reference.reps = 10;
  const Array2D<double> sums = reference.SumStats;
  for (auto _ : state) {
    reference.SumStats = sums;
    literal::SummaryStats(reference);
  }
}

// A replication while the GUI runtime's handler is installed (one that does
// nothing): what the yield points cost during a run.
void NoEvents() {}
void BM_ReplicationWhileYielding(benchmark::State& state) {
  Prepare(state);
  SetYieldHandler(&NoEvents);
  for (auto _ : state) {
    StatsModule::RanNumbers();
    StatsModule::CorrMatrix();
    StatsModule::EigenvaluesCalc();
  }
  state.counters["handler_calls"] = static_cast<double>(seams::YieldHandlerCalls());
  SetYieldHandler(nullptr);
}

void BM_Gaussian(benchmark::State& state) {
  Random& generator = System::Random();
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) sum += generator.Gaussian();
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * 1000);
}

// With --benchmark_repetitions, the fastest repetition too: the machine is
// shared, and other work only ever adds time.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

void Counts(benchmark::internal::Benchmark* b) {
  b->Args({200, 2500})->Args({50, 500})->Args({10, 100})->Unit(benchmark::kMillisecond);
  b->ComputeStatistics("min", Fastest);
}

// Body once for each level the machine runs, the level forced, named
// name_sse2, name_avx2 and so on.
template <void (*Body)(benchmark::State&)>
bool AtEachLevel(const char* name) {
  struct Level {
    KernelLevel level;
    const char* suffix;
  };
  constexpr Level kLevels[] = {
      {KernelLevel::kSse2, "_sse2"},
      {KernelLevel::kAvx, "_avx"},
      {KernelLevel::kAvx2, "_avx2"},
      {KernelLevel::kAvx512, "_avx512"},
  };
  for (const Level& level : kLevels) {
    if (!MachineRuns(level.level)) continue;
    benchmark::RegisterBenchmark((std::string(name) + level.suffix).c_str(),
                                 [forced = level.level](benchmark::State& state) {
                                   ForceKernelLevel(forced);
                                   Body(state);
                                   ForceKernelLevel(MachineKernelLevel());
                                 })
        ->Apply(Counts);
  }
  return true;
}
}  // namespace

BENCHMARK(BM_RanNumbers)->Apply(Counts);
BENCHMARK(BM_RanNumbersLiteral)->Apply(Counts);
BENCHMARK(BM_CorrMatrix)->Apply(Counts);
const bool corr_matrix_levels = AtEachLevel<BM_CorrMatrix>("BM_CorrMatrix");
BENCHMARK(BM_CorrMatrixLiteral)->Apply(Counts);
BENCHMARK(BM_EigenvaluesCalc)->Apply(Counts);
const bool eigenvalues_levels = AtEachLevel<BM_EigenvaluesCalc>("BM_EigenvaluesCalc");
BENCHMARK(BM_EigenvaluesCalcLiteral)->Apply(Counts);
BENCHMARK(BM_EigenvaluesLapack)->Apply(Counts);
BENCHMARK(BM_Replication)->Apply(Counts);
const bool replication_levels = AtEachLevel<BM_Replication>("BM_Replication");
BENCHMARK(BM_ReplicationLiteral)->Apply(Counts);
BENCHMARK(BM_ReplicationLapack)->Apply(Counts);
BENCHMARK(BM_SummaryStats)->Apply(Counts);
BENCHMARK(BM_SummaryStatsLiteral)->Apply(Counts);
BENCHMARK(BM_ReplicationWhileYielding)->Apply(Counts);
BENCHMARK(BM_Gaussian)->ComputeStatistics("min", Fastest);

BENCHMARK_MAIN();
