#include "framework/gui/startup.h"

#include <QCoreApplication>
#include <iostream>
#include <set>
#include <utility>

#include "framework/core/object.h"
#include "framework/gui/application.h"
#include "framework/gui/internal/testing.h"

namespace {

struct Step {
  std::string name;
  std::function<void()> fn;
};

struct State {
  std::vector<Step> initializers, finalizers;
  bool initializers_ran = false;
  bool late_startup_called = false;
  std::shared_ptr<RuntimeException> pending;
  std::vector<std::string> classes;
  std::set<std::string> class_set;
  std::set<std::pair<std::string, std::string>> handled;
};

State& S() {
  static State state;
  return state;
}

// The framework's own class tables.
void RegisterFrameworkClasses() {
  for (const char* name : {"Object",        "Application",  "Window",
                           "Control",       "RectControl",  "Canvas",
                           "Label",         "Line",         "PushButton",
                           "TextArea",      "TextField",    "ProgressWheel",
                           "Timer",         "MenuItem",     "MenuBar",
                           "AppleMenuItem", "QuitMenuItem", "FileType",
                           "Picture",       "Graphics",     "StyledTextPrinter",
                           "Date",          "Random"})
    RuntimeRegisterClass(name);
}

// Runs fn; an exception it raises becomes the pending one.
bool RunKeepingPending(const std::string& what, const std::function<void()>& fn) {
  try {
    fn();
    return true;
  } catch (const RuntimeException& e) {
    S().pending = e.Clone();
  } catch (const std::exception& e) {
    S().pending = std::make_shared<RuntimeException>(what + ": " + e.what());
  }
  return false;
}

}  // namespace

void RuntimeAddInitializer(const std::string& name, std::function<void()> fn) {
  S().initializers.push_back({name, std::move(fn)});
}

void RuntimeAddFinalizer(const std::string& name, std::function<void()> fn) {
  S().finalizers.push_back({name, std::move(fn)});
}

void RuntimePerformInitializers() {
  if (S().initializers_ran) return;
  S().initializers_ran = true;
  if (!RunKeepingPending("framework classes", RegisterFrameworkClasses)) return;
  for (const Step& step : S().initializers)
    if (!RunKeepingPending(step.name, step.fn)) return;
}

void RuntimePerformFinalizers() {
  auto& fin = S().finalizers;
  for (auto it = fin.rbegin(); it != fin.rend(); ++it) {
    try {
      it->fn();
    } catch (const RuntimeException& e) {
      std::cerr << "finaliser " << it->name << ": " << e.ClassName() << ": " << e.Message() << "\n";
    } catch (const std::exception& e) {
      std::cerr << "finaliser " << it->name << ": " << e.what() << "\n";
    }
  }
  Application::ReleaseRegistered();
}

bool _RuntimeHasPendingException() { return S().pending != nullptr; }

std::shared_ptr<RuntimeException> _RuntimeTakePendingException() {
  return std::exchange(S().pending, nullptr);
}

void _RuntimeSetPendingException(const std::shared_ptr<RuntimeException>& e) { S().pending = e; }

void RuntimeRegisterClass(const std::string& fullName) {
  if (S().class_set.insert(fullName).second) S().classes.push_back(fullName);
}

bool RuntimeIsClassRegistered(const std::string& fullName) {
  return S().class_set.count(fullName) != 0;
}

void RuntimeRegisterEventHandled(const std::string& className, const std::string& eventName) {
  S().handled.insert({className, eventName});
}

bool _RuntimeIsEventHandled(const std::shared_ptr<Object>& /*obj*/, const std::string& className,
                            const std::string& eventName, bool flag) {
  if (!flag) return false;
  return S().handled.count({className, eventName}) != 0;
}

void _RuntimeInitExternalClasses() {
  for (const char* name :
       {"RuntimeException", "NilObjectException", "OutOfBoundsException", "IllegalCastException",
        "TypeMismatchException", "InvalidArgumentException", "MessageDialog", "WeakRef"})
    RuntimeRegisterClass(name);
}

void _InitPluginEntrypoints() {}

void _RunFrameworkInitialization(void (*lateStartup)()) {
  if (QCoreApplication::instance() == nullptr)
    throw RuntimeException("the runtime is not initialised (RuntimeInit)");
  if (S().late_startup_called) return;
  S().late_startup_called = true;
  if (lateStartup != nullptr) RunKeepingPending("late start-up", lateStartup);
}

bool RuntimeFrameworkInitialized() { return S().late_startup_called; }

void test_hooks::ResetStartup() { S() = State(); }

std::vector<std::string> test_hooks::RegisteredClasses() { return S().classes; }
