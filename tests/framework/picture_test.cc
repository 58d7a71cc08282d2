// Pictures from the resource folder, by file name.
#include "framework/gui/picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "framework/testing/seams.h"

namespace {

TEST(Picture, OpensByFileNameFromTheResourceFolder) {
  const std::string folder = ::testing::TempDir() + "picture_test";
  std::filesystem::create_directories(folder);
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(QString::fromStdString(folder + "/Seven.png")));
  std::ofstream(folder + "/NoPicture.png") << "not a picture";

  seams::ResourceFolder resources(folder);
  EXPECT_EQ(ResourceFolder(), folder);
  auto picture = Picture::_OpenFromApp("Seven.png");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 7);
  EXPECT_EQ(picture->Height(), 5);
  // A missing file or one that is no picture gives an empty reference.
  for (const char* name : {"Missing.png", "NoPicture.png", "", "../picture_test/Seven.png"})
    EXPECT_EQ(Picture::_OpenFromApp(name), nullptr) << name;
}

TEST(Picture, TheBuildTreeHoldsTheProgramsPictures) {
  for (const char* name : {"Vellacor.png", "VovUderod.png"})
    EXPECT_NE(Picture::_OpenFromApp(name), nullptr) << name << " in " << ResourceFolder();
}

}  // namespace
