#include "engine/jacobi.h"

#include <cmath>
#include <vector>

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
// Order. Within pivot row p, the pairs of the middle range of rotation
// (p, q), (x_j, y_j) = (M[p][j], M[j][q]) for p < j < q, are read by no
// other rotation of the row after it, except x_j by the middle ranges of
// later rotations (p, q'). And no pivot M[p][q] depends on them. So the
// middle ranges can wait until the row's rotations are done, and then be
// applied row by row: row j takes the rotations q = j+1.. in increasing
// order, which is each element's own order, so every element sees the same
// operations as in the written loops. Rows run four to a vector (after a
// 4 x 4 transpose) and four such groups at once to hide the latency of the
// chain through x_j.

namespace {
using v4 = double __attribute__((vector_size(32)));
using v4u = double __attribute__((vector_size(32), aligned(8), may_alias));
using v4i = long long __attribute__((vector_size(32)));

constexpr int64_t kGroups = 4;           // groups of four rows in flight
constexpr int64_t kBundle = 4 * kGroups; // rows per bundle

// x[j], y[j] for j in [begin, end) rotated; the same formula as every pair.
[[gnu::always_inline]] inline void RotatePairs(double* __restrict x, double* __restrict y,
                                               int64_t begin, int64_t end, double s,
                                               double tau) {
  for (int64_t j = begin; j < end; ++j) {
    const double xj = x[j], yj = y[j];
    x[j] = xj - s * (yj + xj * tau);
    y[j] = yj + s * (xj - yj * tau);
  }
}

[[gnu::always_inline]] inline void Rotate(double& x, double& y, double s, double tau) {
  const double xj = x, yj = y;
  x = xj - s * (yj + xj * tau);
  y = yj + s * (xj - yj * tau);
}

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

// Four rows' chains over the columns qb..qb+3: x holds the rows' x_j, row
// points at M[first row][qb]. A column whose rotation did not happen is
// skipped whole, so each element sees exactly its own rotations.
[[gnu::always_inline]] inline void RotateBlock(v4& x, double* row, int64_t ld,
                                               const char* rotated, const double* s,
                                               const double* tau) {
  v4 c0 = *reinterpret_cast<const v4u*>(row);
  v4 c1 = *reinterpret_cast<const v4u*>(row + ld);
  v4 c2 = *reinterpret_cast<const v4u*>(row + 2 * ld);
  v4 c3 = *reinterpret_cast<const v4u*>(row + 3 * ld);
  Transpose(c0, c1, c2, c3);  // c_k: column qb + k of the four rows
  v4* columns[4] = {&c0, &c1, &c2, &c3};
  v4 xg = x;
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) {
    if (!rotated[k]) continue;
    const double sk = s[k], tk = tau[k];
    const v4 y = *columns[k];
    const v4 xn = xg - sk * (y + xg * tk);
    *columns[k] = y + sk * (xg - y * tk);
    xg = xn;
  }
  x = xg;
  Transpose(c0, c1, c2, c3);
  *reinterpret_cast<v4u*>(row) = c0;
  *reinterpret_cast<v4u*>(row + ld) = c1;
  *reinterpret_cast<v4u*>(row + 2 * ld) = c2;
  *reinterpret_cast<v4u*>(row + 3 * ld) = c3;
}

