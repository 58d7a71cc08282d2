// The whole program from its entry on, in this process: the splash window,
// the hand-over, a small Calculate, and each way out, which must end the
// event loop and give exit status 0.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "engine/vars_module.h"
#include "framework/gui/menu.h"
#include "framework/gui/runtime.h"
#include "framework/testing/seams.h"
#include "shell/splash_wnd.h"
#include "shell/startup.h"
#include "tests/shell/shell_test_support.h"

namespace {

struct Way {
  const char* name;
  std::function<void(const std::shared_ptr<SplashWnd>&)> hand_over;
  std::function<void(const std::shared_ptr<ControlWnd>&)> quit;
};

void PrintTo(const Way& way, std::ostream* os) { *os << way.name; }

class ProgramTest : public ::testing::TestWithParam<Way> {};

TEST_P(ProgramTest, RunsFromSplashToCalculateToQuit) {
  const Way& way = GetParam();
  shell_test::FreshProcess(false);
  seams::MessageBoxes boxes;
  std::string report;
  bool quit_asked = false;

  auto script = shell_test::LoopScript::Make({
      [&] {
        std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
        ASSERT_TRUE(splash->Visible());
        ASSERT_EQ(_GetImplicitWindow(ControlWnd::kFullClassName), nullptr);
        way.hand_over(splash);
      },
      [&] {
        EXPECT_FALSE(SplashWnd::Instance()->Visible());
        std::shared_ptr<ControlWnd> main = ControlWnd::Instance();
        ASSERT_TRUE(main->Visible());
        seams::Type(main->VarFld(), "3");
        seams::Type(main->SubFld(), "50");
        seams::Type(main->RepFld(), "2");
        seams::Click(main->CalculateBtn());
        report = main->DataFld()->Text();
      },
      [&] {
        quit_asked = true;
        way.quit(ControlWnd::Instance());
      },
  });

  static char name[] = "vellacor";
  static char* argv[] = {name, nullptr};
  const int status = ProcessMain(1, argv, nullptr);

  EXPECT_EQ(status, 0);
  ASSERT_EQ(script->Begun(), 3u);
  EXPECT_TRUE(quit_asked);
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(VarsModule::vars, 3);
  EXPECT_EQ(VarsModule::subs, 50);
  EXPECT_EQ(VarsModule::reps, 2);
  EXPECT_EQ(report.rfind("Vellacor\r", 0), 0u) << report;
  EXPECT_NE(report.find("Number of replications:"), std::string::npos) << report;
  EXPECT_NE(report.find("Eigenvalue #"), std::string::npos) << report;
  seams::Reset();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramTest,
    ::testing::Values(
        Way{"KeyThenQuitButton", [](const auto& s) { seams::PressKey(s, "x"); },
            [](const auto& m) { seams::Click(m->QuitBtn()); }},
        Way{"ClickThenCloseBox", [](const auto& s) { seams::ClickWindow(s, 30, 200); },
            [](const auto& m) { seams::CloseBox(m); }},
        Way{"TimerThenFileQuit", [](const auto& s) { seams::FireTimerNow(s->Timer1()); },
            [](const auto& m) { seams::ChooseMenuItem(m, "FileQuit"); }},
        Way{"TimerThenQuitShortcut", [](const auto& s) { seams::FireTimerNow(s->Timer1()); },
            [](const auto& m) { seams::PressMenuShortcut(m, "FileQuit"); }}),
    [](const ::testing::TestParamInfo<Way>& info) { return std::string(info.param.name); });

}  // namespace
