// A window declared the way the program declares its windows: a property
// list, controls made in order and registered by name, handlers wired as
// delegates. The handlers log what they see.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/framework.h"

class TestWnd : public Window {
 public:
  static constexpr const char* kClassName = "TestWnd";
  std::string FullClassName() const override { return "TestWnd.TestWnd"; }

  void Layout() override {
    _SetProperties(shared_from_this(),
                   {{"Width", 500},
                    {"Height", 600},
                    {"MinimumWidth", 64},
                    {"MinimumHeight", 64},
                    {"MaximumWidth", 450},
                    {"MaximumHeight", 550},
                    {"Type", 0},
                    {"Title", "Test window"},
                    {"HasCloseButton", true},
                    {"HasMaximizeButton", false},
                    {"HasMinimizeButton", true},
                    {"HasFullScreenButton", false},
                    {"Resizeable", false},
                    {"Composite", false},
                    {"MacProcID", 0},
                    {"FullScreen", false},
                    {"DefaultLocation", 0},
                    {"Visible", true},
                    {"HasBackgroundColor", true},
                    {"BackgroundColor", Color::FromStored(0xFF, 0xFF, 0xFF, 0x00)},
                    {"MenuBarVisible", true},
                    {"LiveResize", false}});
  }

  void CreateControls() override {
    auto self = Cast<TestWnd>(shared_from_this());
    auto canvas = _New<Canvas>();
    _AddControl("Canvas1", canvas);
    canvas->SetBackdrop(backdrop);
    _SetProperties(canvas, {{"Left", 62},
                            {"Top", 2},
                            {"Width", 375},
                            {"Height", 101},
                            {"Enabled", false},
                            {"AllowFocus", false},
                            {"TabIndex", 0}});

    auto report = _New<TextArea>();
    _AddControl("Report", report);
    _SetProperties(report, {{"Left", 20},
                            {"Top", 260},
                            {"Width", 460},
                            {"Height", 275},
                            {"FontName", "Courier"},
                            {"FontSize", 11},
                            {"TabIndex", 1},
                            {"TabStop", false},
                            {"AllowTabs", false},
                            {"HasVerticalScrollbar", true},
                            {"HasHorizontalScrollbar", false}});
    RuntimeAddEventHandler(
        report, "KeyDown",
        RuntimeCreateDelegate(self, &TestWnd::Report_KeyDown, "( TextArea, String ) as Boolean"));

    for (int i = 0; i < 3; ++i) {
      const std::string name = "Field" + std::to_string(i + 1);
      auto field = _New<TextField>();
      _AddControl(name, field);
      _SetProperties(field, {{"Left", 205},
                             {"Top", 148 + 24 * i},
                             {"Width", 40},
                             {"Height", 20},
                             {"TabIndex", 8 - i},
                             {"TabStop", true},
                             {"TextAlignment", 2},
                             {"MaximumCharactersAllowed", 3},
                             {"ValidationMask", "###"}});
      RuntimeAddEventHandler(
          field, "KeyDown",
          RuntimeCreateDelegate(self, &TestWnd::Field_KeyDown, "( TextField, String ) as Boolean"));
      RuntimeAddEventHandler(
          field, "GotFocus",
          RuntimeCreateDelegate(self, &TestWnd::Field_GotFocus, "( TextField )"));
      RuntimeAddEventHandler(
          field, "LostFocus",
          RuntimeCreateDelegate(self, &TestWnd::Field_LostFocus, "( TextField )"));
    }

    // A field with the digits mask and no key filter of its own.
    auto free_field = _New<TextField>();
    _AddControl("Free", free_field);
    _SetProperties(free_field, {{"Left", 300},
                                {"Top", 196},
                                {"Width", 60},
                                {"Height", 20},
                                {"ValidationMask", "###"},
                                {"TabStop", false}});

    auto hint = _New<Label>();
    _AddControl("Hint", hint);
    _SetProperties(hint, {{"Left", 249},
                          {"Top", 150},
                          {"Width", 100},
                          {"Height", 16},
                          {"Text", "(3 - 200)"},
                          {"Visible", false},
                          {"TextColor", Color::FromStored(0x1D, 0x1F, 0xEF, 0x00)}});

    auto run = _New<PushButton>();
    _AddControl("RunBtn", run);
    _SetProperties(run, {{"Left", 20},
                         {"Top", 560},
                         {"Width", 70},
                         {"Height", 20},
                         {"Caption", "Run"},
                         {"TabIndex", 15},
                         {"Default", true}});
    RuntimeAddEventHandler(run, "MouseDown",
                           RuntimeCreateDelegate(self, &TestWnd::RunBtn_MouseDown,
                                                 "( PushButton, Integer, Integer ) as Boolean"));
    RuntimeAddEventHandler(run, "Action",
                           RuntimeCreateDelegate(self, &TestWnd::RunBtn_Action, "( PushButton )"));

    auto quit = _New<PushButton>();
    _AddControl("QuitBtn", quit);
    _SetProperties(quit, {{"Left", 350},
                          {"Top", 560},
                          {"Width", 70},
                          {"Height", 20},
                          {"Caption", "Quit"},
                          {"TabIndex", 18},
                          {"Bold", true}});
    RuntimeAddEventHandler(quit, "Action",
                           RuntimeCreateDelegate(self, &TestWnd::QuitBtn_Action, "( PushButton )"));

    auto help = _New<PushButton>();
    _AddControl("HelpBtn", help);
    _SetProperties(help, {{"Left", 458},
                          {"Top", 553},
                          {"Width", 30},
                          {"Height", 30},
                          {"Caption", ""},
                          {"MacButtonStyle", 9},
                          {"TabIndex", 25},
                          {"Default", true}});

    auto line = _New<Line>();
    _AddControl("Line1", line);
    _SetProperties(line, {{"X1", 22},
                          {"Y1", 250},
                          {"X2", 478},
                          {"Y2", 250},
                          {"Thickness", 8},
                          {"LineColor", Color::FromStored(0x5A, 0x60, 0x18, 0x00)}});

    auto wheel = _New<ProgressWheel>();
    _AddControl("Wheel", wheel);
    _SetProperties(
        wheel, {{"Left", 407}, {"Top", 162}, {"Width", 30}, {"Height", 30}, {"Visible", false}});
  }

