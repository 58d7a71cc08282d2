// The Qt side of windows: a window's frame and content widgets, its menu
// bar's place, and the way back from a widget to its window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/property.h"
#include "framework/gui/control.h"
#include "framework/gui/window.h"

class QMenuBar;

namespace native {

// The top-level widget of a window (its frame), and its content area, which
// is exactly Width x Height and is the parent of the controls' widgets.
QWidget* TopLevel(const Window& window);
QWidget* Content(const Window& window);
// The window whose top-level widget is w or contains w, or empty.
std::shared_ptr<Window> WindowOf(const QWidget* w);
// Places bar above the window's content area (the content keeps its size);
// the window takes ownership. nullptr removes the bar.
void SetMenuBar(Window& window, QMenuBar* bar);
QMenuBar* MenuBarOf(const Window& window);

// The life of one of the framework's own modal dialogs (a message box,
// the print dialog), from before it shows until it has closed, while it
// still exists. The program window that is active when it opens is
// lent to the dialog, not left by the user: once the dialog has closed,
// the window gets the activation back (also where no window manager gives
// it back), and that return raises no Activate, so the focus stays where
// the program put it. Any later activation of the window raises Activate
// as ever.
class ModalDialogScope {
 public:
  ModalDialogScope();
  ~ModalDialogScope();
  ModalDialogScope(const ModalDialogScope&) = delete;
  ModalDialogScope& operator=(const ModalDialogScope&) = delete;

 private:
  QPointer<QWidget> opener_;
};

// The top-level widget of a window.
class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(Window::Native* owner);

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  Window::Native* owner_;
};

// The content area: exactly Width x Height, parent of the controls.
class ContentWidget : public QWidget {
 public:
  explicit ContentWidget(Window::Native* owner, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  Window::Native* owner_;
};

}  // namespace native

struct Window::Native {
  explicit Native(Window* w);
  ~Native();
  static Native& Of(const Window& window) { return *window.native_; }
  // Frame flags, title, size and background from the stored properties.
  void ApplyFrame();
  void ApplySize();
  // Places the menu bar and the content area inside the frame.
  void LayoutContent();
  int MenuBarHeight() const;
  // Places the window on the screen the first time it shows: centred, its
  // top and left edges kept on the screen's available area.
  void Place();
  // Focus policies from TabStop / AllowFocus, and Tab order by TabIndex.
  void ApplyTabOrder(const std::vector<std::shared_ptr<Control>>& controls);
  // The focus moved to control (empty: to no control of this window):
  // raises LostFocus on the old focus control and GotFocus on the new one.
  void FocusMovedTo(const std::shared_ptr<RectControl>& control);
  // Runs the window's handler for the menu item through the dispatch.
  // Returns false when the window has no handler for that item; *result
  // gets the handler's Boolean result (false if it raised).
  bool InvokeMenuHandler(const std::string& item_name, bool* result);
  // Raises the window's EnableMenuItems event (where Qt is about to show a
  // menu of that window).
  void RaiseEnableMenuItems();

  Window* window;
  QPointer<native::FrameWidget> top;
  native::ContentWidget* content = nullptr;
  QPointer<QMenuBar> menu_bar;
  std::string title;
  int64_t type = 0;
  bool close_button = true, minimize_button = true, maximize_button = true;
  bool has_background = false;
  Color background = Color::FromRGB(255, 255, 255);
  int64_t default_location = 0;
  bool placed = false;
  std::weak_ptr<RectControl> focus;
};
