// Calls from the event loop into the program's code. Every one goes through
// _RuntimeDispatch (runtime.h) and so through the installed exception
// helper; Quit unwinds the call that runs.
#pragma once

#include <functional>

namespace native {

// Runs fn through the dispatch; false if it raised. Does nothing and
// returns false once the application is quitting.
bool CallProgram(const std::function<void()>& fn);

// Ends the call into the program that runs now, and any long run under it,
// at once: the code after the point where it is called does not run. Quit
// calls it, and so does the yield point once the application quits. Does
// nothing when no call runs.
void UnwindForQuit();

}  // namespace native
