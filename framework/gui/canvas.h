// A canvas: a rectangle that shows its backdrop picture as background.
// Events: MouseDown, MouseUp ("( Canvas, Integer, Integer ) as Boolean"),
// MouseEnter, MouseExit, Open ("( Canvas )").
#pragma once

#include <memory>

#include "framework/gui/control.h"
#include "framework/gui/picture.h"

class Canvas : public RectControl {
 public:
  static constexpr const char* kClassName = "Canvas";
  Canvas();
  ~Canvas() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  // The picture drawn at the canvas's top left corner; empty draws nothing.
  const std::shared_ptr<Picture>& Backdrop() const { return backdrop_; }
  void SetBackdrop(const std::shared_ptr<Picture>& picture);

 private:
  void MakeWidget() override;

  std::shared_ptr<Picture> backdrop_;
};
