#include "engine/jacobi.h"

#include <algorithm>
#include <cmath>

#include "engine/kernel_targets.h"
#include "framework/core/yield.h"

// Storage. The working matrix M holds both triangles, one copy of each
// element {a, b} (a < b) in M[a][b] and one in M[b][a]; only one copy is
// current at a time. During pivot row p the upper copy of {a, b} is current
// when a >= p, the lower copy when a < p. Rotation (p, q) then finds its
// pairs in rows p and q for j < p (lower copies M[p][j], M[q][j]) and j > q
// (upper copies M[p][j], M[q][j]); for p < j < q the pairs are (M[p][j],
// M[j][q]), down column q. Moving {p, b} from upper to lower when row p is
// done, and back at the end of a sweep, costs n^2 copies a sweep against
// n^3 arithmetic.
//
// Order. Each pivot depends on the one before through M[p][q + 1] and E(p),
// a long chain of divisions and roots. So rotation q updates M[p][q + 1]
// first, the next pivot is decided, and only then are rotation q's ranges
// j < p and j > q + 1 swept, which overlaps them with the chain.
//
// Within pivot row p, the pairs of the middle range of rotation (p, q),
// (x_j, y_j) = (M[p][j], M[j][q]) for p < j < q, are read by no other
// rotation of the row after it, except x_j by the middle ranges of later
// rotations (p, q'). And no pivot M[p][q] depends on them. So the middle
// ranges can wait until the row's rotations are done, and then be applied
// row by row: row j takes the rotations q = j+1.. in increasing order,
// which is each element's own order, so every element sees the same
// operations as in the reference loops. Rows run R to a vector (after an
// R x R transpose; R = 4, or 2 at the baseline level so that no vector is
// wider than its registers) and several such groups at once to hide the
// latency of the chain through x_j. At width 8 two groups of 4 rows share
// a vector (two 4 x 4 transposes side by side) past the bundle's own
// columns; the lanes only place the same rows' operations side by side.
//
// Speed. At 200 variables the pair updates, not the pivot chain, set the
// pace at every level, and of them the middle ranges most: a solve with
// fixed rotation parameters in place of the decisions (no chain at all)
// takes nearly as long as the real one, while one without the middle
// ranges takes about a third. Running the middle ranges of row p - 1 and
// the pivots and outer ranges of row p in one pass per bundle of rows, so
// that each row crosses the cache once for both, was bit-identical but no
// faster.

