#include "framework/gui/control.h"

#include <QWidget>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/props.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/window.h"

// ---- Control -----------------------------------------------------------------

Control::Control() = default;
Control::~Control() = default;

namespace {
const props::Table<Control>& ControlTable() {
  static const props::Table<Control> table = {
      {"Name", [](Control& c, const PropertyValue& v) { c.SetName(props::AsString("Name", v)); }},
      {"Index", props::Ignore<Control>},
      {"TabPanelIndex", props::Ignore<Control>},
      {"InitialParent", props::Ignore<Control>},
      {"DataField", props::Ignore<Control>},
      {"DataSource", props::Ignore<Control>},
  };
  return table;
}
}  // namespace

void Control::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<Control, Object>(*this, ControlTable(), name, value);
}

std::map<std::string, Control::EventShape> Control::Events() const { return {{"Open", {"", ""}}}; }

std::string Control::EventSignature(const std::string& event) const {
  const auto events = Events();
  auto it = events.find(event);
  if (it == events.end()) return "";
  return std::string("( ") + ClassName() + it->second.params + " )" + it->second.result;
}

void Control::AddHandler(const std::string& event, const Delegate& handler) {
  NotNil(handler);
  const std::string wanted = EventSignature(event);
  if (wanted.empty())
    throw InvalidArgumentException(std::string("class ") + ClassName() + " has no event " + event);
  if (handler->Signature() != wanted)
    throw TypeMismatchException("handler \"" + handler->Signature() + "\" cannot handle " +
                                ClassName() + "." + event + ", which needs \"" + wanted + "\"");
  handlers_[event] = handler;
}

bool Control::HasHandler(const std::string& event) const { return handlers_.count(event) != 0; }

const Delegate* Control::FindHandler(const std::string& event) const {
  auto it = handlers_.find(event);
  return it == handlers_.end() ? nullptr : &it->second;
}

void Control::Attach(const std::shared_ptr<Window>& window) { window_ = window; }

std::optional<bool> Control::RaiseEvent(const std::string& event,
                                        const std::vector<EventArg>& args) {
  const Delegate* d = FindHandler(event);
  if (d == nullptr) return std::nullopt;
  // Keep both alive during the call: a handler may drop its own control.
  const Delegate handler = *d;
  const std::shared_ptr<Object> self = shared_from_this();
  bool result = false;
  const bool ok =
      native::CallProgram([&] { result = RuntimeDelegate::Native::Invoke(*handler, self, args); });
  if (!ok) return std::nullopt;
  return result;
}

void RuntimeAddEventHandler(const std::shared_ptr<Control>& control, const std::string& event,
                            const Delegate& handler) {
  NotNil(control)->AddHandler(event, handler);
}

// ---- RectControl -------------------------------------------------------------

