// A timer: a non-visual control that raises its Action event ("( Timer )")
// every Period milliseconds, never before the period has run out (a busy
// event loop may make it later). RunMode 0 is off, 1 fires once and then turns
// itself off (RunMode reads 0 again), 2 fires repeatedly. The timer runs
// as soon as a non-zero RunMode is set, through its property list or
// SetRunMode; setting Period or RunMode again starts the period afresh. It
// fires whether or not its window is shown, for as long as the timer lives.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/gui/control.h"

class Timer : public Control {
 public:
  static constexpr const char* kClassName = "Timer";
  static constexpr int64_t kModeOff = 0, kModeSingle = 1, kModeMultiple = 2;

  Timer();
  ~Timer() override;
  const char* ClassName() const override { return kClassName; }
  // Period and RunMode, besides the properties of every control.
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  int64_t Period() const { return period_; }
  void SetPeriod(int64_t milliseconds);
  int64_t RunMode() const { return run_mode_; }
  // Raises InvalidArgumentException for a mode other than 0, 1 or 2.
  void SetRunMode(int64_t mode);
  // Starts the period afresh.
  void Reset();

  struct Native;

 private:
  void Restart();
  void Fire();

  int64_t period_ = 1000;
  int64_t run_mode_ = kModeOff;
  std::unique_ptr<Native> native_;
  friend struct Native;
};
