// Calls from the event loop into the program, and Quit's unwinding of the
// call that runs.
#include "framework/gui/internal/dispatch.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <typeinfo>
#include <utility>

#include "framework/gui/runtime.h"

namespace {

// Thrown by Quit inside a call into the program: it unwinds that call (and
// a long run under it) and is swallowed by the dispatch. It is no
// RuntimeException, so the exception helper lets it pass.
struct QuitUnwind {};

ExceptionHelper installed_helper = nullptr;
int dispatch_depth = 0;
uint64_t calls_made = 0;
uint64_t current_call = 0;

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

std::string Demangled(const char* name) {
  int status = 0;
  char* d = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  std::string out = status == 0 && d != nullptr ? d : name;
  std::free(d);
  return out;
}

}  // namespace

void _RuntimeSetExceptionHelper(ExceptionHelper helper) { installed_helper = helper; }

bool _RuntimeDispatch(void (*fn)(void*), void* arg) {
  if (RuntimeQuitting()) return false;
  struct Depth {
    Depth() : outer_call(current_call) {
      ++dispatch_depth;
      current_call = ++calls_made;
    }
    ~Depth() {
      --dispatch_depth;
      current_call = outer_call;
    }
    const uint64_t outer_call;
  };
  std::shared_ptr<RuntimeException> failure;
  try {
    Depth depth;
    if (installed_helper != nullptr)
      failure = installed_helper(fn, arg);
    else
      fn(arg);
  } catch (const QuitUnwind&) {
    return false;
  } catch (const RuntimeException& e) {
    // No helper installed yet: handled as the helper would hand it back.
    failure = e.Clone();
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

uint64_t CurrentProgramCall() { return current_call; }

void UnwindForQuit() {
  if (dispatch_depth > 0) throw QuitUnwind{};
}

}  // namespace native
