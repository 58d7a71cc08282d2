// The input fields' key filter and range hints, the report area's events,
// the press on Calculate, and the events wired to handlers that do nothing.
#include "analysis_window/controlwnd.h"

namespace {

// Digits and control characters pass; any other key beeps and is
// discarded (True). The comparison takes the key text as a whole, so a
// longer text passes when it sorts between "0" and "9".
bool FilterKey(const std::string& key) {
  const int64_t code = Asc(key);
  const bool digit = StrCompare(key, "0") >= 0 && StrCompare(key, "9") <= 0;
  if (digit || code < 32 || code == 127) return false;
  Beep();
  return true;
}

}  // namespace

void ControlWnd::Canvas1_MouseExit(const std::shared_ptr<Canvas>& /*control*/) {}

void ControlWnd::DataFld_MouseEnter(const std::shared_ptr<TextArea>& /*control*/) {
  NotNil(disclaimFld())->SetVisible(false);
}

void ControlWnd::DataFld_GotFocus(const std::shared_ptr<TextArea>& /*control*/) {
  NotNil(disclaimFld())->SetVisible(false);
}

bool ControlWnd::DataFld_KeyDown(const std::shared_ptr<TextArea>& /*control*/,
                                 std::string /*key*/) {
  NotNil(disclaimFld())->SetVisible(false);
  return false;  // the report area is freely editable
}

void ControlWnd::DataFld_Open(const std::shared_ptr<TextArea>& /*control*/) {}

bool ControlWnd::VarFld_KeyDown(const std::shared_ptr<TextField>& /*control*/, std::string key) {
  return FilterKey(key);
}

void ControlWnd::VarFld_GotFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(VarWarning())->SetVisible(true);
}

void ControlWnd::VarFld_LostFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(VarWarning())->SetVisible(false);
}

void ControlWnd::VarFld_TextChange(const std::shared_ptr<TextField>& /*control*/) {}

bool ControlWnd::SubFld_KeyDown(const std::shared_ptr<TextField>& /*control*/, std::string key) {
  return FilterKey(key);
}

void ControlWnd::SubFld_GotFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(SubWarning())->SetVisible(true);
}

void ControlWnd::SubFld_LostFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(SubWarning())->SetVisible(false);
}

void ControlWnd::SubFld_TextChange(const std::shared_ptr<TextField>& /*control*/) {}

bool ControlWnd::RepFld_KeyDown(const std::shared_ptr<TextField>& /*control*/, std::string key) {
  return FilterKey(key);
}

void ControlWnd::RepFld_GotFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(RepWarning())->SetVisible(true);
}

void ControlWnd::RepFld_LostFocus(const std::shared_ptr<TextField>& /*control*/) {
  NotNil(RepWarning())->SetVisible(false);
}

void ControlWnd::RepFld_TextChange(const std::shared_ptr<TextField>& /*control*/) {}

bool ControlWnd::CalculateBtn_MouseDown(const std::shared_ptr<PushButton>& /*control*/,
                                        int64_t /*x*/, int64_t /*y*/) {
  // The wheel shows before the run's checks; False lets the click go on to
  // the button's Action.
  NotNil(Pwheel())->SetVisible(true);
  return false;
}

bool ControlWnd::CalculateBtn_MouseUp(const std::shared_ptr<PushButton>& /*control*/, int64_t /*x*/,
                                      int64_t /*y*/) {
  return false;
}

void ControlWnd::Pwheel_Open(const std::shared_ptr<ProgressWheel>& /*control*/) {}
