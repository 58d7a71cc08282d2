// A single-line text field with a maximum length and an input mask.
// Events: KeyDown ("( TextField, String ) as Boolean", True discards the
// key before the field sees it), GotFocus, LostFocus, TextChange, Open,
// MouseEnter, MouseExit ("( TextField )").
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/control.h"

class TextField : public RectControl {
 public:
  static constexpr const char* kClassName = "TextField";
  TextField();
  ~TextField() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  std::string Text() const;
  // Replaces the whole text (the maximum length still applies).
  void SetText(const std::string& text);

  // 0 means no limit.
  int64_t MaximumCharactersAllowed() const;
  // "#" stands for one digit; a mask of only "#" takes digits only. Empty
  // means no mask.
  const std::string& ValidationMask() const { return mask_; }

 private:
  void MakeWidget() override;

  std::string mask_;
};
