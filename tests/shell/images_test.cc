// The two picture accessors and their caches. Its own program, so that the
// caches start empty.
#include "shell/images.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/testing/seams.h"

namespace {

TEST(Images, AFailedLoadIsTriedAgainAndALoadedPictureIsKept) {
  seams::InitRuntime();
  const std::string pictures = ResourceFolder();
  const std::string empty = ::testing::TempDir() + "vellacor-no-pictures";
  std::filesystem::create_directories(empty);
  const struct {
    const char* name;
    std::shared_ptr<Picture> (*accessor)();
  } images[] = {
      {"Vellacor.png", &_x_Vellacor},
      {"VovUderod.png", &_x_VovUderod},
  };
  for (const auto& image : images) {
    {
      seams::ResourceFolder nothing_there(empty);
      EXPECT_EQ(image.accessor(), nullptr) << image.name;
      EXPECT_EQ(image.accessor(), nullptr) << image.name;
    }
    const auto first = image.accessor();
    ASSERT_NE(first, nullptr) << image.name << " in " << pictures;
    EXPECT_EQ(image.accessor(), first) << image.name;
    // Once loaded, the picture stays, whatever happens to the file.
    seams::ResourceFolder nothing_there(empty);
    EXPECT_EQ(image.accessor(), first) << image.name;
  }
  EXPECT_NE(_x_Vellacor(), _x_VovUderod());
}

}  // namespace
