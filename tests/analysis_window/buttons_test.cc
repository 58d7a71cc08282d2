// Print, Clear, Quit and the help button as the user meets them. Printing
// goes through the print dialog's seam into a PDF file, read back with
// poppler's pdftotext and pdffonts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis_window/help_text.h"
#include "engine/vars_module.h"
#include "framework/core/text.h"
#include "framework/core/yield.h"
#include "framework/gui/printing.h"
#include "framework/gui/runtime.h"
#include "tests/analysis_window/main_window_fixture.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/pdf_text.h"

namespace {

using main_window_test::LinesOf;
using main_window_test::MainWindowTest;

using pdf_text::RunCommand;
using pdf_text::Word;

// The text with every run of blanks and line ends made one space, so that
// the area's text and the PDF's can be compared whatever the line breaks.
std::string Words(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\r' || c == '\n' || c == '\f') {
      blank = true;
    } else {
      if (blank && !out.empty()) out += ' ';
      blank = false;
      out += c;
    }
  }
  return out;
}

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Line " + Str(i) + " of the text\r";
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The other files in path's folder whose names begin with path's name.
std::vector<std::string> Beside(const std::string& path) {
  const std::filesystem::path p(path);
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(p.parent_path())) {
    const std::string name = e.path().filename().string();
    if (name != p.filename().string() && name.rfind(p.filename().string(), 0) == 0)
      names.push_back(name);
  }
  return names;
}

class ButtonsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    pdf_ = (std::filesystem::temp_directory_path() /
            ("buttons_test_" + std::to_string(::getpid()) + ".pdf"))
               .string();
    std::filesystem::remove(pdf_);
    seams::AnswerPrintDialogWithPdf(pdf_);
  }
  void TearDown() override {
    seams::ClearPrintDialogAnswer();
    std::filesystem::remove(pdf_);
    MainWindowTest::TearDown();
  }

  // Prints the area's current text with the Print button; the pages read
  // back from the PDF.
  std::vector<std::vector<std::string>> Print() {
    std::filesystem::remove(pdf_);
    seams::AnswerPrintDialogWithPdf(pdf_);
    seams::Click(window_->PrintBtn());
    return pdf_text::Pages(pdf_);
  }

  std::string pdf_;
};

