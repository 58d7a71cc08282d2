// The main window as the user meets it: built through its accessor as the
// program builds it, driven through the framework's test seams.
#include "analysis_window/controlwnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "analysis_window/help_text.h"
#include "engine/vars_module.h"
#include "framework/gui/runtime.h"
#include "framework/testing/seams.h"

namespace {

class ControlWndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { seams::InitRuntime(); }

  void SetUp() override {
    seams::Reset();
    VarsModule::InitializeVariables();
  }
  void TearDown() override { seams::Reset(); }

  // The window as the splash window's hand-over makes and shows it.
  std::shared_ptr<ControlWnd> Open() {
    std::shared_ptr<ControlWnd> window = ControlWnd::Instance();
    window->Show();
    seams::ProcessEvents();
    return window;
  }

  // A second window to take the activation away from the main window.
  std::shared_ptr<Window> OtherWindow() {
    auto other = std::make_shared<Window>();
    other->Constructor();
    other->Show();
    seams::ProcessEvents();
    return other;
  }

  seams::MessageBoxes boxes_;
};

TEST_F(ControlWndTest, FreshWindowShowsTheControlsInPlace) {
  auto w = Open();
  EXPECT_EQ(w->Width(), 500);
  EXPECT_EQ(w->Height(), 600);
  EXPECT_EQ(w->Title(), "Vellacor");
  EXPECT_FALSE(w->Resizeable());

  struct Row {
    std::shared_ptr<RectControl> control;
    int64_t left, top, width, height;
    bool visible;
  };
  const Row rows[] = {
      {w->Canvas1(), 62, 2, 375, 101, true},
      {w->DataFld(), 20, 260, 460, 275, true},
      {w->authorTxt(), 62, 94, 375, 14, true},
      {w->VarFld(), 205, 148, 40, 20, true},
      {w->SubFld(), 205, 172, 40, 20, true},
      {w->RepFld(), 205, 196, 40, 20, true},
      // The activation has put the focus into VarFld, which shows its hint.
      {w->VarWarning(), 249, 150, 100, 16, true},
      {w->SubWarning(), 249, 174, 110, 16, false},
      {w->RepWarning(), 249, 197, 110, 16, false},
      {w->CalculateBtn(), 20, 560, 70, 20, true},
      {w->PrintBtn(), 130, 560, 70, 20, true},
      {w->ClearBtn(), 240, 560, 70, 20, true},
      {w->QuitBtn(), 350, 560, 70, 20, true},
      {w->Label1(), 40, 148, 160, 20, true},
      {w->Label2(), 40, 172, 160, 20, true},
      {w->Label3(), 40, 196, 160, 20, true},
      {w->Qbtn(), 458, 553, 30, 30, true},
      {w->Pwheel(), 407, 162, 30, 30, false},
  };
  for (const Row& row : rows) {
    ASSERT_NE(row.control, nullptr);
    SCOPED_TRACE(row.control->Name());
    EXPECT_EQ(row.control->Left(), row.left);
    EXPECT_EQ(row.control->Top(), row.top);
    EXPECT_EQ(row.control->Width(), row.width);
    EXPECT_EQ(row.control->Height(), row.height);
    EXPECT_EQ(row.control->Visible(), row.visible);
  }

  auto rule = w->Line1();
  EXPECT_EQ(rule->X1(), 22);
  EXPECT_EQ(rule->Y1(), 250);
  EXPECT_EQ(rule->X2(), 478);
  EXPECT_EQ(rule->Y2(), 250);
  EXPECT_EQ(rule->Thickness(), 8);

  // The help text's holder lies wholly outside the content area, so its
  // visibility never shows.
  auto help = w->disclaimFld();
  EXPECT_LE(help->Left() + help->Width(), 0);
}

