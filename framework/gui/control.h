// Controls: Control is the base of everything a window owns under a name
// (non-visual controls such as timers derive from it); RectControl is a
// control with a place on the window.
//
// A control is made through its window (Window::_New<T>()), registered under
// its name (Window::_AddControl), given its property list (_SetProperties)
// and its handlers (RuntimeAddEventHandler).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/property.h"
#include "framework/gui/delegate.h"

class Window;

// Keys without text reach KeyDown handlers as these one-character texts.
// Insert (and Help) come as kHelp; the function keys and any other key
// without text of its own as kFunction. Modifier keys alone raise no
// KeyDown.
namespace KeyCode {
constexpr char kBackspace = 8, kTab = 9, kReturn = 13, kEscape = 27;
constexpr char kLeft = 28, kRight = 29, kUp = 30, kDown = 31, kDelete = 127;
constexpr char kHelp = 5, kFunction = 16;
}  // namespace KeyCode

class Control : public Object {
 public:
  static constexpr const char* kClassName = "Control";
  Control();
  ~Control() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;

  // The name given by the Name property or by _AddControl.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // The window that made the control; empty before _New attached it.
  std::shared_ptr<Window> OwnerWindow() const { return window_.lock(); }

  // An event of this class: its further parameters and its result as they
  // read in a signature text, e.g. {", String", " as Boolean"}.
  struct EventShape {
    const char* params;
    const char* result;
  };
  // The events of the class; subclasses add theirs to their base's.
  virtual std::map<std::string, EventShape> Events() const;
  // The signature text that a handler of the event must have, e.g.
  // "( TextField, String ) as Boolean"; empty for an unknown event.
  std::string EventSignature(const std::string& event) const;

  // Wiring, for RuntimeAddEventHandler.
  void AddHandler(const std::string& event, const Delegate& handler);
  bool HasHandler(const std::string& event) const;

  // Raises an event with this control as first argument and args after it,
  // through the runtime's dispatch. Returns the handler's Boolean result
  // (false for events without one), or nothing when no handler is wired or
  // the handler raised.
  std::optional<bool> RaiseEvent(const std::string& event, const std::vector<EventArg>& args = {});

 protected:
  // Called by the window that makes the control, before any property.
  virtual void Attach(const std::shared_ptr<Window>& window);

 private:
  // The window attaches the controls it makes and raises their Open.
  friend class Window;
  const Delegate* FindHandler(const std::string& event) const;

  std::string name_;
  std::weak_ptr<Window> window_;
  std::map<std::string, Delegate> handlers_;
};

// A control with a place on its window and a native widget.
class RectControl : public Control {
 public:
  static constexpr const char* kClassName = "RectControl";
  RectControl();
  ~RectControl() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  int64_t Left() const;
  int64_t Top() const;
  int64_t Width() const;
  int64_t Height() const;
  void SetBounds(int64_t left, int64_t top, int64_t width, int64_t height);
  int64_t TabIndex() const;
  bool TabStop() const;

  // Moves the keyboard focus into the control. The control that loses the
  // focus raises LostFocus and this one GotFocus, also while the window is
  // not the active one.
  void SetFocus();
  bool HasFocus() const;

  // The framework's Qt side of the control, the widget behind it
  // (internal/control_native.h).
  struct Native;

 private:
  friend struct Native;
  void Attach(const std::shared_ptr<Window>& window) override;
  // Makes the control's widget on the window's content; called by Attach.
  virtual void MakeWidget() = 0;

  std::unique_ptr<Native> native_;
};