TEST_F(ButtonsTest, EmptyAreaIsRefusedWithoutADialog) {
  ASSERT_EQ(Report(), "");
  seams::Beeps beeps;
  seams::Click(window_->PrintBtn());
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Nothing to print."});
  EXPECT_EQ(seams::PrintDialogsOpened(), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(ButtonsTest, OneLineEndOpensTheDialogAndCancelEndsQuietly) {
  for (const std::string& text : {std::string("\r"), Numbered(3)}) {
    SCOPED_TRACE(Words(text));
    window_->DataFld()->SetText(text);
    seams::AnswerPrintDialogWithCancel();
    seams::Beeps beeps;
    const int64_t yields = seams::YieldHandlerCalls();
    seams::Click(window_->PrintBtn());
    EXPECT_EQ(seams::PrintDialogsOpened(), 1);
    EXPECT_EQ(beeps.Count(), 0);
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(seams::YieldHandlerCalls(), yields);  // no block was drawn
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    EXPECT_EQ(Report(), text);
  }
}

// A PDF file that cannot be written in full (a full disk) is no silent
// success: the beep, then the failure in a message box; the file that was
// there stays as it was, and nothing is left beside it.
TEST_F(ButtonsTest, PdfThatCannotBeWrittenIsReportedWithABeep) {
  window_->DataFld()->SetText(Numbered(200));
  std::ofstream(pdf_) << "the earlier file";
  seams::FailPdfWritesAfter(3000);
  seams::Beeps beeps;
  int64_t beeps_at_message = -1;
  boxes_.OnShow([&](const std::string&) { beeps_at_message = beeps.Count(); });
  seams::Click(window_->PrintBtn());
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_EQ(beeps_at_message, 1);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0],
            "The PDF file \"" + pdf_ + "\" could not be written: No space left on device");
  EXPECT_EQ(ReadFile(pdf_), "the earlier file");
  EXPECT_EQ(Beside(pdf_), std::vector<std::string>{});

  // A file that can be written says nothing.
  seams::FailPdfWritesAfter(-1);
  boxes_.OnShow(nullptr);
  EXPECT_EQ(Print().size(), 4u);
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

// The close box pressed while a job prints ends the program; the file that
// was there stays as it was, standard error says why, and nothing is left
// beside it.
TEST_F(ButtonsTest, ClosingTheWindowDuringAPrintLeavesTheEarlierFile) {
  window_->DataFld()->SetText(Numbered(400));
  std::ofstream(pdf_) << "the earlier file";
  seams::AtNextYield([&] { seams::CloseBox(window_); });
  ::testing::internal::CaptureStderr();
  seams::Click(window_->PrintBtn());
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
  EXPECT_EQ(ReadFile(pdf_), "the earlier file");
  EXPECT_EQ(Beside(pdf_), std::vector<std::string>{});
  EXPECT_EQ(err, "The PDF file \"" + pdf_ +
                     "\" was not written: the print job ended before its last page.\n");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ButtonsTest, ReportPrintsOnOnePageAsItStandsInCourier) {
  seams::SeedRandom(9);
  Calculate("6", "80", "10");
  const std::string report = Report();
  const int64_t yields = seams::YieldHandlerCalls();
  const auto pages = Print();

  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(seams::NextPageCalls(), 0);
  EXPECT_EQ(seams::YieldHandlerCalls() - yields, 1);
  // Line for line the area's text: nothing above, below or beside it.
  const std::vector<std::string> lines = LinesOf(report);
  std::vector<std::string> printed = pages[0];
  ASSERT_EQ(printed.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Words(printed[i]), Words(lines[i]));
  // The columns stay where the report puts them: in the first row the
  // number, the mean and the deviation start 16 and 37 characters apart.
  const std::vector<Word> words = pdf_text::Words(pdf_);
  const auto dev =
      std::find_if(words.begin(), words.end(), [](const Word& w) { return w.text == "Dev"; });
  ASSERT_GE(words.end() - dev, 5);
  const Word& number = dev[2];  // after the rule under the heading
  const Word& mean = dev[3];
  const Word& sd = dev[4];
  ASSERT_EQ(number.text, "1");
  const double width = (mean.x_max - mean.x_min) / static_cast<double>(mean.text.size());
  EXPECT_NEAR((mean.x_min - number.x_min) / width, 16.0, 0.2);
  EXPECT_NEAR((sd.x_min - number.x_min) / width, 37.0, 0.2);

  const std::string fonts = RunCommand("pdffonts '" + pdf_ + "'");
  std::string lower = fonts;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  EXPECT_TRUE(lower.find("courier") != std::string::npos || lower.find("mono") != std::string::npos)
      << fonts;
  EXPECT_EQ(report, Report());  // printing changes nothing
}

TEST_F(ButtonsTest, LongTextPrintsOneBlockPerPageInWholeLines) {
  // How many lines one block holds, then a text that needs three blocks.
  window_->DataFld()->SetText(Numbered(400));
  const auto probe = Print();
  ASSERT_GE(probe.size(), 2u);
  const int per_page = static_cast<int>(probe[0].size());
  const int total = 2 * per_page + per_page / 2;

  window_->DataFld()->SetText(Numbered(total));
  const int64_t yields = seams::YieldHandlerCalls();
  const auto pages = Print();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(seams::NextPageCalls(), 2);
  EXPECT_EQ(seams::YieldHandlerCalls() - yields, 3);
  // Every line once, whole, in order; nothing else on any page.
  int next = 1;
  for (const auto& page : pages)
    for (const std::string& line : page)
      EXPECT_EQ(Words(line), Words("Line " + Str(next++) + " of the text"));
  EXPECT_EQ(next, total + 1);
}

TEST_F(ButtonsTest, PrintsHelpTextAndEditedText) {
  seams::MouseDown(window_->Qbtn(), 5, 5);
  seams::MouseUp(window_->Qbtn(), 5, 5);
  std::string printed;
  for (const auto& page : Print())
    for (const std::string& line : page) printed += line + "\n";
  EXPECT_EQ(Words(printed), Words(HelpText()));

  window_->DataFld()->SetText("Vellacor\r");
  seams::MoveFocus(window_->DataFld());
  window_->DataFld()->SetSelStart(8);
  seams::Type(window_->DataFld(), " edited");
  const auto pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], std::vector<std::string>{"Vellacor edited"});
}

