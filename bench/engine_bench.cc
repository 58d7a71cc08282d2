// The engine's routines next to the loop-for-loop transcription, at the
// largest counts (200 variables, 2500 subjects) and at (50, 500), and the
// generator's draw rate. Run:
//   build/bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"
#include "tests/reference/literal_engine.h"

namespace {
// Counts set, one replication's data and correlation matrix in place.
void Prepare(const benchmark::State& state, literal::State* reference = nullptr) {
  VarsModule::InitializeVariables();
  VarsModule::vars = state.range(0);
  VarsModule::subs = state.range(1);
  VarsModule::reps = 1;
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(VarsModule::vars, 3);
  SeedRandomForTesting(1);
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
  state.counters["handler_calls"] = static_cast<double>(YieldHandlerCalls());
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
  b->Args({200, 2500})->Args({50, 500})->Unit(benchmark::kMillisecond);
  b->ComputeStatistics("min", Fastest);
}
}  // namespace

BENCHMARK(BM_RanNumbers)->Apply(Counts);
BENCHMARK(BM_RanNumbersLiteral)->Apply(Counts);
BENCHMARK(BM_CorrMatrix)->Apply(Counts);
BENCHMARK(BM_CorrMatrixLiteral)->Apply(Counts);
BENCHMARK(BM_EigenvaluesCalc)->Apply(Counts);
BENCHMARK(BM_EigenvaluesCalcLiteral)->Apply(Counts);
BENCHMARK(BM_Replication)->Apply(Counts);
BENCHMARK(BM_ReplicationLiteral)->Apply(Counts);
BENCHMARK(BM_SummaryStats)->Apply(Counts);
BENCHMARK(BM_SummaryStatsLiteral)->Apply(Counts);
BENCHMARK(BM_ReplicationWhileYielding)->Apply(Counts);
BENCHMARK(BM_Gaussian)->ComputeStatistics("min", Fastest);

BENCHMARK_MAIN();
