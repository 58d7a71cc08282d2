// Helpers shared by the engine tests: bitwise comparison of arrays and the
// copying of the simulation state into the literal transcription's.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "engine/vars_module.h"
#include "framework/core/array.h"
#include "tests/reference/literal_engine.h"

// Same bounds and the same bits in every element.
inline testing::AssertionResult BitIdentical(const Array2D<double>& a, const Array2D<double>& b) {
  if (a.UBound(1) != b.UBound(1) || a.UBound(2) != b.UBound(2))
    return testing::AssertionFailure() << "bounds (" << a.UBound(1) << ", " << a.UBound(2)
                                       << ") vs (" << b.UBound(1) << ", " << b.UBound(2) << ")";
  for (int64_t i = 0; i <= a.UBound(1); ++i)
    for (int64_t j = 0; j <= a.UBound(2); ++j)
      if (std::bit_cast<uint64_t>(a(i, j)) != std::bit_cast<uint64_t>(b(i, j)))
        return testing::AssertionFailure()
               << "element (" << i << ", " << j << "): " << a(i, j) << " vs " << b(i, j);
  return testing::AssertionSuccess();
}

// Counts and arrays of VarsModule as a literal state.
inline literal::State CopyOfVarsModule() {
  literal::State state;
  state.vars = VarsModule::vars;
  state.subs = VarsModule::subs;
  state.reps = VarsModule::reps;
  state.RanData = VarsModule::RanData;
  state.r = VarsModule::r;
  state.SumStats = VarsModule::SumStats;
  return state;
}

// Sets the counts and an empty, all-zero summary table, as a run starts.
inline void StartRun(int64_t vars, int64_t subs, int64_t reps) {
  VarsModule::vars = vars;
  VarsModule::subs = subs;
  VarsModule::reps = reps;
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(vars, 3);
}

// r set to the n x n matrix given row by row (indices from 1).
inline void SetMatrix(int64_t n, std::initializer_list<double> rows) {
  VarsModule::vars = n;
  VarsModule::r.ReDim(-1, -1);
  VarsModule::r.ReDim(n, n);
  auto it = rows.begin();
  for (int64_t i = 1; i <= n; ++i)
    for (int64_t j = 1; j <= n; ++j) VarsModule::r(i, j) = *it++;
}
