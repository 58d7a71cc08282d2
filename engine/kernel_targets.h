// The hot kernels are compiled for four instruction-set levels (see
// KernelLevel): AVX-512 (x86-64-v4, vectors of 8 doubles), AVX2 (x86-64-v3,
// 4), AVX without AVX2 (4) and baseline SSE2 (2). Each kernel is a template
// over the vector width and uses no vector wider than its level's
// registers; a dispatching entry point runs the active level. None uses
// fused multiply-add (the build forbids contraction), and lanes only place
// the same operations side by side, so every level gives the same bits. A
// build fixed to one level (-DVELLACOR_FIXED_ISA with a -march of its own;
// the tests build one per level the machine runs) compiles the kernels
// once, at that level's width.
#pragma once

#include <cstring>

// Vectors of W doubles; W = 1 is a plain double, so one formula serves
// scalars and vectors alike.
template <int W>
struct Lanes {
  typedef double type __attribute__((vector_size(8 * W)));
};
template <>
struct Lanes<1> {
  using type = double;
};
template <int W>
using Vec = typename Lanes<W>::type;

// Loads and stores at any double's address.
template <int W>
[[gnu::always_inline]] inline Vec<W> Load(const double* p) {
  Vec<W> v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <int W>
[[gnu::always_inline]] inline void Store(double* p, const Vec<W>& v) {
  std::memcpy(p, &v, sizeof v);
}

#ifdef VELLACOR_FIXED_ISA
#if defined(VELLACOR_FIXED_WIDTH)
// A width other than the level's own: the compiler splits or joins the
// vectors, so the tests can run the 8-lane code on a machine without
// AVX-512.
inline constexpr int kFixedWidth = VELLACOR_FIXED_WIDTH;
#elif defined(__AVX512F__)
inline constexpr int kFixedWidth = 8;
#elif defined(__AVX__)
inline constexpr int kFixedWidth = 4;
#else
inline constexpr int kFixedWidth = 2;
#endif
#else
#include "engine/kernel_level.h"
#endif

// VELLACOR_DISPATCH(Name, Kernel, (params), (args)) defines the entry point
// Name(params) that calls Kernel<W>(args) at the width of the active level
// (ActiveKernelLevel(), or the fixed build's). Kernel and everything it calls
// must be always_inline so that each level's copy is compiled for that level.
#ifdef VELLACOR_FIXED_ISA
#define VELLACOR_DISPATCH(Name, Kernel, Params, Args) \
  void Name Params { Kernel<kFixedWidth> Args; }
#else
#define VELLACOR_DISPATCH(Name, Kernel, Params, Args)                            \
  namespace {                                                                    \
  [[gnu::target("arch=x86-64-v4")]] void Name##Avx512 Params { Kernel<8> Args; } \
  [[gnu::target("arch=x86-64-v3")]] void Name##Avx2 Params { Kernel<4> Args; }   \
  [[gnu::target("avx")]] void Name##Avx Params { Kernel<4> Args; }               \
  void Name##Sse2 Params { Kernel<2> Args; }                                     \
  }                                                                              \
  void Name Params {                                                             \
    switch (ActiveKernelLevel()) {                                               \
      case KernelLevel::kAvx512:                                                 \
        return Name##Avx512 Args;                                                \
      case KernelLevel::kAvx2:                                                   \
        return Name##Avx2 Args;                                                  \
      case KernelLevel::kAvx:                                                    \
        return Name##Avx Args;                                                   \
      case KernelLevel::kSse2:                                                   \
        return Name##Sse2 Args;                                                  \
    }                                                                            \
  }
#endif
