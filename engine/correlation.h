// Pearson correlations of the columns of a row-major data block, from raw
// sums in one pass. Every sum adds its terms in increasing row order, as
// the reference loops in tests/reference/literal_engine.h do, so the result
// is bit-identical to them; only the cross-products' memory order is
// blocked (many columns at once), and the lower half is the mirror of the
// upper, which is exact because x*y == y*x.
#pragma once

#include <cstdint>
#include <vector>

// Scratch space that the kernel reuses from call to call. Nothing in it is
// read before the call has written it.
struct CorrelationWorkspace {
  std::vector<double> sums, squares, spread, cross_products, block;
};

// r[i * r_stride + k] = correlation of columns i and k of the rows x cols
// block at data (row stride data_stride), for 0 <= i, k < cols; the diagonal
// is exactly 1. Yields between blocks.
void CorrelationKernel(const double* data, int64_t data_stride, int64_t rows, int64_t cols,
                       double* r, int64_t r_stride, CorrelationWorkspace& work);
