// The road from Qt into the program: the exception helper and the default
// handling, Quit in the middle of a long run, and the run guard.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <stdexcept>

#include "framework/testing/seams.h"
#include "tests/framework/test_window.h"

namespace {

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seams::Reset();
    w = TheTestWnd();
    seams::ProcessEvents();
  }
  void TearDown() override {
    _RuntimeSetExceptionHelper(nullptr);
    seams::Reset();
  }
  std::shared_ptr<TestWnd> w;
  seams::MessageBoxes boxes;
  seams::Beeps beeps;
};

TEST_F(RuntimeTest, AnExceptionLeavingAHandlerIsShownAndTheProgramGoesOn) {
  int runs = 0;
  w->on_run = [&] {
    if (++runs == 1) throw NilObjectException("no report area");
    if (runs == 2) throw std::logic_error("broken");
  };
  auto run = w->Get<PushButton>("RunBtn");
  seams::Click(run);
  seams::Click(run);
  seams::Click(run);
  EXPECT_EQ(runs, 3);
  ASSERT_EQ(boxes.Texts().size(), 2u);
  EXPECT_EQ(boxes.Texts()[0],
            "An exception of class NilObjectException was not handled: no report area");
  EXPECT_EQ(boxes.Texts()[1], "An exception of class std::logic_error was not handled: broken");
}

std::vector<std::string> helper_calls;
std::shared_ptr<RuntimeException> CountingHelper(void (*fn)(void*), void* arg) {
  helper_calls.push_back("call");
  try {
    fn(arg);
  } catch (const RuntimeException& e) {
    helper_calls.push_back(e.ClassName());
    return e.Clone();
  }
  return nullptr;
}

TEST_F(RuntimeTest, EveryCallIntoTheProgramGoesThroughTheInstalledHelper) {
  w->Get<PushButton>("RunBtn")->SetFocus();
  helper_calls.clear();
  _RuntimeSetExceptionHelper(&CountingHelper);
  w->on_run = [] { throw OutOfBoundsException("index 9"); };
  seams::Click(w->Get<PushButton>("RunBtn"));  // MouseDown, then Action
  EXPECT_EQ(helper_calls, (std::vector<std::string>{"call", "call", "OutOfBoundsException"}));
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_EQ(boxes.Texts()[0],
            "An exception of class OutOfBoundsException was not handled: index 9");
}

TEST_F(RuntimeTest, QuitDuringALongRunEndsItAtOnce) {
  int64_t iterations = 0;
  w->quit_code = 7;
  w->on_run = [&] {
    RunGuard guard(w, {"QuitBtn"});
    seams::AtNextYield([&] { seams::Click(w->Get<PushButton>("QuitBtn")); });
    for (; iterations < 1000000; ++iterations) RuntimeYieldNow();
    w->log.push_back("run finished");
  };
  seams::Click(w->Get<PushButton>("RunBtn"));
  EXPECT_LT(iterations, 10);
  EXPECT_EQ(w->log.back(), "Quit");
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 7);
  EXPECT_TRUE(boxes.Texts().empty());
  _RuntimeRun();  // returns at once: the application has quit
}

TEST_F(RuntimeTest, TheRunGuardRefusesInputThatArrivesDuringARun) {
  auto report = w->Get<TextArea>("Report");
  auto field = w->Get<TextField>("Field1");
  report->SetText("line one\rline two\r");
  report->SetSelStart(3);
  field->SetText("12");
  int runs = 0;
  std::shared_ptr<RectControl> focus_before_click, focus_after_click;
  w->on_run = [&] {
    if (++runs > 1) return;
    RunGuard guard(w, {"QuitBtn"});
    seams::AtNextYield([&] {
      seams::Click(w->Get<PushButton>("RunBtn"));  // a second request: beep
      seams::PressKey(field, "5");                 // a key: beep
      focus_before_click = w->FocusControl();
      seams::Click(report);  // a click into the report: nothing
      focus_after_click = w->FocusControl();
    });
    for (int i = 0; i < 5; ++i) RuntimeYieldNow();
  };
  seams::Click(w->Get<PushButton>("RunBtn"));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(beeps.Count(), 2);
  EXPECT_EQ(field->Text(), "12");
  EXPECT_EQ(report->SelStart(), 3);
  // Not even the focus moved into the report.
  ASSERT_NE(focus_before_click, nullptr);
  EXPECT_EQ(focus_after_click, focus_before_click);
  EXPECT_FALSE(RuntimeQuitting());
  // After the run the same input goes through again.
  seams::Click(w->Get<PushButton>("RunBtn"));
  EXPECT_EQ(runs, 2);
}

TEST_F(RuntimeTest, TheRunGuardLeavesDialogsAnswerable) {
  // A widget of no program window, as a message box's buttons are.
  QLineEdit dialog_field;
  dialog_field.show();
  RunGuard guard(w, {});
  seams::PressKey(w->Get<TextField>("Field1"), "5");
  QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  QCoreApplication::sendEvent(&dialog_field, &press);
  EXPECT_EQ(dialog_field.text().toStdString(), "x");
  EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(RuntimeTest, QuitBeforeTheEventLoopMakesItReturnAtOnce) {
  Quit(3);
  _RuntimeRun();
  EXPECT_EQ(RuntimeExit(), 3);
}

}  // namespace
