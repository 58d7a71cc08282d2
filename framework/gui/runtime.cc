#include "framework/gui/runtime.h"

#include <cxxabi.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <typeinfo>

#include "framework/core/yield.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/internal/native.h"
#include "framework/gui/internal/widgets.h"
#include "framework/gui/window.h"

namespace {

// Thrown by Quit inside a call into the program: it unwinds that call (and
// a long run under it) and is swallowed by the dispatch. It is no
// RuntimeException, so the exception helper lets it pass.
struct QuitUnwind {};

ExceptionHelper installed_helper = nullptr;
int dispatch_depth = 0;
bool quitting = false;
int64_t exit_code = 0;
std::deque<std::function<void()>> next_yield;

// An exception of a class outside the framework's, for the default
// handling: it names the original class.
class ForeignException : public RuntimeException {
 public:
  ForeignException(std::string class_name, const std::string& message)
      : RuntimeException(message), class_name_(std::move(class_name)) {}
  const char* ClassName() const override { return class_name_.c_str(); }
  std::shared_ptr<RuntimeException> Clone() const override {
    return std::make_shared<ForeignException>(*this);
  }

 private:
  std::string class_name_;
};

// Used until the start-up code installs its own; the same contract.
std::shared_ptr<RuntimeException> BuiltInHelper(void (*fn)(void*), void* arg) {
  try {
    fn(arg);
  } catch (const RuntimeException& e) {
    return e.Clone();
  }
  return nullptr;
}

std::string Demangled(const char* name) {
  int status = 0;
  char* d = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  std::string out = status == 0 && d != nullptr ? d : name;
  std::free(d);
  return out;
}

void YieldHandler() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  while (!next_yield.empty()) {
    auto fn = std::move(next_yield.front());
    next_yield.pop_front();
    fn();
  }
  if (quitting && dispatch_depth > 0) throw QuitUnwind{};
}

// Keeps each window's focus control in step with Qt's focus.
void OnFocusChanged(QWidget*, QWidget* now) {
  if (now == nullptr) return;
  auto window = native::WindowOf(now);
  if (!window) return;
  window->_Native()->FocusMovedTo(native::ControlOf(now));
}

}  // namespace

bool _RuntimeDispatch(void (*fn)(void*), void* arg) {
  if (quitting) return false;
  struct Depth {
    Depth() { ++dispatch_depth; }
    ~Depth() { --dispatch_depth; }
  };
  std::shared_ptr<RuntimeException> failure;
  try {
    Depth depth;
    failure = (installed_helper != nullptr ? installed_helper : BuiltInHelper)(fn, arg);
  } catch (const QuitUnwind&) {
    return false;
  } catch (const std::exception& e) {
    failure = std::make_shared<ForeignException>(Demangled(typeid(e).name()), e.what());
    _UnhandledException(failure);
    return false;
  } catch (...) {
    _UnhandledException(std::make_shared<ForeignException>("unknown", "no message"));
    return false;
  }
  if (failure) {
    _UnhandledException(failure);
    return false;
  }
  return true;
}

namespace native {

bool CallProgram(const std::function<void()>& fn) {
  return _RuntimeDispatch([](void* p) { (*static_cast<const std::function<void()>*>(p))(); },
                          const_cast<std::function<void()>*>(&fn));
}

void AtNextYield(std::function<void()> fn) { next_yield.push_back(std::move(fn)); }

void ResetRuntime() {
  ForgetImplicitWindows();
  quitting = false;
  exit_code = 0;
  next_yield.clear();
}

void InstallRunGuardFilter();

}  // namespace native

void RuntimeInit(int argc, char** argv, char** envp) {
  (void)envp;
  if (QApplication::instance() == nullptr) {
    // QApplication keeps a reference to the count.
    static int count = argc;
    new QApplication(count, argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(qApp, &QApplication::focusChanged, qApp, &OnFocusChanged);
  native::InstallRunGuardFilter();
  SetYieldHandler(&YieldHandler);
}

void _RuntimeSetExceptionHelper(ExceptionHelper helper) { installed_helper = helper; }

void _RuntimeRun() {
  if (quitting || QApplication::instance() == nullptr) return;
  QApplication::exec();
}

void Quit(int64_t code) {
  if (!quitting) {
    quitting = true;
    exit_code = code;
    if (QApplication::instance() != nullptr) QApplication::exit(static_cast<int>(code));
  }
  if (dispatch_depth > 0) throw QuitUnwind{};
}

int64_t RuntimeExit() { return exit_code; }

bool RuntimeQuitting() { return quitting; }

void _UnhandledException(const std::shared_ptr<RuntimeException>& exception) {
  if (!exception) return;
  const std::string line = std::string("An exception of class ") + exception->ClassName() +
                           " was not handled: " + exception->Message();
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
  MsgBox(line);
}
