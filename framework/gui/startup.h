// Start-up and shutdown of the runtime, around the event loop of runtime.h:
//
//   RuntimeInit(argc, argv, envp);        // runtime.h
//   RuntimePerformInitializers();
//   ... _Main: _RuntimeHasPendingException(), _RuntimeSetExceptionHelper,
//       early start-up, _RunFrameworkInitialization(late), _RuntimeRun() ...
//   RuntimePerformFinalizers();
//   return RuntimeExit();                  // runtime.h
//
// C++ fixes no order among static objects of different files, so the
// program's initialisers are not static constructors: the program lists them
// with RuntimeAddInitializer, in the order it needs, before
// RuntimePerformInitializers runs them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/exceptions.h"

class Object;

// Appends an initialiser of the program; name is for messages only.
void RuntimeAddInitializer(const std::string& name, std::function<void()> fn);
// Appends a finaliser of the program.
void RuntimeAddFinalizer(const std::string& name, std::function<void()> fn);

// Runs the framework's own initialisers (its class tables), then the
// program's in the order added; each runs once per process. The first that
// raises stops the rest: a RuntimeException stays pending (see below), any
// other exception is kept pending as a RuntimeException with its message.
void RuntimePerformInitializers();
// Runs the program's finalisers in reverse order, then the framework's (it
// lets go of the application object). A finaliser that raises is reported
// on standard error and the others still run.
void RuntimePerformFinalizers();

// The pending exception: one that arose where no caller could take it (a
// static initialiser, the late start-up hook) and waits for _Main.
bool _RuntimeHasPendingException();
// Hands the pending exception over (it is then no longer pending); empty
// when none.
std::shared_ptr<RuntimeException> _RuntimeTakePendingException();
void _RuntimeSetPendingException(const std::shared_ptr<RuntimeException>& e);

// The class registry: the classes known by their full names.
void RuntimeRegisterClass(const std::string& fullName);
bool RuntimeIsClassRegistered(const std::string& fullName);

// Records that the program's class handles the event of that name.
void RuntimeRegisterEventHandled(const std::string& className, const std::string& eventName);
// Whether obj's class handles the event. flag True asks about the
// program's own classes (the registry above); flag False about the
// framework's built-in classes, which register no handlers: always false.
bool _RuntimeIsEventHandled(const std::shared_ptr<Object>& obj, const std::string& className,
                            const std::string& eventName, bool flag);

// Makes the framework's own classes whose objects the framework itself
// creates ready: its exception classes, its message dialog, its weak
// reference. Afterwards the framework can raise those exceptions.
void _RuntimeInitExternalClasses();
// There is no plug-in library on this platform: this binds nothing, and
// the framework's built-in controls need no plug-in entry point.
void _InitPluginEntrypoints();

// Completes the framework's initialisation and then calls lateStartup
// directly, exactly once per process (later calls do nothing). A
// RuntimeException from the hook stays pending, so that _Main hands it to
// _UnhandledException instead of starting an event loop with no window.
// Raises RuntimeException if RuntimeInit has not run.
void _RunFrameworkInitialization(void (*lateStartup)());
bool RuntimeFrameworkInitialized();