// At a yield of the print job the user presses the other buttons and types
// into the report area; the job prints the text it started with.
TEST_F(ButtonsTest, InputAtTheYieldsCannotDisturbAPrintJob) {
  window_->DataFld()->SetText(Numbered(400));
  const auto undisturbed = Print();
  ASSERT_GE(undisturbed.size(), 3u);

  bool acted = false;
  seams::AtNextYield([&] {
    acted = true;
    seams::Click(window_->ClearBtn());
    seams::Click(window_->Qbtn());
    seams::Click(window_->CalculateBtn());
    seams::Click(window_->PrintBtn());
    seams::Type(window_->DataFld(), "x");
  });
  seams::Beeps beeps;
  const auto pages = Print();
  ASSERT_TRUE(acted);
  EXPECT_EQ(beeps.Count(), 5);
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(seams::PrintDialogsOpened(), 1);
  EXPECT_EQ(pages, undisturbed);
  EXPECT_EQ(Report(), Numbered(400));
}

TEST_F(ButtonsTest, ClearEmptiesTheWindowAndLeavesTheRunAlone) {
  seams::SeedRandom(4);
  Calculate("5", "70", "3");
  const double mean = VarsModule::SumStats(1, 1);
  const double sd = VarsModule::SumStats(1, 3);
  ASSERT_NE(Report(), "");
  for (bool wheel : {true, false}) {
    SCOPED_TRACE(wheel ? "wheel shown" : "wheel hidden");
    window_->DataFld()->SetText("a report");
    window_->VarFld()->SetText("5");
    window_->SubFld()->SetText("70");
    window_->RepFld()->SetText("3");
    window_->Pwheel()->SetVisible(wheel);
    window_->disclaimFld()->SetVisible(true);
    seams::MoveFocus(window_->RepFld());

    seams::Click(window_->ClearBtn());

    EXPECT_EQ(Report(), "");
    EXPECT_EQ(window_->VarFld()->Text(), "");
    EXPECT_EQ(window_->SubFld()->Text(), "");
    EXPECT_EQ(window_->RepFld()->Text(), "");
    EXPECT_TRUE(window_->VarFld()->HasFocus());
    EXPECT_TRUE(window_->VarWarning()->Visible());
    EXPECT_EQ(window_->VarWarning()->Text(), "(3 - 200)");
    EXPECT_FALSE(window_->RepWarning()->Visible());
    EXPECT_FALSE(window_->disclaimFld()->Visible());
    EXPECT_EQ(window_->Pwheel()->Visible(), wheel);
    EXPECT_EQ(VarsModule::vars, 5);
    EXPECT_EQ(VarsModule::subs, 70);
    EXPECT_EQ(VarsModule::reps, 3);
    EXPECT_EQ(VarsModule::SumStats(1, 1), mean);
    EXPECT_EQ(VarsModule::SumStats(1, 3), sd);
    EXPECT_EQ(VarsModule::VarMax, 200);
    EXPECT_EQ(VarsModule::kEOL, "\r");
    EXPECT_TRUE(boxes_.Texts().empty());
  }
}

