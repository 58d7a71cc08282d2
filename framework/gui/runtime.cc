#include "framework/gui/runtime.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/yield.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/run_guard.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/window.h"

namespace {

bool quitting = false;
int64_t exit_code = 0;
std::deque<std::function<void()>> next_yield;

void YieldHandler() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // What waits now; what these arm waits for the yield after this one.
  std::deque<std::function<void()>> due;
  due.swap(next_yield);
  for (auto& fn : due) fn();
  if (quitting) native::UnwindForQuit();
}

// Qt's messages while it makes its application object. Its warnings are
// held back and passed on once the object stands; a platform plugin that
// cannot start (no display to connect to) ends the process with one line of
// ours instead of Qt's lines and abort.
struct HeldMessage {
  QtMsgType type;
  std::string file, function, category;
  int line;
  QString text;
};
QtMessageHandler previous_handler = nullptr;
std::string program_name;
std::vector<HeldMessage> held_messages;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg && text.contains("platform plugin")) {
    std::fprintf(stderr,
                 "%s: needs a graphical display and found none; "
                 "QT_QPA_PLATFORM=offscreen runs it without one\n",
                 program_name.c_str());
    std::fflush(stderr);
    std::_Exit(kExitNoDisplay);
  }
  if (type == QtFatalMsg) return previous_handler(type, context, text);
  auto copy = [](const char* s) { return std::string(s != nullptr ? s : ""); };
  held_messages.push_back({type, copy(context.file), copy(context.function), copy(context.category),
                           context.line, text});
}

void PassOnHeldMessages() {
  qInstallMessageHandler(previous_handler);
  for (const HeldMessage& m : held_messages) {
    const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(),
                                     m.category.c_str());
    previous_handler(m.type, context, m.text);
  }
  held_messages.clear();
}

// Keeps each window's focus control in step with Qt's focus.
void OnFocusChanged(QWidget*, QWidget* now) {
  if (now == nullptr) return;
  auto window = native::WindowOf(now);
  if (!window) return;
  Window::Native::Of(*window).FocusMovedTo(native::ControlOf(now));
}

}  // namespace

void test_hooks::AtNextYield(std::function<void()> fn) { next_yield.push_back(std::move(fn)); }

void test_hooks::ResetRuntime() {
  if (quitting && QCoreApplication::instance() != nullptr) {
    // After an exit Qt ends every event loop at once (a dialog's too) until
    // the application's own loop has run again.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }
  quitting = false;
  exit_code = 0;
  next_yield.clear();
}

void RuntimeInit(int argc, char** argv, char** envp) {
  (void)envp;
  if (QApplication::instance() == nullptr) {
    // Qt gets the program's name and nothing else: its own options
    // (-platform, -style, -platformpluginpath, ...) must not reach it from
    // the command line. QApplication keeps references to both.
    static char no_name[] = "";
    static char* qt_argv[] = {argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : no_name,
                              nullptr};
    static int qt_argc = 1;
    const std::string path = qt_argv[0];
    program_name = path.empty() ? "the program" : path.substr(path.find_last_of('/') + 1);
    previous_handler = qInstallMessageHandler(&HoldStartupMessage);
    new QApplication(qt_argc, qt_argv);
    PassOnHeldMessages();
  }
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(qApp, &QApplication::focusChanged, qApp, &OnFocusChanged);
  native::InstallRunGuardFilter();
  SetYieldHandler(&YieldHandler);
}

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
  native::UnwindForQuit();
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
