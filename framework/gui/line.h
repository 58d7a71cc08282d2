// A straight line from (X1, Y1) to (X2, Y2) in window coordinates, drawn in
// LineColor with Thickness. Events: Open ("( Line )").
#pragma once

#include <cstdint>

#include "framework/core/property.h"
#include "framework/gui/control.h"

class Line : public RectControl {
 public:
  static constexpr const char* kClassName = "Line";
  Line();
  ~Line() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  int64_t X1() const { return x1_; }
  int64_t Y1() const { return y1_; }
  int64_t X2() const { return x2_; }
  int64_t Y2() const { return y2_; }
  int64_t Thickness() const { return thickness_; }
  Color LineColor() const { return color_; }

 private:
  void MakeWidget() override;
  // Sets the bounds to just cover the line, its thickness included.
  void Place();

  int64_t x1_ = 0, y1_ = 0, x2_ = 100, y2_ = 0, thickness_ = 1;
  Color color_ = Color::FromRGB(0, 0, 0);
};
