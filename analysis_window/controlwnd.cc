#include "analysis_window/controlwnd.h"

#include "analysis_window/controlwnd_design.h"
#include "engine/vars_module.h"
#include "shell/images.h"

std::shared_ptr<ControlWnd> ControlWnd::Instance() { return ImplicitInstance<ControlWnd>(); }

ControlWnd::ControlWnd() = default;
ControlWnd::~ControlWnd() = default;

bool ControlWnd::IsEventImplemented(const std::string& name) const {
  return name == "Open" || name == "Activate" || name == "Close" || name == "EnableMenuItems";
}

void ControlWnd::Layout() {
  _SetProperties(shared_from_this(), controlwnd_design::WindowProperties());
}

void ControlWnd::CreateControls() { _CreateControls0(); }

void ControlWnd::_CreateControls0() {
  auto self = Cast<ControlWnd>(shared_from_this());
  for (const controlwnd_design::ControlDesign& design : controlwnd_design::Controls()) {
    std::shared_ptr<Control> control = design.make(*this);
    _AddControl(design.name, control);
    if (auto canvas = std::dynamic_pointer_cast<Canvas>(control))
      canvas->SetBackdrop(_x_Vellacor());
    _SetProperties(control, design.properties);
    for (const controlwnd_design::Wiring& wiring : controlwnd_design::Wirings()) {
      if (std::string(wiring.control) != design.name) continue;
      RuntimeAddEventHandler(control, wiring.event, wiring.bind(self, wiring.signature));
    }
  }
}

std::shared_ptr<Canvas> ControlWnd::Canvas1() { return Cast<Canvas>(_ControlByName("Canvas1")); }
std::shared_ptr<TextArea> ControlWnd::DataFld() {
  return Cast<TextArea>(_ControlByName("DataFld"));
}
std::shared_ptr<Label> ControlWnd::authorTxt() { return Cast<Label>(_ControlByName("authorTxt")); }
std::shared_ptr<TextField> ControlWnd::VarFld() {
  return Cast<TextField>(_ControlByName("VarFld"));
}
std::shared_ptr<TextField> ControlWnd::SubFld() {
  return Cast<TextField>(_ControlByName("SubFld"));
}
std::shared_ptr<TextField> ControlWnd::RepFld() {
  return Cast<TextField>(_ControlByName("RepFld"));
}
std::shared_ptr<Label> ControlWnd::VarWarning() {
  return Cast<Label>(_ControlByName("VarWarning"));
}
std::shared_ptr<Label> ControlWnd::SubWarning() {
  return Cast<Label>(_ControlByName("SubWarning"));
}
std::shared_ptr<Label> ControlWnd::RepWarning() {
  return Cast<Label>(_ControlByName("RepWarning"));
}
std::shared_ptr<TextArea> ControlWnd::disclaimFld() {
  return Cast<TextArea>(_ControlByName("disclaimFld"));
}
std::shared_ptr<PushButton> ControlWnd::CalculateBtn() {
  return Cast<PushButton>(_ControlByName("CalculateBtn"));
}
std::shared_ptr<PushButton> ControlWnd::PrintBtn() {
  return Cast<PushButton>(_ControlByName("PrintBtn"));
}
std::shared_ptr<PushButton> ControlWnd::ClearBtn() {
  return Cast<PushButton>(_ControlByName("ClearBtn"));
}
std::shared_ptr<PushButton> ControlWnd::QuitBtn() {
  return Cast<PushButton>(_ControlByName("QuitBtn"));
}
std::shared_ptr<Label> ControlWnd::Label1() { return Cast<Label>(_ControlByName("Label1")); }
std::shared_ptr<Label> ControlWnd::Label2() { return Cast<Label>(_ControlByName("Label2")); }
std::shared_ptr<Label> ControlWnd::Label3() { return Cast<Label>(_ControlByName("Label3")); }
std::shared_ptr<PushButton> ControlWnd::Qbtn() { return Cast<PushButton>(_ControlByName("Qbtn")); }
std::shared_ptr<Line> ControlWnd::Line1() { return Cast<Line>(_ControlByName("Line1")); }
std::shared_ptr<ProgressWheel> ControlWnd::Pwheel() {
  return Cast<ProgressWheel>(_ControlByName("Pwheel"));
}

void ControlWnd::Event_Close() { Quit(0); }

void ControlWnd::Event_Activate() {
  VarsModule::kEOL = Chr(13);
  VarsModule::SubMin = 50;
  VarsModule::SubMax = 2500;
  VarsModule::VarMin = 3;
  VarsModule::VarMax = 200;
  VarsModule::RepMin = 1;
  VarsModule::RepMax = 1000;
  Refresh(true);
  NotNil(VarFld())->SetFocus();
}

void ControlWnd::Event_Open() { NotNil(disclaimFld())->SetVisible(true); }
