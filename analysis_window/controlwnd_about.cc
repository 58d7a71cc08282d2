// The About menu item: the main window registers its handler, enables it
// whenever the menus are brought up to date, and answers it by showing the
// splash window again.
#include "analysis_window/about_vellacor.h"
#include "analysis_window/controlwnd.h"
#include "shell/app.h"
#include "shell/splash_wnd.h"

std::shared_ptr<AppleMenuItem> AboutVellacor() {
  // The bar the application has installed now, not the menu bar's holder.
  std::shared_ptr<MenuBar> bar = NotNil(NotNil(App::Instance())->MenuBar());
  return Cast<AppleMenuItem>(bar->_Lookup("AboutVellacor"));
}

void ControlWnd::AddMenuHandlers(std::shared_ptr<Window> window) {
  auto self = Cast<ControlWnd>(window);
  _AddMenuHandler("AboutVellacor", RuntimeCreateDelegate(self, &ControlWnd::_AboutVellacor_Action,
                                                         "(  ) as Boolean"));
}

void ControlWnd::Event_EnableMenuItems() { NotNil(AboutVellacor())->SetEnabled(true); }

bool ControlWnd::_AboutVellacor_Action() {
  // The splash window is shown as it stands: not rebuilt, its timer not
  // restarted.
  NotNil(SplashWnd::Instance())->Show();
  return false;
}
