// The framework's tests run against one Qt application object on the
// offscreen platform.
#include <gtest/gtest.h>

#include "framework/testing/seams.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  seams::InitRuntime();
  return RUN_ALL_TESTS();
}
