#include "framework/core/object.h"

void Object::SetProperty(const std::string& name, const PropertyValue&) {
  throw InvalidArgumentException(std::string("class ") + ClassName() + " has no property " + name);
}

void _SetProperties(const std::shared_ptr<Object>& target, const PropertyList& properties) {
  NotNil(target);
  for (const Property& p : properties) target->SetProperty(p.name, p.value);
}
