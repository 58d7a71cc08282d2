// Calls from the event loop into the program's code. Every one goes through
// _RuntimeDispatch (runtime.h) and so through the installed exception
// helper; Quit unwinds the call that runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/gui/delegate.h"

struct RuntimeDelegate::Native {
  // Calls the handler with sender as its first argument (when it takes one)
  // and args after it; the Boolean result, false for a handler without one.
  // The caller has checked the signature. Not through the dispatch.
  static bool Invoke(const RuntimeDelegate& handler, const std::shared_ptr<Object>& sender,
                     const std::vector<EventArg>& args) {
    return handler.InvokeErased(sender, args);
  }
};

namespace native {

// Runs fn through the dispatch; false if it raised. Does nothing and
// returns false once the application is quitting.
bool CallProgram(const std::function<void()>& fn);

// The call into the program that runs now, the innermost one (a handler
// called at a yield of a long run is a call of its own): a number that no
// other call shares, 0 while none runs.
uint64_t CurrentProgramCall();

// Ends the call into the program that runs now, and any long run under it,
// at once: the code after the point where it is called does not run. Quit
// calls it, and so does the yield point once the application quits. Does
// nothing when no call runs.
void UnwindForQuit();

}  // namespace native
