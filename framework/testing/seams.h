// Test seams, the tests' one way into the framework: drive its real
// widgets on the offscreen platform through the same paths as real input
// (synthetic Qt events sent through QApplication::notify, so filters and
// handlers see them as they see the user's), answer its dialogs, look on at
// its state and put the process back to its start.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/window.h"
#include "framework/testing/core_seams.h"

class QMenuBar;
class QWidget;

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
// Pressed on the window while one of its menus is open, the key goes to
// the menu, as the platform sends it.
bool PressNamedKey(const std::shared_ptr<RectControl>& control, const std::string& name);
bool PressNamedKey(const std::shared_ptr<Window>& window, const std::string& name);
// The caption of the menu that is open (pulled down from a bar, or a
// context menu: empty caption), and the caption of its highlighted item
// (as shown, without its shortcut); both empty when no menu is open.
std::string OpenMenu();
std::string HighlightedMenuItem();
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
bool ChooseContextMenuItem(const std::shared_ptr<RectControl>& control, const std::string& caption);

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
// dismisses it with Escape as soon as it is shown, as the user would;
// while_up, if given, runs first, while the dialog is up.
void DismissNextDialog(std::function<void()> while_up = nullptr);
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
// in the middle of a long run); a function that fn arms waits for the yield
// after that.
void AtNextYield(std::function<void()> fn);

// Puts the process back to its start, so that a test starts afresh: forgets
// the implicit windows (hidden), any Quit and what waits for the next
// yield, lets go of the application object, and forgets the start-up state
// (initialisers, finalisers, the pending exception, the class and event
// registries, whether the initialisers and the late start-up hook ran) and
// the file-type registrations.
void Reset();

// fn runs as each window's Constructor begins, before its construction
// events; empty stops it.
using test_hooks::OnWindowConstruction;
// fn runs at each _RuntimeRegisterAppObject with the object, just before it
// is registered; empty stops it.
using test_hooks::OnAppRegistration;
// Full names of the registered classes, in registration order.
using test_hooks::RegisteredClasses;

// Every file-type registration since the start (or the last Reset), in
// order, with whether it was withdrawn since.
using test_hooks::FileTypeRecord;
using test_hooks::FileTypeRecords;
// Makes the next registration raise RuntimeException with this message.
using test_hooks::FailNextFileTypeRegistration;

// Fires the timer now, as if its period had run out; a timer that is off
// does nothing. Returns whether it fired.
using test_hooks::FireTimerNow;
// The timers that are running, in the order they were started.
using test_hooks::PendingTimers;

// How many steps the progress wheel has turned since it was made.
using test_hooks::WheelSteps;

// fn runs at each of these calls on a menu item, with the call's name and
// a name: "Make" (a new item, empty name), "Name", "AutoEnabled", "Value",
// "Visible" and "Shortcut" (each with the item's name as it stands), "Child"
// (with the name looked up) and "AddMenu" (with the appended item's name);
// empty stops it.
using test_hooks::OnMenuCall;

// A choice of the item of that name in window's menu bar, by the path of a
// real choice: the enabled state is brought up to date for window
// (EnableMenuItems), then the item's action is triggered if it is enabled
// and visible. Returns whether the item was chosen; a name not in the
// window's bar raises InvalidArgumentException.
using test_hooks::ChooseMenuItem;
// The same, as the item's keyboard shortcut pressed in window.
using test_hooks::PressMenuShortcut;
// Brings the enabled state up to date for window, as before a menu opens.
using test_hooks::UpdateMenus;
// The captions of window's menu bar as Qt shows them, top-level menus
// first, each followed by its items' captions indented by two spaces
// (separators as "-", shortcuts after a tab); empty without a bar.
using test_hooks::MenuBarText;

// The next print dialogs are answered without showing them: with a surface
// that writes a PDF (US Letter, half-inch margins, so the printable area is
// 540 by 720) to path, or with a cancel. The answer holds until changed;
// ClearPrintDialogAnswer shows the real dialog again.
using test_hooks::AnswerPrintDialogWithCancel;
using test_hooks::AnswerPrintDialogWithPdf;
using test_hooks::ClearPrintDialogAnswer;
// Print dialogs opened, and Graphics::NextPage calls, since the last answer
// was set.
using test_hooks::NextPageCalls;
using test_hooks::PrintDialogsOpened;
// Writes to PDF files fail with "No space left on device" once that many
// bytes of a file have been written; -1 (and Reset) lets them succeed.
using test_hooks::FailPdfWritesAfter;

// What a user chooses in the real print dialog.
struct PrintDialogChoices {
  std::string output_file;  // the output file of Print to File (PDF)
  std::string paper;        // the page size as Properties lists it ("A5"); empty: as it is
  bool landscape = false;   // Properties: landscape instead of portrait
  int64_t from_page = 0;    // the pages from and to; 0: all pages
  int64_t to_page = 0;
  int64_t copies = 1;
  bool collate = true;
  bool reverse = false;  // the last page first
};
// Lets the next real print dialog come up and makes the choices in it as
// the user would: Properties (paper, orientation) and OK, then the output
// file, the page range, the copies and their order, then Print; Qt's question whether
// to replace an existing file is answered Yes. A dialog still up after
// Print (its output refused) is cancelled.
void FillNextPrintDialog(const PrintDialogChoices& choices);

// The widgets behind a window (its frame and its content area) and behind a
// control, for tests that look at them with Qt.
QWidget* TopLevel(const std::shared_ptr<Window>& window);
QWidget* Content(const std::shared_ptr<Window>& window);
QWidget* WidgetOf(const std::shared_ptr<RectControl>& control);
// Places bar above the window's content area (the content keeps its size);
// the window takes it. nullptr removes the bar.
void SetMenuBar(const std::shared_ptr<Window>& window, QMenuBar* bar);

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

// A picture of the window's content area as it is drawn now, in device
// pixels (Scale() of them to a point).
class Snapshot {
 public:
  explicit Snapshot(const std::shared_ptr<Window>& window);
  ~Snapshot();
  int64_t Width() const;
  int64_t Height() const;
  double Scale() const;
  // The colour at (x, y); REQUIRES: inside the picture.
  Color At(int64_t x, int64_t y) const;

 private:
  struct Image;
  std::unique_ptr<Image> image_;
};

}  // namespace seams
