// The process-wide random generator. The program never seeds it: the
// framework seeds it from the system's entropy when System::Random() first
// creates it. Tests may seed it through SeedRandomForTesting.
#pragma once

#include <cstdint>
#include <memory>

class Random {
 public:
  // One draw from the standard normal distribution; advances the generator.
  double Gaussian();
  // A uniform double in [0, 1).
  double Number();

  explicit Random(uint64_t seed);
  Random(const Random&) = delete;
  Random& operator=(const Random&) = delete;

 private:
  uint64_t NextU64();
  uint64_t s_[4];
};

namespace System {
// The one generator, created on first call; the same object on every call.
std::shared_ptr<::Random> Random();
}  // namespace System

// Test seam: restarts the process-wide generator from a fixed seed.
void SeedRandomForTesting(uint64_t seed);
