#include "framework/core/random.h"

#include <sys/random.h>

#include <cmath>
#include <memory>
#include <random>

#include "framework/core/internal/testing.h"

namespace {
// Marsaglia and Tsang's constants for 256 layers: the start of the tail and
// the common area of every layer.
constexpr double kR = 3.6541528853610088;
constexpr double kV = 4.92867323399e-3;

double Density(double x) { return std::exp(-0.5 * x * x); }

uint64_t SplitMix64(uint64_t& state) {
  uint64_t z = (state += 0x9e3779b97f4a7c15);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
  z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
  return z ^ (z >> 31);
}

bool AllZero(const uint64_t (&s)[4]) { return (s[0] | s[1] | s[2] | s[3]) == 0; }
}  // namespace

Random::Random() {
  InitTables();
  // getrandom blocks only until the kernel's pool is first initialised.
  if (getrandom(s_, sizeof s_, 0) != static_cast<ssize_t>(sizeof s_)) {
    std::random_device device;
    for (uint64_t& word : s_) word = (static_cast<uint64_t>(device()) << 32) ^ device();
  }
  if (AllZero(s_)) Seed(0);
}

Random::Random(uint64_t seed) {
  InitTables();
  Seed(seed);
}

void Random::Seed(uint64_t seed) {
  for (uint64_t& word : s_) word = SplitMix64(seed);
}

void Random::InitTables() {
  x_[0] = kV / Density(kR);
  x_[1] = kR;
  for (int i = 1; i < kLayers - 1; ++i)
    x_[i + 1] = std::sqrt(-2.0 * std::log(kV / x_[i] + Density(x_[i])));
  x_[kLayers] = 0.0;
  for (int i = 0; i <= kLayers; ++i) f_[i] = Density(x_[i]);
  for (int i = 0; i < kLayers; ++i) {
    w_[i] = x_[i] * 0x1.0p-53;
    k_[i] = static_cast<uint64_t>((x_[i + 1] / x_[i]) * 0x1.0p53);
  }
}

double Random::GaussianSlow(uint64_t bits) {
  for (;;) {
    const unsigned layer = bits & (kLayers - 1);
    const bool negative = (bits & 0x100) != 0;
    const uint64_t m = bits >> 11;
    double x = static_cast<double>(static_cast<int64_t>(m)) * w_[layer];
    if (m < k_[layer]) return negative ? -x : x;
    if (layer == 0) {
      // The tail beyond kR, by Marsaglia's exponential rejection. The
      // uniforms lie in (0, 1], so the logarithms are finite.
      double y;
      do {
        x = -std::log((static_cast<double>(NextU64() >> 11) + 1.0) * 0x1.0p-53) / kR;
        y = -std::log((static_cast<double>(NextU64() >> 11) + 1.0) * 0x1.0p-53);
      } while (y + y < x * x);
      return negative ? -(kR + x) : kR + x;
    }
    // The wedge between the layer's inner rectangle and the curve.
    const double y = f_[layer] + Number() * (f_[layer + 1] - f_[layer]);
    if (y < Density(x)) return negative ? -x : x;
    bits = NextU64();
  }
}

void Random::FillGaussian(double* out, int64_t count) {
  for (int64_t i = 0; i < count; ++i) out[i] = Gaussian();
}

namespace {
Random& ProcessGenerator() {
  static Random generator;
  return generator;
}
}  // namespace

Random& System::Random() { return ProcessGenerator(); }

// A generator made afresh from the seed in the same place: references to
// the process-wide one stay valid.
void test_hooks::SeedRandom(uint64_t seed) {
  Random& generator = ProcessGenerator();
  std::destroy_at(&generator);
  std::construct_at(&generator, seed);
}
