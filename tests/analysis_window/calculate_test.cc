// The Calculate action as the user meets it: counts typed into the fields,
// a click on Calculate, refusals in the program's words, a run that the
// user's input at its yields cannot disturb, and Quit that ends it at once.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/gui/menu.h"
#include "framework/gui/printing.h"
#include "framework/gui/runtime.h"
#include "framework/testing/seams.h"
#include "shell/splash_wnd.h"
#include "tests/analysis_window/main_window_fixture.h"
#include "tests/shell/shell_test_support.h"

namespace {

using main_window_test::CountOf;
using main_window_test::MainWindowTest;
using main_window_test::RowsOf;

class CalculateTest : public MainWindowTest {};

TEST_F(CalculateTest, RefusalsNameTheFaultAndKeepThePreviousReport) {
  SeededCalculate(7, "3", "50", "2");
  const std::string previous = Report();
  ASSERT_EQ(CountOf(previous, '\r'), 21);
  const double previous_mean = VarsModule::SumStats(1, 1);

  enum Field { kVar, kSub, kRep };
  struct Case {
    std::string vars, subs, reps;
    std::string message;
    Field focus;
    int64_t stored_vars, stored_subs, stored_reps;  // the previous run had 3, 50, 2
  };
  const std::string kVars = "Enter 3\u2013200 for number of variables";
  const std::string kSubs = "Enter 50\u20132500 for number of subjects";
  const std::string kReps = "Enter 1\u20131000 for number of replications";
  const std::string kOrder = "Subjects must > variables";
  const Case cases[] = {
      {"", "100", "10", kVars, kVar, 3, 50, 2},     {"2", "100", "10", kVars, kVar, 3, 50, 2},
      {"201", "300", "10", kVars, kVar, 3, 50, 2},  {"10", "49", "10", kSubs, kSub, 10, 50, 2},
      {"10", "2501", "10", kSubs, kSub, 10, 50, 2}, {"10", "", "10", kSubs, kSub, 10, 50, 2},
      {"10", "100", "0", kReps, kRep, 10, 100, 2},  {"10", "100", "1001", kReps, kRep, 10, 100, 2},
      {"10", "100", "", kReps, kRep, 10, 100, 2},   {"200", "50", "10", kOrder, kVar, 200, 50, 2},
      {"60", "60", "10", kOrder, kVar, 60, 60, 2},  {"10", "30", "5", kSubs, kSub, 10, 50, 2},
      {"999", "9", "0", kVars, kVar, 3, 50, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.vars + "\" \"" + c.subs + "\" \"" + c.reps + "\"");
    VarsModule::vars = 3;
    VarsModule::subs = 50;
    VarsModule::reps = 2;
    seams::MoveFocus(window_->SubFld());
    const size_t boxes_before = boxes_.Texts().size();
    seams::Beeps beeps;

    Calculate(c.vars, c.subs, c.reps);

    EXPECT_EQ(beeps.Count(), 1);
    ASSERT_EQ(boxes_.Texts().size(), boxes_before + 1);
    EXPECT_EQ(boxes_.Texts().back(), c.message);
    const std::shared_ptr<TextField> focus[] = {window_->VarFld(), window_->SubFld(),
                                                window_->RepFld()};
    EXPECT_TRUE(focus[c.focus]->HasFocus());
    EXPECT_FALSE(window_->Pwheel()->Visible());  // shown by the press, hidden again
    EXPECT_EQ(VarsModule::vars, c.stored_vars);
    EXPECT_EQ(VarsModule::subs, c.stored_subs);
    EXPECT_EQ(VarsModule::reps, c.stored_reps);
    EXPECT_EQ(Report(), previous);
    EXPECT_EQ(VarsModule::SumStats(1, 1), previous_mean);
  }
}

// Each refusal beeps, then moves the focus into the field at fault, then
// shows its message, and hides the wheel only once the message is gone.
TEST_F(CalculateTest, RefusalBeepsThenMovesTheFocusThenTellsThenHidesTheWheel) {
  struct Case {
    std::string vars, subs, reps;
    std::shared_ptr<TextField> focus_before, at_fault;
  };
  const Case cases[] = {
      {"2", "100", "10", window_->RepFld(), window_->VarFld()},
      {"10", "49", "10", window_->VarFld(), window_->SubFld()},
      {"60", "60", "10", window_->SubFld(), window_->VarFld()},
      {"10", "100", "0", window_->VarFld(), window_->RepFld()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.vars + "\" \"" + c.subs + "\" \"" + c.reps + "\"");
    seams::MoveFocus(c.focus_before);
    seams::Beeps beeps;
    const size_t boxes_before = boxes_.Texts().size();
    struct Moment {
      bool seen = false;
      size_t boxes = 0;
      int64_t beeps = 0;
      bool focus_at_fault = false, wheel = false;
    } at_beep, at_message;
    auto look = [&](Moment& m) {
      m = {true, boxes_.Texts().size() - boxes_before, beeps.Count(), c.at_fault->HasFocus(),
           window_->Pwheel()->Visible()};
    };
    beeps.OnBeep([&] { look(at_beep); });
    boxes_.OnShow([&](const std::string&) { look(at_message); });

    Calculate(c.vars, c.subs, c.reps);
    boxes_.OnShow(nullptr);

    ASSERT_TRUE(at_beep.seen);
    EXPECT_EQ(at_beep.boxes, 0u);
    EXPECT_FALSE(at_beep.focus_at_fault);
    ASSERT_TRUE(at_message.seen);
    EXPECT_EQ(at_message.beeps, 1);
    EXPECT_TRUE(at_message.focus_at_fault);
    EXPECT_TRUE(at_message.wheel);  // shown by the press on Calculate
    EXPECT_FALSE(window_->Pwheel()->Visible());
  }
}

TEST_F(CalculateTest, BoundsAreAcceptedAndLeadingZerosCountForNothing) {
  struct Case {
    std::string vars, subs, reps;
    int64_t n, N, R;
  };
  const Case cases[] = {
      {"3", "50", "1", 3, 50, 1},     {"200", "201", "1", 200, 201, 1},
      {"3", "2500", "1", 3, 2500, 1}, {"3", "50", "1000", 3, 50, 1000},
      {"60", "61", "2", 60, 61, 2},   {"007", "0050", "002", 7, 50, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.vars + "\" \"" + c.subs + "\" \"" + c.reps + "\"");
    seams::Beeps beeps;
    Calculate(c.vars, c.subs, c.reps);
    EXPECT_EQ(beeps.Count(), 0);
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(VarsModule::vars, c.n);
    EXPECT_EQ(VarsModule::subs, c.N);
    EXPECT_EQ(VarsModule::reps, c.R);
    EXPECT_EQ(CountOf(Report(), '\r'), 18 + c.n);
    EXPECT_EQ(RowsOf(Report()).size(), static_cast<size_t>(c.n));
    EXPECT_FALSE(window_->Pwheel()->Visible());
  }
}

// Run twice on the same random data: if anything of the first run stayed
// in the summary table, the second report's numbers would differ.
TEST_F(CalculateTest, SecondRunStartsFromAnEmptyTable) {
  SeededCalculate(11, "8", "90", "25");
  const std::vector<std::string> first = RowsOf(Report());
  ASSERT_EQ(first.size(), 8u);
  SeededCalculate(11, "8", "90", "25");
  EXPECT_EQ(RowsOf(Report()), first);
}

// At a yield of the run the user presses everything there is; the run's
// report comes out as the same run's report undisturbed.
TEST_F(CalculateTest, InputAtTheYieldsCannotDisturbARun) {
  SeededCalculate(21, "10", "100", "30");
  const std::vector<std::string> undisturbed = RowsOf(Report());
  ASSERT_EQ(undisturbed.size(), 10u);

  seams::AnswerPrintDialogWithCancel();
  bool acted = false;
  bool wheel_during_run = false;
  std::string text_during_run = "not read";
  std::shared_ptr<RectControl> focus_before_click, focus_after_click;
  bool dropped = true;
  seams::AtNextYield([&] {
    acted = true;
    wheel_during_run = window_->Pwheel()->Visible();
    text_during_run = window_->DataFld()->Text();
    seams::Click(window_->CalculateBtn());
    seams::Click(window_->ClearBtn());
    seams::Click(window_->Qbtn());
    seams::Click(window_->PrintBtn());
    focus_before_click = window_->FocusControl();
    seams::Click(window_->DataFld());
    focus_after_click = window_->FocusControl();
    seams::Type(window_->DataFld(), "x");
    seams::Type(window_->VarFld(), "9");
    seams::PressKey(window_, std::string(1, KeyCode::kReturn));
    seams::Compose(window_->DataFld(), "\u00e9");
    seams::Compose(window_->VarFld(), "\u00fc");
    dropped = seams::Drop(window_->DataFld(), "INJECTED") || seams::Drop(window_->VarFld(), "7");
  });
  seams::Beeps beeps;
  SeededCalculate(21, "10", "100", "30");

  ASSERT_TRUE(acted);
  EXPECT_TRUE(wheel_during_run);
  EXPECT_EQ(text_during_run, "");
  // One beep for each of the four buttons, the three keys and the two
  // composed characters; the click into the report area is swallowed
  // without one and leaves the focus where it was, and the drags are
  // refused before they can drop.
  EXPECT_EQ(beeps.Count(), 9);
  ASSERT_NE(focus_before_click, nullptr);
  EXPECT_EQ(focus_after_click, focus_before_click);
  EXPECT_FALSE(dropped);
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(seams::PrintDialogsOpened(), 0);
  EXPECT_EQ(RowsOf(Report()), undisturbed);
  EXPECT_EQ(CountOf(Report(), '\r'), 28);
  EXPECT_EQ(window_->VarFld()->Text(), "10");
  EXPECT_EQ(VarsModule::vars, 10);
  EXPECT_FALSE(window_->Pwheel()->Visible());
  seams::ClearPrintDialogAnswer();

  // The window takes input again once the run is over.
  seams::Click(window_->ClearBtn());
  EXPECT_EQ(Report(), "");
}

TEST_F(CalculateTest, QuitAndTheCloseBoxEndARunAtOnce) {
  const std::vector<std::pair<const char*, std::function<void()>>> roads = {
      {"Quit button", [this] { seams::Click(window_->QuitBtn()); }},
      {"close box", [this] { seams::CloseBox(window_); }},
  };
  for (const auto& [name, road] : roads) {
    SCOPED_TRACE(name);
    window_->DataFld()->SetText("");
    seams::AtNextYield(road);
    seams::Beeps beeps;
    Calculate("20", "200", "1000");
    EXPECT_TRUE(RuntimeQuitting());
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_EQ(beeps.Count(), 0);
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(Report(), "");  // the run went no further
    seams::Reset();
    window_ = ControlWnd::Instance();
    window_->Show();
    seams::ProcessEvents();
  }
}

using shell_test::StartProgram;

TEST(CalculateMenuTest, FileQuitEndsARunAtOnce) {
  seams::MessageBoxes boxes;
  std::shared_ptr<ControlWnd> main = StartProgram();

  bool chosen = false;
  seams::AtNextYield([&] {
    chosen = true;  // the choice itself unwinds the run and does not return
    seams::ChooseMenuItem(main, "FileQuit");
  });
  main->VarFld()->SetText("20");
  main->SubFld()->SetText("200");
  main->RepFld()->SetText("1000");
  seams::Click(main->CalculateBtn());

  EXPECT_TRUE(chosen);
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
  EXPECT_EQ(main->DataFld()->Text(), "");
  EXPECT_TRUE(boxes.Texts().empty());
  seams::Reset();
}

// The About item and the splash window it shows touch nothing of a run or
// of a print job: both go through at its yields, while the rest stays
// refused and the run's report comes out whole.
TEST(CalculateMenuTest, AboutAndTheSplashWindowGoThroughDuringARunOrAPrintJob) {
  const std::string pdf = ::testing::TempDir() + "calculate_menu_test.pdf";
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\r";
  struct Road {
    const char* what;
    std::function<void(const std::shared_ptr<ControlWnd>&)> start;
  };
  const Road roads[] = {
      {"run",
       [](const std::shared_ptr<ControlWnd>& main) {
         main->VarFld()->SetText("5");
         main->SubFld()->SetText("60");
         main->RepFld()->SetText("20");
         seams::Click(main->CalculateBtn());
       }},
      {"print job",
       [&](const std::shared_ptr<ControlWnd>& main) {
         main->DataFld()->SetText(lines);
         seams::AnswerPrintDialogWithPdf(pdf);
         seams::Click(main->PrintBtn());
         seams::ClearPrintDialogAnswer();
       }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.what);
    seams::MessageBoxes boxes;
    std::shared_ptr<ControlWnd> main = StartProgram();
    std::shared_ptr<SplashWnd> splash = SplashWnd::Instance();
    ASSERT_FALSE(splash->Visible());

    bool chosen = false, shown = false, dismissed = false;
    seams::AtNextYield([&] {
      chosen = seams::ChooseMenuItem(main, "AboutVellacor");
      shown = splash->Visible();
      seams::ClickWindow(splash, 200, 5, seams::Button::kRight);
      dismissed = !splash->Visible() && main->Visible();
      seams::Click(main->ClearBtn());  // still refused: one beep
    });
    seams::Beeps beeps;
    road.start(main);
    seams::ProcessEvents();

    EXPECT_TRUE(chosen);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(beeps.Count(), 1);
    EXPECT_TRUE(boxes.Texts().empty());
    if (std::string(road.what) == "run") {
      EXPECT_EQ(CountOf(main->DataFld()->Text(), '\r'), 23);
    } else {
      EXPECT_EQ(main->DataFld()->Text(), lines);
    }
    seams::Reset();
  }
  std::remove(pdf.c_str());
}

}  // namespace
