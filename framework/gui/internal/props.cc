#include "framework/gui/internal/props.h"

#include <variant>

namespace props {

namespace {
[[noreturn]] void Mismatch(const std::string& name, const char* wanted) {
  throw TypeMismatchException("property " + name + " needs " + wanted);
}
}  // namespace

bool AsBool(const std::string& name, const PropertyValue& v) {
  if (auto* b = std::get_if<bool>(&v)) return *b;
  Mismatch(name, "a Boolean");
}

int64_t AsInt(const std::string& name, const PropertyValue& v) {
  if (auto* i = std::get_if<int64_t>(&v)) return *i;
  Mismatch(name, "an Integer");
}

double AsDouble(const std::string& name, const PropertyValue& v) {
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  Mismatch(name, "a number");
}

std::string AsString(const std::string& name, const PropertyValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  Mismatch(name, "a String");
}

Color AsColor(const std::string& name, const PropertyValue& v) {
  if (auto* c = std::get_if<Color>(&v)) return *c;
  Mismatch(name, "a Color");
}

std::shared_ptr<Picture> AsPicture(const std::string& name, const PropertyValue& v) {
  if (auto* p = std::get_if<std::shared_ptr<Picture>>(&v)) return *p;
  Mismatch(name, "a Picture");
}

}  // namespace props
