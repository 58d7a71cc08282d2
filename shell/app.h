// The application class. Its one object is made at start-up, given the
// version data and the menu bar, and registered with the framework, which
// holds it from then on. It implements no application event, so the
// framework's default handling applies to each.
#pragma once

#include <memory>
#include <string>

#include "framework/gui/application.h"

class App : public Application {
 public:
  static constexpr const char* kClassName = "App";
  const char* ClassName() const override { return kClassName; }

  // The registered application object, typed as App, fetched from the
  // framework on every call; empty before registration.
  static std::shared_ptr<App> Instance();

  // Registers the class; the last of the program's static initialisers.
  static void _RegisterClass();

  // Nothing to build beyond Application's own construction.
  virtual void Constructor() {}

  // The framework's own answer for the program's classes: App registers no
  // event handler, so no for every name.
  bool IsEventImplemented(const std::string& eventName) const override;
};