namespace {
// What pivot (p, q) does, from A(p, q), E(p) and E(q) alone.
struct Pivot {
  enum Action { kNothing, kZero, kRotate };
  Action action = kNothing;
  double s = 0, tau = 0, shift = 0;
};

[[gnu::always_inline]] inline Pivot DecidePivot(double apq, double ep, double eq, int64_t sweep,
                                                double threshold) {
  const double g = 100 * std::fabs(apq);
  if (sweep > 4 && std::fabs(ep) + g == std::fabs(ep) && std::fabs(eq) + g == std::fabs(eq))
    return {Pivot::kZero};
  if (!(std::fabs(apq) > threshold)) return {};
  const double h = eq - ep;
  double t;
  if (std::fabs(h) + g == std::fabs(h)) {
    t = apq / h;
  } else {
    const double theta = (0.5 * h) / apq;
    t = 1 / (std::fabs(theta) + std::sqrt(1 + theta * theta));
    if (theta < 0) t = -t;
  }
  const double c = 1 / std::sqrt(1 + t * t);
  const double s = t * c;
  const double tau = s / (1 + c);
  return {Pivot::kRotate, s, tau, t * apq};
}

// The rotation of a pair (x, y), both new values from the old ones; for a
// pair of elements or for lanes of pairs alike.
template <typename V>
[[gnu::always_inline]] inline void Rotate(V& x, V& y, double s, double tau) {
  const V x0 = x, y0 = y;
  x = x0 - s * (y0 + x0 * tau);
  y = y0 + s * (x0 - y0 * tau);
}

// x[j], y[j] for j in [begin, end) rotated, W pairs at a time.
template <int W>
[[gnu::always_inline]] inline void RotatePairs(double* x, double* y, int64_t begin, int64_t end,
                                               double s, double tau) {
  int64_t j = begin;
  for (; j + W <= end; j += W) {
    Vec<W> xj = Load<W>(x + j), yj = Load<W>(y + j);
    Rotate(xj, yj, s, tau);
    Store<W>(x + j, xj);
    Store<W>(y + j, yj);
  }
  for (; j < end; ++j) Rotate(x[j], y[j], s, tau);
}

// The middle ranges run R rows to a vector: 4 where the level's registers
// hold 4 doubles or more, 2 at the baseline level, whose registers hold 2.
// G groups of R rows are in flight to hide the latency of the chain
// through x_j.
template <int W>
inline constexpr int kBlockRows = W >= 4 ? 4 : 2;
template <int W>
inline constexpr int kGroups = 4;
template <int W>
inline constexpr int64_t kBundle = kBlockRows<W>* kGroups<W>;  // rows per bundle

// c[0..R) transposed in place: R rows of R doubles become R columns.
[[gnu::always_inline]] inline void Transpose(Vec<4>* c) {
  using v4 = Vec<4>;
  using v4i = long long __attribute__((vector_size(32)));
  const v4 t0 = __builtin_shuffle(c[0], c[1], v4i{0, 4, 2, 6});
  const v4 t1 = __builtin_shuffle(c[0], c[1], v4i{1, 5, 3, 7});
  const v4 t2 = __builtin_shuffle(c[2], c[3], v4i{0, 4, 2, 6});
  const v4 t3 = __builtin_shuffle(c[2], c[3], v4i{1, 5, 3, 7});
  c[0] = __builtin_shuffle(t0, t2, v4i{0, 1, 4, 5});
  c[1] = __builtin_shuffle(t1, t3, v4i{0, 1, 4, 5});
  c[2] = __builtin_shuffle(t0, t2, v4i{2, 3, 6, 7});
  c[3] = __builtin_shuffle(t1, t3, v4i{2, 3, 6, 7});
}
[[gnu::always_inline]] inline void Transpose(Vec<2>* c) {
  using v2i = long long __attribute__((vector_size(16)));
  const Vec<2> low = __builtin_shuffle(c[0], c[1], v2i{0, 2});
  c[1] = __builtin_shuffle(c[0], c[1], v2i{1, 3});
  c[0] = low;
}

// Middle-range pairs of R rows j against the columns qb..qb+R-1: x holds
// the rows' M[p][j], row points at M[first row][qb]. A column whose
// rotation did not happen is skipped whole, so each element sees exactly
// its own rotations.
template <int R>
[[gnu::always_inline]] inline void RotateBlock(Vec<R>& x, double* row, int64_t ld,
                                               const char* rotated, const double* s,
                                               const double* tau) {
  char any = 0;
#pragma GCC unroll 4
  for (int k = 0; k < R; ++k) any |= rotated[k];
  if (!any) return;
  Vec<R> c[R];
#pragma GCC unroll 4
  for (int k = 0; k < R; ++k) c[k] = Load<R>(row + k * ld);
  Transpose(c);   // c[k]: column qb + k of the R rows
  Vec<R> xr = x;  // in a register across the R rotations
#pragma GCC unroll 4
  for (int k = 0; k < R; ++k)
    if (rotated[k]) Rotate(xr, c[k], s[k], tau[k]);
  x = xr;
  Transpose(c);
#pragma GCC unroll 4
  for (int k = 0; k < R; ++k) Store<R>(row + k * ld, c[k]);
}

// Two 4 x 4 transposes side by side, one in each half of the vectors.
[[gnu::always_inline]] inline void Transpose(Vec<8>* c) {
  using v8 = Vec<8>;
  using v8i = long long __attribute__((vector_size(64)));
  const v8 t0 = __builtin_shuffle(c[0], c[1], v8i{0, 8, 2, 10, 4, 12, 6, 14});
  const v8 t1 = __builtin_shuffle(c[0], c[1], v8i{1, 9, 3, 11, 5, 13, 7, 15});
  const v8 t2 = __builtin_shuffle(c[2], c[3], v8i{0, 8, 2, 10, 4, 12, 6, 14});
  const v8 t3 = __builtin_shuffle(c[2], c[3], v8i{1, 9, 3, 11, 5, 13, 7, 15});
  c[0] = __builtin_shuffle(t0, t2, v8i{0, 1, 8, 9, 4, 5, 12, 13});
  c[1] = __builtin_shuffle(t1, t3, v8i{0, 1, 8, 9, 4, 5, 12, 13});
  c[2] = __builtin_shuffle(t0, t2, v8i{2, 3, 10, 11, 6, 7, 14, 15});
  c[3] = __builtin_shuffle(t1, t3, v8i{2, 3, 10, 11, 6, 7, 14, 15});
}

[[gnu::always_inline]] inline Vec<8> Join(const Vec<4>& low, const Vec<4>& high) {
  return __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7);
}
[[gnu::always_inline]] inline Vec<4> Low(const Vec<8>& v) {
  return __builtin_shufflevector(v, v, 0, 1, 2, 3);
}
[[gnu::always_inline]] inline Vec<4> High(const Vec<8>& v) {
  return __builtin_shufflevector(v, v, 4, 5, 6, 7);
}

