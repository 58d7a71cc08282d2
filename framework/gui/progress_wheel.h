// An animated wheel that keeps turning while it is visible, also during a
// long run (it advances at the run's yield points). Events: Open
// ("( ProgressWheel )").
#pragma once

#include "framework/gui/control.h"

class ProgressWheel : public RectControl {
 public:
  static constexpr const char* kClassName = "ProgressWheel";
  ProgressWheel();
  ~ProgressWheel() override;
  const char* ClassName() const override { return kClassName; }
  std::map<std::string, EventShape> Events() const override;

 private:
  void MakeWidget() override;
};
