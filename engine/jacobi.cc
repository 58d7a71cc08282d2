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
// operations as in the reference loops. Rows run four to a vector (after a
// 4 x 4 transpose) and four such groups at once to hide the latency of the
// chain through x_j.

namespace {
constexpr int64_t kGroups = 4;            // groups of four rows in flight
constexpr int64_t kBundle = 4 * kGroups;  // rows per bundle

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

using v4 = Vec<4>;
using v4i = long long __attribute__((vector_size(32)));

[[gnu::always_inline]] inline void Transpose(v4& a, v4& b, v4& c, v4& d) {
  const v4 t0 = __builtin_shuffle(a, b, v4i{0, 4, 2, 6});
  const v4 t1 = __builtin_shuffle(a, b, v4i{1, 5, 3, 7});
  const v4 t2 = __builtin_shuffle(c, d, v4i{0, 4, 2, 6});
  const v4 t3 = __builtin_shuffle(c, d, v4i{1, 5, 3, 7});
  a = __builtin_shuffle(t0, t2, v4i{0, 1, 4, 5});
  b = __builtin_shuffle(t1, t3, v4i{0, 1, 4, 5});
  c = __builtin_shuffle(t0, t2, v4i{2, 3, 6, 7});
  d = __builtin_shuffle(t1, t3, v4i{2, 3, 6, 7});
}

// Middle-range pairs of four rows j against the columns qb..qb+3: x holds
// the rows' M[p][j], row points at M[first row][qb]. A column whose
// rotation did not happen is skipped whole, so each element sees exactly
// its own rotations.
[[gnu::always_inline]] inline void RotateBlock(v4& x, double* row, int64_t ld, const char* rotated,
                                               const double* s, const double* tau) {
  if (!(rotated[0] | rotated[1] | rotated[2] | rotated[3])) return;
  v4 c0 = Load<4>(row), c1 = Load<4>(row + ld), c2 = Load<4>(row + 2 * ld),
     c3 = Load<4>(row + 3 * ld);
  Transpose(c0, c1, c2, c3);  // c_k: column qb + k of the four rows
  v4 xr = x;                  // in a register across the four rotations
  if (rotated[0]) Rotate(xr, c0, s[0], tau[0]);
  if (rotated[1]) Rotate(xr, c1, s[1], tau[1]);
  if (rotated[2]) Rotate(xr, c2, s[2], tau[2]);
  if (rotated[3]) Rotate(xr, c3, s[3], tau[3]);
  x = xr;
  Transpose(c0, c1, c2, c3);
  Store<4>(row, c0);
  Store<4>(row + ld, c1);
  Store<4>(row + 2 * ld, c2);
  Store<4>(row + 3 * ld, c3);
}

// The middle ranges of pivot row P's rotations: x_j = P[j] and the upper
// copies M[j][q], for rows j in [first, n) and rotated q > j in increasing
// order (rotated[q], s[q], tau[q] describe rotation (p, q)). Rows and
// columns up to kBundle past n are padding that no rotation touches.
[[gnu::always_inline]] inline void ApplyMiddleRanges(double* M, int64_t n, int64_t ld, double* P,
                                                     int64_t first, const char* rotated,
                                                     const double* s, const double* tau) {
  for (int64_t j0 = first; j0 < n - 1; j0 += kBundle) {
    v4 x[kGroups];
    for (int64_t g = 0; g < kGroups; ++g) {
      const int64_t r0 = j0 + 4 * g;
      // The triangle inside the group, row by row.
      for (int64_t j = r0; j < r0 + 3; ++j)
        for (int64_t q = j + 1; q < r0 + 4; ++q)
          if (rotated[q]) Rotate(P[j], M[j * ld + q], s[q], tau[q]);
      x[g] = Load<4>(P + r0);
      // The columns of the later groups of the bundle: one chain.
      for (int64_t qb = r0 + 4; qb < j0 + kBundle && qb < n; qb += 4)
        RotateBlock(x[g], M + r0 * ld + qb, ld, rotated + qb, s + qb, tau + qb);
    }
    // The columns past the bundle: four independent chains side by side.
    for (int64_t qb = j0 + kBundle; qb < n; qb += 4)
      for (int64_t g = 0; g < kGroups; ++g)
        RotateBlock(x[g], M + (j0 + 4 * g) * ld + qb, ld, rotated + qb, s + qb, tau + qb);
    for (int64_t g = 0; g < kGroups; ++g) Store<4>(P + j0 + 4 * g, x[g]);
  }
}

template <int W>
[[gnu::always_inline]] inline void Jacobi(const double* a, int64_t a_stride, int64_t n,
                                          double* eigenvalues, JacobiWorkspace& work) {
  double* E = eigenvalues;
  // Padding rows and columns for the four-row blocks; they hold 0.
  const int64_t ld = n + kBundle;
  work.matrix.resize(ld * ld);
  work.sweep_start.resize(n);
  work.changes.resize(n);
  work.sines.resize(ld);
  work.taus.resize(ld);
  work.rotated.resize(ld);
  double* M = work.matrix.data();
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
      ApplyMiddleRanges(M, n, ld, P, p + 1, rotated, sines, taus);
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
