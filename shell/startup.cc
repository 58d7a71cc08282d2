#include "shell/startup.h"

#include <exception>
#include <string>

#include "engine/vars_module.h"
#include "framework/gui/application.h"
#include "framework/gui/runtime.h"
#include "framework/gui/startup.h"
#include "shell/app.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell/splash_wnd.h"
#include "shell/version_notice.h"

int ProcessMain(int argc, char** argv, char** envp) {
  RuntimeInit(argc, argv, envp);
  _AddStaticInitializers();
  RuntimePerformInitializers();
  _Main();
  RuntimePerformFinalizers();
  return static_cast<int>(RuntimeExit());
}

void _AddStaticInitializers() {
  RuntimeAddInitializer("FileTypes.pAllFileTypes", [] { FileTypes::pAllFileTypes.ReDim(-1); });
  RuntimeAddInitializer("FileTypes.pText", [] { FileTypes::pText.reset(); });
  RuntimeAddInitializer("ControlWnd", [] { RuntimeRegisterClass("ControlWnd.ControlWnd"); });
  RuntimeAddInitializer("Menu._implicitInstance", [] { Menu::_implicitInstance.reset(); });
  RuntimeAddInitializer("Menu", [] { RuntimeRegisterClass(Menu::kClassName); });
  RuntimeAddInitializer("SplashWnd.Timer1", [] { RuntimeRegisterClass("SplashWnd.Timer1"); });
  RuntimeAddInitializer("SplashWnd", [] { SplashWnd::_RegisterClass(); });
  RuntimeAddInitializer("VarsModule", [] { VarsModule::InitializeVariables(); });
  RuntimeAddInitializer("App", [] { App::_RegisterClass(); });
}

void _Main() {
  // An exception pending from a static initialiser skips every step.
  if (!_RuntimeHasPendingException()) {
    try {
      _RuntimeSetExceptionHelper(&_CallFunctionWithExceptionHandling);
      _EarlyStartup();
      // The framework keeps an exception from _LateStartup pending.
      _RunFrameworkInitialization(&_LateStartup);
      if (!_RuntimeHasPendingException()) _RuntimeRun();
    } catch (const RuntimeException& e) {
      _RuntimeSetPendingException(e.Clone());
    } catch (const std::exception& e) {
      _RuntimeSetPendingException(
          std::make_shared<RuntimeException>(std::string("start-up: ") + e.what()));
    }
  }
  if (_RuntimeHasPendingException()) _UnhandledException(_RuntimeTakePendingException());
}

std::shared_ptr<RuntimeException> _CallFunctionWithExceptionHandling(void (*function)(void*),
                                                                     void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException& e) {
    return e.Clone();
  }
  return nullptr;
}

void _EarlyStartup() {
  Application::_SetSupportsHiDPI(true);
  _RuntimeInitExternalClasses();
  _InitPluginEntrypoints();
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
}

void _InitFileTypes() { FileTypes::_Initialize(); }

void _NewAppInstance() {
  auto app = std::make_shared<App>();
  app->Constructor();
  app->_x_SetVersionData(3, 0, 0, 0, 3, std::string(kVersionNotice), "3.0", "Vellacor");
  app->SetMenuBar(Menu::Instance());
  // From here on the framework holds the object; an object that never got
  // this far is released with the local reference.
  _RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {}

void _LateStartup() {
  if (_RuntimeHasPendingException()) return;
  _MakeDefaultView();
}

void _MakeDefaultView() {
  // The framework holds the window; no reference is kept here.
  (void)SplashWnd::Instance();
}
