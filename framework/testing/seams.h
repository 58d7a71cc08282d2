// Test seams: drive the framework's real widgets on the offscreen platform
// through the same paths as real input (synthetic Qt events sent through
// QApplication::notify, so filters and handlers see them as they see the
// user's).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/window.h"

namespace seams {

// Makes the application object once per process (offscreen unless the
// environment names another platform).
void InitRuntime();

// Processes pending events, as the event loop would.
void ProcessEvents();

// While one lives, message boxes are answered at once and their texts
// recorded instead of shown.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  const std::vector<std::string>& Texts() const;
  // fn runs at each box, while it is up, with its text (to see what the
  // program has done before it); empty stops it.
  void OnShow(std::function<void(const std::string& text)> fn);
};

// While one lives, beeps are counted instead of sounded.
class Beeps {
 public:
  Beeps();
  ~Beeps();
  int64_t Count() const;
  // fn runs at each beep, after it is counted; empty stops it.
  void OnBeep(std::function<void()> fn);
};

// A key press (and release) on the control, or on the window's focus
// widget: key is the key's text, or one KeyCode character for a key without
// text (backspace, tab, return, escape, arrows, delete).
void PressKey(const std::shared_ptr<RectControl>& control, const std::string& key);
void PressKey(const std::shared_ptr<Window>& window, const std::string& key);
// Each character of text as one key press.
void Type(const std::shared_ptr<RectControl>& control, const std::string& text);
// A key named as a key sequence reads ("F1", "Insert", "Ctrl+V",
// "Shift+Insert", "Q"), pressed and released on the control or on the
// window's focus widget, with the text that the platform gives it (the
// character for a plain printable key, a control character for Ctrl and a
// letter, a carriage return for Return and Enter, none for the rest).
// Returns whether the press was taken.
bool PressNamedKey(const std::shared_ptr<RectControl>& control, const std::string& name);
bool PressNamedKey(const std::shared_ptr<Window>& window, const std::string& name);
// An input method's composition of text in the control: the text shown
// as being composed, then committed, as the platform's input methods send
// it.
void Compose(const std::shared_ptr<RectControl>& control, const std::string& text);

// Mouse input at (x, y) in the control's coordinates (its centre by
// default). Presses and releases arrive at the control's window first, as
// the platform delivers them, while the window is shown.
enum class Button { kLeft, kMiddle, kRight };
void Click(const std::shared_ptr<RectControl>& control, Button button = Button::kLeft);
void MouseDown(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y);
void MouseUp(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y);
// A click on the window's content at content coordinates.
void ClickWindow(const std::shared_ptr<Window>& window, int64_t x, int64_t y,
                 Button button = Button::kLeft);

// Opens the control's context menu with a right click and chooses its item
// of that caption (as shown, without the & of its access key and without
// its shortcut); false, the menu closed, when it has none.
bool ChooseContextMenuItem(const std::shared_ptr<RectControl>& control,
                           const std::string& caption);

// Text dragged from another program and dropped onto the control's centre,
// offered for a copy or a move, the move proposed (as a drag out of a text
// area does). Returns whether the control took the drop; when it did not,
// the source of the drag keeps its text.
bool Drop(const std::shared_ptr<RectControl>& control, const std::string& text);

// The clipboard (and the selection, where the platform has one) holding
// text; or, emptied, holding data with no format at all, as on a desktop
// where nothing owns them.
void SetClipboard(const std::string& text);
void EmptyClipboard();

// Lets the next real dialog (a message box, the print dialog) come up and
// dismisses it with Escape as soon as it is shown, as the user would.
void DismissNextDialog();
// The program's window that is active (has the keyboard), or empty.
std::shared_ptr<Window> ActiveWindow();
// The mouse pointer entering / leaving the control.
void MouseEnter(const std::shared_ptr<RectControl>& control);
void MouseExit(const std::shared_ptr<RectControl>& control);

// Moves the focus into the control as a click or Tab would.
void MoveFocus(const std::shared_ptr<RectControl>& control);
// Asks the window's close box to close it.
void CloseBox(const std::shared_ptr<Window>& window);

// Points the resource folder elsewhere for the life of the object.
class ResourceFolder {
 public:
  explicit ResourceFolder(const std::string& folder);
  ~ResourceFolder();
};

// Runs fn at the next yield of a run, after pending events (e.g. to click
// in the middle of a long run).
void AtNextYield(std::function<void()> fn);

// Forgets the implicit windows and any Quit, so that each test starts
// afresh.
void Reset();

// Saves a picture of the window (frame excluded) as a PNG file.
bool Grab(const std::shared_ptr<Window>& window, const std::string& png_path);

// What a control's widget shows of its text: the font that was found for
// it (pixel sizes: one pixel to a point), the colour its text is drawn in,
// the colour behind the text of a text field or text area (for other
// controls the background is empty), and the alignment of its text
// ("left", "centre" or "right"; empty for a control that aligns none).
struct Look {
  std::string font_family;
  int64_t font_size = 0;
  bool bold = false, italic = false, underline = false;
  bool fixed_pitch = false;
  Color text{};
  std::optional<Color> background;
  std::string alignment;
};
Look LookOf(const std::shared_ptr<RectControl>& control);

// Where a control's widget stands on the window's content area, and
// whether it is shown there.
struct Place {
  bool shown = false;
  int64_t left = 0, top = 0, width = 0, height = 0;
};
Place PlaceOf(const std::shared_ptr<RectControl>& control);

// A picture of the window's content area as it is drawn now.
class Snapshot {
 public:
  explicit Snapshot(const std::shared_ptr<Window>& window);
  ~Snapshot();
  int64_t Width() const;
  int64_t Height() const;
  // The colour at (x, y); REQUIRES: inside the picture.
  Color At(int64_t x, int64_t y) const;

 private:
  struct Image;
  std::unique_ptr<Image> image_;
};

}  // namespace seams
