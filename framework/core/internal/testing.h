// The framework core's test hooks (no Qt). Only the test seams include this
// header (framework/testing/core_seams.h gives the hooks to the tests and
// says what each does). Each is defined in the .cc file of its subject.
#pragma once

#include <cstdint>

namespace test_hooks {

// random.cc
void SeedRandom(uint64_t seed);

// yield.cc
int64_t YieldHandlerCalls();
void CountYields(int64_t* counter);

}  // namespace test_hooks
