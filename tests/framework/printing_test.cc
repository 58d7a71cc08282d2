// Printing a real text area (offscreen) to a PDF, through the print-dialog
// seam and through the real print dialog, read back with pdftotext: whole
// lines per block, blocks of 540 by 720 points at the page's printable
// origin, no page after the last block; every line once on any paper; the
// dialog's page range and copies; a PDF file whole or untouched; targets
// that are no file refused.
#include "framework/gui/printing.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/text.h"
#include "framework/gui/runtime.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window.h"
#include "framework/testing/seams.h"
#include "tests/support/pdf_text.h"

namespace {

class PrintWnd : public Window {
 public:
  std::string FullClassName() const override { return "PrintWnd.PrintWnd"; }
  void Layout() override {
    _SetProperties(shared_from_this(), {{"Width", 500}, {"Height", 300}, {"Visible", true}});
  }
  void CreateControls() override {
    _AddControl("DataFld", _New<TextArea>());
    _SetProperties(_ControlByName("DataFld"), {{"Left", 10},
                                               {"Top", 10},
                                               {"Width", 480},
                                               {"Height", 280},
                                               {"FontName", "Courier"},
                                               {"FontSize", 11.0},
                                               {"Multiline", true}});
  }
  std::shared_ptr<TextArea> DataFld() { return Cast<TextArea>(_ControlByName("DataFld")); }
};

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += "\r";
    text += "Line " + Str(i) + " of the report";
  }
  return text;
}

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seams::InitRuntime();
    seams::Reset();
    pdf_ = (std::filesystem::temp_directory_path() /
            ("printing_test_" + std::to_string(::getpid()) + ".pdf"))
               .string();
    seams::AnswerPrintDialogWithPdf(pdf_);
    window_ = std::make_shared<PrintWnd>();
    window_->Constructor();
  }
  void TearDown() override {
    seams::ClearPrintDialogAnswer();
    std::filesystem::remove(pdf_);
    window_.reset();
    seams::Reset();
  }
  // The print loop of the program's Print button; returns the blocks drawn.
  int Print(const std::string& text) {
    window_->DataFld()->SetText(text);
    auto g = OpenPrinterDialog(nullptr, nullptr);
    if (!g) return 0;
    auto printer = window_->DataFld()->styledTextPrinter(g, 540);
    int blocks = 0;
    while (!printer->Eof()) {
      printer->DrawBlock(0, 0, 720);
      ++blocks;
      if (!printer->Eof()) g->NextPage();
    }
    return blocks;  // the surface goes here, which finishes the job
  }

  std::string pdf_;
  std::shared_ptr<PrintWnd> window_;
};

TEST_F(PrintingTest, LongTextIsPrintedInWholeLinesOneBlockPerPage) {
  const int kLines = 130;
  const int blocks = Print(Numbered(kLines));
  EXPECT_EQ(blocks, 3);
  EXPECT_EQ(seams::NextPageCalls(), 2);
  auto pages = pdf_text::Pages(pdf_);
  ASSERT_EQ(pages.size(), 3u);
  // Every line exactly once, in order, each whole on one page.
  int next = 1;
  for (const auto& page : pages) {
    for (const std::string& line : page) {
      EXPECT_EQ(line, "Line " + Str(next) + " of the report");
      ++next;
    }
  }
  EXPECT_EQ(next, kLines + 1);
  // Courier 11 gives the first page as many lines as fit into 720 points.
  EXPECT_GT(pages[0].size(), 50u);
  EXPECT_EQ(pages[0].size(), pages[1].size());
}

TEST_F(PrintingTest, BlockSitsAt36PointMarginsAndStaysWithin540By720) {
  Print(Numbered(60) + "\r" + std::string(100, 'W'));
  auto boxes = pdf_text::Words(pdf_);
  ASSERT_FALSE(boxes.empty());
  double left = 1e9, top = 1e9, right = 0, bottom = 0;
  for (const pdf_text::Word& b : boxes) {
    left = std::min(left, b.x_min);
    top = std::min(top, b.y_min);
    right = std::max(right, b.x_max);
    bottom = std::max(bottom, b.y_max);
  }
  EXPECT_NEAR(left, 36, 2);
  EXPECT_NEAR(top, 36, 4);
  EXPECT_LE(right, 36 + 540 + 0.5);
  EXPECT_LE(bottom, 36 + 720 + 0.5);
}

TEST_F(PrintingTest, LineWiderThanTheBlockWrapsWithinIt) {
  // 100 characters of Courier 11 (6.6 points each) need two lines of 540.
  const std::string wide(100, 'x');
  EXPECT_EQ(Print(wide), 1);
  auto pages = pdf_text::Pages(pdf_);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 2u);
  EXPECT_EQ(pages[0][0] + pages[0][1], wide);
}

