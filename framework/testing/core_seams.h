// The test seams of the framework core, which need no Qt: the engine's and
// the core's tests use them, and framework/testing/seams.h includes them
// for every other test.
#pragma once

#include "framework/core/internal/testing.h"

namespace seams {

// Restarts the process-wide generator (System::Random) from a fixed seed,
// in place, so that references to it stay valid: the same seed gives the
// same draws.
using test_hooks::SeedRandom;

}  // namespace seams
