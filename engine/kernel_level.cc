#include "engine/kernel_level.h"

#include <cstdlib>
#include <initializer_list>

namespace {
KernelLevel& Active() {
  static KernelLevel level = MachineKernelLevel();
  return level;
}
}  // namespace

bool MachineRuns(KernelLevel level) {
  __builtin_cpu_init();
  switch (level) {
    case KernelLevel::kSse2:
      return true;
    case KernelLevel::kAvx:
      return __builtin_cpu_supports("avx");
    case KernelLevel::kAvx2:
      return __builtin_cpu_supports("x86-64-v3");
    case KernelLevel::kAvx512:
      return __builtin_cpu_supports("x86-64-v4");
  }
  return false;
}

KernelLevel MachineKernelLevel() {
  static const KernelLevel best = [] {
    for (KernelLevel level : {KernelLevel::kAvx512, KernelLevel::kAvx2, KernelLevel::kAvx})
      if (MachineRuns(level)) return level;
    return KernelLevel::kSse2;
  }();
  return best;
}

KernelLevel ActiveKernelLevel() { return Active(); }

void ForceKernelLevel(KernelLevel level) {
  if (!MachineRuns(level)) std::abort();
  Active() = level;
}
