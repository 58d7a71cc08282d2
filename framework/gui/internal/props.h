// Reading design-time property values, and the per-class setter tables.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "framework/core/exceptions.h"
#include "framework/core/property.h"

namespace props {

bool AsBool(const std::string& name, const PropertyValue& v);
int64_t AsInt(const std::string& name, const PropertyValue& v);
// Integers are taken as doubles too.
double AsDouble(const std::string& name, const PropertyValue& v);
std::string AsString(const std::string& name, const PropertyValue& v);
Color AsColor(const std::string& name, const PropertyValue& v);
std::shared_ptr<Picture> AsPicture(const std::string& name, const PropertyValue& v);

// A class's table from property name to setter.
template <typename T>
using Table = std::unordered_map<std::string, std::function<void(T&, const PropertyValue&)>>;

// Applies the entry of table, or hands the property to the base class.
template <typename T, typename Base>
void Set(T& self, const Table<T>& table, const std::string& name, const PropertyValue& v) {
  auto it = table.find(name);
  if (it != table.end())
    it->second(self, v);
  else
    self.Base::SetProperty(name, v);
}

// A setter for properties that the class takes and that change nothing.
template <typename T>
void Ignore(T&, const PropertyValue&) {}

}  // namespace props
