// Controls driven through the test seams as the user drives them: keys,
// focus, clicks, the text area's characters, the look of the help button.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>

#include "framework/testing/seams.h"
#include "tests/framework/test_window.h"

namespace {

const std::string kEnDash = "\xE2\x80\x93";

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seams::Reset();
    w = TheTestWnd();
    seams::ProcessEvents();
  }
  void TearDown() override { seams::Reset(); }
  std::shared_ptr<TestWnd> w;
  seams::Beeps beeps;
};

TEST_F(ControlsTest, HandlerSignaturesAreCheckedWhenMadeAndWhenWired) {
  EXPECT_THROW(RuntimeCreateDelegate(w, &TestWnd::Field_KeyDown, "( TextField )"),
               TypeMismatchException);
  EXPECT_THROW(RuntimeCreateDelegate(w, &TestWnd::RunBtn_Action, "( PushButton ) as Boolean"),
               TypeMismatchException);
  EXPECT_THROW(
      RuntimeCreateDelegate(std::shared_ptr<TestWnd>(), &TestWnd::RunBtn_Action, "( PushButton )"),
      NilObjectException);
  const Delegate key =
      RuntimeCreateDelegate(w, &TestWnd::Field_KeyDown, "( TextField, String ) as Boolean");
  const Delegate action = RuntimeCreateDelegate(w, &TestWnd::RunBtn_Action, "( PushButton )");
  const Delegate focus = RuntimeCreateDelegate(w, &TestWnd::Field_GotFocus, "( TextField )");
  const struct {
    const char* control;
    const char* event;
    Delegate handler;
    bool ok;
  } cases[] = {
      {"Field1", "KeyDown", key, true},
      {"Report", "KeyDown", key, false},    // a text area's handler takes a TextArea
      {"Field1", "Action", action, false},  // fields have no Action
      {"RunBtn", "Action", action, true},
      {"RunBtn", "MouseDown", action, false},
      {"Field1", "GotFocus", focus, true},
      {"Field1", "LostFocus", key, false},
      {"HelpBtn", "Action", focus, false},
  };
  for (const auto& c : cases) {
    auto control = w->_ControlByName(c.control);
    if (c.ok) {
      EXPECT_NO_THROW(RuntimeAddEventHandler(control, c.event, c.handler))
          << c.control << "." << c.event;
    } else {
      EXPECT_ANY_THROW(RuntimeAddEventHandler(control, c.event, c.handler))
          << c.control << "." << c.event;
    }
  }
  EXPECT_THROW(RuntimeAddEventHandler(w->_ControlByName("Field1"), "Action", action),
               InvalidArgumentException);
  EXPECT_THROW(RuntimeAddEventHandler(w->_ControlByName("Report"), "KeyDown", key),
               TypeMismatchException);
  EXPECT_THROW(w->_AddMenuHandler("AboutItem", action), TypeMismatchException);
}

TEST_F(ControlsTest, AKeyRefusedByTheHandlerLeavesTheFieldUnchanged) {
  auto field = w->Get<TextField>("Field1");
  seams::MoveFocus(field);
  seams::Type(field, "7a-3");
  EXPECT_EQ(field->Text(), "73");
  EXPECT_EQ(beeps.Count(), 2);
  EXPECT_EQ(w->keys, (std::vector<std::string>{"Field1:7", "Field1:a", "Field1:-", "Field1:3"}));
  // The maximum length applies after the filter.
  seams::Type(field, "45");
  EXPECT_EQ(field->Text(), "734");
  EXPECT_EQ(beeps.Count(), 2);
}

