#include "shell/app.h"

#include "framework/core/object.h"
#include "framework/gui/startup.h"

std::shared_ptr<App> App::Instance() { return Cast<App>(_GetAppObject()); }

void App::_RegisterClass() { RuntimeRegisterClass(kClassName); }

bool App::IsEventImplemented(const std::string& eventName) const {
  auto self = std::const_pointer_cast<Object>(weak_from_this().lock());
  return _RuntimeIsEventHandled(self, kClassName, eventName, true);
}
