// Timers owned by a real window (offscreen): the property list starts
// them, the Action handler is a window method, single mode fires once.
#include "framework/gui/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/delegate.h"
#include "framework/gui/window.h"
#include "framework/testing/seams.h"

namespace {

class TimerWnd : public Window {
 public:
  TimerWnd(int64_t period, int64_t mode) : period_(period), mode_(mode) {}
  std::string FullClassName() const override { return "TimerWnd.TimerWnd"; }
  void Layout() override {
    _SetProperties(shared_from_this(), {{"Width", 200}, {"Height", 100}, {"Visible", true}});
  }
  void CreateControls() override {
    auto self = Cast<TimerWnd>(shared_from_this());
    _AddControl("Timer1", _New<Timer>());
    _SetProperties(_ControlByName("Timer1"), {{"Period", period_}, {"RunMode", mode_}});
    RuntimeAddEventHandler(_ControlByName("Timer1"), "Action",
                           RuntimeCreateDelegate(self, &TimerWnd::Timer1_Action, "( Timer )"));
  }
  void Timer1_Action(std::shared_ptr<Timer> sender) {
    senders.push_back(sender);
    if (raise_in_handler) throw NilObjectException("no window to show");
  }
  bool NotAnAction() { return false; }
  std::shared_ptr<Timer> Timer1() { return Cast<Timer>(_ControlByName("Timer1")); }

  std::vector<std::shared_ptr<Timer>> senders;
  bool raise_in_handler = false;

 private:
  int64_t period_, mode_;
};

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seams::InitRuntime();
    seams::Reset();
  }
  void TearDown() override { seams::Reset(); }
  static std::shared_ptr<TimerWnd> Open(int64_t period, int64_t mode) {
    auto w = std::make_shared<TimerWnd>(period, mode);
    w->Constructor();
    return w;
  }
};

TEST_F(TimerTest, SingleModeFiresOnceWithTheTimerAndTurnsItselfOff) {
  auto w = Open(4000, Timer::kModeSingle);
  auto t = w->Timer1();
  EXPECT_EQ(t->Period(), 4000);
  ASSERT_EQ(seams::PendingTimers(), std::vector<std::shared_ptr<Timer>>{t});

  EXPECT_TRUE(seams::FireTimerNow(t));
  ASSERT_EQ(w->senders.size(), 1u);
  EXPECT_EQ(w->senders[0], t);
  EXPECT_EQ(t->RunMode(), Timer::kModeOff);
  EXPECT_TRUE(seams::PendingTimers().empty());
  EXPECT_FALSE(seams::FireTimerNow(t));
  EXPECT_EQ(w->senders.size(), 1u);
}

TEST_F(TimerTest, MultipleModeKeepsFiring) {
  auto w = Open(50, Timer::kModeMultiple);
  auto t = w->Timer1();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(seams::FireTimerNow(t));
  EXPECT_EQ(w->senders.size(), 3u);
  EXPECT_EQ(seams::PendingTimers().size(), 1u);
}

TEST_F(TimerTest, ModeOffDoesNotRunAndSettingAModeStartsIt) {
  auto w = Open(50, Timer::kModeOff);
  auto t = w->Timer1();
  EXPECT_TRUE(seams::PendingTimers().empty());
  t->SetRunMode(Timer::kModeSingle);
  EXPECT_EQ(seams::PendingTimers().size(), 1u);
}

TEST_F(TimerTest, RealPeriodRunsOutInTheEventLoop) {
  auto w = Open(1, Timer::kModeSingle);
  // Bounded by iterations, not by a clock: a 1 ms timer fires long before.
  for (int i = 0; i < 100000 && w->senders.empty(); ++i) seams::ProcessEvents();
  EXPECT_EQ(w->senders.size(), 1u);
  EXPECT_TRUE(seams::PendingTimers().empty());
}

// A period is a lower bound: no timer fires before its period has run out
// (Qt's coarse timers may fire up to 5% early). Several periods at once,
// since how early a coarse timer fires depends on the moment it starts.
TEST_F(TimerTest, NeverFiresBeforeItsPeriod) {
  using Clock = std::chrono::steady_clock;
  struct Run {
    std::shared_ptr<TimerWnd> window;
    Clock::time_point started;
    Clock::duration waited{};
  };
  std::vector<Run> runs;
  for (int64_t period : {300, 430, 570, 610, 780, 890, 950}) {
    Run run{Open(period, Timer::kModeOff), {}};
    run.started = Clock::now();
    run.window->Timer1()->SetRunMode(Timer::kModeSingle);
    runs.push_back(run);
  }
  // Bounded only so that a timer that never fires cannot hang the suite.
  const Clock::time_point give_up = Clock::now() + std::chrono::minutes(1);
  for (size_t fired = 0; fired < runs.size() && Clock::now() < give_up;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    fired = 0;
    for (Run& run : runs) {
      if (run.window->senders.empty()) continue;
      ++fired;
      if (run.waited == Clock::duration{}) run.waited = Clock::now() - run.started;
    }
  }
  for (const Run& run : runs) {
    const auto period = std::chrono::milliseconds(run.window->Timer1()->Period());
    ASSERT_EQ(run.window->senders.size(), 1u) << "a period of " << period.count() << " ms";
    EXPECT_GE(run.waited, period)
        << std::chrono::duration_cast<std::chrono::microseconds>(run.waited).count()
        << " us for a period of " << period.count() << " ms";
  }
}

TEST_F(TimerTest, HandlerExceptionGetsTheDefaultHandlingAndTheProgramGoesOn) {
  seams::MessageBoxes boxes;
  auto w = Open(4000, Timer::kModeMultiple);
  w->raise_in_handler = true;
  EXPECT_TRUE(seams::FireTimerNow(w->Timer1()));
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_NE(boxes.Texts()[0].find("NilObjectException"), std::string::npos);
  EXPECT_TRUE(seams::FireTimerNow(w->Timer1()));
  EXPECT_EQ(w->senders.size(), 2u);
}

TEST_F(TimerTest, PropertyTableRefusesBadValuesAndWiringRefusesWrongSignatures) {
  auto w = Open(4000, Timer::kModeOff);
  auto t = w->Timer1();
  EXPECT_THROW(_SetProperties(t, {{"RunMode", 3}}), InvalidArgumentException);
  EXPECT_THROW(_SetProperties(t, {{"Period", "soon"}}), TypeMismatchException);
  EXPECT_THROW(_SetProperties(t, {{"Caption", "x"}}), InvalidArgumentException);
  auto action = RuntimeCreateDelegate(w, &TimerWnd::Timer1_Action, "( Timer )");
  EXPECT_THROW(RuntimeAddEventHandler(t, "KeyDown", action), InvalidArgumentException);
  auto wrong = RuntimeCreateDelegate(w, &TimerWnd::NotAnAction, "(  ) as Boolean");
  EXPECT_THROW(RuntimeAddEventHandler(t, "Action", wrong), TypeMismatchException);
}

}  // namespace
