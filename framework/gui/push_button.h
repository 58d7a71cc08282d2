// A push button. Events: Action ("( PushButton )"), raised by a click or by
// the keyboard; MouseDown and MouseUp ("( PushButton, Integer, Integer ) as
// Boolean", the position in the button): a MouseDown handler returning False
// lets the press go on, so that the click still ends in Action; True takes
// the press away. MacButtonStyle 9 draws a round help button with a
// question mark; other styles draw the plain button. Return or Enter in a
// text field of the window raises the Action of the first button marked
// Default, in creation order, as the space bar on a focused button does:
// no MouseDown or MouseUp, since no mouse button went down.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/control.h"

class PushButton : public RectControl {
 public:
  static constexpr const char* kClassName = "PushButton";
  static constexpr int64_t kHelpStyle = 9;
  PushButton();
  ~PushButton() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  int64_t ButtonStyle() const { return style_; }
  bool Default() const { return default_; }

 private:
  void MakeWidget() override;

  int64_t style_ = 0;
  bool default_ = false;
};
