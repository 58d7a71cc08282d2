#include "engine/jacobi.h"

#include <cmath>
#include <vector>

#include "framework/core/yield.h"

// The working matrix M holds both triangles, one copy of each element {a, b}
// (a < b) in M[a][b] and one in M[b][a]; only one copy is current at a time.
// During pivot row p the upper copy of {a, b} is current when a >= p, the
// lower copy when a < p. Then rotation (p, q) finds every pair it updates in
// rows p and q, except the elements {j, q} with p < j < q, which it reads
// down column q: for j < p the pairs are (M[p][j], M[q][j]) (lower copies),
// for p < j < q (M[p][j], M[j][q]), and for j > q (M[p][j], M[q][j]) (upper
// copies). Moving {p, b} from upper to lower when row p is done, and back
// at the end of a sweep, costs n^2 copies a sweep against n^3 arithmetic.

namespace {
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
}  // namespace

__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
void JacobiEigenvalues(const double* a, int64_t a_stride, int64_t n,
                       double* eigenvalues) {
  double* E = eigenvalues;
  std::vector<double> m(n * n), s0(n), delta(n, 0.0), column(n);
  double* M = m.data();
  for (int64_t i = 0; i < n; ++i) {
    for (int64_t j = i + 1; j < n; ++j) M[i * n + j] = M[j * n + i] = a[i * a_stride + j];
    s0[i] = a[i * a_stride + i];
    E[i] = s0[i];
    RuntimeYield();
  }

  const double order_squared = static_cast<double>(n * n);
  for (int64_t sweep = 1; sweep <= 50; ++sweep) {
    double off = 0;
    for (int64_t p = 0; p < n - 1; ++p) {
      for (int64_t q = p + 1; q < n; ++q) off = std::fabs(M[p * n + q]) + off;
      RuntimeYield();
    }
    if (off == 0) break;
    const double threshold = sweep < 4 ? (0.2 * off) / order_squared : 0.0;

    for (int64_t p = 0; p < n - 1; ++p) {
      if (p > 0)
        for (int64_t b = p; b < n; ++b) M[b * n + p - 1] = M[(p - 1) * n + b];
      double* P = M + p * n;
      for (int64_t q = p + 1; q < n; ++q) {
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
          double* Q = M + q * n;
          RotatePairs(P, Q, 0, p, s, tau);
          for (int64_t j = p + 1; j < q; ++j) {
            const double xj = P[j], yj = M[j * n + q];
            P[j] = xj - s * (yj + xj * tau);
            M[j * n + q] = yj + s * (xj - yj * tau);
          }
          RotatePairs(P, Q, q + 1, n, s, tau);
        }
        RuntimeYield();
      }
      RuntimeYield();
    }
    // Every element but {n-2, n-1} ended in its lower copy.
    for (int64_t i = 0; i + 2 < n; ++i)
      for (int64_t j = i + 1; j < n; ++j) M[i * n + j] = M[j * n + i];

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
