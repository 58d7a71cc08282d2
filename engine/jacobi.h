// Eigenvalues of a real symmetric matrix by the cyclic Jacobi method with
// thresholds: at most 50 sweeps, pivots row by row through the strict upper
// triangle, the diagonal updated once per sweep from accumulated changes.
// Each element sees the same rotations with the same operands as in the
// reference loops of tests/reference/literal_engine.h, so the result is
// bit-identical to them; only the storage and the order of work on
// different elements are rearranged.
#pragma once

#include <cstdint>
#include <vector>

// Scratch space that the solver reuses from call to call. Nothing in it is
// read before the call has written it.
struct JacobiWorkspace {
  std::vector<double> matrix, sweep_start, changes, sines, taus;
  std::vector<char> rotated;
};

// eigenvalues[0..n) = the estimates after the last sweep, unsorted, of the
// n x n matrix at a (row stride a_stride). Reads only the diagonal and the
// strict upper triangle. Yields after every pivot.
void JacobiEigenvalues(const double* a, int64_t a_stride, int64_t n, double* eigenvalues,
                       JacobiWorkspace& work);

// Sorts values[0..n) largest first by selection, taking the last of equal
// values, so that zeros of either sign end where the reference sort puts
// them.
void SortDescending(double* values, int64_t n);
