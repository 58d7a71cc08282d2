// A static text. Events: Open, MouseEnter, MouseExit ("( Label )").
#pragma once

#include <string>

#include "framework/gui/control.h"

class Label : public RectControl {
 public:
  static constexpr const char* kClassName = "Label";
  Label();
  ~Label() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  std::string Text() const;
  void SetText(const std::string& text);

 private:
  void MakeWidget() override;
};
