// The framework's exception classes. Every failure the framework reports is
// a RuntimeException or one of its subclasses; ClassName() names the class
// in the default handling of an exception that nothing caught.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message = "") : std::runtime_error(message) {}
  // The text the user and standard error see.
  std::string Message() const { return what(); }
  virtual const char* ClassName() const { return "RuntimeException"; }
  // A copy of the same class, so that a caught exception can be kept and
  // handed on as a result without losing its class.
  virtual std::shared_ptr<RuntimeException> Clone() const {
    return std::make_shared<RuntimeException>(*this);
  }
};

#define VELLACOR_DECLARE_EXCEPTION(Name, Base)                        \
  class Name : public Base {                                          \
   public:                                                            \
    explicit Name(const std::string& message = "") : Base(message) {} \
    const char* ClassName() const override { return #Name; }          \
    std::shared_ptr<RuntimeException> Clone() const override {        \
      return std::make_shared<Name>(*this);                           \
    }                                                                 \
  };

// An empty reference was used.
VELLACOR_DECLARE_EXCEPTION(NilObjectException, RuntimeException)
// An index lay outside an array's bounds.
VELLACOR_DECLARE_EXCEPTION(OutOfBoundsException, RuntimeException)
// A class-testing conversion met an object of another class.
VELLACOR_DECLARE_EXCEPTION(IllegalCastException, RuntimeException)
// A value of the wrong type was given, e.g. to a property.
VELLACOR_DECLARE_EXCEPTION(TypeMismatchException, RuntimeException)
// An argument was not acceptable, e.g. an unknown property name.
VELLACOR_DECLARE_EXCEPTION(InvalidArgumentException, RuntimeException)
