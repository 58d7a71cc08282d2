#include "shell/splash_wnd.h"

#include <vector>

#include "analysis_window/controlwnd.h"
#include "framework/gui/startup.h"
#include "shell/images.h"
#include "shell/version_notice.h"

namespace {

constexpr Color kWhite = Color::FromRGB(0xFF, 0xFF, 0xFF);
constexpr Color kGrey = Color::FromRGB(0x66, 0x66, 0x66);

const PropertyList& WindowProperties() {
  static const PropertyList properties = {
      {"Width", 414},
      {"Height", 250},
      {"MinimumWidth", 64},
      {"MinimumHeight", 64},
      {"MaximumWidth", 32000},
      {"MaximumHeight", 32000},
      {"Type", 2},
      {"Title", "Splash"},
      {"HasCloseButton", false},
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
      {"BackgroundColor", kWhite},
      {"MenuBarVisible", true},
      {"LiveResize", false},
  };
  return properties;
}

// What every visual control of the window carries besides its own list.
// Index -1: a member of no control set.
PropertyList Common(int left, int top, int width, int height, int tab_index, bool tab_stop,
                    bool lock_left_top) {
  return {
      {"Index", -1},
      {"Left", left},
      {"Top", top},
      {"Width", width},
      {"Height", height},
      {"LockLeft", lock_left_top},
      {"LockTop", lock_left_top},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabIndex", tab_index},
      {"TabPanelIndex", 0},
      {"TabStop", tab_stop},
      {"InitialParent", ""},
      {"Visible", true},
      {"Enabled", true},
      {"AllowAutoDeactivate", true},
      {"Tooltip", ""},
  };
}

PropertyList Join(PropertyList first, const PropertyList& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

PropertyList CanvasProperties(int left, int top, int width, int height, int tab_index,
                              bool lock_left_top) {
  return Join(Common(left, top, width, height, tab_index, true, lock_left_top),
              {{"Transparent", true},
               {"DoubleBuffer", false},
               {"AllowFocus", false},
               {"AllowFocusRing", true},
               {"AllowTabs", false}});
}

const PropertyList& Canvas1Properties() {
  static const PropertyList properties = CanvasProperties(20, 30, 374, 99, 0, false);
  return properties;
}

const PropertyList& StaticText1Properties() {
  static const PropertyList properties =
      Join(Common(0, 213, 414, 35, 2, false, false), {{"Text", std::string(kVersionNotice)},
                                                      {"TextColor", kGrey},
                                                      {"FontName", "System"},
                                                      {"FontSize", 10},
                                                      {"FontUnit", 0},
                                                      {"Bold", false},
                                                      {"Italic", false},
                                                      {"Underline", false},
                                                      {"TextAlignment", 2},
                                                      {"Multiline", false},
                                                      {"Selectable", false},
                                                      {"Transparent", false},
                                                      {"DataField", ""},
                                                      {"DataSource", ""}});
  return properties;
}

const PropertyList& Canvas3Properties() {
  static const PropertyList properties = CanvasProperties(174, 141, 65, 56, 3, true);
  return properties;
}

const PropertyList& Timer1Properties() {
  // The period first: setting the mode starts the timer.
  static const PropertyList properties = {{"Period", 4000}, {"RunMode", 1}};
  return properties;
}

}  // namespace

std::shared_ptr<SplashWnd> SplashWnd::Instance() { return ImplicitInstance<SplashWnd>(); }

void SplashWnd::_RegisterClass() {
  RuntimeRegisterClass(kFullClassName);
  RuntimeRegisterEventHandled(kFullClassName, "KeyDown");
  RuntimeRegisterEventHandled(kFullClassName, "MouseDown");
}

SplashWnd::SplashWnd() = default;
SplashWnd::~SplashWnd() = default;

void SplashWnd::Layout() { _SetProperties(shared_from_this(), WindowProperties()); }

void SplashWnd::CreateControls() { _CreateControls0(); }

void SplashWnd::_CreateControls0() {
  _AddControl("Canvas1", _New<Canvas>());
  NotNil(Canvas1())->SetBackdrop(_x_Vellacor());
  _SetProperties(Canvas1(), Canvas1Properties());

  _AddControl("StaticText1", _New<Label>());
  _SetProperties(StaticText1(), StaticText1Properties());

  _AddControl("Canvas3", _New<Canvas>());
  NotNil(Canvas3())->SetBackdrop(_x_VovUderod());
  _SetProperties(Canvas3(), Canvas3Properties());

  _AddControl("Timer1", _New<Timer>());
  _SetProperties(Timer1(), Timer1Properties());
  auto self = Cast<SplashWnd>(shared_from_this());
  RuntimeAddEventHandler(Timer1(), "Action",
                         RuntimeCreateDelegate(self, &SplashWnd::Timer1_Action, "( Timer )"));
}

std::shared_ptr<Canvas> SplashWnd::Canvas1() { return Cast<Canvas>(_ControlByName("Canvas1")); }
std::shared_ptr<Label> SplashWnd::StaticText1() {
  return Cast<Label>(_ControlByName("StaticText1"));
}
std::shared_ptr<Canvas> SplashWnd::Canvas3() { return Cast<Canvas>(_ControlByName("Canvas3")); }
std::shared_ptr<Timer> SplashWnd::Timer1() { return Cast<Timer>(_ControlByName("Timer1")); }

void SplashWnd::HandOver() {
  // Hide first, so that the main window, made on the first hand-over, is
  // built with the splash window already gone.
  NotNil(SplashWnd::Instance())->Hide();
  NotNil(ControlWnd::Instance())->Show();
}

void SplashWnd::Timer1_Action(const std::shared_ptr<Timer>& timer) {
  (void)timer;
  HandOver();
}

bool SplashWnd::Event_KeyDown(std::string key) {
  (void)key;
  HandOver();
  return false;
}

bool SplashWnd::Event_MouseDown(int64_t x, int64_t y) {
  (void)x;
  (void)y;
  HandOver();
  return false;
}

bool SplashWnd::IsEventImplemented(const std::string& name) const {
  auto self = std::const_pointer_cast<Object>(weak_from_this().lock());
  return _RuntimeIsEventHandled(self, kFullClassName, name, true);
}
