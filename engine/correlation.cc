#include "engine/correlation.h"

#include <cmath>
#include <vector>

#include "engine/kernel_targets.h"
#include "framework/core/yield.h"

namespace {
using v4 = double __attribute__((vector_size(32)));
// The same, for loads and stores at any double's address.
using v4u = double __attribute__((vector_size(32), aligned(8), may_alias));

// A register tile of cross-products: 4 columns i by 12 columns k.
constexpr int64_t kTileI = 4;
constexpr int64_t kTileK = 12;
// Rows per packed block; a block of 256 rows by 200 columns stays in L2.
constexpr int64_t kBlockRows = 256;

int64_t RoundUp(int64_t x, int64_t m) { return (x + m - 1) / m * m; }

// c(i0..i0+3, k0..k0+11) += the products of rows 0..rows-1 of the packed
// block, each element in increasing row order.
[[gnu::always_inline]] inline void CrossProductTile(const double* block, int64_t width,
                                                    int64_t rows, int64_t i0, int64_t k0,
                                                    double* c, int64_t c_stride) {
  v4 acc[kTileI][3];
#pragma GCC unroll 4
  for (int ii = 0; ii < kTileI; ++ii)
#pragma GCC unroll 3
    for (int v = 0; v < 3; ++v)
      acc[ii][v] = *reinterpret_cast<const v4u*>(c + (i0 + ii) * c_stride + k0 + 4 * v);
  for (int64_t j = 0; j < rows; ++j) {
    const double* row = block + j * width;
    const v4 b[3] = {*reinterpret_cast<const v4u*>(row + k0),
                     *reinterpret_cast<const v4u*>(row + k0 + 4),
                     *reinterpret_cast<const v4u*>(row + k0 + 8)};
#pragma GCC unroll 4
    for (int ii = 0; ii < kTileI; ++ii) {
      const double a = row[i0 + ii];
#pragma GCC unroll 3
      for (int v = 0; v < 3; ++v) acc[ii][v] = acc[ii][v] + a * b[v];
    }
  }
#pragma GCC unroll 4
  for (int ii = 0; ii < kTileI; ++ii)
#pragma GCC unroll 3
    for (int v = 0; v < 3; ++v)
      *reinterpret_cast<v4u*>(c + (i0 + ii) * c_stride + k0 + 4 * v) = acc[ii][v];
}
}  // namespace

VELLACOR_KERNEL
void CorrelationKernel(const double* data, int64_t data_stride, int64_t rows,
                       int64_t cols, double* r, int64_t r_stride) {
  const int64_t n = cols;
  const int64_t width = RoundUp(n, kTileK);
  std::vector<double> s(n, 0.0), q(n, 0.0);
  // Cross-products, padded to whole tiles; only k >= i is read back.
  std::vector<double> c(width * width, 0.0);
  std::vector<double> block(kBlockRows * width, 0.0);

  for (int64_t j0 = 0; j0 < rows; j0 += kBlockRows) {
    const int64_t block_rows = rows - j0 < kBlockRows ? rows - j0 : kBlockRows;
    // Pack the block (padding columns stay 0) and add its column sums.
    for (int64_t j = 0; j < block_rows; ++j) {
      const double* in = data + (j0 + j) * data_stride;
      double* out = block.data() + j * width;
      for (int64_t i = 0; i < n; ++i) {
        const double x = in[i];
        out[i] = x;
        s[i] = s[i] + x;
        q[i] = q[i] + x * x;
      }
    }
    for (int64_t i0 = 0; i0 < n; i0 += kTileI) {
      for (int64_t k0 = i0 / kTileK * kTileK; k0 < n; k0 += kTileK)
        CrossProductTile(block.data(), width, block_rows, i0, k0, c.data(), width);
      RuntimeYield();
    }
  }

  const double count = static_cast<double>(rows);
  std::vector<double> spread(n);
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
