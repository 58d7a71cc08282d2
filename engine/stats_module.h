// The simulation's four routines. They take no arguments and return
// nothing: each reads and writes only VarsModule, and a replication is
// RanNumbers, CorrMatrix, EigenvaluesCalc in this order. Results are bit for
// bit those of the reference loops in tests/reference/literal_engine.h; the
// kernels they call only reorder memory traffic and independent work, never
// the arithmetic of an element.
#pragma once

namespace StatsModule {
// RanData re-dimensioned to (subs, vars) and filled row by row with draws
// of the process-wide generator.
void RanNumbers();
// r emptied, re-dimensioned to (vars, vars) and filled with the Pearson
// correlations of RanData's columns; exact unit diagonal, exactly symmetric.
void CorrMatrix();
// The eigenvalues of r, largest first, and their squares added into
// SumStats columns 1 and 2 of rows 1..vars.
// REQUIRES: SumStats has upper bounds of at least (vars, 2).
void EigenvaluesCalc();
// SumStats column 1 turned from sums into means and column 3 set to the
// sample standard deviations over reps replications. Run once per run.
void SummaryStats();
}  // namespace StatsModule
