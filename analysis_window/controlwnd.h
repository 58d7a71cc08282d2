// The analysis window: the program's main window. The user types the three
// counts into it, runs the simulation from it and reads, prints and clears
// the report in it.
//
// There is one ControlWnd in the process, reached through
// ControlWnd::Instance(), the window's global accessor: it makes and builds
// the window on first use, and the framework holds it from then on. Code
// reaches a control only through the accessor named as the control; the
// program keeps no reference to a control of its own.
//
// The methods are grouped as the window's code is split:
//   controlwnd.cc            accessor, construction, control accessors,
//                            Activate, Close and Open
//   controlwnd_design.cc     the property lists and the event wiring
//   controlwnd_fields.cc     key filter, range hints, report-area events,
//                            the Calculate press, the handlers that do nothing
//   controlwnd_calculate.cc  the Calculate action and its report
//   controlwnd_buttons.cc    Print, Clear, Quit and the help button
//   controlwnd_about.cc      the About menu item
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/gui/framework.h"

class ControlWnd : public Window {
 public:
  static constexpr const char* kClassName = "ControlWnd";
  static constexpr const char* kFullClassName = "ControlWnd.ControlWnd";

  // The single main window: the implicit instance registered under
  // "ControlWnd.ControlWnd", made and built on the first call. An error
  // while it is built passes on to the caller.
  static std::shared_ptr<ControlWnd> Instance();

  // Use Instance(); public only so that the accessor can make it.
  ControlWnd();
  ~ControlWnd() override;

  const char* ClassName() const override { return kClassName; }
  std::string FullClassName() const override { return kFullClassName; }
  // Open, Activate, Close and EnableMenuItems; no key or mouse handling of
  // the window's own.
  bool IsEventImplemented(const std::string& name) const override;

  // Construction events.
  // Applies the window's design-time property list.
  void Layout() override;
  // Runs _CreateControls0.
  void CreateControls() override;
  // Makes the controls in creation order: each is made, registered, given
  // its backdrop if it is a canvas, its property list and its handlers
  // before the next one is begun.
  void _CreateControls0();

  // The controls, in creation order, typed as their classes.
  std::shared_ptr<Canvas> Canvas1();
  std::shared_ptr<TextArea> DataFld();
  std::shared_ptr<Label> authorTxt();
  std::shared_ptr<TextField> VarFld();
  std::shared_ptr<TextField> SubFld();
  std::shared_ptr<TextField> RepFld();
  std::shared_ptr<Label> VarWarning();
  std::shared_ptr<Label> SubWarning();
  std::shared_ptr<Label> RepWarning();
  std::shared_ptr<TextArea> disclaimFld();
  std::shared_ptr<PushButton> CalculateBtn();
  std::shared_ptr<PushButton> PrintBtn();
  std::shared_ptr<PushButton> ClearBtn();
  std::shared_ptr<PushButton> QuitBtn();
  std::shared_ptr<Label> Label1();
  std::shared_ptr<Label> Label2();
  std::shared_ptr<Label> Label3();
  std::shared_ptr<PushButton> Qbtn();
  std::shared_ptr<Line> Line1();
  std::shared_ptr<ProgressWheel> Pwheel();

  // Control-event handlers, in the order they are wired. A Boolean result
  // of True takes the event away from the framework; only the input fields'
  // key filter ever returns True.
  void Canvas1_MouseExit(const std::shared_ptr<Canvas>& control);
  // The report area's mouse-enter, focus and key events hide disclaimFld.
  void DataFld_MouseEnter(const std::shared_ptr<TextArea>& control);
  void DataFld_GotFocus(const std::shared_ptr<TextArea>& control);
  bool DataFld_KeyDown(const std::shared_ptr<TextArea>& control, std::string key);
  void DataFld_Open(const std::shared_ptr<TextArea>& control);
  // Key filter: digits and control characters pass; anything else beeps
  // and is discarded (True). Focus shows the field's range hint, losing it
  // hides the hint.
  bool VarFld_KeyDown(const std::shared_ptr<TextField>& control, std::string key);
  void VarFld_GotFocus(const std::shared_ptr<TextField>& control);
  void VarFld_LostFocus(const std::shared_ptr<TextField>& control);
  void VarFld_TextChange(const std::shared_ptr<TextField>& control);
  bool SubFld_KeyDown(const std::shared_ptr<TextField>& control, std::string key);
  void SubFld_GotFocus(const std::shared_ptr<TextField>& control);
  void SubFld_LostFocus(const std::shared_ptr<TextField>& control);
  void SubFld_TextChange(const std::shared_ptr<TextField>& control);
  bool RepFld_KeyDown(const std::shared_ptr<TextField>& control, std::string key);
  void RepFld_GotFocus(const std::shared_ptr<TextField>& control);
  void RepFld_LostFocus(const std::shared_ptr<TextField>& control);
  void RepFld_TextChange(const std::shared_ptr<TextField>& control);
  // Shows the progress wheel as soon as the button goes down; False lets
  // the click go on to CalculateBtn_Action.
  bool CalculateBtn_MouseDown(const std::shared_ptr<PushButton>& control, int64_t x, int64_t y);
  bool CalculateBtn_MouseUp(const std::shared_ptr<PushButton>& control, int64_t x, int64_t y);
  // Checks the three counts, runs the replications and writes the report.
  void CalculateBtn_Action(const std::shared_ptr<PushButton>& control);
  // Prints the report area's text.
  void PrintBtn_Action(const std::shared_ptr<PushButton>& control);
  // Empties the fields and the report area for the next run.
  void ClearBtn_Action(const std::shared_ptr<PushButton>& control);
  // Ends the program with exit code 0.
  void QuitBtn_Action(const std::shared_ptr<PushButton>& control);
  // Puts the help text into the report area; always False.
  bool Qbtn_MouseDown(const std::shared_ptr<PushButton>& control, int64_t x, int64_t y);
  void Pwheel_Open(const std::shared_ptr<ProgressWheel>& control);

  // Window events and the About menu item.
  // Registers the About item's handler with this window.
  void AddMenuHandlers(std::shared_ptr<Window> window) override;
  // Ends the program with exit code 0.
  void Event_Close() override;
  // Stores the line end and the input limits into VarsModule, redraws the
  // window and puts the focus into VarFld; on every activation.
  void Event_Activate() override;
  // Enables the About item.
  void Event_EnableMenuItems() override;
  // Marks disclaimFld visible (it lies outside the visible area).
  void Event_Open() override;
  // Shows the splash window again as the About window; always False.
  bool _AboutVellacor_Action();
};