namespace {

const props::Table<RectControl>& RectTable() {
  using N = RectControl::Native;
  auto native = [](RectControl& c) -> N& { return N::Of(c); };
  // clang-format off
  static const props::Table<RectControl> table = {
      {"Left", [=](RectControl& c, const PropertyValue& v) { native(c).left = props::AsInt("Left", v); native(c).ApplyGeometry(); }},
      {"Top", [=](RectControl& c, const PropertyValue& v) { native(c).top = props::AsInt("Top", v); native(c).ApplyGeometry(); }},
      {"Width", [=](RectControl& c, const PropertyValue& v) { native(c).width = props::AsInt("Width", v); native(c).ApplyGeometry(); }},
      {"Height", [=](RectControl& c, const PropertyValue& v) { native(c).height = props::AsInt("Height", v); native(c).ApplyGeometry(); }},
      {"Visible", [](RectControl& c, const PropertyValue& v) { c.SetVisible(props::AsBool("Visible", v)); }},
      {"Enabled", [](RectControl& c, const PropertyValue& v) { c.SetEnabled(props::AsBool("Enabled", v)); }},
      {"TabIndex", [=](RectControl& c, const PropertyValue& v) { native(c).tab_index = props::AsInt("TabIndex", v); }},
      {"TabStop", [=](RectControl& c, const PropertyValue& v) { native(c).tab_stop = props::AsBool("TabStop", v); }},
      {"AllowFocus", [=](RectControl& c, const PropertyValue& v) { native(c).allow_focus = props::AsBool("AllowFocus", v); }},
      {"Transparent", [=](RectControl& c, const PropertyValue& v) { native(c).transparent = props::AsBool("Transparent", v); native(c).ApplyColors(); }},
      {"FontName", [=](RectControl& c, const PropertyValue& v) { native(c).font_name = props::AsString("FontName", v); native(c).ApplyFont(); }},
      {"FontSize", [=](RectControl& c, const PropertyValue& v) { native(c).font_size = props::AsDouble("FontSize", v); native(c).ApplyFont(); }},
      {"Bold", [=](RectControl& c, const PropertyValue& v) { native(c).bold = props::AsBool("Bold", v); native(c).ApplyFont(); }},
      {"Italic", [=](RectControl& c, const PropertyValue& v) { native(c).italic = props::AsBool("Italic", v); native(c).ApplyFont(); }},
      {"Underline", [=](RectControl& c, const PropertyValue& v) { native(c).underline = props::AsBool("Underline", v); native(c).ApplyFont(); }},
      {"TextColor", [=](RectControl& c, const PropertyValue& v) { native(c).text_color = props::AsColor("TextColor", v); native(c).has_text_color = true; native(c).ApplyColors(); }},
      {"BackgroundColor", [=](RectControl& c, const PropertyValue& v) { native(c).background = props::AsColor("BackgroundColor", v); native(c).ApplyColors(); }},
      {"HasBackgroundColor", [=](RectControl& c, const PropertyValue& v) { native(c).has_background = props::AsBool("HasBackgroundColor", v); native(c).ApplyColors(); }},
      {"TextAlignment", [=](RectControl& c, const PropertyValue& v) { native(c).alignment = props::AsInt("TextAlignment", v); native(c).ApplyAlignment(); }},
      // Kept for the design tables; the window never resizes or themes its
      // controls, so these change nothing.
      {"FontUnit", props::Ignore<RectControl>},
      {"LockLeft", props::Ignore<RectControl>},
      {"LockTop", props::Ignore<RectControl>},
      {"LockRight", props::Ignore<RectControl>},
      {"LockBottom", props::Ignore<RectControl>},
      {"AllowFocusRing", props::Ignore<RectControl>},
      {"AllowAutoDeactivate", props::Ignore<RectControl>},
      {"DoubleBuffer", props::Ignore<RectControl>},
      {"Tooltip", props::Ignore<RectControl>},
  };
  // clang-format on
  return table;
}

}  // namespace

RectControl::RectControl() : native_(std::make_unique<Native>()) { native_->control = this; }
RectControl::~RectControl() = default;

void RectControl::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<RectControl, Control>(*this, RectTable(), name, value);
}

std::map<std::string, Control::EventShape> RectControl::Events() const {
  auto events = Control::Events();
  events["GotFocus"] = {"", ""};
  events["LostFocus"] = {"", ""};
  events["MouseEnter"] = {"", ""};
  events["MouseExit"] = {"", ""};
  return events;
}

bool RectControl::Visible() const { return native_->visible; }
void RectControl::SetVisible(bool visible) {
  native_->visible = visible;
  if (native_->widget) native_->widget->setVisible(visible);
}
bool RectControl::Enabled() const { return native_->enabled; }
void RectControl::SetEnabled(bool enabled) {
  native_->enabled = enabled;
  if (native_->widget) native_->widget->setEnabled(enabled);
}
int64_t RectControl::Left() const { return native_->left; }
int64_t RectControl::Top() const { return native_->top; }
int64_t RectControl::Width() const { return native_->width; }
int64_t RectControl::Height() const { return native_->height; }
int64_t RectControl::TabIndex() const { return native_->tab_index; }
bool RectControl::TabStop() const { return native_->tab_stop; }
void RectControl::SetBounds(int64_t left, int64_t top, int64_t width, int64_t height) {
  native_->left = left;
  native_->top = top;
  native_->width = width;
  native_->height = height;
  native_->ApplyGeometry();
}

void RectControl::SetFocus() {
  auto window = OwnerWindow();
  QWidget* w = native_->widget;
  if (!window || w == nullptr || w->focusPolicy() == Qt::NoFocus) return;
  Window::Native::Of(*window).FocusMovedTo(
      std::static_pointer_cast<RectControl>(shared_from_this()));
  w->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const {
  auto window = OwnerWindow();
  return window && window->FocusControl().get() == this;
}

void RectControl::Attach(const std::shared_ptr<Window>& window) {
  Control::Attach(window);
  native_->window = window;
  MakeWidget();
}
