// The main window's design as data: its own property list, its controls
// with their property lists, and the table that wires the controls' events
// to the window's handlers. _CreateControls0 and Layout apply them;
// nothing else reads them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/framework.h"

class ControlWnd;

namespace controlwnd_design {

// The window's properties, in the order Layout applies them.
const PropertyList& WindowProperties();

// One control: its name, how to make it on the window, and its property
// list (place, size, edge locks, tab order, content, font, colours, flags).
struct ControlDesign {
  const char* name;
  std::shared_ptr<Control> (*make)(Window& window);
  PropertyList properties;
};
// The controls, in creation order.
const std::vector<ControlDesign>& Controls();

// One wired event: the control, its event, the handler's signature text,
// and how to bind the window's handler method with that text.
struct Wiring {
  const char* control;
  const char* event;
  const char* signature;
  Delegate (*bind)(const std::shared_ptr<ControlWnd>& window, const std::string& signature);
};
// The handlers, in attachment order.
const std::vector<Wiring>& Wirings();

}  // namespace controlwnd_design
