#include "engine/correlation.h"

#include <cmath>
#include <numeric>

#include "engine/kernel_targets.h"
#include "framework/core/yield.h"

namespace {
// A register tile of cross-products: kTileI<W> columns i by kTileVectors<W>
// vectors of columns k, shaped so that the accumulators, one row's vectors,
// a broadcast and a product stay in the 16 vector registers: 4 by 3 at 4
// lanes and more, 3 by 3 at the baseline level (4 by 3 spills there).
template <int W>
inline constexpr int64_t kTileI = W >= 4 ? 4 : 3;
template <int W>
inline constexpr int64_t kTileVectors = W >= 4 ? 3 : 3;
// Rows per packed block; a block of 256 rows by 200 columns stays in L2.
constexpr int64_t kBlockRows = 256;

int64_t RoundUp(int64_t x, int64_t m) { return (x + m - 1) / m * m; }

// c(i0..i0+3, k0..k0+3W-1) += the products of rows 0..rows-1 of the packed
// block, each element in increasing row order; the first block starts the
// sums from 0 instead of reading c.
template <int W>
[[gnu::always_inline]] inline void CrossProductTile(const double* block, int64_t width,
                                                    int64_t rows, int64_t i0, int64_t k0,
                                                    bool first, double* c, int64_t c_stride) {
  constexpr int64_t kTileI = ::kTileI<W>, kTileVectors = ::kTileVectors<W>;
  Vec<W> acc[kTileI][kTileVectors];
#pragma GCC unroll 8
  for (int ii = 0; ii < kTileI; ++ii)
#pragma GCC unroll 3
    for (int v = 0; v < kTileVectors; ++v)
      acc[ii][v] = first ? Vec<W>{} : Load<W>(c + (i0 + ii) * c_stride + k0 + W * v);
  for (int64_t j = 0; j < rows; ++j) {
    const double* row = block + j * width;
    Vec<W> b[kTileVectors];
#pragma GCC unroll 3
    for (int v = 0; v < kTileVectors; ++v) b[v] = Load<W>(row + k0 + W * v);
#pragma GCC unroll 8
    for (int ii = 0; ii < kTileI; ++ii) {
      const double a = row[i0 + ii];
#pragma GCC unroll 3
      for (int v = 0; v < kTileVectors; ++v) acc[ii][v] = acc[ii][v] + a * b[v];
    }
  }
#pragma GCC unroll 8
  for (int ii = 0; ii < kTileI; ++ii)
#pragma GCC unroll 3
    for (int v = 0; v < kTileVectors; ++v)
      Store<W>(c + (i0 + ii) * c_stride + k0 + W * v, acc[ii][v]);
}

template <int W>
[[gnu::always_inline]] inline void Correlation(const double* data, int64_t data_stride,
                                               int64_t rows, int64_t cols, double* r,
                                               int64_t r_stride, CorrelationWorkspace& work) {
  constexpr int64_t kTileI = ::kTileI<W>, kTileK = kTileVectors<W> * W;
  const int64_t n = cols;
  // Padded to whole tiles: the padding columns of the block are 0, and only
  // cross-products with k >= i inside the matrix are read back.
  const int64_t width = RoundUp(n, std::lcm(kTileK, kTileI));
  work.sums.assign(n, 0.0);
  work.squares.assign(n, 0.0);
  work.spread.resize(n);
  work.cross_products.resize(width * width);
  work.block.resize(kBlockRows * width);
  double* s = work.sums.data();
  double* q = work.squares.data();
  double* c = work.cross_products.data();

  for (int64_t j0 = 0; j0 < rows; j0 += kBlockRows) {
    const int64_t block_rows = rows - j0 < kBlockRows ? rows - j0 : kBlockRows;
    // Pack the block and add its column sums.
    for (int64_t j = 0; j < block_rows; ++j) {
      const double* in = data + (j0 + j) * data_stride;
      double* out = work.block.data() + j * width;
      for (int64_t i = 0; i < n; ++i) {
        const double x = in[i];
        out[i] = x;
        s[i] = s[i] + x;
        q[i] = q[i] + x * x;
      }
      for (int64_t i = n; i < width; ++i) out[i] = 0;
    }
    for (int64_t i0 = 0; i0 < n; i0 += kTileI) {
      for (int64_t k0 = i0 / kTileK * kTileK; k0 < n; k0 += kTileK)
        CrossProductTile<W>(work.block.data(), width, block_rows, i0, k0, j0 == 0, c, width);
      RuntimeYield();
    }
  }

  const double count = static_cast<double>(rows);
  double* spread = work.spread.data();
  for (int64_t i = 0; i < n; ++i) spread[i] = std::sqrt(q[i] - (s[i] * s[i]) / count);
  for (int64_t i = 0; i < n; ++i) {
    double* ri = r + i * r_stride;
    ri[i] = 1.0;
    for (int64_t k = i + 1; k < n; ++k) {
      const double numerator = c[i * width + k] - (s[k] * s[i]) / count;
      const double value = numerator / (spread[i] * spread[k]);
      ri[k] = value;
      r[k * r_stride + i] = value;
    }
    RuntimeYield();
  }
}
}  // namespace

VELLACOR_DISPATCH(CorrelationKernel, Correlation,
                  (const double* data, int64_t data_stride, int64_t rows, int64_t cols, double* r,
                   int64_t r_stride, CorrelationWorkspace& work),
                  (data, data_stride, rows, cols, r, r_stride, work))
