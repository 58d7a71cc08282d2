// The splash window when "VovUderod.png" cannot be read: it still opens
// and hands over, with an empty lower canvas; and showing it again reads
// no picture. Its own program, so that no earlier test has filled the
// picture caches.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "analysis_window/controlwnd.h"
#include "framework/testing/seams.h"
#include "shell/images.h"
#include "shell/splash_wnd.h"
#include "tests/shell/shell_test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(MissingPictureTest, SplashWorksWithAnEmptyLowerCanvasAndIsNotRebuilt) {
  shell_test::FreshProcess();
  seams::MessageBoxes boxes;
  const fs::path pictures = ResourceFolder();
  const fs::path folder = fs::path(::testing::TempDir()) / "vellacor-missing-picture";
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(pictures / "Vellacor.png", folder / "Vellacor.png");
  seams::ResourceFolder only_product_picture(folder.string());

  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  seams::ProcessEvents();
  EXPECT_TRUE(splash->Visible());
  EXPECT_NE(splash->Canvas1()->Backdrop(), nullptr);
  EXPECT_EQ(splash->Canvas3()->Backdrop(), nullptr);

  seams::ClickWindow(splash, 10, 10);
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
  ASSERT_NE(_GetImplicitWindow(ControlWnd::kFullClassName), nullptr);
  EXPECT_TRUE(_GetImplicitWindow(ControlWnd::kFullClassName)->Visible());

  // The picture is there now; showing the window again does not read it.
  fs::copy_file(pictures / "VovUderod.png", folder / "VovUderod.png");
  splash->Show();
  seams::ProcessEvents();
  EXPECT_TRUE(splash->Visible());
  EXPECT_EQ(splash->Canvas3()->Backdrop(), nullptr);
  // The accessor itself tries again.
  EXPECT_NE(_x_VovUderod(), nullptr);
  EXPECT_TRUE(boxes.Texts().empty());
  seams::Reset();
}

}  // namespace