TEST_F(ControlsTest, KeysWithoutTextArriveAsControlCharacters) {
  auto field = w->Get<TextField>("Field2");
  seams::MoveFocus(field);
  seams::Type(field, "12");
  w->keys.clear();
  const struct {
    char code;
    const char* what;
  } keys[] = {
      {KeyCode::kLeft, "left"},     {KeyCode::kRight, "right"},
      {KeyCode::kUp, "up"},         {KeyCode::kDown, "down"},
      {KeyCode::kEscape, "escape"}, {KeyCode::kReturn, "return"},
      {KeyCode::kDelete, "delete"}, {KeyCode::kBackspace, "backspace"},
  };
  for (const auto& k : keys) {
    seams::PressKey(field, std::string(1, k.code));
    ASSERT_FALSE(w->keys.empty()) << k.what;
    EXPECT_EQ(w->keys.back(), "Field2:" + std::string(1, k.code)) << k.what;
  }
  EXPECT_EQ(beeps.Count(), 0);
  // Left then right then backspace leaves one digit of "12".
  EXPECT_EQ(field->Text(), "1");

  // Insert comes as the help key, the function keys as the function-key
  // code; both pass the filter as the control characters they are.
  const struct {
    const char* name;
    char code;
  } named[] = {{"Insert", KeyCode::kHelp}, {"F1", KeyCode::kFunction}, {"F10", KeyCode::kFunction}};
  for (const auto& k : named) {
    seams::PressNamedKey(field, k.name);
    EXPECT_EQ(w->keys.back(), "Field2:" + std::string(1, k.code)) << k.name;
  }
  // A modifier alone is no key press.
  const size_t keys_before = w->keys.size();
  QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  QCoreApplication::sendEvent(seams::WidgetOf(field), &shift);
  EXPECT_EQ(w->keys.size(), keys_before);
  EXPECT_EQ(beeps.Count(), 0);
  EXPECT_EQ(field->Text(), "1");
}

// Return or Enter that a field's KeyDown lets through pushes the window's
// first Default button (RunBtn, before HelpBtn) as the space bar on the
// focused button does: Action alone, no mouse event, whatever a MouseDown
// handler would say; in a text area Return starts a new line.
TEST_F(ControlsTest, ReturnInAFieldPushesTheFirstDefaultButtonWithoutAPress) {
  auto field = w->Get<TextField>("Field1");
  auto run = w->Get<PushButton>("RunBtn");
  for (bool takes_press : {false, true}) {
    w->take_mouse_down = takes_press;
    for (const char* key : {"Return", "Enter"}) {
      SCOPED_TRACE(std::string(key) + (takes_press ? ", MouseDown takes presses" : ""));
      seams::MoveFocus(field);
      w->log.clear();
      seams::PressNamedKey(field, key);
      EXPECT_EQ(w->log, std::vector<std::string>{"Action"});
      EXPECT_FALSE(w->Get<ProgressWheel>("Wheel")->Visible());
      // The space bar on the focused button: the same road.
      seams::MoveFocus(run);
      w->log.clear();
      seams::PressKey(run, " ");
      EXPECT_EQ(w->log, std::vector<std::string>{"Action"});
    }
  }
  EXPECT_EQ(field->Text(), "");
  // A disabled default button is not pushed.
  run->SetEnabled(false);
  seams::MoveFocus(field);
  w->log.clear();
  seams::PressNamedKey(field, "Return");
  EXPECT_TRUE(w->log.empty());
  run->SetEnabled(true);

  auto report = w->Get<TextArea>("Report");
  report->SetText("ab");
  report->SetSelStart(2);
  seams::MoveFocus(report);
  w->log.clear();
  seams::PressNamedKey(report, "Return");
  EXPECT_EQ(report->Text(), "ab\r");
  EXPECT_TRUE(w->log.empty());
  EXPECT_EQ(beeps.Count(), 0);
}

// A clipboard and a selection that nothing owns give data with no format:
// pasting it into a text area or a field changes nothing (Qt's own text
// control crashes on it).
TEST_F(ControlsTest, PastingAnEmptyClipboardChangesNothing) {
  auto report = w->Get<TextArea>("Report");
  auto field = w->Get<TextField>("Field1");
  report->SetText("report");
  field->SetText("12");
  seams::EmptyClipboard();
  for (const std::shared_ptr<RectControl>& control :
       std::vector<std::shared_ptr<RectControl>>{report, field}) {
    seams::MoveFocus(control);
    for (const char* key : {"Ctrl+V", "Shift+Insert"}) seams::PressNamedKey(control, key);
  }
  EXPECT_EQ(report->Text(), "report");
  EXPECT_EQ(field->Text(), "12");
  EXPECT_EQ(beeps.Count(), 0);

  // With text on the clipboard the same keys paste.
  seams::SetClipboard("x");
  report->SetSelStart(0);
  seams::MoveFocus(report);
  seams::PressNamedKey(report, "Ctrl+V");
  EXPECT_EQ(report->Text(), "xreport");
}

