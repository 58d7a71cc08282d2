// The framework's private Qt structures behind Window, RectControl and
// Picture, shared by the framework's .cc files.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/property.h"
#include "framework/gui/control.h"
#include "framework/gui/picture.h"
#include "framework/gui/window.h"

class QMenuBar;

namespace native {

QColor ToQColor(const Color& c);
// FontName mapped to an installed font: "Courier" and "Courier New" to a
// monospaced font of the same metrics where one is installed, "System" to
// the application's font; size 0 keeps the default size.
QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline);
// The text of a key event as the program sees it: its text, or one control
// character for keys without text (see KeyCode); empty for modifier keys
// alone.
std::string KeyText(int qt_key, const QString& text);
// Gives the activation back to window (a program window that was active
// when a dialog opened), where no window manager does so once the dialog
// has closed. Empty or hidden: nothing.
void GiveActivationBack(QWidget* window);

// The top-level widget of a window.
class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(Window::Native* owner);
  Window::Native* owner() const { return owner_; }

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
  // Frame flags, title, size and background from the stored properties.
  void ApplyFrame();
  void ApplySize();
  // Places the menu bar and the content area inside the frame.
  void LayoutContent();
  int MenuBarHeight() const;
  // Centres the window on the screen the first time it shows.
  void Place();
  // Focus policies from TabStop / AllowFocus, and Tab order by TabIndex.
  void ApplyTabOrder(const std::vector<std::shared_ptr<Control>>& controls);
  // The focus moved to control (empty: to no control of this window):
  // raises LostFocus on the old focus control and GotFocus on the new one.
  void FocusMovedTo(const std::shared_ptr<RectControl>& control);
  void RaiseOpen();

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

struct RectControl::Native {
  ~Native();
  // Makes widget the control's widget: parents it to the window's content,
  // marks it as the control's, applies the stored geometry and state, and
  // routes its input (and that of its children) through the control.
  void Adopt(QWidget* widget);
  void ApplyGeometry();

  RectControl* control = nullptr;
  std::weak_ptr<Window> window;
  QPointer<QWidget> widget;
  int64_t left = 0, top = 0, width = 80, height = 22;
  bool visible = true, enabled = true;
  // What the Transparent / AllowFocus properties say.
  bool transparent = false, allow_focus = true;
  std::string font_name = "System";
  double font_size = 0;
  bool bold = false, italic = false, underline = false;
  bool has_text_color = false;
  Color text_color = Color::FromRGB(0, 0, 0);
  bool has_background = false;
  Color background = Color::FromRGB(255, 255, 255);
  int64_t alignment = 0;
  QObject* filter = nullptr;
  // Apply the font / colours to the widget.
  void ApplyFont();
  void ApplyColors();
};

struct Picture::Native {
  QImage image;
};
