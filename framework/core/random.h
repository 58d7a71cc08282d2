// The process-wide random generator. The program never seeds it: the
// framework seeds it from the system's entropy when System::Random() first
// creates it.
//
// Uniform bits come from xoshiro256++; normal draws from a 256-layer
// ziggurat with an exact tail and exact wedges, so the draws follow the
// normal distribution up to double rounding. Each draw takes the layer, the
// sign and a 53-bit uniform from disjoint bits of one 64-bit output.
#pragma once

#include <bit>
#include <cstdint>

class Random {
 public:
  // A generator seeded from the system's entropy.
  Random();
  // A generator whose sequence is fixed by seed (benchmarks, tests).
  explicit Random(uint64_t seed);
  Random(const Random&) = delete;
  Random& operator=(const Random&) = delete;

  // One draw from the standard normal distribution; advances the generator.
  double Gaussian();
  // A uniform double in [0, 1); advances the generator.
  double Number();
  // out[0..count) = the next count draws of Gaussian(), in order.
  void FillGaussian(double* out, int64_t count);

 private:
  static constexpr int kLayers = 256;

  void Seed(uint64_t seed);
  void InitTables();
  uint64_t NextU64();
  double GaussianSlow(uint64_t bits);

  uint64_t s_[4];
  // Layer i spans [0, x_[i]] at heights f(x_[i])..f(x_[i+1]); the draw
  // m * w_[i] (m a 53-bit integer) lies wholly under the curve when
  // m < k_[i].
  double x_[kLayers + 1];
  double f_[kLayers + 1];
  double w_[kLayers];
  uint64_t k_[kLayers];
};

namespace System {
// The one generator, created on first call; the same object on every call.
::Random& Random();
}  // namespace System

inline uint64_t Random::NextU64() {
  const uint64_t result = std::rotl(s_[0] + s_[3], 23) + s_[0];
  const uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = std::rotl(s_[3], 45);
  return result;
}

inline double Random::Gaussian() {
  const uint64_t bits = NextU64();
  const unsigned layer = bits & (kLayers - 1);
  const uint64_t m = bits >> 11;
  if (m < k_[layer]) {
    const double x = static_cast<double>(static_cast<int64_t>(m)) * w_[layer];
    // Bit 8 is the sign.
    return std::bit_cast<double>(std::bit_cast<uint64_t>(x) ^ ((bits & 0x100) << 55));
  }
  return GaussianSlow(bits);
}

inline double Random::Number() {
  return static_cast<double>(static_cast<int64_t>(NextU64() >> 11)) * 0x1.0p-53;
}