// Composed text comes to KeyDown as typed text does, and so does text
// dropped into a field; a drop into a text area goes in as Qt has it.
TEST_F(ControlsTest, ComposedAndDroppedTextGoThroughKeyDown) {
  auto report = w->Get<TextArea>("Report");
  auto field = w->Get<TextField>("Field1");
  report->SetText("");
  seams::MoveFocus(report);
  seams::Compose(report, "\u00e9");
  EXPECT_EQ(report->Text(), "\u00e9");
  EXPECT_EQ(w->keys.back(), "Report:\u00e9");

  seams::MoveFocus(field);
  seams::Compose(field, "7");
  seams::Compose(field, "\u00fc");
  EXPECT_EQ(field->Text(), "7");
  EXPECT_EQ(w->keys.back(), "Field1:\u00fc");
  EXPECT_EQ(beeps.Count(), 1);  // the filter's, for the refused one

  EXPECT_TRUE(seams::Drop(report, "dropped"));
  EXPECT_EQ(report->Text(), "\u00e9dropped");

  field->SetText("");
  w->keys.clear();
  EXPECT_TRUE(seams::Drop(field, "12"));
  EXPECT_EQ(field->Text(), "12");
  EXPECT_EQ(w->keys, (std::vector<std::string>{"Field1:1", "Field1:2"}));
}

TEST_F(ControlsTest, TheDigitsMaskRefusesOtherCharacters) {
  auto field = w->Get<TextField>("Free");
  seams::MoveFocus(field);
  seams::Type(field, "4x2.7");
  EXPECT_EQ(field->Text(), "427");
  seams::Type(field, "9");
  EXPECT_EQ(field->Text(), "427");
}

TEST_F(ControlsTest, SetFocusRaisesTheFocusEvents) {
  auto hint = w->Get<Label>("Hint");
  EXPECT_FALSE(hint->Visible());
  // The window opened with the focus in its first tab stop.
  EXPECT_EQ(w->FocusControl(), w->Get<TextField>("Field3"));
  w->log.clear();
  w->Get<TextField>("Field1")->SetFocus();
  EXPECT_TRUE(hint->Visible());
  w->Get<TextField>("Field2")->SetFocus();
  EXPECT_FALSE(hint->Visible());
  w->Get<TextField>("Field2")->SetFocus();  // already there: nothing new
  w->Get<TextField>("Field1")->SetFocus();
  EXPECT_EQ(w->log, (std::vector<std::string>{"Lost Field3", "Got Field1", "Lost Field1",
                                              "Got Field2", "Lost Field2", "Got Field1"}));
  EXPECT_TRUE(w->Get<TextField>("Field1")->HasFocus());
  EXPECT_TRUE(hint->Visible());
}

