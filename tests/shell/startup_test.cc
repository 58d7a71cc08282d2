// Start-up and shutdown: the static initialisers in order, the state that
// the first window finds, the road of a failed start-up, the exception
// helper, and the application class.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "engine/vars_module.h"
#include "framework/core/exceptions.h"
#include "framework/gui/runtime.h"
#include "framework/testing/seams.h"
#include "shell/app.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell/splash_wnd.h"
#include "shell/version_notice.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell_test::FreshProcess;
using shell_test::LoopScript;

// What is there at a given moment of the run.
struct Snapshot {
  std::shared_ptr<App> app;
  std::shared_ptr<MenuBar> installed_bar;
  std::shared_ptr<Menu> menu;
  size_t file_type_records = 0;
  std::shared_ptr<Window> splash, main;
  bool splash_visible = false;

  static Snapshot Take() {
    Snapshot s;
    s.app = App::Instance();
    if (s.app) s.installed_bar = s.app->MenuBar();
    s.menu = Menu::_implicitInstance;
    s.file_type_records = seams::FileTypeRecords().size();
    s.splash = _GetImplicitWindow(SplashWnd::kFullClassName);
    s.splash_visible = s.splash && s.splash->Visible();
    s.main = _GetImplicitWindow(ControlWnd::kFullClassName);
    return s;
  }
};

// The program's main, with arguments that it must not look at.
int RunProgram() {
  static char name[] = "vellacor";
  static char unknown[] = "--no-such-option";
  static char file[] = "report.txt";
  static char* argv[] = {name, unknown, file, nullptr};
  return ProcessMain(3, argv, nullptr);
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshProcess(false); }
  void TearDown() override {
    _RuntimeSetExceptionHelper(nullptr);
    seams::Reset();
  }

  // Records the state when the finalisers run, before the framework lets
  // go of the application object.
  void WatchFinalizers() {
    RuntimeAddFinalizer("test", [this] {
      finalized_ = true;
      at_finalizers_ = Snapshot::Take();
    });
  }

  seams::MessageBoxes boxes_;
  bool finalized_ = false;
  Snapshot at_finalizers_;
};

TEST_F(StartupTest, InitializersRunAfterTheFrameworksInOrder) {
  VarsModule::VarMax = 7;
  VarsModule::kEOL = "x";
  FileTypes::pText = std::make_shared<FileType>();
  FileTypes::pAllFileTypes.Append(FileTypes::pText);
  Menu::_implicitInstance = std::make_shared<Menu>();

  _AddStaticInitializers();
  RuntimePerformInitializers();

  const std::vector<std::string> classes = seams::RegisteredClasses();
  const std::vector<std::string> program = {"ControlWnd.ControlWnd", "Menu", "SplashWnd.Timer1",
                                            "SplashWnd.SplashWnd", "App"};
  ASSERT_GE(classes.size(), program.size());
  EXPECT_EQ(std::vector<std::string>(classes.end() - program.size(), classes.end()), program);
  EXPECT_NE(std::find(classes.begin(), classes.end() - program.size(), "Window"),
            classes.end() - program.size());

  EXPECT_EQ(FileTypes::pAllFileTypes.UBound(), -1);
  EXPECT_EQ(FileTypes::pText, nullptr);
  EXPECT_EQ(Menu::_implicitInstance, nullptr);
  EXPECT_EQ(VarsModule::VarMax, 0);
  EXPECT_EQ(VarsModule::kEOL, "");
  // None of them makes a window, a bar or the application object.
  EXPECT_EQ(App::Instance(), nullptr);
  EXPECT_EQ(_GetImplicitWindow(SplashWnd::kFullClassName), nullptr);
}