TEST_F(ControlWndTest, FreshWindowHoldsItsTexts) {
  auto w = Open();
  EXPECT_EQ(w->Label1()->Text(), "Number of variables:");
  EXPECT_EQ(w->Label2()->Text(), "Number of subjects:");
  EXPECT_EQ(w->Label3()->Text(), "Number of replications:");
  EXPECT_EQ(w->VarWarning()->Text(), "(3 - 200)");
  EXPECT_EQ(w->SubWarning()->Text(), "(50 - 2500)");
  EXPECT_EQ(w->RepWarning()->Text(), "(1 - 1000)");
  EXPECT_EQ(w->authorTxt()->Text(), std::string(kAuthorText));
  EXPECT_EQ(w->CalculateBtn()->Caption(), "Calculate");
  EXPECT_EQ(w->PrintBtn()->Caption(), "Print");
  EXPECT_EQ(w->ClearBtn()->Caption(), "Clear");
  EXPECT_EQ(w->QuitBtn()->Caption(), "Quit");
  EXPECT_EQ(w->Qbtn()->Caption(), "");
  EXPECT_EQ(w->Qbtn()->ButtonStyle(), PushButton::kHelpStyle);
  EXPECT_EQ(w->VarFld()->Text(), "");
  EXPECT_EQ(w->SubFld()->Text(), "");
  EXPECT_EQ(w->RepFld()->Text(), "");
  EXPECT_EQ(w->DataFld()->Text(), "");
  // Kept exactly, carriage returns and the closing space included.
  EXPECT_EQ(w->disclaimFld()->Text(), HelpText());
}

// Fonts, sizes, bold, colours and alignment as the widgets show them. The
// colours are the stored bytes read as a little-endian value with alpha in
// the most significant byte: A is #18605A, B #EF1F1D, C #107F40.
TEST_F(ControlWndTest, ControlsShowTheirFontsColoursAndAlignment) {
  auto w = Open();
  const Color a = Color::FromRGB(24, 96, 90), b = Color::FromRGB(239, 31, 29),
              c = Color::FromRGB(16, 127, 64), white = Color::FromRGB(255, 255, 255),
              black = Color::FromRGB(0, 0, 0);
  enum Font { kCourier, kSystem };
  struct Row {
    std::shared_ptr<RectControl> control;
    Font font;
    int64_t size;  // 0: the framework's default size
    bool bold;
    std::optional<Color> text, background;
    std::string alignment;
  };
  const Row rows[] = {
      {w->DataFld(), kCourier, 11, false, black, white, "left"},
      {w->authorTxt(), kSystem, 10, false, a, std::nullopt, "centre"},
      {w->VarFld(), kSystem, 12, false, black, white, "centre"},
      {w->SubFld(), kSystem, 12, false, black, white, "centre"},
      {w->RepFld(), kSystem, 12, false, black, white, "centre"},
      {w->VarWarning(), kSystem, 12, false, b, std::nullopt, "left"},
      {w->SubWarning(), kSystem, 12, false, b, std::nullopt, "left"},
      {w->RepWarning(), kSystem, 12, false, b, std::nullopt, "left"},
      {w->disclaimFld(), kSystem, 11, false, c, white, "left"},
      {w->CalculateBtn(), kSystem, 12, false, std::nullopt, std::nullopt, ""},
      {w->PrintBtn(), kSystem, 12, false, std::nullopt, std::nullopt, ""},
      {w->ClearBtn(), kSystem, 12, false, std::nullopt, std::nullopt, ""},
      {w->QuitBtn(), kSystem, 12, true, std::nullopt, std::nullopt, ""},
      {w->Label1(), kSystem, 14, true, a, std::nullopt, "left"},
      {w->Label2(), kSystem, 14, true, a, std::nullopt, "left"},
      {w->Label3(), kSystem, 14, true, a, std::nullopt, "left"},
      {w->Qbtn(), kSystem, 0, false, std::nullopt, std::nullopt, ""},
  };
  const std::string system_family = seams::LookOf(w->Label1()).font_family;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control->Name());
    const seams::Look look = seams::LookOf(row.control);
    EXPECT_EQ(look.fixed_pitch, row.font == kCourier);
    if (row.font == kSystem) {
      EXPECT_EQ(look.font_family, system_family);
    }
    if (row.size > 0) {
      EXPECT_EQ(look.font_size, row.size);
    }
    EXPECT_EQ(look.bold, row.bold);
    EXPECT_FALSE(look.italic);
    EXPECT_FALSE(look.underline);
    if (row.text) {
      EXPECT_EQ(look.text, *row.text);
    }
    EXPECT_EQ(look.background, row.background);
    EXPECT_EQ(look.alignment, row.alignment);
  }
  EXPECT_NE(seams::LookOf(w->DataFld()).font_family, system_family);
  // The rule, 8 thick from 22 to 478 at 250, in colour A.
  const seams::Snapshot picture(w);
  for (int64_t x : {22, 250, 477})
    for (int64_t y : {247, 250, 253}) EXPECT_EQ(picture.At(x, y), a) << x << ", " << y;
  EXPECT_NE(picture.At(250, 244), a);
  EXPECT_NE(picture.At(250, 255), a);
}