TEST_F(PrintingTest, ShortTextIsOneBlockWithoutNextPage) {
  EXPECT_EQ(Print("\r"), 1);
  EXPECT_EQ(Print("Vellacor – one line"), 1);
  EXPECT_EQ(seams::NextPageCalls(), 0);
  auto pages = pdf_text::Pages(pdf_);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], std::vector<std::string>{"Vellacor – one line"});
}

TEST_F(PrintingTest, CancelGivesNoSurface) {
  seams::AnswerPrintDialogWithCancel();
  EXPECT_EQ(OpenPrinterDialog(nullptr, nullptr), nullptr);
  EXPECT_EQ(seams::PrintDialogsOpened(), 1);
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(PrintingTest, PrinterForAnEmptySurfaceRaises) {
  EXPECT_THROW(window_->DataFld()->styledTextPrinter(nullptr, 540), NilObjectException);
}

// Through the real dialog, into a folder of the test's own.
class PrintDialogTest : public PrintingTest {
 protected:
  void SetUp() override {
    PrintingTest::SetUp();
    seams::ClearPrintDialogAnswer();
    folder_ = std::filesystem::temp_directory_path() /
              ("print_dialog_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directory(folder_);
    target_ = (folder_ / "out.pdf").string();
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    PrintingTest::TearDown();
  }
  // Prints text with the program's loop after making the choices in the
  // real dialog; the pages read back.
  std::vector<std::vector<std::string>> PrintThrough(seams::PrintDialogChoices choices,
                                                     const std::string& text) {
    std::filesystem::remove(target_);
    choices.output_file = target_;
    seams::FillNextPrintDialog(choices);
    Print(text);
    return pdf_text::Pages(target_);
  }
  // The names in the folder.
  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  std::filesystem::path folder_;
  std::string target_;
  seams::MessageBoxes boxes_;
  seams::Beeps beeps_;
};

// Line i, 80 characters wide, as wide as a report's rules.
std::string Wide(int i) {
  std::string line = "Line " + Str(i) + " of the report ";
  return line + std::string(80 - line.size(), '.');
}

struct Paper {
  std::string label, name;  // the test's name, the dialog's
  bool landscape;
  double width, height;  // points
};
void PrintTo(const Paper& p, std::ostream* os) { *os << p.label; }

class EveryLineOnAnyPaperTest : public PrintDialogTest,
                                public ::testing::WithParamInterface<Paper> {};

// Each line of the text once, whole, in order, and every word within the
// page, whether the page is lower (landscape) or narrower (A5) than the
// block.
TEST_P(EveryLineOnAnyPaperTest, EveryLineOnceAndWholeWithinThePage) {
  const Paper& paper = GetParam();
  std::string text;
  for (int i = 1; i <= 1000; ++i) text += Wide(i) + "\r";
  const auto pages = PrintThrough({.paper = paper.name, .landscape = paper.landscape}, text);
  std::vector<std::string> lines;
  for (const auto& page : pages)
    for (const std::string& line : page) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1000u);
  for (int i = 1; i <= 1000; ++i) EXPECT_EQ(lines[i - 1], Wide(i));

  const auto boxes = pdf_text::PagesWithWords(target_);
  ASSERT_EQ(boxes.size(), pages.size());
  for (const pdf_text::Page& page : boxes) {
    EXPECT_NEAR(page.width, paper.width, 1);
    EXPECT_NEAR(page.height, paper.height, 1);
    for (const pdf_text::Word& w : page.words) {
      EXPECT_GE(w.x_min, 0);
      EXPECT_GE(w.y_min, 0);
      EXPECT_LE(w.x_max, page.width) << w.text;
      EXPECT_LE(w.y_max, page.height) << w.text;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Papers, EveryLineOnAnyPaperTest,
                         ::testing::Values(Paper{"A4Landscape", "A4", true, 841.89, 595.276},
                                           Paper{"A5Portrait", "A5", false, 419.528, 595.276},
                                           Paper{"A5Landscape", "A5", true, 595.276, 419.528},
                                           Paper{"Letter", "Letter / ANSI A", false, 612, 792}),
                         [](const auto& info) { return info.param.label; });

struct RangeCase {
  std::string name;
  int64_t from, to, copies;
  bool collate, reverse;
  std::vector<int> pages;  // the pages of the whole print, in the order put out
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class PageRangeTest : public PrintDialogTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(PageRangeTest, PutsOutThePagesAndCopiesChosen) {
  const RangeCase& c = GetParam();
  const std::string text = Numbered(200);
  const auto all = PrintThrough({}, text);
  ASSERT_EQ(all.size(), 4u);
  const auto pages = PrintThrough({.from_page = c.from,
                                   .to_page = c.to,
                                   .copies = c.copies,
                                   .collate = c.collate,
                                   .reverse = c.reverse},
                                  text);
  std::vector<std::vector<std::string>> expected;
  for (int p : c.pages) expected.push_back(all[p - 1]);
  EXPECT_EQ(pages, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PageRangeTest,
    ::testing::Values(
        RangeCase{"Pages2To3", 2, 3, 1, true, false, {2, 3}},
        RangeCase{"Pages2To3TwiceCollated", 2, 3, 2, true, false, {2, 3, 2, 3}},
        RangeCase{"Pages2To3TwiceUncollated", 2, 3, 2, false, false, {2, 2, 3, 3}},
        RangeCase{"Page4ToTheEnd", 4, 9, 1, true, false, {4}},
        RangeCase{"AllPagesTwice", 0, 0, 2, true, false, {1, 2, 3, 4, 1, 2, 3, 4}},
        RangeCase{"Pages1To3Reversed", 1, 3, 1, true, true, {3, 2, 1}},
        RangeCase{"Pages2To3ReversedTwiceCollated", 2, 3, 2, true, true, {3, 2, 3, 2}},
        RangeCase{"Pages2To3ReversedTwiceUncollated", 2, 3, 2, false, true, {3, 3, 2, 2}}),
    [](const auto& info) { return info.param.name; });

// A job that ends before its last page (a failure, or Quit from the close
// box or the menu) leaves the file that was there as it was, and nothing
// beside it; standard error says so in one line.
TEST_F(PrintDialogTest, JobCutShortLeavesTheEarlierFileAndNothingElse) {
  for (const bool by_quit : {false, true}) {
    SCOPED_TRACE(by_quit ? "Quit" : "a failure");
    Write(target_, "the earlier file");
    seams::FillNextPrintDialog({.output_file = target_});
    window_->DataFld()->SetText(Numbered(400));
    struct Job {
      std::shared_ptr<PrintWnd> window;
      bool by_quit;
      int blocks = 0;
    } job{window_, by_quit};
    ::testing::internal::CaptureStderr();
    _RuntimeDispatch(
        [](void* arg) {
          Job& job = *static_cast<Job*>(arg);
          auto g = OpenPrinterDialog(nullptr, nullptr);
          auto printer = job.window->DataFld()->styledTextPrinter(g, 540);
          while (!printer->Eof()) {
            printer->DrawBlock(0, 0, 720);
            if (++job.blocks == 3) {
              if (job.by_quit) Quit(0);
              throw RuntimeException("a failure");
            }
            g->NextPage();
          }
        },
        &job);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(job.blocks, 3);
    EXPECT_EQ(Read(target_), "the earlier file");
    EXPECT_EQ(Folder(), std::vector<std::string>{"out.pdf"});
    EXPECT_NE(err.find("The PDF file \"" + target_ +
                       "\" was not written: the print job ended before its last page.\n"),
              std::string::npos)
        << err;
    seams::Reset();  // forgets the Quit
    seams::InitRuntime();
  }
  // Run to its end, the job replaces the file.
  EXPECT_EQ(PrintThrough({}, Numbered(3)).size(), 1u);
  EXPECT_EQ(Folder(), std::vector<std::string>{"out.pdf"});
}

// A termination signal in the middle of a job ends the process as the
// signal says, and leaves the file that was there as it was, with nothing
// beside it.
TEST_F(PrintDialogTest, SignalDuringAJobLeavesTheEarlierFileAndNothingElse) {
  Write(target_, "the earlier file");
  window_->DataFld()->SetText(Numbered(400));
  seams::AnswerPrintDialogWithPdf(target_);
  EXPECT_EXIT(
      {
        auto g = OpenPrinterDialog(nullptr, nullptr);
        auto printer = window_->DataFld()->styledTextPrinter(g, 540);
        for (int blocks = 1; !printer->Eof(); ++blocks) {
          printer->DrawBlock(0, 0, 720);
          if (blocks == 3) ::raise(SIGTERM);
          g->NextPage();
        }
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(Read(target_), "the earlier file");
  EXPECT_EQ(Folder(), std::vector<std::string>{"out.pdf"});
}

struct Target {
  std::string name;
  std::string kind;                                                      // as the message names it
  std::function<std::string(const std::filesystem::path& folder)> make;  // returns the path
};
void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

class RefusedTargetTest : public PrintDialogTest, public ::testing::WithParamInterface<Target> {};

// A named pipe as the target used to block the program for good in open();
// a device or a socket would be renamed over. Refused at once, through the
// real dialog and through an answered one, and left as it was.
TEST_P(RefusedTargetTest, IsRefusedBeforeItIsOpened) {
  const Target& t = GetParam();
  const std::string path = t.make(folder_);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  const std::string message = "The PDF file \"" + path + "\" could not be written: it is " +
                              t.kind + ", not a regular file";
  ::alarm(20);  // a test that blocks in open() ends instead of hanging
  window_->DataFld()->SetText(Numbered(10));
  seams::FillNextPrintDialog({.output_file = path});
  EXPECT_EQ(OpenPrinterDialog(nullptr, nullptr), nullptr);
  seams::AnswerPrintDialogWithPdf(path);
  EXPECT_EQ(OpenPrinterDialog(nullptr, nullptr), nullptr);
  ::alarm(0);
  EXPECT_EQ(beeps_.Count(), 2);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>(2, message));
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_rdev, before.st_rdev);
}

std::string MakeFifo(const std::filesystem::path& folder) {
  const std::string path = (folder / "pipe.pdf").string();
  ::mkfifo(path.c_str(), 0644);
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedTargetTest,
    ::testing::Values(Target{"NamedPipe", "a named pipe", MakeFifo},
                      Target{"LinkToANamedPipe", "a named pipe",
                             [](const std::filesystem::path& folder) {
                               const auto link = folder / "link.pdf";
                               std::filesystem::create_symlink(MakeFifo(folder), link);
                               return link.string();
                             }},
                      Target{"Device", "a device",
                             [](const std::filesystem::path&) { return std::string("/dev/full"); }},
                      Target{"Socket", "a socket",
                             [](const std::filesystem::path& folder) {
                               const std::string path = (folder / "socket.pdf").string();
                               const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                               sockaddr_un address{};
                               address.sun_family = AF_UNIX;
                               path.copy(address.sun_path, sizeof address.sun_path - 1);
                               ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
                               ::close(fd);
                               return path;
                             }},
                      Target{"Folder", "a folder",
                             [](const std::filesystem::path& folder) {
                               std::filesystem::create_directory(folder / "folder.pdf");
                               return (folder / "folder.pdf").string();
                             }}),
    [](const auto& info) { return info.param.name; });

// A symbolic link is followed: its file gets the new PDF, the link stays.
TEST_F(PrintDialogTest, LinkIsFollowedToItsFile) {
  const std::string file = (folder_ / "file.pdf").string();
  Write(file, "the earlier file");
  const std::string link = (folder_ / "link.pdf").string();
  std::filesystem::create_symlink(file, link);
  seams::FillNextPrintDialog({.output_file = link});
  Print(Numbered(3));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(pdf_text::Pages(file),
            (std::vector<std::vector<std::string>>{
                {"Line 1 of the report", "Line 2 of the report", "Line 3 of the report"}}));
  EXPECT_EQ(Folder(), (std::vector<std::string>{"file.pdf", "link.pdf"}));
  EXPECT_TRUE(boxes_.Texts().empty());
}

// A folder that cannot be written gets the beep and the message box of a
// file that could not be written in full, on both roads.
TEST_F(PrintDialogTest, FolderThatCannotBeWrittenIsReportedWithABeep) {
  std::vector<std::string> folders = {(folder_ / "missing").string()};
  if (::geteuid() != 0) {  // the superuser may write into any folder
    std::filesystem::create_directory(folder_ / "locked");
    std::filesystem::permissions(folder_ / "locked", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
    folders.push_back((folder_ / "locked").string());
  }
  window_->DataFld()->SetText(Numbered(10));
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string path = folder + "/out.pdf";
    const size_t before = boxes_.Texts().size();
    seams::FillNextPrintDialog({.output_file = path});
    EXPECT_EQ(OpenPrinterDialog(nullptr, nullptr), nullptr);
    seams::AnswerPrintDialogWithPdf(path);
    EXPECT_EQ(OpenPrinterDialog(nullptr, nullptr), nullptr);
    seams::ClearPrintDialogAnswer();
    ASSERT_EQ(boxes_.Texts().size(), before + 2);
    for (size_t i = before; i < before + 2; ++i)
      EXPECT_EQ(boxes_.Texts()[i].rfind("The PDF file \"" + path + "\" could not be written: ", 0),
                0u)
          << boxes_.Texts()[i];
    EXPECT_FALSE(std::filesystem::exists(path));
  }
  EXPECT_EQ(beeps_.Count(), static_cast<int64_t>(2 * folders.size()));
}

}  // namespace