// RotateBlock<4> for two groups of 4 rows at once: the low half of x and of
// each column holds the rows at low, the high half those at high.
[[gnu::always_inline]] inline void RotateBlockPair(Vec<8>& x, double* low, double* high, int64_t ld,
                                                   const char* rotated, const double* s,
                                                   const double* tau) {
  char any = 0;
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) any |= rotated[k];
  if (!any) return;
  Vec<8> c[4];
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) c[k] = Join(Load<4>(low + k * ld), Load<4>(high + k * ld));
  Transpose(c);
  Vec<8> xr = x;
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k)
    if (rotated[k]) Rotate(xr, c[k], s[k], tau[k]);
  x = xr;
  Transpose(c);
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) {
    Store<4>(low + k * ld, Low(c[k]));
    Store<4>(high + k * ld, High(c[k]));
  }
}

// The middle ranges of pivot row P's rotations: x_j = P[j] and the upper
// copies M[j][q], for rows j in [first, n) and rotated q > j in increasing
// order (rotated[q], s[q], tau[q] describe rotation (p, q)). Rows and
// columns up to kBundle<W> past n are padding that no rotation touches.
template <int W>
[[gnu::always_inline]] inline void ApplyMiddleRanges(double* M, int64_t n, int64_t ld, double* P,
                                                     int64_t first, const char* rotated,
                                                     const double* s, const double* tau) {
  constexpr int R = kBlockRows<W>;
  constexpr int G = kGroups<W>;
  constexpr int64_t B = kBundle<W>;
  for (int64_t j0 = first; j0 < n - 1; j0 += B) {
    Vec<R> x[G];
    for (int64_t g = 0; g < G; ++g) {
      const int64_t r0 = j0 + R * g;
      // The triangle inside the group, row by row.
      for (int64_t j = r0; j < r0 + R - 1; ++j)
        for (int64_t q = j + 1; q < r0 + R; ++q)
          if (rotated[q]) Rotate(P[j], M[j * ld + q], s[q], tau[q]);
      x[g] = Load<R>(P + r0);
      // The columns of the later groups of the bundle: one chain.
      for (int64_t qb = r0 + R; qb < j0 + B && qb < n; qb += R)
        RotateBlock<R>(x[g], M + r0 * ld + qb, ld, rotated + qb, s + qb, tau + qb);
    }
    // The columns past the bundle: G independent chains side by side.
    if constexpr (W >= 8) {
      // Two groups to a vector of 8, which halves the operations per pair.
      // The first block starts at a multiple of 4 (the rows start at
      // multiples of 64 bytes), so that no block straddles a cache line;
      // its columns before j0 + B are loaded and stored back unchanged.
      static_assert(R == 4 && G % 2 == 0);
      Vec<8> xx[G / 2];
#pragma GCC unroll 8
      for (int64_t h = 0; h < G / 2; ++h) xx[h] = Join(x[2 * h], x[2 * h + 1]);
      int64_t qb = j0 + B;
      if (qb % R != 0 && qb < n) {
        const int64_t qa = qb / R * R;
        char some[R];
        for (int64_t k = 0; k < R; ++k) some[k] = qa + k >= qb ? rotated[qa + k] : 0;
#pragma GCC unroll 8
        for (int64_t h = 0; h < G / 2; ++h)
          RotateBlockPair(xx[h], M + (j0 + 2 * R * h) * ld + qa, M + (j0 + 2 * R * h + R) * ld + qa,
                          ld, some, s + qa, tau + qa);
        qb = qa + R;
      }
      for (; qb < n; qb += R)
#pragma GCC unroll 8
        for (int64_t h = 0; h < G / 2; ++h)
          RotateBlockPair(xx[h], M + (j0 + 2 * R * h) * ld + qb, M + (j0 + 2 * R * h + R) * ld + qb,
                          ld, rotated + qb, s + qb, tau + qb);
#pragma GCC unroll 8
      for (int64_t h = 0; h < G / 2; ++h) Store<8>(P + j0 + 2 * R * h, xx[h]);
    } else {
      for (int64_t qb = j0 + B; qb < n; qb += R)
#pragma GCC unroll 8
        for (int64_t g = 0; g < G; ++g)
          RotateBlock<R>(x[g], M + (j0 + R * g) * ld + qb, ld, rotated + qb, s + qb, tau + qb);
#pragma GCC unroll 8
      for (int64_t g = 0; g < G; ++g) Store<R>(P + j0 + R * g, x[g]);
    }
  }
}