TEST_F(ControlWndTest, ControlsAreMadeOnceInCreationOrder) {
  auto w = Open();
  std::vector<std::string> names;
  for (const auto& control : w->Controls()) names.push_back(control->Name());
  const std::vector<std::string> expected = {
      "Canvas1",      "DataFld",    "authorTxt",  "VarFld",     "SubFld",
      "RepFld",       "VarWarning", "SubWarning", "RepWarning", "disclaimFld",
      "CalculateBtn", "PrintBtn",   "ClearBtn",   "QuitBtn",    "Label1",
      "Label2",       "Label3",     "Qbtn",       "Line1",      "Pwheel"};
  EXPECT_EQ(names, expected);
}

TEST_F(ControlWndTest, OnlyTheListedEventsAreWired) {
  auto w = Open();
  const std::set<std::string> wired = {
      "Canvas1.MouseExit", "DataFld.MouseEnter",     "DataFld.GotFocus",     "DataFld.KeyDown",
      "DataFld.Open",      "VarFld.KeyDown",         "VarFld.GotFocus",      "VarFld.LostFocus",
      "VarFld.TextChange", "SubFld.KeyDown",         "SubFld.GotFocus",      "SubFld.LostFocus",
      "SubFld.TextChange", "RepFld.KeyDown",         "RepFld.GotFocus",      "RepFld.LostFocus",
      "RepFld.TextChange", "CalculateBtn.MouseDown", "CalculateBtn.MouseUp", "CalculateBtn.Action",
      "PrintBtn.Action",   "ClearBtn.Action",        "QuitBtn.Action",       "Qbtn.MouseDown",
      "Pwheel.Open"};
  for (const auto& control : w->Controls()) {
    for (const auto& [event, shape] : control->Events()) {
      const std::string key = control->Name() + "." + event;
      EXPECT_EQ(control->HasHandler(event), wired.count(key) == 1) << key;
    }
  }
}

TEST_F(ControlWndTest, AccessorGivesOneWindow) {
  auto first = ControlWnd::Instance();
  auto second = ControlWnd::Instance();
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->Controls().size(), 20u);
}

TEST_F(ControlWndTest, ActivationStoresTheLimitsAndTheLineEnd) {
  EXPECT_EQ(VarsModule::kEOL, "");
  for (int64_t limit : {VarsModule::VarMin, VarsModule::VarMax, VarsModule::SubMin,
                        VarsModule::SubMax, VarsModule::RepMin, VarsModule::RepMax})
    EXPECT_EQ(limit, 0);

  Open();
  EXPECT_EQ(VarsModule::kEOL, "\r");
  EXPECT_EQ(VarsModule::VarMin, 3);
  EXPECT_EQ(VarsModule::VarMax, 200);
  EXPECT_EQ(VarsModule::SubMin, 50);
  EXPECT_EQ(VarsModule::SubMax, 2500);
  EXPECT_EQ(VarsModule::RepMin, 1);
  EXPECT_EQ(VarsModule::RepMax, 1000);
  // The counts of a run are not the activation's to touch.
  EXPECT_EQ(VarsModule::vars, 0);
  EXPECT_EQ(VarsModule::subs, 0);
  EXPECT_EQ(VarsModule::reps, 0);
}

