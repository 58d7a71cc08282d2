// The process-wide state of the simulation: the counts of the current run,
// the input limits, the random data, the correlation matrix, the summary
// table and the report's line end. The engine's routines pass their inputs
// and results to one another and to the window only through these.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/array.h"

namespace VarsModule {
// Number of variables: columns of RanData, order of r, rows of SumStats.
inline int64_t vars = 0;
// Number of subjects: rows of RanData.
inline int64_t subs = 0;
// Number of replications of the current run.
inline int64_t reps = 0;
// Random data, row = subject, column = variable; indices from 1.
inline Array2D<double> RanData;
// Correlation matrix of RanData's columns; indices from 1.
inline Array2D<double> r;
// Row i: the i-th largest eigenvalue's sum, then mean (column 1), sum of
// squares (column 2) and standard deviation (column 3).
inline Array2D<double> SumStats;
// Accepted counts, both ends included; 0 until the main window stores them.
inline int64_t VarMin = 0;
inline int64_t VarMax = 0;
inline int64_t SubMin = 0;
inline int64_t SubMax = 0;
inline int64_t RepMin = 0;
inline int64_t RepMax = 0;
// The report's line end; empty until the main window stores it.
inline std::string kEOL;

// Gives all thirteen variables their initial values (start-up runs it among
// the static initialisers).
void InitializeVariables();
}  // namespace VarsModule
