#include "framework/gui/application.h"

#include <QGuiApplication>
#include <functional>

#include "framework/gui/internal/menu_native.h"
#include "framework/gui/internal/testing.h"

namespace {
bool supports_hidpi = false;
std::shared_ptr<Application> app_object;
std::function<void(const Application&)> registration_listener;
}  // namespace

Application::Application() = default;
Application::~Application() = default;

void Application::_SetSupportsHiDPI(bool supported) {
  supports_hidpi = supported;
  // Qt accepts the scaling policy only before its application object exists.
  if (QCoreApplication::instance() == nullptr)
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        supported ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                  : Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

bool Application::SupportsHiDPI() { return supports_hidpi; }

void Application::_x_SetVersionData(int64_t major, int64_t minor, int64_t bug, int64_t nonRelease,
                                    int64_t stageCode, const std::string& longVersion,
                                    const std::string& shortVersion,
                                    const std::string& packageInfo) {
  major_ = major;
  minor_ = minor;
  bug_ = bug;
  non_release_ = nonRelease;
  stage_code_ = stageCode;
  long_version_ = longVersion;
  short_version_ = shortVersion;
  package_info_ = packageInfo;
}

void Application::SetMenuBar(const std::shared_ptr<::MenuBar>& bar) {
  menu_bar_ = bar;
  native::ShowMenuBarInAllWindows(bar);
}

bool Application::IsEventImplemented(const std::string& /*eventName*/) const { return false; }

void _RuntimeRegisterAppObject(const std::shared_ptr<Application>& app) {
  NotNil(app);
  if (registration_listener) registration_listener(*app);
  app_object = app;
}

std::shared_ptr<Application> _GetAppObject() { return app_object; }

void Application::ReleaseRegistered() { app_object.reset(); }

void test_hooks::OnAppRegistration(std::function<void(const Application&)> fn) {
  registration_listener = std::move(fn);
}

void test_hooks::ReleaseAppObject() { app_object.reset(); }