TEST_F(ControlWndTest, ActivationPutsTheFocusIntoTheVariablesField) {
  auto w = Open();
  EXPECT_TRUE(w->VarFld()->HasFocus());
  EXPECT_TRUE(w->VarWarning()->Visible());

  seams::MoveFocus(w->RepFld());
  ASSERT_TRUE(w->RepFld()->HasFocus());
  auto other = OtherWindow();
  other->Hide();
  VarsModule::kEOL = "";
  w->Show();
  seams::ProcessEvents();
  ASSERT_EQ(VarsModule::kEOL, "\r") << "the window was not activated again";
  EXPECT_TRUE(w->VarFld()->HasFocus());
  EXPECT_TRUE(w->VarWarning()->Visible());
  EXPECT_FALSE(w->RepWarning()->Visible());
}

TEST_F(ControlWndTest, ClosingQuitsWithCodeZero) {
  auto w = Open();
  EXPECT_FALSE(RuntimeQuitting());
  seams::CloseBox(w);
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(ControlWndTest, TabVisitsTheFieldsAndThenTheButtons) {
  auto w = Open();
  ASSERT_TRUE(w->VarFld()->HasFocus());
  const std::vector<std::shared_ptr<RectControl>> order = {
      w->SubFld(),   w->RepFld(),  w->CalculateBtn(), w->PrintBtn(),
      w->ClearBtn(), w->QuitBtn(), w->Qbtn(),         w->VarFld()};
  for (const auto& next : order) {
    seams::PressKey(w, std::string(1, KeyCode::kTab));
    EXPECT_EQ(w->FocusControl(), next) << "expected " << next->Name();
  }
}

// One key in each of the three fields, which all apply the same filter
// to the whole key text.
TEST_F(ControlWndTest, KeyFilterTakesDigitsAndControlKeysOnly) {
  struct Case {
    std::string key;
    bool taken;
  };
  const Case cases[] = {
      {"0", true},
      {"7", true},
      {"9", true},
      {"a", false},
      {"Z", false},
      {" ", false},
      {"-", false},
      {"+", false},
      {".", false},
      {",", false},
      {std::string(1, KeyCode::kBackspace), true},
      {std::string(1, KeyCode::kTab), true},
      {std::string(1, KeyCode::kEscape), true},
      {std::string(1, KeyCode::kLeft), true},
      {std::string(1, KeyCode::kRight), true},
      {std::string(1, KeyCode::kUp), true},
      {std::string(1, KeyCode::kDown), true},
      {std::string(1, KeyCode::kDelete), true},
      // A key of several characters is compared as a whole: "12" sorts
      // between "0" and "9", "90" and "9a" after "9".
      {"12", true},
      {"90", false},
      {"9a", false},
  };
  auto w = Open();
  for (const auto& field : {w->VarFld(), w->SubFld(), w->RepFld()}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(field->Name() + " key code " + std::to_string(Asc(c.key)) +
                   (Len(c.key) > 1 ? " of \"" + c.key + "\"" : ""));
      field->SetText("1");
      seams::MoveFocus(field);
      seams::Beeps beeps;
      seams::PressKey(field, c.key);
      EXPECT_EQ(beeps.Count(), c.taken ? 0 : 1);
      const bool digit = c.key >= "0" && c.key <= "9";
      if (digit) {
        EXPECT_EQ(field->Text(), "1" + c.key);
      } else if (!c.taken) {
        EXPECT_EQ(field->Text(), "1");
      }
    }
    // Insert and the function keys come as control characters: they pass
    // without a beep and change nothing.
    field->SetText("1");
    seams::Beeps beeps;
    for (const char* name : {"Insert", "F1", "F10"}) seams::PressNamedKey(field, name);
    EXPECT_EQ(beeps.Count(), 0);
    EXPECT_EQ(field->Text(), "1");
  }
}

