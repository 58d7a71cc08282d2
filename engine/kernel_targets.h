// The hot kernels are compiled for three instruction-set levels (AVX-512,
// AVX2, baseline SSE2) and the loader picks one for the machine. None uses
// fused multiply-add (the build forbids contraction), so every level gives
// the same bits. A build fixed to one level (-DVELLACOR_FIXED_ISA with a
// -march of its own; the tests build one per level) compiles them once.
#pragma once

#ifdef VELLACOR_FIXED_ISA
#define VELLACOR_KERNEL
#else
#define VELLACOR_KERNEL \
  __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
