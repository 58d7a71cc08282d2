// The application object and the start-up runtime: version data, the
// registered object, initialisers in their order with a pending exception
// for a failed one, finalisers, the late start-up hook, event registry.
#include "framework/gui/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/application.h"
#include "framework/gui/menu.h"
#include "framework/testing/seams.h"

namespace {

class TestApp : public Application {
 public:
  static constexpr const char* kClassName = "TestApp";
  const char* ClassName() const override { return kClassName; }
  bool IsEventImplemented(const std::string& eventName) const override {
    return _RuntimeIsEventHandled(nullptr, "TestApp", eventName, true);
  }
};

class RuntimeStartupTest : public ::testing::Test {
 protected:
  void SetUp() override { seams::Reset(); }
  void TearDown() override { seams::Reset(); }
};

TEST(ApplicationTest, KeepsVersionDataAndMenuBar) {
  Application app;
  app._x_SetVersionData(3, 1, 2, 4, 3, "Long notice", "3.1", "Package");
  EXPECT_EQ(app.MajorVersion(), 3);
  EXPECT_EQ(app.MinorVersion(), 1);
  EXPECT_EQ(app.BugVersion(), 2);
  EXPECT_EQ(app.NonReleaseVersion(), 4);
  EXPECT_EQ(app.StageCode(), 3);
  EXPECT_EQ(app.LongVersion(), "Long notice");
  EXPECT_EQ(app.ShortVersion(), "3.1");
  EXPECT_EQ(app.PackageInfo(), "Package");
  EXPECT_EQ(app.RegionCode(), 0);
  EXPECT_EQ(app.MenuBar(), nullptr);
}

TEST_F(RuntimeStartupTest, RegisteredObjectIsHeldAndHandedOutTyped) {
  EXPECT_EQ(_GetAppObject(), nullptr);
  EXPECT_THROW(_RuntimeRegisterAppObject(nullptr), NilObjectException);
  std::weak_ptr<TestApp> weak;
  {
    auto app = std::make_shared<TestApp>();
    weak = app;
    _RuntimeRegisterAppObject(app);
  }
  ASSERT_FALSE(weak.expired());
  EXPECT_EQ(Cast<TestApp>(_GetAppObject()), weak.lock());
  seams::Reset();
  EXPECT_TRUE(weak.expired());
}

TEST_F(RuntimeStartupTest, EventRegistryAnswersForTheProgramsClassesOnly) {
  TestApp app;
  for (const char* e : {"Open", "Close", "UnhandledException", "Activate"})
    EXPECT_FALSE(app.IsEventImplemented(e)) << e;
  RuntimeRegisterEventHandled("SplashWnd.SplashWnd", "KeyDown");
  EXPECT_TRUE(_RuntimeIsEventHandled(nullptr, "SplashWnd.SplashWnd", "KeyDown", true));
  EXPECT_FALSE(_RuntimeIsEventHandled(nullptr, "SplashWnd.SplashWnd", "Open", true));
  EXPECT_FALSE(_RuntimeIsEventHandled(nullptr, "SplashWnd.SplashWnd", "KeyDown", false));
}

TEST_F(RuntimeStartupTest, InitializersRunAfterTheFrameworksInTheOrderAdded) {
  std::vector<std::string> ran;
  RuntimeAddInitializer("first", [&] {
    EXPECT_TRUE(RuntimeIsClassRegistered("Window"));
    ran.push_back("first");
  });
  RuntimeAddInitializer("second", [&] { ran.push_back("second"); });
  RuntimeAddInitializer("third", [&] { ran.push_back("third"); });
  RuntimePerformInitializers();
  RuntimePerformInitializers();  // once per process
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_FALSE(_RuntimeHasPendingException());
}

TEST_F(RuntimeStartupTest, FailedInitializerStopsTheRestAndStaysPending) {
  std::vector<std::string> ran;
  RuntimeAddInitializer("ok", [&] { ran.push_back("ok"); });
  RuntimeAddInitializer("fails", [] { throw OutOfBoundsException("index 9"); });
  RuntimeAddInitializer("later", [&] { ran.push_back("later"); });
  RuntimePerformInitializers();
  EXPECT_EQ(ran, std::vector<std::string>{"ok"});
  ASSERT_TRUE(_RuntimeHasPendingException());
  auto e = _RuntimeTakePendingException();
  EXPECT_STREQ(e->ClassName(), "OutOfBoundsException");
  EXPECT_EQ(e->Message(), "index 9");
  EXPECT_FALSE(_RuntimeHasPendingException());
}

TEST_F(RuntimeStartupTest, FinalizersRunInReverseOrderAndAllRunWhenOneRaises) {
  std::vector<std::string> ran;
  RuntimeAddFinalizer("a", [&] { ran.push_back("a"); });
  RuntimeAddFinalizer("b", [&] {
    ran.push_back("b");
    throw RuntimeException("b failed");
  });
  RuntimeAddFinalizer("c", [&] { ran.push_back("c"); });
  _RuntimeRegisterAppObject(std::make_shared<TestApp>());
  RuntimePerformFinalizers();
  EXPECT_EQ(ran, (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(_GetAppObject(), nullptr);
}

int late_calls = 0;
void LateStartup() { ++late_calls; }
void FailingLateStartup() {
  ++late_calls;
  throw NilObjectException("no splash window");
}

TEST_F(RuntimeStartupTest, LateStartupIsCalledOnceWhenInitialisationIsComplete) {
  seams::InitRuntime();
  late_calls = 0;
  EXPECT_FALSE(RuntimeFrameworkInitialized());
  _RunFrameworkInitialization(&LateStartup);
  _RunFrameworkInitialization(&LateStartup);
  EXPECT_EQ(late_calls, 1);
  EXPECT_TRUE(RuntimeFrameworkInitialized());
}

TEST_F(RuntimeStartupTest, LateStartupExceptionIsLeftPendingForMain) {
  seams::InitRuntime();
  late_calls = 0;
  _RunFrameworkInitialization(&FailingLateStartup);
  EXPECT_EQ(late_calls, 1);
  auto e = _RuntimeTakePendingException();
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->ClassName(), "NilObjectException");
}

TEST_F(RuntimeStartupTest, ExternalClassesAreReadyAfterTheirStep) {
  EXPECT_FALSE(RuntimeIsClassRegistered("NilObjectException"));
  _RuntimeInitExternalClasses();
  _InitPluginEntrypoints();
  for (const char* c : {"NilObjectException", "OutOfBoundsException", "IllegalCastException",
                        "TypeMismatchException", "MessageDialog", "WeakRef"})
    EXPECT_TRUE(RuntimeIsClassRegistered(c)) << c;
}

}  // namespace
