// The runtime: the Qt application object, the event loop, quitting, and the
// one road by which the framework calls the program's code.
//
// Every call from the event loop into the program (an event handler, a menu
// handler, a timer action) goes through the installed exception helper. A
// RuntimeException that the helper hands back, or any other exception that
// leaves the call, gets the default handling of _UnhandledException and the
// program goes on. No exception ever crosses Qt's event loop.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "framework/core/exceptions.h"

// The exception helper: calls fn(arg) and returns the RuntimeException that
// the call raised (it no longer propagates), or empty when it raised none.
// Any other exception passes through it.
using ExceptionHelper = std::shared_ptr<RuntimeException> (*)(void (*fn)(void*), void* arg);

// Makes the Qt application object and installs the yield handler. Call
// once, before anything else of the framework's GUI. Qt is given argv[0]
// only: no argument has any effect. envp is accepted for the start-up
// code's sake and not used. Where the platform cannot start (no graphical
// display), writes one line saying so to standard error and ends the
// process with kExitNoDisplay.
constexpr int kExitNoDisplay = 69;  // EX_UNAVAILABLE of <sysexits.h>
void RuntimeInit(int argc, char** argv, char** envp);

// Installs the exception helper; kept for the rest of the process. Until one
// is installed, a RuntimeException that a call raises is handled as if a
// helper had handed it back.
void _RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs a call into the program's code, fn(arg), through the exception
// helper; an exception it hands back, or any other that leaves the call,
// gets the default handling. Returns false when the call raised, and does
// nothing but return false once the application is quitting.
bool _RuntimeDispatch(void (*fn)(void*), void* arg);

// Runs the event loop; returns when the application quits (at once if Quit
// was already called).
void _RuntimeRun();

// Ends the application with the exit code. Called from a handler, it also
// ends that handler at once, and any long run the handler is part of: the
// code after the call does not run.
void Quit(int64_t code = 0);

// The exit status: the code given to Quit, 0 if it was never called.
int64_t RuntimeExit();

// True once Quit has been called.
bool RuntimeQuitting();

// The default handling of an exception that nothing caught: a message box
// naming the exception's class and message, the same line on standard
// error; then it returns and the program goes on. Empty does nothing.
void _UnhandledException(const std::shared_ptr<RuntimeException>& exception);

// A guard for a long run inside a handler. While one lives, user input that
// arrives at the yield points does not reach the program or the text
// controls: a key press, a composed character, a drop or a click on a push
// button is refused with a beep; a click into a text control changes
// nothing, not even the focus. Input to the controls named at construction
// (by their names in the guarded window), to the windows named (by their
// full class names), the menu items named, the windows' close boxes and the
// menu's quit item go through as usual. Painting, animation and window
// moves go on. Guards nest; the innermost one decides.
class Window;
class RunGuard {
 public:
  RunGuard(const std::shared_ptr<Window>& window,
           std::initializer_list<const char*> allowed_controls,
           std::initializer_list<const char*> allowed_menu_items = {},
           std::initializer_list<const char*> allowed_windows = {});
  ~RunGuard();
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;

  struct State;

 private:
  State* previous_;
  std::unique_ptr<State> state_;
};
