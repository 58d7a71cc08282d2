// What the shell's tests share: a process put back to its start, and a
// script of steps run one by one from the event loop.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "framework/gui/application.h"
#include "framework/gui/filetype.h"
#include "framework/gui/startup.h"
#include "framework/gui/timer.h"
#include "framework/testing/seams.h"
#include "shell/splash_wnd.h"
#include "shell/startup.h"

namespace shell_test {

// As if the process had just been launched: no window, no quit, no
// application object, no registration. With initializers, the program's
// static initialisers have then run, as they have when _Main starts.
inline void FreshProcess(bool initializers = true) {
  seams::InitRuntime();
  seams::Reset();
  if (initializers) {
    _AddStaticInitializers();
    RuntimePerformInitializers();
  }
}

// Steps that run from the event loop, one per turn of it, each from a
// single-shot timer that the previous step re-arms: a step that runs a
// long action (a Calculate, say) is never entered twice.
class LoopScript : public Object {
 public:
  static constexpr const char* kClassName = "LoopScript";

  static std::shared_ptr<LoopScript> Make(std::vector<std::function<void()>> steps) {
    auto script = std::make_shared<LoopScript>();
    script->steps_ = std::move(steps);
    script->timer_ = std::make_shared<Timer>();
    RuntimeAddEventHandler(script->timer_, "Action",
                           RuntimeCreateDelegate(script, &LoopScript::Tick, "( Timer )"));
    script->timer_->SetPeriod(0);
    script->timer_->SetRunMode(Timer::kModeSingle);
    return script;
  }

  // How many steps have begun.
  size_t Begun() const { return begun_; }

  void Tick(const std::shared_ptr<Timer>& timer) {
    if (begun_ == steps_.size()) return;
    steps_[begun_++]();
    if (begun_ < steps_.size()) timer->SetRunMode(Timer::kModeSingle);
  }

 private:
  std::vector<std::function<void()>> steps_;
  std::shared_ptr<Timer> timer_;
  size_t begun_ = 0;
};

// The program as the user first meets it: started up, its menu bar
// installed, the splash window dismissed by a key; the main window.
inline std::shared_ptr<ControlWnd> StartProgram() {
  FreshProcess();
  _EarlyStartup();
  _MakeDefaultView();
  seams::ProcessEvents();
  seams::PressKey(SplashWnd::Instance(), "a");
  seams::ProcessEvents();
  return ControlWnd::Instance();
}

}  // namespace shell_test
