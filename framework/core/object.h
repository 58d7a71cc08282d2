// The common base of the framework's objects and the two helpers that every
// caller of the framework uses on references.
//
// Objects have shared, counted ownership (std::shared_ptr). Cast<T> is the
// class-testing conversion: an empty reference stays empty, an object of
// another class raises IllegalCastException. NotNil is the test of a
// reference before use: an empty one raises NilObjectException.
#pragma once

#include <memory>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/property.h"

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // The class name used in messages and handler signatures.
  virtual const char* ClassName() const { return "Object"; }

  // Sets one design-time property; _SetProperties calls it for each entry of
  // a property list. Classes without properties refuse every name.
  virtual void SetProperty(const std::string& name, const PropertyValue& value);
};

// The class-testing conversion of a reference.
template <typename T, typename U>
std::shared_ptr<T> Cast(const std::shared_ptr<U>& from) {
  if (!from) return nullptr;
  auto to = std::dynamic_pointer_cast<T>(from);
  if (!to)
    throw IllegalCastException(std::string("an object of class ") + from->ClassName() +
                               " cannot be converted to this class");
  return to;
}

// Returns the reference unchanged; raises NilObjectException if it is empty.
template <typename T>
const std::shared_ptr<T>& NotNil(const std::shared_ptr<T>& ref) {
  if (!ref) throw NilObjectException("empty reference");
  return ref;
}

// Applies a property list to an object, entry by entry in list order.
// Raises NilObjectException for an empty target; an unknown name or a value
// of the wrong kind raises at that entry, leaving the earlier ones applied.
void _SetProperties(const std::shared_ptr<Object>& target, const PropertyList& properties);