// Return or Enter in any of the three fields runs Calculate, with its
// refusals, as a key and not as a mouse press on the button: the progress
// wheel never shows beside a refusal's message box. In the report area
// Return starts a new line.
TEST_F(ControlWndTest, ReturnOrEnterInAFieldRunsCalculateWithoutTheWheelOfAPress) {
  auto w = Open();
  bool wheel_at_box = true;
  boxes_.OnShow([&](const std::string&) { wheel_at_box = w->Pwheel()->Visible(); });
  for (const auto& field : {w->VarFld(), w->SubFld(), w->RepFld()}) {
    for (const char* key : {"Return", "Enter"}) {
      SCOPED_TRACE(field->Name() + " " + key);
      w->VarFld()->SetText("2");
      w->SubFld()->SetText("60");
      w->RepFld()->SetText("1");
      seams::MoveFocus(field);
      const size_t boxes_before = boxes_.Texts().size();
      seams::Beeps beeps;
      wheel_at_box = true;
      seams::PressNamedKey(field, key);
      EXPECT_EQ(beeps.Count(), 1);
      ASSERT_EQ(boxes_.Texts().size(), boxes_before + 1);
      EXPECT_EQ(boxes_.Texts().back(), "Enter 3\u2013200 for number of variables");
      EXPECT_FALSE(wheel_at_box) << "the wheel shows beside the message box";
      EXPECT_EQ(w->FocusControl(), w->VarFld());
      EXPECT_FALSE(w->Pwheel()->Visible());
    }
  }

  w->VarFld()->SetText("3");
  w->SubFld()->SetText("50");
  w->RepFld()->SetText("1");
  seams::MoveFocus(w->RepFld());
  seams::PressNamedKey(w->RepFld(), "Return");
  const std::string report = w->DataFld()->Text();
  EXPECT_EQ(std::count(report.begin(), report.end(), '\r'), 21);

  w->DataFld()->SetSelStart(Len(report));
  seams::MoveFocus(w->DataFld());
  seams::PressNamedKey(w->DataFld(), "Return");
  EXPECT_EQ(w->DataFld()->Text(), report + "\r");
}

// Text that comes in whole meets the digit rule as typed keys do: a paste
// or a drop goes in whole or not at all, and the field stays as it was. A
// refused paste beeps; a drag that cannot go in is refused before it drops
// (the cursor says so) and its source keeps its text. A composed character
// passes the key filter like a typed one.
TEST_F(ControlWndTest, PastesDropsAndComposedTextMeetTheDigitRule) {
  auto w = Open();
  auto field = w->SubFld();  // at most 4 digits
  struct Case {
    const char* road;
    std::string text;
    bool taken;
    int beeps;
  };
  const Case cases[] = {
      {"paste", "250", true, 0}, {"paste", "25000", false, 1},    {"paste", "2a", false, 1},
      {"paste", "-5", false, 1}, {"menu paste", "25", true, 0},   {"menu paste", "25000", false, 1},
      {"drop", "250", true, 0},  {"drop", "25000", false, 0},     {"drop", "Vellacor", false, 0},
      {"compose", "7", true, 0}, {"compose", "\u00e9", false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.road) + " " + c.text);
    field->SetText("");
    seams::MoveFocus(field);
    seams::Beeps beeps;
    const std::string road = c.road;
    if (road == "paste" || road == "menu paste") seams::SetClipboard(c.text);
    if (road == "paste") {
      seams::PressNamedKey(field, "Ctrl+V");
    } else if (road == "menu paste") {
      EXPECT_TRUE(seams::ChooseContextMenuItem(field, "Paste"));
    } else if (road == "drop") {
      EXPECT_EQ(seams::Drop(field, c.text), c.taken);
    } else {
      seams::Compose(field, c.text);
    }
    EXPECT_EQ(field->Text(), c.taken ? c.text : "");
    EXPECT_EQ(beeps.Count(), c.beeps);
  }
}

