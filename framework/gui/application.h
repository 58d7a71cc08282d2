// The application object: the program derives its application class from
// Application, makes one object at start-up and registers it with
// _RuntimeRegisterAppObject; the framework holds it from then on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/object.h"

class MenuBar;

class Application : public Object {
 public:
  static constexpr const char* kClassName = "Application";
  Application();
  ~Application() override;
  const char* ClassName() const override { return kClassName; }

  // Whether the program draws correctly on high-resolution displays. Takes
  // full effect before the runtime makes the Qt application object; later
  // it is only recorded, since Qt 6 scales for such displays anyway.
  static void _SetSupportsHiDPI(bool supported);
  static bool SupportsHiDPI();

  // Stores the version data; the framework itself does not interpret it.
  void _x_SetVersionData(int64_t major, int64_t minor, int64_t bug, int64_t nonRelease,
                         int64_t stageCode, const std::string& longVersion,
                         const std::string& shortVersion, const std::string& packageInfo);
  int64_t MajorVersion() const { return major_; }
  int64_t MinorVersion() const { return minor_; }
  int64_t BugVersion() const { return bug_; }
  int64_t NonReleaseVersion() const { return non_release_; }
  int64_t StageCode() const { return stage_code_; }
  const std::string& LongVersion() const { return long_version_; }
  const std::string& ShortVersion() const { return short_version_; }
  const std::string& PackageInfo() const { return package_info_; }
  // Never set by the program: 0.
  int64_t RegionCode() const { return region_code_; }

  // The installed menu bar, shown in every window whose MenuBarVisible is
  // True (windows already open get the new bar at once).
  std::shared_ptr<::MenuBar> MenuBar() const { return menu_bar_; }
  void SetMenuBar(const std::shared_ptr<::MenuBar>& bar);

  // Whether the class implements the application event of that name
  // ("Open", "Close", "UnhandledException", ...). The framework's default
  // applies to every event not implemented. Default: none.
  virtual bool IsEventImplemented(const std::string& eventName) const;

 private:
  int64_t major_ = 0, minor_ = 0, bug_ = 0, non_release_ = 0, stage_code_ = 0;
  int64_t region_code_ = 0;
  std::string long_version_, short_version_, package_info_;
  std::shared_ptr<::MenuBar> menu_bar_;

  // The finalisers let go of the registered object, while the Qt
  // application object still exists.
  friend void RuntimePerformFinalizers();
  static void ReleaseRegistered();
};

// Makes app the application object; the framework holds it until
// RuntimePerformFinalizers. Raises NilObjectException for an empty app.
void _RuntimeRegisterAppObject(const std::shared_ptr<Application>& app);
// The registered application object, or empty before registration.
std::shared_ptr<Application> _GetAppObject();
