// The instruction-set levels that the hot kernels are compiled for, and the
// one they run.
#pragma once

enum class KernelLevel {
  kSse2,    // x86-64 baseline: vectors of 2 doubles
  kAvx,     // AVX without AVX2: 4
  kAvx2,    // x86-64-v3: 4
  kAvx512,  // x86-64-v4: 8
};

// Whether this processor, and the system's saving of its registers, runs
// the level's instructions.
bool MachineRuns(KernelLevel level);

// The best level this machine runs.
KernelLevel MachineKernelLevel();

// The level the dispatched kernels run: MachineKernelLevel() unless
// ForceKernelLevel chose another.
KernelLevel ActiveKernelLevel();

// Makes the dispatched kernels run level, which the machine must run, so
// that a benchmark can set the levels side by side in one process.
void ForceKernelLevel(KernelLevel level);
