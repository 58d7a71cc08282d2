#include "framework/gui/menu.h"

#include <functional>
#include <string>
#include <utility>

#include "framework/core/exceptions.h"
#include "framework/gui/internal/menu_native.h"
#include "framework/gui/internal/testing.h"

namespace {

std::function<void(const std::string&, const std::string&)>& CallListener() {
  static std::function<void(const std::string&, const std::string&)> listener;
  return listener;
}

void Note(const std::string& call, const std::string& name) {
  if (CallListener()) CallListener()(call, name);
}

}  // namespace

MenuItem::MenuItem() : native_(std::make_unique<Native>()) { Note("Make", ""); }
MenuItem::~MenuItem() = default;

void MenuItem::SetName(const std::string& name) {
  name_ = name;
  Note("Name", name_);
}
void MenuItem::SetAutoEnabled(bool value) {
  auto_enabled_ = value;
  Note("AutoEnabled", name_);
}
void MenuItem::SetValue(const std::string& caption) {
  Note("Value", name_);
  const bool was_separator = IsSeparator();
  value_ = caption;
  native::MenuItemChanged(*this, IsSeparator() != was_separator);
}
void MenuItem::SetVisible(bool value) {
  Note("Visible", name_);
  visible_ = value;
  native::MenuItemChanged(*this, false);
}
void MenuItem::SetShortcut(const std::string& shortcut) {
  Note("Shortcut", name_);
  shortcut_ = shortcut;
  native::MenuItemChanged(*this, true);
}
void MenuItem::SetEnabled(bool value) {
  enabled_ = value;
  native::MenuItemChanged(*this, false);
}

void MenuItem::AddMenu(const std::shared_ptr<MenuItem>& item) {
  NotNil(item);
  Note("AddMenu", item->Name());
  children_.push_back(item);
  item->parent_ = std::static_pointer_cast<MenuItem>(shared_from_this());
  native::MenuItemChanged(*this, true);
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
  Note("Child", name);
  for (const auto& c : children_)
    if (c->Name() == name) return c;
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::_Lookup(const std::string& name) const {
  for (const auto& c : children_) {
    if (c->Name() == name) return c;
    if (auto found = c->_Lookup(name)) return found;
  }
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(int64_t index) const {
  if (index < 0 || index >= Count())
    throw OutOfBoundsException("menu item index " + std::to_string(index));
  return children_[static_cast<size_t>(index)];
}

void test_hooks::OnMenuCall(
    std::function<void(const std::string& call, const std::string& name)> fn) {
  CallListener() = std::move(fn);
}