TEST_F(ControlsTest, TabMovesByTabIndexAmongTabStops) {
  seams::MoveFocus(w->Get<TextField>("Field3"));  // tab index 6, the first
  std::vector<std::string> order;
  for (int i = 0; i < 5; ++i) {
    seams::PressKey(w, std::string(1, KeyCode::kTab));
    auto focus = w->FocusControl();
    order.push_back(focus ? focus->Name() : "none");
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Field2", "Field1", "RunBtn", "QuitBtn", "HelpBtn"}));
}

TEST_F(ControlsTest, MouseDownReturningFalseLetsTheClickEndInAction) {
  auto run = w->Get<PushButton>("RunBtn");
  run->SetFocus();
  w->log.clear();
  seams::Click(run);
  EXPECT_EQ(w->log, (std::vector<std::string>{"MouseDown 35,10", "Action"}));
  EXPECT_TRUE(w->Get<ProgressWheel>("Wheel")->Visible());
  w->take_mouse_down = true;
  w->log.clear();
  seams::Click(run);
  EXPECT_EQ(w->log, std::vector<std::string>{"MouseDown 35,10"});
}

TEST_F(ControlsTest, TextAreaKeepsCarriageReturnsAndCountsCharacters) {
  auto area = w->Get<TextArea>("Report");
  const std::string text = "Vellacor\r\r" + kEnDash + kEnDash + " a\nb \xF0\x9F\x98\x80\rend";
  area->SetText(text);
  EXPECT_EQ(area->Text(), text);
  EXPECT_EQ(Len(area->Text()), 22);
  EXPECT_EQ(area->SelStart(), 0);

  // Append the way the report does: insertion point at the end, then the
  // selection replaced; the insertion point stays behind the new text.
  const std::string line = "  1" + kEnDash + "2\r";
  area->SetSelStart(Len(area->Text()));
  EXPECT_EQ(area->SelStart(), 22);
  area->SetSelText(line);
  EXPECT_EQ(area->Text(), text + line);
  EXPECT_EQ(area->SelStart(), 22 + 6);
  EXPECT_EQ(area->SelText(), "");
  area->SetSelStart(1000);
  EXPECT_EQ(area->SelStart(), Len(text + line));

  area->SetText("");
  EXPECT_EQ(area->Text(), "");
  // "Courier" is shown in a monospaced font.
  EXPECT_TRUE(QFontInfo(seams::WidgetOf(area)->font()).fixedPitch());
}

TEST_F(ControlsTest, TypingIntoTheTextAreaGivesCarriageReturnsAndNoTabs) {
  auto area = w->Get<TextArea>("Report");
  area->SetText("");
  seams::MoveFocus(area);
  seams::Type(area, "ab");
  seams::PressKey(area, std::string(1, KeyCode::kReturn));
  seams::Type(area, "c");
  EXPECT_EQ(area->Text(), "ab\rc");
  seams::PressKey(area, std::string(1, KeyCode::kTab));
  EXPECT_EQ(area->Text(), "ab\rc");
  EXPECT_EQ(w->keys.front(), "Report:a");
  EXPECT_EQ(w->keys.back(), "Report:\t");
}

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 110) ++dark;
  return dark;
}

TEST_F(ControlsTest, HelpStyleDrawsARoundButtonWithAQuestionMark) {
  auto help = w->Get<PushButton>("HelpBtn");
  const QImage image = seams::WidgetOf(help)->grab().toImage();
  ASSERT_EQ(image.size(), QSize(30, 30));
  EXPECT_GT(DarkPixels(image, QRect(10, 8, 10, 14)), 5);  // the question mark
  EXPECT_EQ(DarkPixels(image, QRect(0, 0, 3, 3)), 0);     // corners outside the circle
  EXPECT_EQ(DarkPixels(image, QRect(27, 27, 3, 3)), 0);
  // The same button in the plain style shows no mark.
  _SetProperties(help, {{"MacButtonStyle", 0}});
  const QImage plain = seams::WidgetOf(help)->grab().toImage();
  EXPECT_EQ(DarkPixels(plain, QRect(10, 8, 10, 14)), 0);
}

TEST_F(ControlsTest, CanvasDrawsItsBackdrop) {
  QImage picture(20, 10, QImage::Format_ARGB32);
  picture.fill(QColor(10, 200, 30));
  const std::string path = ::testing::TempDir() + "/backdrop_test.png";
  ASSERT_TRUE(picture.save(QString::fromStdString(path)));
  seams::ResourceFolder folder(::testing::TempDir());
  auto canvas = w->Get<Canvas>("Canvas1");
  EXPECT_EQ(canvas->Backdrop(), nullptr);
  canvas->SetBackdrop(Picture::_OpenFromApp("backdrop_test.png"));
  ASSERT_NE(canvas->Backdrop(), nullptr);
  const QImage shown = seams::WidgetOf(canvas)->grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(5, 5)), QColor(10, 200, 30));
  EXPECT_NE(QColor(shown.pixel(30, 5)), QColor(10, 200, 30));
}

TEST_F(ControlsTest, ProgressWheelTurnsWhileARunYields) {
  auto wheel = w->Get<ProgressWheel>("Wheel");
  wheel->SetVisible(true);
  const int64_t before = seams::WheelSteps(wheel);
  // A run that does nothing but yield; the wheel's own timer turns it.
  for (int i = 0; i < 100000 && seams::WheelSteps(wheel) < before + 2; ++i) {
    volatile double x = 0;
    for (int k = 0; k < 20000; ++k) x = x + k;
    RuntimeYield();
  }
  EXPECT_GE(seams::WheelSteps(wheel), before + 2);
}

}  // namespace
