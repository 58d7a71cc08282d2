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

// An installed program looks beside itself only; a program in a build tree
// without pictures beside it takes the tree's own resources folder.
TEST(Picture, ResourceFolderIsBesideTheProgramOrInItsBuildTree) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(::testing::TempDir()) / "resource_folder_test";
  fs::remove_all(root);
  const fs::path installed = root / "prefix" / "bin";
  const fs::path tree = root / "build";
  const fs::path in_tree = tree / "shell";
  const fs::path installed_in_tree = tree / "prefix" / "bin";
  const fs::path beside_in_tree = tree / "tools";
  for (const fs::path& folder :
       {installed, in_tree / "CMakeFiles", installed_in_tree, beside_in_tree / "CMakeFiles",
        beside_in_tree / "resources", tree / "resources"})
    fs::create_directories(folder);
  std::ofstream(tree / "CMakeCache.txt") << "";

  const struct {
    fs::path program;
    fs::path folder;
  } cases[] = {
      {installed / "vellacor", installed / "resources"},  // missing: no other place
      {in_tree / "vellacor", tree / "resources"},
      {installed_in_tree / "vellacor", installed_in_tree / "resources"},
      {beside_in_tree / "vellacor", beside_in_tree / "resources"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResourceFolderOf(c.program.string()), c.folder.string());
  fs::remove_all(root);
}

}  // namespace
