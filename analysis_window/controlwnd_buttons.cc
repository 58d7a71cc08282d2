// Print, Clear, Quit and the help button.
#include "analysis_window/controlwnd.h"
#include "framework/gui/printing.h"
#include "shell/splash_wnd.h"

void ControlWnd::PrintBtn_Action(const std::shared_ptr<PushButton>& /*control*/) {
  std::shared_ptr<TextArea> area = NotNil(DataFld());
  if (Len(area->Text()) == 0) {
    Beep();
    MsgBox("Nothing to print.");
    return;
  }

  std::shared_ptr<Graphics> g = OpenPrinterDialog(nullptr, nullptr);
  if (!g) return;  // cancelled

  // The job owns the report area's text until its last page: input that
  // arrives at its yields is refused, as during a Calculate run.
  const RunGuard guard(Cast<Window>(shared_from_this()), {"QuitBtn"}, {"AboutVellacor"},
                       {SplashWnd::kFullClassName});
  std::shared_ptr<StyledTextPrinter> stp = NotNil(area->styledTextPrinter(g, 540));
  while (!stp->Eof()) {
    stp->DrawBlock(0, 0, 720);
    if (!stp->Eof()) g->NextPage();
    RuntimeYieldNow();
  }
}

void ControlWnd::ClearBtn_Action(const std::shared_ptr<PushButton>& /*control*/) {
  NotNil(DataFld())->SetText("");
  NotNil(SubFld())->SetText("");
  NotNil(VarFld())->SetText("");
  NotNil(RepFld())->SetText("");
  NotNil(VarFld())->SetFocus();
  NotNil(disclaimFld())->SetVisible(false);
}

void ControlWnd::QuitBtn_Action(const std::shared_ptr<PushButton>& /*control*/) { Quit(0); }

bool ControlWnd::Qbtn_MouseDown(const std::shared_ptr<PushButton>& /*control*/, int64_t /*x*/,
                                int64_t /*y*/) {
  NotNil(DataFld())->SetText(NotNil(disclaimFld())->Text());
  return false;
}
