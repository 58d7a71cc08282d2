// Placeholders for the button handlers until controlwnd_calculate.cc and
// controlwnd_buttons.cc replace this file.
#include "analysis_window/controlwnd.h"

void ControlWnd::CalculateBtn_Action(const std::shared_ptr<PushButton>& control) {
  (void)control;
}

void ControlWnd::PrintBtn_Action(const std::shared_ptr<PushButton>& control) {
  (void)control;
}

void ControlWnd::ClearBtn_Action(const std::shared_ptr<PushButton>& control) {
  (void)control;
}

void ControlWnd::QuitBtn_Action(const std::shared_ptr<PushButton>& control) {
  (void)control;
}

bool ControlWnd::Qbtn_MouseDown(const std::shared_ptr<PushButton>& control, int64_t x,
                                int64_t y) {
  (void)control;
  (void)x;
  (void)y;
  return false;
}