TEST_F(ControlWndTest, FieldsStopAtTheirMaximumLength) {
  auto w = Open();
  struct Case {
    std::shared_ptr<TextField> field;
    std::string kept;
  };
  for (const Case& c :
       {Case{w->VarFld(), "123"}, Case{w->SubFld(), "1234"}, Case{w->RepFld(), "1234"}}) {
    SCOPED_TRACE(c.field->Name());
    seams::MoveFocus(c.field);
    seams::Beeps beeps;
    seams::Type(c.field, "12345");
    EXPECT_EQ(c.field->Text(), c.kept);
    EXPECT_EQ(beeps.Count(), 0);  // the filter passes every digit
  }
}

TEST_F(ControlWndTest, RangeHintFollowsTheFocus) {
  auto w = Open();
  struct Case {
    std::shared_ptr<RectControl> focus;
    bool var, sub, rep;
  };
  const Case cases[] = {
      {w->SubFld(), false, true, false}, {w->RepFld(), false, false, true},
      {w->VarFld(), true, false, false}, {w->DataFld(), false, false, false},
      {w->SubFld(), false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus->Name());
    seams::MoveFocus(c.focus);
    EXPECT_EQ(w->VarWarning()->Visible(), c.var);
    EXPECT_EQ(w->SubWarning()->Visible(), c.sub);
    EXPECT_EQ(w->RepWarning()->Visible(), c.rep);
  }
}

TEST_F(ControlWndTest, PressOnCalculateShowsTheWheel) {
  auto w = Open();
  ASSERT_FALSE(w->Pwheel()->Visible());
  seams::MouseDown(w->CalculateBtn(), 5, 5);
  EXPECT_TRUE(w->Pwheel()->Visible());
}

TEST_F(ControlWndTest, ReportAreaTakesEveryKeyAndHidesTheHelpHolder) {
  auto w = Open();
  w->disclaimFld()->SetVisible(true);
  seams::MouseEnter(w->DataFld());
  EXPECT_FALSE(w->disclaimFld()->Visible());

  w->disclaimFld()->SetVisible(true);
  seams::MoveFocus(w->DataFld());
  EXPECT_FALSE(w->disclaimFld()->Visible());

  w->disclaimFld()->SetVisible(true);
  seams::Beeps beeps;
  seams::Type(w->DataFld(), "a -.,7");
  EXPECT_EQ(w->DataFld()->Text(), "a -.,7");
  EXPECT_EQ(beeps.Count(), 0);
  EXPECT_FALSE(w->disclaimFld()->Visible());

  // Tab inserts nothing into the report area.
  seams::PressKey(w->DataFld(), std::string(1, KeyCode::kTab));
  EXPECT_EQ(w->DataFld()->Text(), "a -.,7");
}

TEST_F(ControlWndTest, HintsAndWheelStartHidden) {
  // Built, before any event has been processed: nothing has the focus yet,
  // and no pointer has entered the report area.
  auto w = ControlWnd::Instance();
  for (const auto& hidden : std::vector<std::shared_ptr<RectControl>>{
           w->VarWarning(), w->SubWarning(), w->RepWarning(), w->Pwheel()})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  // Open has marked the help text's holder visible.
  EXPECT_TRUE(w->disclaimFld()->Visible());
}