TEST_F(ButtonsTest, HelpReplacesTheReportAtThePress) {
  window_->DataFld()->SetText("a report\r");
  seams::MouseDown(window_->Qbtn(), 5, 5);
  EXPECT_EQ(Report(), HelpText());
  EXPECT_EQ(window_->DataFld()->Text(), window_->disclaimFld()->Text());
  seams::MouseUp(window_->Qbtn(), 5, 5);
  EXPECT_EQ(Report(), HelpText());

  // Only the press brings it: the space bar pushes the button without one.
  window_->DataFld()->SetText("a report\r");
  seams::MoveFocus(window_->Qbtn());
  seams::PressKey(window_->Qbtn(), " ");
  EXPECT_EQ(Report(), "a report\r");
}

TEST_F(ButtonsTest, QuitEndsWithCodeZeroWithoutAQuestion) {
  seams::Click(window_->QuitBtn());
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
  EXPECT_TRUE(boxes_.Texts().empty());
}

// A message box or the print dialog, once closed, gives the keyboard back
// to the window that opened it, also where no window manager does so; the
// return is no new activation, so the focus stays where it was.
TEST(DialogFocusTest, AClosedDialogGivesTheKeyboardBackWithoutANewActivation) {
  std::shared_ptr<ControlWnd> main = shell_test::StartProgram();
  seams::Beeps beeps;
  for (const std::string dialog : {"message box", "print dialog"}) {
    SCOPED_TRACE(dialog);
    // Empty, Print answers with "Nothing to print."; else the print
    // dialog opens, and Escape cancels it.
    main->DataFld()->SetText(dialog == "message box" ? "" : "text");
    seams::MoveFocus(main->SubFld());
    ASSERT_EQ(seams::ActiveWindow(), main);
    VarsModule::kEOL = "";
    seams::DismissNextDialog();
    seams::Click(main->PrintBtn());
    seams::ProcessEvents();
    EXPECT_TRUE(seams::ActiveWindow() == main) << "the main window is not active";
    EXPECT_EQ(VarsModule::kEOL, "") << "Activate was raised";
    // The click on Print took the focus there; it stays.
    EXPECT_TRUE(main->FocusControl() == main->PrintBtn()) << "the focus left the Print button";
  }
  EXPECT_EQ(beeps.Count(), 1);
  seams::Reset();
}

// After a refusal the keys go on into the field at fault: the message box
// closes without a new activation, also where the main window was shown
// again while the box was up. An activation by the user, the return
// from the About window, still puts the focus into the variables field.
TEST(DialogFocusTest, AfterARefusalTheFieldAtFaultKeepsTheKeyboard) {
  std::shared_ptr<ControlWnd> main = shell_test::StartProgram();
  seams::Beeps beeps;
  seams::MoveFocus(main->VarFld());
  seams::Type(main->VarFld(), "5");
  seams::PressKey(main, std::string(1, KeyCode::kTab));
  seams::Type(main->SubFld(), "10");
  seams::PressKey(main, std::string(1, KeyCode::kTab));
  seams::Type(main->RepFld(), "10");
  ASSERT_EQ(main->FocusControl(), main->RepFld());

  // While the box is up, the splash window's timer runs out and shows the
  // main window again: the box stays in front, with the keyboard.
  std::shared_ptr<Window> active_while_up = main;
  seams::DismissNextDialog([&] {
    for (const auto& timer : seams::PendingTimers()) seams::FireTimerNow(timer);
    seams::ProcessEvents();
    active_while_up = seams::ActiveWindow();
  });
  seams::PressNamedKey(main->RepFld(), "Return");
  seams::ProcessEvents();
  EXPECT_EQ(active_while_up, nullptr) << "the main window took the keyboard from the box";
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_TRUE(seams::ActiveWindow() == main) << "the main window is not active";
  EXPECT_TRUE(main->SubWarning()->Visible());
  EXPECT_FALSE(main->VarWarning()->Visible());
  seams::PressKey(main, "7");
  EXPECT_EQ(main->SubFld()->Text(), "107");
  EXPECT_EQ(main->VarFld()->Text(), "5");

  ASSERT_TRUE(seams::ChooseMenuItem(main, "AboutVellacor"));
  seams::ProcessEvents();
  seams::PressKey(SplashWnd::Instance(), "a");
  seams::ProcessEvents();
  EXPECT_TRUE(seams::ActiveWindow() == main) << "the main window is not active";
  EXPECT_EQ(main->FocusControl(), main->VarFld());
  seams::Reset();
}

