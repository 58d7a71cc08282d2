// The Qt side of controls: the widget behind each RectControl and the way
// back from a widget to its control, the image behind a Picture, and the
// conversions that controls and windows share (colours, fonts, keys).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QInputMethodEvent>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "framework/core/property.h"
#include "framework/gui/control.h"
#include "framework/gui/picture.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"

class QTextDocument;

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

// Offers each character of text to the control's KeyDown, as typed keys;
// true when the handler refused one (True), and then the rest are not
// offered.
bool KeyDownRefuses(Control& control, const std::string& text);

// A text editor (QLineEdit, QPlainTextEdit) whose composed text goes
// through its control's KeyDown as typed keys do; refused, it ends the
// composition and leaves the text as it was.
template <typename Editor>
class ComposesThroughKeyDown : public Editor {
 public:
  explicit ComposesThroughKeyDown(Control* control) : control_(control) {}

 protected:
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (!e->commitString().isEmpty() && !this->isReadOnly() &&
        KeyDownRefuses(*control_, e->commitString().toStdString())) {
      QInputMethodEvent ended;
      Editor::inputMethodEvent(&ended);
      e->accept();
      return;
    }
    Editor::inputMethodEvent(e);
  }

 private:
  Control* control_;
};
// Presses the button from the keyboard, as the space bar on the focused
// button does: its Action alone, with no MouseDown or MouseUp, since no
// mouse button went down. A hidden or disabled button does nothing.
void PressButton(PushButton& button);

// The widget of a control (empty before the control was attached).
QWidget* WidgetOf(const RectControl& control);
// The control whose widget is w or contains w, or empty.
std::shared_ptr<RectControl> ControlOf(const QWidget* w);
// The document behind a text area; paragraphs are the text's carriage
// returns.
QTextDocument* DocumentOf(const TextArea& area);
// The font of a text area (its FontName mapped to an installed font).
QFont FontOf(const TextArea& area);
// The image of a picture.
const QImage& ImageOf(const Picture& picture);

}  // namespace native

struct RectControl::Native {
  ~Native();
  static Native& Of(const RectControl& control) { return *control.native_; }
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
  int64_t tab_index = 0;
  bool tab_stop = true;
  // Apply the font / colours / text alignment to the widget.
  void ApplyFont();
  void ApplyColors();
  void ApplyAlignment();
};

struct Picture::Native {
  static Native& Of(const Picture& picture) { return *picture.native_; }
  QImage image;
};
