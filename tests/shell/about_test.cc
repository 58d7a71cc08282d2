// The About item: registered and enabled by the main window, answered by
// showing the splash window again over the untouched main window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "analysis_window/about_vellacor.h"
#include "analysis_window/controlwnd.h"
#include "engine/vars_module.h"
#include "framework/core/exceptions.h"
#include "framework/testing/seams.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "shell/splash_wnd.h"
#include "tests/shell/shell_test_support.h"

namespace {

// Every item below item, depth first.
void ForEachItem(const std::shared_ptr<MenuItem>& item,
                 const std::function<void(const std::shared_ptr<MenuItem>&)>& fn) {
  for (int64_t i = 0; i < item->Count(); ++i) {
    fn(item->Item(i));
    ForEachItem(item->Item(i), fn);
  }
}

class AboutTest : public ::testing::Test {
 protected:
  // The program as the user first meets it, the splash window dismissed.
  void SetUp() override { main_ = shell_test::StartProgram(); }
  void TearDown() override { seams::Reset(); }

  seams::MessageBoxes boxes_;
  std::shared_ptr<ControlWnd> main_;
};

TEST_F(AboutTest, OnlyTheMainWindowRegistersTheHandler) {
  EXPECT_TRUE(main_->HasMenuHandler("AboutVellacor"));
  EXPECT_FALSE(SplashWnd::Instance()->HasMenuHandler("AboutVellacor"));
}

TEST_F(AboutTest, MenuUpdatesEnableTheAboutItemAndNothingElse) {
  for (int update = 0; update < 3; ++update) {
    seams::UpdateMenus(main_);
    ForEachItem(Menu::Instance(), [](const std::shared_ptr<MenuItem>& item) {
      const bool expected = item->Name() == "AboutVellacor" || item->AutoEnabled();
      EXPECT_EQ(item->Enabled(), expected) << item->Name();
    });
  }
}

TEST_F(AboutTest, AboutShowsTheSplashOverTheUntouchedMainWindow) {
  seams::Type(main_->VarFld(), "12");
  seams::Type(main_->SubFld(), "300");
  main_->DataFld()->SetText("an earlier report");
  VarsModule::vars = 12;
  VarsModule::reps = 9;
  seams::MoveFocus(main_->SubFld());

  ASSERT_TRUE(seams::ChooseMenuItem(main_, "AboutVellacor"));
  seams::ProcessEvents();
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  EXPECT_TRUE(splash->Visible());
  EXPECT_TRUE(main_->Visible());
  EXPECT_EQ(main_->VarFld()->Text(), "12");
  EXPECT_EQ(main_->SubFld()->Text(), "300");
  EXPECT_EQ(main_->RepFld()->Text(), "");
  EXPECT_EQ(main_->DataFld()->Text(), "an earlier report");
  EXPECT_EQ(VarsModule::vars, 12);
  EXPECT_EQ(VarsModule::reps, 9);
  EXPECT_TRUE(boxes_.Texts().empty());

  // A click ends it; the main window's activation puts the focus into the
  // variables field.
  seams::ClickWindow(splash, 200, 5);
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
  EXPECT_TRUE(main_->Visible());
  EXPECT_EQ(main_->FocusControl(), main_->VarFld());
}

// The menus from the keyboard: F10 in the main window opens its first menu
// with a caption, File; the arrow keys lead on to Edit and its About item,
// and Return chooses it. The splash window takes F10 as any key: it hands
// over, and no menu opens.
TEST_F(AboutTest, F10OpensTheFirstMenuAndTheKeysReachTheAboutItem) {
  ASSERT_EQ(main_->FocusControl(), main_->VarFld());
  EXPECT_TRUE(seams::PressNamedKey(main_, "F10"));
  EXPECT_EQ(seams::OpenMenu(), "File");
  seams::PressNamedKey(main_, "Right");
  ASSERT_EQ(seams::OpenMenu(), "Edit");
  for (int i = 0; i < 12 && seams::HighlightedMenuItem() != "About Vellacor"; ++i)
    seams::PressNamedKey(main_, "Down");
  ASSERT_EQ(seams::HighlightedMenuItem(), "About Vellacor");
  seams::PressNamedKey(main_, "Return");
  seams::ProcessEvents();
  EXPECT_EQ(seams::OpenMenu(), "");
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  ASSERT_TRUE(splash->Visible());
  EXPECT_EQ(main_->VarFld()->Text(), "");

  seams::PressNamedKey(splash, "F10");
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
  EXPECT_TRUE(main_->Visible());
  EXPECT_EQ(seams::OpenMenu(), "");
  EXPECT_EQ(main_->FocusControl(), main_->VarFld());
}

// Escape closes the menu and gives the keyboard back to the field that had
// it: the bar keeps nothing, so typing and the shortcuts work at once.
TEST_F(AboutTest, EscapeFromAMenuGivesTheKeyboardBackToTheField) {
  ASSERT_EQ(main_->FocusControl(), main_->VarFld());
  seams::PressNamedKey(main_, "F10");
  seams::PressNamedKey(main_, "Right");
  ASSERT_EQ(seams::OpenMenu(), "Edit");
  seams::PressNamedKey(main_, "Escape");
  seams::ProcessEvents();
  EXPECT_EQ(seams::OpenMenu(), "");
  EXPECT_EQ(main_->FocusControl(), main_->VarFld());
  seams::PressNamedKey(main_, "6");
  EXPECT_EQ(main_->VarFld()->Text(), "6");
}

TEST_F(AboutTest, AccessorFindsTheItemInTheInstalledBarOnly) {
  std::shared_ptr<AppleMenuItem> about = AboutVellacor();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Value(), "About Vellacor");
  EXPECT_EQ(about, Menu::Instance()->_Lookup("AboutVellacor"));

  auto bare = std::make_shared<MenuBar>();
  bare->AddMenu(std::make_shared<MenuItem>());
  App::Instance()->SetMenuBar(bare);
  EXPECT_EQ(AboutVellacor(), nullptr);
  EXPECT_THROW(main_->Event_EnableMenuItems(), NilObjectException);

  seams::Reset();
  EXPECT_THROW(AboutVellacor(), NilObjectException);
}

}  // namespace