TEST_F(StartupTest, FirstWindowFindsTheApplicationReady) {
  Snapshot at_loop;
  auto script = LoopScript::Make({[&at_loop] {
    at_loop = Snapshot::Take();
    Quit(0);
  }});
  WatchFinalizers();

  EXPECT_EQ(RunProgram(), 0);

  ASSERT_EQ(script->Begun(), 1u);
  ASSERT_NE(at_loop.app, nullptr);
  const App& app = *at_loop.app;
  EXPECT_EQ(app.MajorVersion(), 3);
  EXPECT_EQ(app.MinorVersion(), 0);
  EXPECT_EQ(app.BugVersion(), 0);
  EXPECT_EQ(app.NonReleaseVersion(), 0);
  EXPECT_EQ(app.StageCode(), 3);
  EXPECT_EQ(app.LongVersion(), std::string(kVersionNotice));
  EXPECT_EQ(app.LongVersion().size(), 31u);
  EXPECT_EQ(app.ShortVersion(), "3.0");
  EXPECT_EQ(app.PackageInfo(), "Vellacor");
  EXPECT_EQ(app.RegionCode(), 0);
  EXPECT_TRUE(Application::SupportsHiDPI());
  ASSERT_NE(at_loop.menu, nullptr);
  EXPECT_EQ(at_loop.installed_bar, at_loop.menu);
  EXPECT_EQ(at_loop.file_type_records, 1u);
  // One window, the splash window; the main window comes at the hand-over.
  EXPECT_TRUE(at_loop.splash_visible);
  EXPECT_EQ(at_loop.main, nullptr);

  EXPECT_TRUE(finalized_);
  EXPECT_TRUE(boxes_.Texts().empty());
}

// At the moment of its registration the application object already holds
// its version data and its menu bar, and no window exists yet.
TEST_F(StartupTest, ApplicationIsRegisteredOnlyOnceItIsEquipped) {
  struct AtRegistration {
    int registrations = 0;
    const Application* app = nullptr;
    int64_t major = -1, minor = -1, bug = -1, non_release = -1, stage = -1;
    std::string long_version, short_version, package_info;
    std::shared_ptr<MenuBar> bar;
    std::shared_ptr<Menu> menu;
    bool registered_before = true, any_window = true;
  } at;
  seams::OnAppRegistration([&at](const Application& app) {
    ++at.registrations;
    at.app = &app;
    at.major = app.MajorVersion();
    at.minor = app.MinorVersion();
    at.bug = app.BugVersion();
    at.non_release = app.NonReleaseVersion();
    at.stage = app.StageCode();
    at.long_version = app.LongVersion();
    at.short_version = app.ShortVersion();
    at.package_info = app.PackageInfo();
    at.bar = app.MenuBar();
    at.menu = Menu::_implicitInstance;
    at.registered_before = _GetAppObject() != nullptr;
    at.any_window = _GetImplicitWindow(SplashWnd::kFullClassName) != nullptr ||
                    _GetImplicitWindow(ControlWnd::kFullClassName) != nullptr;
  });
  const Application* registered = nullptr;
  auto script = LoopScript::Make({[&registered] {
    registered = _GetAppObject().get();
    Quit(0);
  }});

  EXPECT_EQ(RunProgram(), 0);
  seams::OnAppRegistration(nullptr);

  ASSERT_EQ(at.registrations, 1);
  EXPECT_EQ(at.app, registered);
  EXPECT_FALSE(at.registered_before);
  EXPECT_EQ(at.major, 3);
  EXPECT_EQ(at.minor, 0);
  EXPECT_EQ(at.bug, 0);
  EXPECT_EQ(at.non_release, 0);
  EXPECT_EQ(at.stage, 3);
  EXPECT_EQ(at.long_version, std::string(kVersionNotice));
  EXPECT_EQ(at.short_version, "3.0");
  EXPECT_EQ(at.package_info, "Vellacor");
  ASSERT_NE(at.menu, nullptr);
  EXPECT_EQ(at.bar, at.menu);
  EXPECT_FALSE(at.any_window);
}

