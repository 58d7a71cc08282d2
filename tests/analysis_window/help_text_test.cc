#include "analysis_window/help_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis_window/report_text.h"
#include "shell/version_notice.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + separator.size());
  }
}

std::size_t Count(std::string_view text, std::string_view word) {
  std::size_t n = 0;
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + word.size()))
    ++n;
  return n;
}

std::vector<std::string_view> Paragraphs() { return Split(HelpText(), "\r\r"); }

TEST(HelpTextTest, TenParagraphsOfTheListedLengths) {
  const std::size_t kLengths[] = {405, 331, 114, 184, 374, 152, 64, 226, 192, 537};
  const auto paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), std::size(kLengths));
  for (std::size_t i = 0; i < paragraphs.size(); ++i)
    EXPECT_EQ(paragraphs[i].size(), kLengths[i]) << "paragraph " << i + 1;
}

TEST(HelpTextTest, PlainAsciiWithCarriageReturnsOnly) {
  const std::string& text = HelpText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  for (const char c : text) {
    const bool printable = c >= 0x20 && c < 0x7f;
    EXPECT_TRUE(printable || c == '\r') << "character " << int(c);
  }
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), ' ');
  EXPECT_EQ(text.front(), 'V');
}

TEST(HelpTextTest, OnlyParagraphNineHoldsALineBreak) {
  const auto paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 10u);
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i == 8) continue;
    EXPECT_EQ(Count(paragraphs[i], "\r"), 0u) << "paragraph " << i + 1;
  }
  const auto lines = Split(paragraphs[8], "\r");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 103u);
  EXPECT_EQ(lines[1].size(), 88u);
  EXPECT_NE(lines[1].find("[Computer software]"), std::string_view::npos);
}

TEST(HelpTextTest, FixedParagraphsWordForWord) {
  const auto paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 10u);
  EXPECT_EQ(paragraphs[0],
            "Vellacor (1) generates random normal numbers for the quantity of "
            "variables and subjects selected, (2) computes the correlation "
            "matrix, (3) performs Principal Components Analyses and "
            "calculates the eigenvalues for those variables, (4) repeats the "
            "process as many times as specified in the replications field, "
            "and (5) calculates the average and standard deviation of the "
            "eigenvalues across all replications.");
  EXPECT_EQ(paragraphs[1],
            "For stable results, replicate 50-100 times. Use these "
            "eigenvalues as the criteria for Horn's Parallel Analysis for the "
            "number of factors or components to retain for rotation. Large "
            "numbers of variables, subjects, or replications may take time. "
            "Do not close quit prematurely. 100 replications should be "
            "sufficient for most purposes.");
  EXPECT_EQ(paragraphs[6], std::string(64, '*'));
}

TEST(HelpTextTest, ProductNamedAtStartInRightsAndInReference) {
  const auto paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 10u);
  EXPECT_EQ(Count(HelpText(), "Vellacor"), 3u);
  EXPECT_EQ(paragraphs[0].substr(0, 8), "Vellacor");
  EXPECT_EQ(Count(paragraphs[7], "Vellacor"), 1u);
  EXPECT_EQ(Count(Split(paragraphs[8], "\r")[1], "Vellacor"), 1u);
}

TEST(FixedTextsTest, OneLineOfTheirLength) {
  struct Case {
    std::string_view text;
    std::size_t length;
  };
  const Case kCases[] = {{kAuthorText, 20}, {kClosingNotice, 53}, {kVersionNotice, 31}};
  for (const Case& c : kCases) {
    EXPECT_EQ(c.text.size(), c.length) << c.text;
    EXPECT_EQ(c.text.find_first_of("\r\n"), std::string_view::npos) << c.text;
  }
  EXPECT_EQ(kAuthorText.substr(0, 3), "by ");
}

}  // namespace