// The program's replacements of the report area's whole text are steps of
// the area's own undo history: Ctrl+Z brings back what the help button,
// Clear or a run replaced, a run with its report as one step, and a refusal
// with its real message box on the way changes nothing of it. During a run
// and a print job Ctrl+Z is refused like any other edit.
TEST(ReportUndoTest, CtrlZBringsBackWhatTheProgramReplaced) {
  std::shared_ptr<ControlWnd> main = shell_test::StartProgram();
  seams::Beeps beeps;
  std::shared_ptr<TextArea> area = main->DataFld();
  auto undo = [&] {
    seams::Click(area);
    seams::PressNamedKey(area, "Ctrl+Z");
    return area->Text();
  };
  main->VarFld()->SetText("5");
  main->SubFld()->SetText("70");
  main->RepFld()->SetText("3");
  area->SetText("typed before the run\r");

  // Ctrl+Z at a yield of the run, once the report is being written.
  std::string at_yield, after_refused_undo;
  std::function<void()> try_undo = [&] {
    if (area->Text().empty()) return seams::AtNextYield(try_undo);
    at_yield = area->Text();
    seams::PressNamedKey(area, "Ctrl+Z");
    after_refused_undo = area->Text();
  };
  seams::AtNextYield(try_undo);
  seams::Click(main->CalculateBtn());
  const std::string report = area->Text();
  ASSERT_EQ(main_window_test::RowsOf(report).size(), 5u);
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_FALSE(at_yield.empty());
  EXPECT_EQ(after_refused_undo, at_yield);

  seams::Click(main->Qbtn());
  ASSERT_EQ(area->Text(), HelpText());
  // A refusal: the beep, its real message box, dismissed.
  main->SubFld()->SetText("");
  seams::DismissNextDialog();
  seams::Click(main->CalculateBtn());
  seams::ProcessEvents();
  EXPECT_EQ(beeps.Count(), 2);
  EXPECT_EQ(area->Text(), HelpText());

  EXPECT_EQ(undo(), report);                    // the help text taken back
  EXPECT_EQ(undo(), "typed before the run\r");  // the whole run, in one step
  seams::PressNamedKey(area, "Ctrl+Shift+Z");
  EXPECT_EQ(area->Text(), report);  // and redone whole

  seams::Click(main->ClearBtn());
  ASSERT_EQ(area->Text(), "");
  EXPECT_EQ(undo(), report);

  // A print job: Ctrl+Z at its yield is refused.
  seams::Click(main->Qbtn());
  const std::string pdf = (std::filesystem::temp_directory_path() /
                           ("undo_test_" + std::to_string(::getpid()) + ".pdf"))
                              .string();
  seams::AnswerPrintDialogWithPdf(pdf);
  std::string during_print = "not reached";
  seams::AtNextYield([&] {
    seams::PressNamedKey(area, "Ctrl+Z");
    during_print = area->Text();
  });
  const int64_t beeps_before_print = beeps.Count();
  seams::Click(main->PrintBtn());
  seams::ClearPrintDialogAnswer();
  std::filesystem::remove(pdf);
  EXPECT_EQ(during_print, HelpText());
  EXPECT_EQ(beeps.Count(), beeps_before_print + 1);
  EXPECT_EQ(undo(), report);
  seams::Reset();
}

}  // namespace