// The middle ranges of pivot row P's rotations: x_j = P[j] and the upper
// copies M[j][q], for rows j in [first, n) and rotated q > j in increasing
// order (rotated[q], s[q], tau[q] describe rotation (p, q)). Rows and
// columns up to kBundle past n are padding that no rotation touches.
[[gnu::always_inline]] inline void ApplyMiddleRanges(double* M, int64_t n, int64_t ld,
                                                     double* P, int64_t first,
                                                     const char* rotated, const double* s,
                                                     const double* tau) {
  for (int64_t j0 = first; j0 < n - 1; j0 += kBundle) {
    v4 x[kGroups];
    for (int64_t g = 0; g < kGroups; ++g) {
      const int64_t r0 = j0 + 4 * g;
      // The triangle inside the group, row by row.
      for (int64_t j = r0; j < r0 + 3; ++j)
        for (int64_t q = j + 1; q < r0 + 4; ++q)
          if (rotated[q]) Rotate(P[j], M[j * ld + q], s[q], tau[q]);
      x[g] = *reinterpret_cast<const v4u*>(P + r0);
      // The columns of the later groups of the bundle: one chain.
      for (int64_t qb = r0 + 4; qb < j0 + kBundle && qb < n; qb += 4)
        RotateBlock(x[g], M + r0 * ld + qb, ld, rotated + qb, s + qb, tau + qb);
    }
    // The columns past the bundle: four independent chains side by side.
    for (int64_t qb = j0 + kBundle; qb < n; qb += 4)
      for (int64_t g = 0; g < kGroups; ++g)
        RotateBlock(x[g], M + (j0 + 4 * g) * ld + qb, ld, rotated + qb, s + qb, tau + qb);
    for (int64_t g = 0; g < kGroups; ++g) *reinterpret_cast<v4u*>(P + j0 + 4 * g) = x[g];
  }
}
}  // namespace

VELLACOR_KERNEL
void JacobiEigenvalues(const double* a, int64_t a_stride, int64_t n,
                       double* eigenvalues) {
  double* E = eigenvalues;
  // Padding rows and columns for the four-row blocks; they stay 0.
  const int64_t ld = n + kBundle;
  std::vector<double> m(ld * ld, 0.0), s0(n), delta(n, 0.0), sines(ld), taus(ld);
  std::vector<char> rotated(ld, 0);
  double* M = m.data();
  for (int64_t i = 0; i < n; ++i) {
    for (int64_t j = i + 1; j < n; ++j) M[i * ld + j] = M[j * ld + i] = a[i * a_stride + j];
    s0[i] = a[i * a_stride + i];
    E[i] = s0[i];
    RuntimeYield();
  }

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
      // Pivot (p, q): the decision, the rotation's parameters and its
      // scalar updates; the ranges of rows p and q are left to the caller.
      auto pivot = [&](int64_t q) {
        rotated[q] = 0;
        const double apq = P[q];
        const double g = 100 * std::fabs(apq);
        if (sweep > 4 && std::fabs(E[p]) + g == std::fabs(E[p]) &&
            std::fabs(E[q]) + g == std::fabs(E[q])) {
          P[q] = 0;
        } else if (std::fabs(apq) > threshold) {
          const double h = E[q] - E[p];
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
          const double shift = t * apq;
          delta[p] = delta[p] - shift;
          delta[q] = delta[q] + shift;
          E[p] = E[p] - shift;
          E[q] = E[q] + shift;
          P[q] = 0;
          rotated[q] = 1;
          sines[q] = s;
          taus[q] = tau;
        }
      };
      // Each pivot depends on the one before through M[p][q + 1], a long
      // chain of divisions and roots. So rotation q updates that element
      // first, the next pivot is decided, and only then are rotation q's
      // ranges swept, which overlaps them with the chain; no element's
      // operations change order.
      pivot(p + 1);
      for (int64_t q = p + 1; q < n; ++q) {
        double* Q = M + q * ld;
        const bool rotate = rotated[q] != 0;
        const double s = sines[q], tau = taus[q];
        if (rotate && q + 1 < n) Rotate(P[q + 1], Q[q + 1], s, tau);
        if (q + 1 < n) pivot(q + 1);
        if (rotate) {
          RotatePairs(P, Q, 0, p, s, tau);
          RotatePairs(P, Q, q + 2, n, s, tau);
        }
        RuntimeYield();
      }
      ApplyMiddleRanges(M, n, ld, P, p + 1, rotated.data(), sines.data(), taus.data());
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
