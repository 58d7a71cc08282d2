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

// How many yields reached the installed handler since it was installed
// (the throttle lets a yield through at most every 20 ms).
using test_hooks::YieldHandlerCalls;

// While counter is set, every yield point adds one to *counter,
// unthrottled, and no handler runs. nullptr stops counting and puts back
// the handler that was installed before.
using test_hooks::CountYields;

}  // namespace seams