// The report area's border is drawn whole, its four edges in one colour on
// the area's outermost device pixels, empty and beside its scroll bar. The
// same test runs again at the scale factors 1.25, 1.5 and 2 (this folder's
// CMakeLists.txt).
TEST_F(ControlWndTest, ReportAreaBorderIsDrawnWhole) {
  auto w = Open();
  for (bool scroll_bar : {false, true}) {
    SCOPED_TRACE(scroll_bar ? "with its scroll bar" : "empty");
    if (scroll_bar) w->DataFld()->SetText(HelpText());
    seams::ProcessEvents();
    const seams::Snapshot picture(w);
    const double s = picture.Scale();
    const seams::Place area = seams::PlaceOf(w->DataFld());
    // The device pixels whose centres lie in the area's outer point.
    auto first = [s](int64_t from) { return static_cast<int64_t>(std::ceil(from * s - 0.5)); };
    auto last = [s](int64_t to) { return static_cast<int64_t>(std::ceil(to * s - 0.5)) - 1; };
    const int64_t left = first(area.left), right = last(area.left + area.width);
    const int64_t top = first(area.top), bottom = last(area.top + area.height);
    const Color line = picture.At(left, (top + bottom) / 2);
    EXPECT_NE(line, picture.At(left + (right - left) / 3, top + (bottom - top) / 3));
    for (int i = 1; i <= 3; ++i) {
      const int64_t x = left + (right - left) * i / 4, y = top + (bottom - top) * i / 4;
      EXPECT_EQ(picture.At(x, top), line) << "top at " << x;
      EXPECT_EQ(picture.At(x, bottom), line) << "bottom at " << x;
      EXPECT_EQ(picture.At(left, y), line) << "left at " << y;
      EXPECT_EQ(picture.At(right, y), line) << "right at " << y;
    }
  }
}

// A picture of the freshly opened window: every control that shows in it
// lies wholly inside the 500 x 600 content area with something of it drawn
// there, and no two overlap but the by-line on the product picture.
TEST_F(ControlWndTest, PictureShowsEveryControlInsideTheWindowWithoutOverlaps) {
  auto w = Open();
  const seams::Snapshot picture(w);
  ASSERT_EQ(picture.Width(), 500);
  ASSERT_EQ(picture.Height(), 600);
  const Color background = picture.At(499, 599);

  struct Shown {
    std::string name;
    seams::Place place;
  };
  std::vector<Shown> shown;
  for (const auto& control : w->Controls()) {
    auto rect = std::dynamic_pointer_cast<RectControl>(control);
    if (!rect) continue;
    const seams::Place place = seams::PlaceOf(rect);
    // The help text's holder, marked visible, lies wholly outside the
    // content area by design and so is in no picture.
    const bool outside = place.left + place.width <= 0 || place.top + place.height <= 0 ||
                         place.left >= 500 || place.top >= 600;
    if (!place.shown || outside) continue;
    SCOPED_TRACE(control->Name());
    EXPECT_GE(place.left, 0);
    EXPECT_GE(place.top, 0);
    EXPECT_LE(place.left + place.width, 500);
    EXPECT_LE(place.top + place.height, 600);
    bool drawn = false;
    for (int64_t y = std::max<int64_t>(place.top, 0);
         y < std::min<int64_t>(place.top + place.height, 600) && !drawn; ++y)
      for (int64_t x = std::max<int64_t>(place.left, 0);
           x < std::min<int64_t>(place.left + place.width, 500) && !drawn; ++x)
        drawn = !(picture.At(x, y) == background);
    EXPECT_TRUE(drawn) << "nothing of it is drawn";
    shown.push_back({control->Name(), place});
  }
  // The fresh window shows all its controls but the two hidden hints, the
  // wheel and the help text's holder.
  EXPECT_EQ(shown.size(), 16u);

  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const seams::Place& p = shown[i].place;
      const seams::Place& q = shown[j].place;
      const bool overlap = p.left < q.left + q.width && q.left < p.left + p.width &&
                           p.top < q.top + q.height && q.top < p.top + p.height;
      const bool byline_on_picture = std::set<std::string>{shown[i].name, shown[j].name} ==
                                     std::set<std::string>{"Canvas1", "authorTxt"};
      EXPECT_EQ(overlap, byline_on_picture) << shown[i].name << " and " << shown[j].name;
    }
  }
}

}  // namespace
