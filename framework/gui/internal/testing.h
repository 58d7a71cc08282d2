// The framework's test hooks. Only the test seams include this header
// (framework/testing/seams.h gives the hooks to the tests and says what
// each does); the framework's own code never calls them. Each group is
// defined in the .cc file of its subject.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Application;
class ProgressWheel;
class Timer;
class Window;

namespace test_hooks {

// dialogs.cc: nullptr restores the real message box and beep.
void SetMessageBoxAnswerer(void (*answer)(const std::string& text));
void SetBeepListener(void (*listener)());

// picture.cc: empty restores the default resource folder.
void SetResourceFolderOverride(const std::string& folder);

// runtime.cc
void AtNextYield(std::function<void()> fn);
// Forgets any Quit and what waits for the next yield.
void ResetRuntime();

// window.cc
void ForgetImplicitWindows();
void OnWindowConstruction(std::function<void(const Window& window)> fn);

// application.cc
void OnAppRegistration(std::function<void(const Application& app)> fn);
void ReleaseAppObject();

// startup.cc
void ResetStartup();
std::vector<std::string> RegisteredClasses();

// filetype.cc
struct FileTypeRecord {
  std::string name, macCreator, macType, extensions, uti;
  bool withdrawn = false;
};
std::vector<FileTypeRecord> FileTypeRecords();
void ResetFileTypes();
void FailNextFileTypeRegistration(const std::string& message);

// menu.cc
void OnMenuCall(std::function<void(const std::string& call, const std::string& name)> fn);

// internal/menu_native.cc
bool ChooseMenuItem(const std::shared_ptr<Window>& window, const std::string& name);
bool PressMenuShortcut(const std::shared_ptr<Window>& window, const std::string& name);
void UpdateMenus(const std::shared_ptr<Window>& window);
std::vector<std::string> MenuBarText(const std::shared_ptr<Window>& window);

// printing.cc
void AnswerPrintDialogWithPdf(const std::string& path);
void AnswerPrintDialogWithCancel();
void ClearPrintDialogAnswer();
void FailPdfWritesAfter(int64_t bytes);
int64_t PrintDialogsOpened();
int64_t NextPageCalls();

// timer.cc
bool FireTimerNow(const std::shared_ptr<Timer>& timer);
std::vector<std::shared_ptr<Timer>> PendingTimers();

// progress_wheel.cc
int64_t WheelSteps(const std::shared_ptr<ProgressWheel>& wheel);

}  // namespace test_hooks
