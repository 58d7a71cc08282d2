// A loop-for-loop transcription of the engine's four routines, written for
// plainness, not speed: every loop in its written order, every element
// through the arrays' checked access, a yield at the end of every
// iteration. The tests prove the engine's fast kernels bit-identical to it
// and the benchmarks measure against it. It works on its own copy of the
// simulation state so that both can run side by side.
#pragma once

#include <cmath>
#include <cstdint>

#include "framework/core/array.h"
#include "framework/core/random.h"
#include "framework/core/yield.h"

namespace literal {

struct State {
  int64_t vars = 0;
  int64_t subs = 0;
  int64_t reps = 0;
  Array2D<double> RanData{2500, 200};
  Array2D<double> r{200, 200};
  Array2D<double> SumStats{200, 3};
};

inline void RanNumbers(State& v) {
  const int64_t n = v.vars;
  const int64_t N = v.subs;
  v.RanData.ReDim(N, n);
  for (int64_t i = 1; i <= N; ++i) {
    for (int64_t j = 1; j <= n; ++j) {
      v.RanData(i, j) = System::Random().Gaussian();
      RuntimeYield();
    }
    RuntimeYield();
  }
}

inline void CorrMatrix(State& v) {
  const int64_t n = v.vars;
  const int64_t N = v.subs;
  Array1D<double> s(n), q(n);
  Array2D<double> c(n, n);
  v.r.ReDim(-1, -1);
  v.r.ReDim(n, n);
  for (int64_t i = 1; i <= n; ++i) {
    for (int64_t j = 1; j <= N; ++j) {
      const double x = v.RanData(j, i);
      s(i) = s(i) + x;
      q(i) = q(i) + x * x;
      RuntimeYield();
    }
    RuntimeYield();
  }
  for (int64_t i = 1; i <= n; ++i) {
    for (int64_t k = 1; k <= n; ++k) {
      for (int64_t j = 1; j <= N; ++j) {
        c(i, k) = c(i, k) + v.RanData(j, i) * v.RanData(j, k);
        RuntimeYield();
      }
      RuntimeYield();
    }
    RuntimeYield();
  }
  for (int64_t i = 1; i <= n; ++i) {
    for (int64_t k = 1; k <= n; ++k) {
      if (i == k) {
        v.r(i, i) = 1.0;
      } else {
        const double numerator = c(i, k) - (s(k) * s(i)) / static_cast<double>(N);
        const double left = std::sqrt(q(i) - (s(i) * s(i)) / static_cast<double>(N));
        const double right = std::sqrt(q(k) - (s(k) * s(k)) / static_cast<double>(N));
        v.r(i, k) = numerator / (left * right);
      }
      RuntimeYield();
    }
    RuntimeYield();
  }
}

inline void EigenvaluesCalc(State& v) {
  const int64_t n = v.vars;
  Array2D<double> A(n, n);
  Array1D<double> E(n), S0(n), D(n);
  for (int64_t i = 1; i <= n; ++i) {
    for (int64_t j = 1; j <= n; ++j) {
      A(i, j) = v.r(i, j);
      RuntimeYield();
    }
    RuntimeYield();
  }
  for (int64_t i = 1; i <= n; ++i) {
    S0(i) = A(i, i);
    E(i) = S0(i);
    D(i) = 0;
    RuntimeYield();
  }
  for (int64_t sweep = 1; sweep <= 50; ++sweep) {
    double off = 0;
    for (int64_t p = 1; p <= n - 1; ++p) {
      for (int64_t q = p + 1; q <= n; ++q) {
        off = std::fabs(A(p, q)) + off;
        RuntimeYield();
      }
      RuntimeYield();
    }
    if (off == 0) break;
    double T;
    if (sweep < 4)
      T = (0.2 * off) / static_cast<double>(n * n);
    else
      T = 0;
    for (int64_t p = 1; p <= n - 1; ++p) {
      for (int64_t q = p + 1; q <= n; ++q) {
        const double G = 100 * std::fabs(A(p, q));
        if (sweep > 4 && std::fabs(E(p)) + G == std::fabs(E(p)) &&
            std::fabs(E(q)) + G == std::fabs(E(q))) {
          A(p, q) = 0;
        } else if (std::fabs(A(p, q)) > T) {
          const double H = E(q) - E(p);
          double t;
          if (std::fabs(H) + G == std::fabs(H)) {
            t = A(p, q) / H;
          } else {
            const double theta = (0.5 * H) / A(p, q);
            t = 1 / (std::fabs(theta) + std::sqrt(1 + theta * theta));
            if (theta < 0) t = -t;
          }
          const double c = 1 / std::sqrt(1 + t * t);
          const double s = t * c;
          const double tau = s / (1 + c);
          const double shift = t * A(p, q);
          D(p) = D(p) - shift;
          D(q) = D(q) + shift;
          E(p) = E(p) - shift;
          E(q) = E(q) + shift;
          A(p, q) = 0;
          for (int64_t j = 1; j <= p - 1; ++j) {
            const double x = A(j, p), y = A(j, q);
            A(j, p) = x - s * (y + x * tau);
            A(j, q) = y + s * (x - y * tau);
            RuntimeYield();
          }
          for (int64_t j = p + 1; j <= q - 1; ++j) {
            const double x = A(p, j), y = A(j, q);
            A(p, j) = x - s * (y + x * tau);
            A(j, q) = y + s * (x - y * tau);
            RuntimeYield();
          }
          for (int64_t j = q + 1; j <= n; ++j) {
            const double x = A(p, j), y = A(q, j);
            A(p, j) = x - s * (y + x * tau);
            A(q, j) = y + s * (x - y * tau);
            RuntimeYield();
          }
        }
        RuntimeYield();
      }
      RuntimeYield();
    }
    for (int64_t i = 1; i <= n; ++i) {
      S0(i) = S0(i) + D(i);
      E(i) = S0(i);
      D(i) = 0;
      RuntimeYield();
    }
    RuntimeYield();
  }
  for (int64_t i = 1; i <= n - 1; ++i) {
    int64_t k = i;
    double m = E(i);
    for (int64_t j = i + 1; j <= n; ++j) {
      if (E(j) >= m) {
        k = j;
        m = E(j);
      }
      RuntimeYield();
    }
    if (k != i) {
      E(k) = E(i);
      E(i) = m;
    }
    RuntimeYield();
  }
  for (int64_t i = 1; i <= n; ++i) {
    v.SumStats(i, 1) = E(i) + v.SumStats(i, 1);
    v.SumStats(i, 2) = E(i) * E(i) + v.SumStats(i, 2);
    RuntimeYield();
  }
}

inline void SummaryStats(State& v) {
  const int64_t n = v.vars;
  const int64_t R = v.reps;
  for (int64_t i = 1; i <= n; ++i) {
    const double correction = (v.SumStats(i, 1) * v.SumStats(i, 1)) / static_cast<double>(R);
    v.SumStats(i, 1) = v.SumStats(i, 1) / static_cast<double>(R);
    v.SumStats(i, 3) = std::sqrt((v.SumStats(i, 2) - correction) / static_cast<double>(R - 1));
    RuntimeYield();
  }
}

}  // namespace literal