TEST_F(StartupTest, RefusedFileTypeEndsStartupBeforeTheApplicationObject) {
  seams::FailNextFileTypeRegistration("the file-type registry refused \"text\"");
  auto script = LoopScript::Make({[] { Quit(0); }});
  WatchFinalizers();

  EXPECT_EQ(RunProgram(), 0);

  EXPECT_EQ(script->Begun(), 0u) << "an event loop ran";
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_NE(boxes_.Texts()[0].find("the file-type registry refused"), std::string::npos);
  ASSERT_TRUE(finalized_);
  EXPECT_EQ(at_finalizers_.app, nullptr);
  EXPECT_EQ(at_finalizers_.menu, nullptr);
  EXPECT_EQ(at_finalizers_.splash, nullptr);
  EXPECT_EQ(at_finalizers_.main, nullptr);
  EXPECT_EQ(at_finalizers_.file_type_records, 0u);
}

TEST_F(StartupTest, ExceptionPendingAtStartSkipsEveryStep) {
  // Any helper but the program's: it must still be the one in place after.
  static int helper_calls;
  helper_calls = 0;
  _RuntimeSetExceptionHelper([](void (*fn)(void*), void* arg) -> std::shared_ptr<RuntimeException> {
    ++helper_calls;
    fn(arg);
    return nullptr;
  });
  RuntimeAddInitializer("broken", [] { throw NilObjectException("a broken initialiser"); });
  auto script = LoopScript::Make({[] { Quit(0); }});
  WatchFinalizers();

  EXPECT_EQ(RunProgram(), 0);

  EXPECT_EQ(script->Begun(), 0u) << "an event loop ran";
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_NE(boxes_.Texts()[0].find("a broken initialiser"), std::string::npos);
  ASSERT_TRUE(finalized_);
  EXPECT_EQ(at_finalizers_.app, nullptr);
  EXPECT_EQ(at_finalizers_.splash, nullptr);
  EXPECT_EQ(at_finalizers_.file_type_records, 0u);
  EXPECT_FALSE(RuntimeFrameworkInitialized());
  helper_calls = 0;
  _RuntimeDispatch([](void*) {}, nullptr);
  EXPECT_EQ(helper_calls, 1) << "_Main installed its helper";
}

TEST_F(StartupTest, LateStartupMakesNoWindowWhileAnExceptionIsPending) {
  FreshProcess();
  _RuntimeSetPendingException(std::make_shared<RuntimeException>("earlier"));
  _LateStartup();
  EXPECT_EQ(_GetImplicitWindow(SplashWnd::kFullClassName), nullptr);
  ASSERT_NE(_RuntimeTakePendingException(), nullptr);

  _LateStartup();
  EXPECT_NE(_GetImplicitWindow(SplashWnd::kFullClassName), nullptr);
}

TEST_F(StartupTest, HelperHandsBackRuntimeExceptionsOnly) {
  auto ok = [](void* p) { *static_cast<int*>(p) += 1; };
  int calls = 0;
  EXPECT_EQ(_CallFunctionWithExceptionHandling(ok, &calls), nullptr);
  EXPECT_EQ(calls, 1);

  auto nil = [](void*) { throw NilObjectException("empty reference"); };
  std::shared_ptr<RuntimeException> caught = _CallFunctionWithExceptionHandling(nil, nullptr);
  ASSERT_NE(caught, nullptr);
  EXPECT_STREQ(caught->ClassName(), "NilObjectException");
  EXPECT_EQ(caught->Message(), "empty reference");

  auto other = [](void*) { throw std::logic_error("not the framework's"); };
  EXPECT_THROW(_CallFunctionWithExceptionHandling(other, nullptr), std::logic_error);
}

TEST_F(StartupTest, AppImplementsNoApplicationEvent) {
  FreshProcess();
  EXPECT_EQ(App::Instance(), nullptr);
  _NewAppInstance();
  std::shared_ptr<App> app = App::Instance();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app, _GetAppObject());
  EXPECT_EQ(App::Instance(), app);
  for (const char* event :
       {"Open", "Close", "UnhandledException", "Activate", "AppearanceChanged", "CancelClose",
        "Deactivate", "EnableMenuItems", "HandleAppleEvent", "NewDocument", "OpenDocument"})
    EXPECT_FALSE(app->IsEventImplemented(event)) << event;
}

}  // namespace
