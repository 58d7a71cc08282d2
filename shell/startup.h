// Start-up and shutdown: from the process entry to the framework's event
// loop and back out.
//
//   main -> ProcessMain: RuntimeInit, the static initialisers, _Main,
//           the finalisers, RuntimeExit
//   _Main:  the exception helper, _EarlyStartup, the framework's
//           initialisation (which calls _LateStartup), the event loop
//
// A failed step skips every later one, the event loop included, and the
// exception goes to _UnhandledException; the finalisers and the exit run
// however _Main ended.
#pragma once

#include <memory>

#include "framework/core/exceptions.h"

// main's steps; main.cc only forwards to it, so that tests can run the
// whole program in their own process. Returns the exit status.
int ProcessMain(int argc, char** argv, char** envp);

// Adds the program's static initialisers to the runtime, in the order the
// program needs: the file types, ControlWnd, the menu bar's holder and
// Menu, the splash window's timer and SplashWnd, VarsModule, App last.
void _AddStaticInitializers();

// The start-up routine; returns when the event loop has ended, or at once
// after a failed start-up.
void _Main();

// The exception helper that _Main installs: calls function(argument) and
// returns the RuntimeException it raised, no longer pending, or empty when
// it raised none. Any other exception passes through.
std::shared_ptr<RuntimeException> _CallFunctionWithExceptionHandling(void (*function)(void*),
                                                                     void* argument);

// High-resolution support, the framework's own classes and plug-in entry
// points, the file type, the application object, the application's menu
// handlers; in this order.
void _EarlyStartup();
// Declares and registers the file type.
void _InitFileTypes();
// Makes the App object, gives it its version data and the menu bar, and
// registers it with the framework.
void _NewAppInstance();
// The application has no menu handlers of its own; the About handler
// belongs to the main window.
void _ApplicationAddMenuHandlers();
// Called by the framework once its initialisation is complete: makes the
// default window unless an exception is already pending.
void _LateStartup();
// Makes the splash window, the first window on screen.
void _MakeDefaultView();
