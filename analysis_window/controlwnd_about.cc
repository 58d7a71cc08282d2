// The About menu item: its handler's registration, its enabling and its
// action. Placeholders until the real versions land here.
#include "analysis_window/controlwnd.h"

void ControlWnd::AddMenuHandlers(std::shared_ptr<Window> window) { (void)window; }

void ControlWnd::Event_EnableMenuItems() {}

bool ControlWnd::_AboutVellacor_Action() { return false; }
