// The splash window, which doubles as the About window: the product
// picture, a second picture and the one-line notice. Shown first at
// start-up; it hides itself and shows the main window when its timer fires
// (once, 4000 ms after it was built) or when it receives a key press or a
// click. It is only ever hidden, never closed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/gui/framework.h"
#include "framework/gui/timer.h"

class SplashWnd : public Window {
 public:
  static constexpr const char* kClassName = "SplashWnd";
  static constexpr const char* kFullClassName = "SplashWnd.SplashWnd";

  // The single splash window: the implicit instance registered under
  // "SplashWnd.SplashWnd", made and built (and so shown) on the first call.
  static std::shared_ptr<SplashWnd> Instance();

  // Registers the class and the window events it handles (KeyDown and
  // MouseDown); one of the program's static initialisers.
  static void _RegisterClass();

  // Use Instance(); public only so that the accessor can make it.
  SplashWnd();
  ~SplashWnd() override;

  const char* ClassName() const override { return kClassName; }
  std::string FullClassName() const override { return kFullClassName; }

  // Construction events.
  // Applies the window's design-time property list.
  void Layout() override;
  // Runs _CreateControls0.
  void CreateControls() override;
  // Makes Canvas1, StaticText1, Canvas3 and Timer1 in this order.
  void _CreateControls0();

  // The controls, typed as their classes.
  std::shared_ptr<Canvas> Canvas1();
  std::shared_ptr<Label> StaticText1();
  std::shared_ptr<Canvas> Canvas3();
  std::shared_ptr<Timer> Timer1();

  // The three ways out: each hides this window, then shows the main window
  // (made on first use). The key and the position are not used; the Boolean
  // results are always False.
  void Timer1_Action(const std::shared_ptr<Timer>& timer);
  bool Event_KeyDown(std::string key) override;
  bool Event_MouseDown(int64_t x, int64_t y) override;

  // Asks the framework whether the class handles the event of that name.
  bool IsEventImplemented(const std::string& name) const override;

 private:
  static void HandOver();
};