template <int W>
[[gnu::always_inline]] inline void Jacobi(const double* a, int64_t a_stride, int64_t n,
                                          double* eigenvalues, JacobiWorkspace& work) {
  double* E = eigenvalues;
  // Padding rows and columns for the middle ranges' blocks; they hold 0.
  // At width 8 the rows start at multiples of 64 bytes.
  constexpr int64_t kAlign = W >= 8 ? 8 : 1;
  const int64_t ld = (n + kBundle<W> + kAlign - 1) / kAlign * kAlign;
  work.matrix.resize(ld * ld + kAlign - 1);
  double* M = work.matrix.data();
  if constexpr (W >= 8) M += (64 - reinterpret_cast<uintptr_t>(M) % 64) % 64 / sizeof(double);
  work.sweep_start.resize(n);
  work.changes.resize(n);
  work.sines.resize(ld);
  work.taus.resize(ld);
  work.rotated.resize(ld);
  double* s0 = work.sweep_start.data();
  double* delta = work.changes.data();
  double* sines = work.sines.data();
  double* taus = work.taus.data();
  char* rotated = work.rotated.data();
  for (int64_t i = 0; i < n; ++i) {
    M[i * ld + i] = 0;
    for (int64_t j = i + 1; j < n; ++j) M[i * ld + j] = M[j * ld + i] = a[i * a_stride + j];
    std::fill(M + i * ld + n, M + (i + 1) * ld, 0.0);
    s0[i] = a[i * a_stride + i];
    E[i] = s0[i];
    delta[i] = 0;
    RuntimeYield();
  }
  std::fill(M + n * ld, M + ld * ld, 0.0);
  std::fill(rotated + n, rotated + ld, 0);

  const double order_squared = static_cast<double>(n * n);
  for (int64_t sweep = 1; sweep <= 50; ++sweep) {
    double off = 0;
    for (int64_t p = 0; p < n - 1; ++p) {
      for (int64_t q = p + 1; q < n; ++q) off = std::fabs(M[p * ld + q]) + off;
      RuntimeYield();
    }
    if (off == 0) break;
    const double threshold = sweep < 4 ? (0.2 * off) / order_squared : 0.0;

    for (int64_t p = 0; p < n - 1; ++p) {
      if (p > 0)
        for (int64_t b = p; b < n; ++b) M[b * ld + p - 1] = M[(p - 1) * ld + b];
      double* P = M + p * ld;
      // Pivot (p, q): the decision and its scalar updates; the ranges of
      // rows p and q are left to the caller.
      auto decide = [&](int64_t q) {
        const Pivot pivot = DecidePivot(P[q], E[p], E[q], sweep, threshold);
        rotated[q] = pivot.action == Pivot::kRotate;
        if (pivot.action == Pivot::kNothing) return;
        P[q] = 0;
        if (pivot.action == Pivot::kRotate) {
          delta[p] = delta[p] - pivot.shift;
          delta[q] = delta[q] + pivot.shift;
          E[p] = E[p] - pivot.shift;
          E[q] = E[q] + pivot.shift;
          sines[q] = pivot.s;
          taus[q] = pivot.tau;
        }
      };
      decide(p + 1);
      for (int64_t q = p + 1; q < n; ++q) {
        double* Q = M + q * ld;
        const bool rotate = rotated[q] != 0;
        const double s = sines[q], tau = taus[q];
        if (rotate && q + 1 < n) Rotate(P[q + 1], Q[q + 1], s, tau);
        if (q + 1 < n) decide(q + 1);
        if (rotate) {
          RotatePairs<W>(P, Q, 0, p, s, tau);
          RotatePairs<W>(P, Q, q + 2, n, s, tau);
        }
        RuntimeYield();
      }
      ApplyMiddleRanges<W>(M, n, ld, P, p + 1, rotated, sines, taus);
      RuntimeYield();
    }
    // Every element but {n-2, n-1} ended in its lower copy.
    for (int64_t i = 0; i + 2 < n; ++i)
      for (int64_t j = i + 1; j < n; ++j) M[i * ld + j] = M[j * ld + i];

    for (int64_t i = 0; i < n; ++i) {
      s0[i] = s0[i] + delta[i];
      E[i] = s0[i];
      delta[i] = 0;
    }
    RuntimeYield();
  }
}
}  // namespace

VELLACOR_DISPATCH(JacobiEigenvalues, Jacobi,
                  (const double* a, int64_t a_stride, int64_t n, double* eigenvalues,
                   JacobiWorkspace& work),
                  (a, a_stride, n, eigenvalues, work))

void SortDescending(double* values, int64_t n) {
  for (int64_t i = 0; i < n - 1; ++i) {
    int64_t k = i;
    double m = values[i];
    for (int64_t j = i + 1; j < n; ++j) {
      if (values[j] >= m) {
        k = j;
        m = values[j];
      }
    }
    if (k != i) {
      values[k] = values[i];
      values[i] = m;
    }
    RuntimeYield();
  }
}