  void Event_Open() override { log.push_back("Open"); }
  void Event_Activate() override { ++activations; }
  void Event_Close() override {
    log.push_back("Close");
    Quit(0);
  }

  template <typename T>
  std::shared_ptr<T> Get(const std::string& name) {
    return NotNil(Cast<T>(_ControlByName(name)));
  }

  // Digits and control characters pass; anything else beeps and is dropped.
  bool Field_KeyDown(std::shared_ptr<TextField> field, std::string key) {
    keys.push_back(field->Name() + ":" + key);
    const int64_t code = Asc(key);
    if ((StrCompare(key, "0") >= 0 && StrCompare(key, "9") <= 0) || code < 32 || code == 127)
      return false;
    Beep();
    return true;
  }
  void Field_GotFocus(std::shared_ptr<TextField> field) {
    log.push_back("Got " + field->Name());
    if (field->Name() == "Field1") Get<Label>("Hint")->SetVisible(true);
  }
  void Field_LostFocus(std::shared_ptr<TextField> field) {
    log.push_back("Lost " + field->Name());
    if (field->Name() == "Field1") Get<Label>("Hint")->SetVisible(false);
  }
  bool Report_KeyDown(std::shared_ptr<TextArea>, std::string key) {
    keys.push_back("Report:" + key);
    return false;
  }
  bool RunBtn_MouseDown(std::shared_ptr<PushButton>, int64_t x, int64_t y) {
    log.push_back("MouseDown " + Str(x) + "," + Str(y));
    Get<ProgressWheel>("Wheel")->SetVisible(true);
    return take_mouse_down;
  }
  void RunBtn_Action(std::shared_ptr<PushButton>) {
    log.push_back("Action");
    if (on_run) on_run();
  }
  void QuitBtn_Action(std::shared_ptr<PushButton>) {
    log.push_back("Quit");
    Quit(quit_code);
  }

  std::shared_ptr<Picture> backdrop;
  std::vector<std::string> log;
  std::vector<std::string> keys;
  int activations = 0;
  bool take_mouse_down = false;
  int64_t quit_code = 0;
  std::function<void()> on_run;
};

// The implicit instance, made on first use like the program's accessors.
inline std::shared_ptr<TestWnd> TheTestWnd() {
  auto w = _GetImplicitWindow("TestWnd.TestWnd");
  if (!w) {
    auto made = std::make_shared<TestWnd>();
    made->Constructor();
    w = made;
  }
  return Cast<TestWnd>(w);
}
