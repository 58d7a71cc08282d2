// The splash window as start-up makes it: its design, its pictures and its
// notice, and the hand-over to the main window by a key, a click or the
// timer.
#include "shell/splash_wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "framework/core/text.h"
#include "framework/gui/application.h"
#include "framework/gui/menu.h"
#include "framework/testing/seams.h"
#include "shell/images.h"
#include "shell/version_notice.h"
#include "tests/shell/shell_test_support.h"

namespace {

class SplashWndTest : public ::testing::Test {
 protected:
  void SetUp() override { shell_test::FreshProcess(); }
  void TearDown() override { seams::Reset(); }

  static std::shared_ptr<Window> MainWindow() {
    return _GetImplicitWindow(ControlWnd::kFullClassName);
  }

  seams::MessageBoxes boxes_;
};

TEST_F(SplashWndTest, FirstCallBuildsAndShowsTheWindow) {
  EXPECT_EQ(_GetImplicitWindow(SplashWnd::kFullClassName), nullptr);
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  EXPECT_EQ(_GetImplicitWindow(SplashWnd::kFullClassName), splash);
  EXPECT_EQ(SplashWnd::Instance(), splash);
  EXPECT_TRUE(splash->Visible());
  EXPECT_EQ(splash->Width(), 414);
  EXPECT_EQ(splash->Height(), 250);
  EXPECT_EQ(splash->Title(), "Splash");
  EXPECT_FALSE(splash->Resizeable());
  EXPECT_TRUE(splash->MenuBarVisible());
  EXPECT_FALSE(splash->HasMenuHandler("AboutVellacor"));
  EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(SplashWndTest, ControlsComeInOrderWithPicturesNoticeAndTimer) {
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  std::vector<std::string> names;
  for (const auto& control : splash->Controls()) names.push_back(control->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Canvas1", "StaticText1", "Canvas3", "Timer1"}));

  struct Place {
    std::shared_ptr<RectControl> control;
    int64_t left, top, width, height;
  };
  for (const Place& p :
       {Place{splash->Canvas1(), 20, 30, 374, 99}, Place{splash->StaticText1(), 0, 213, 414, 35},
        Place{splash->Canvas3(), 174, 141, 65, 56}}) {
    EXPECT_EQ(p.control->Left(), p.left) << p.control->Name();
    EXPECT_EQ(p.control->Top(), p.top) << p.control->Name();
    EXPECT_EQ(p.control->Width(), p.width) << p.control->Name();
    EXPECT_EQ(p.control->Height(), p.height) << p.control->Name();
    EXPECT_TRUE(p.control->Visible()) << p.control->Name();
  }

  ASSERT_NE(_x_Vellacor(), nullptr);
  ASSERT_NE(_x_VovUderod(), nullptr);
  EXPECT_EQ(splash->Canvas1()->Backdrop(), _x_Vellacor());
  EXPECT_EQ(splash->Canvas3()->Backdrop(), _x_VovUderod());

  EXPECT_EQ(splash->StaticText1()->Text(), std::string(kVersionNotice));
  EXPECT_EQ(Len(splash->StaticText1()->Text()), 31);

  std::shared_ptr<Timer> timer = splash->Timer1();
  EXPECT_EQ(timer->Period(), 4000);
  EXPECT_EQ(timer->RunMode(), 1);
  const auto pending = seams::PendingTimers();
  EXPECT_NE(std::find(pending.begin(), pending.end(), timer), pending.end());
}

TEST_F(SplashWndTest, HandlesKeyDownAndMouseDownOnly) {
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  for (const char* name : {"KeyDown", "MouseDown"})
    EXPECT_TRUE(splash->IsEventImplemented(name)) << name;
  for (const char* name : {"Open", "Close", "Activate", "EnableMenuItems", "Paint"})
    EXPECT_FALSE(splash->IsEventImplemented(name)) << name;
}

TEST_F(SplashWndTest, WithoutInputTheTimerHandsOverOnce) {
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  ASSERT_TRUE(seams::FireTimerNow(splash->Timer1()));
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_TRUE(MainWindow()->Visible());
  // It fires once: nothing re-arms it.
  EXPECT_EQ(splash->Timer1()->RunMode(), 0);
  EXPECT_FALSE(seams::FireTimerNow(splash->Timer1()));
}

// Any key and any click hand over at once; the timer, still pending, later
// hides the splash window again and shows the same main window.
TEST_F(SplashWndTest, KeyOrClickHandsOverAndTheTimerLaterDoesItAgain) {
  struct Case {
    const char* what;
    std::function<void(const std::shared_ptr<SplashWnd>&)> act;
  };
  const std::vector<Case> cases = {
      {"letter", [](const auto& w) { seams::PressKey(w, "q"); }},
      {"escape", [](const auto& w) { seams::PressKey(w, std::string(1, KeyCode::kEscape)); }},
      {"tab", [](const auto& w) { seams::PressKey(w, std::string(1, KeyCode::kTab)); }},
      {"F1", [](const auto& w) { seams::PressNamedKey(w, "F1"); }},
      {"F10", [](const auto& w) { seams::PressNamedKey(w, "F10"); }},
      {"Insert", [](const auto& w) { seams::PressNamedKey(w, "Insert"); }},
      {"click on the background", [](const auto& w) { seams::ClickWindow(w, 5, 5); }},
      {"click below the notice", [](const auto& w) { seams::ClickWindow(w, 400, 249); }},
      {"click on the picture", [](const auto& w) { seams::ClickWindow(w, 200, 80); }},
      {"right click", [](const auto& w) { seams::ClickWindow(w, 5, 5, seams::Button::kRight); }},
      {"middle click", [](const auto& w) { seams::ClickWindow(w, 5, 5, seams::Button::kMiddle); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shell_test::FreshProcess();
    std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
    seams::ProcessEvents();
    c.act(splash);
    seams::ProcessEvents();
    EXPECT_FALSE(splash->Visible());
    std::shared_ptr<Window> main = MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->Visible());

    // Shown again (as the About item does), then the pending timer fires.
    splash->Show();
    main->Hide();
    ASSERT_TRUE(seams::FireTimerNow(splash->Timer1()));
    seams::ProcessEvents();
    EXPECT_FALSE(splash->Visible());
    EXPECT_EQ(MainWindow(), main);
    EXPECT_TRUE(main->Visible());
  }
}

// By every road the first hand-over hides the splash window before it
// makes the main window.
TEST_F(SplashWndTest, MainWindowIsMadeOnlyOnceTheSplashWindowIsHidden) {
  struct Case {
    const char* what;
    std::function<void(const std::shared_ptr<SplashWnd>&)> act;
  };
  const std::vector<Case> cases = {
      {"key", [](const auto& w) { seams::PressKey(w, "q"); }},
      {"click", [](const auto& w) { seams::ClickWindow(w, 5, 5); }},
      {"timer", [](const auto& w) { seams::FireTimerNow(w->Timer1()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shell_test::FreshProcess();
    std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
    seams::ProcessEvents();
    int main_windows_made = 0;
    bool splash_shown_then = true;
    seams::OnWindowConstruction([&](const Window& window) {
      if (window.FullClassName() != ControlWnd::kFullClassName) return;
      ++main_windows_made;
      splash_shown_then = splash->Visible();
    });
    c.act(splash);
    seams::ProcessEvents();
    seams::OnWindowConstruction(nullptr);
    EXPECT_EQ(main_windows_made, 1);
    EXPECT_FALSE(splash_shown_then);
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_TRUE(MainWindow()->Visible());
  }
}

// The Edit menu's shortcuts, whose items nothing enables, are key presses
// like any other and dismiss it too.
TEST_F(SplashWndTest, AShortcutOfAnItemThatCannotBeChosenHandsOver) {
  _EarlyStartup();
  _MakeDefaultView();
  seams::ProcessEvents();
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  ASSERT_TRUE(splash->Visible());
  EXPECT_FALSE(seams::PressMenuShortcut(splash, "EditCopy"));
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_TRUE(MainWindow()->Visible());
}

TEST_F(SplashWndTest, ShownAgainItIsTheSameWindowUnchanged) {
  std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
  const std::vector<std::shared_ptr<Control>> controls = splash->Controls();
  const auto upper = splash->Canvas1()->Backdrop();
  seams::FireTimerNow(splash->Timer1());
  seams::ProcessEvents();

  splash->Show();
  seams::ProcessEvents();
  EXPECT_TRUE(splash->Visible());
  EXPECT_EQ(splash->Controls(), controls);
  EXPECT_EQ(splash->Canvas1()->Backdrop(), upper);
  EXPECT_EQ(splash->StaticText1()->Text(), std::string(kVersionNotice));
  // The timer is not re-armed: only a key or a click ends it now.
  EXPECT_EQ(splash->Timer1()->RunMode(), 0);
  seams::PressKey(splash, " ");
  seams::ProcessEvents();
  EXPECT_FALSE(splash->Visible());
}

}  // namespace
