// Printing a real text area (offscreen) to a PDF through the print-dialog
// seam, read back with pdftotext: whole lines per block, blocks of 540 by
// 720 points at the page's printable origin, no page after the last block.
#include "framework/gui/printing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/text.h"
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

}  // namespace
