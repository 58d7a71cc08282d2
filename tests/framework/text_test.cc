// Text and number functions: tables of cases.
#include "framework/core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/core/exceptions.h"
#include "tests/support/decimal_comma_locale.h"

namespace {

const std::string kEnDash = "\xE2\x80\x93";

TEST(Val, TakesTheLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},        {"abc", 0}, {"007", 7},    {"12ab", 12},  {"  42", 42},
      {"-3.5", -3.5}, {"+8", 8},  {".25", 0.25}, {"1e3", 1000}, {"2e", 2},
      {"200", 200},   {"-", 0},   {"9.", 9},     {"1 2", 1},    {"2500x", 2500},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(Str, PlainDecimal) {
  const struct {
    int64_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-12, "-12"},
      {2500, "2500"},
      {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
  };
  for (const auto& c : cases) EXPECT_EQ(Str(c.value), c.text);
}

TEST(Format, FourDecimalsWithAndWithoutLeadingZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* spec;
    const char* text;
  } cases[] = {
      {0.5, "0.0000", "0.5000"},
      {0.5, ".0000", ".5000"},
      {1.23456, "0.0000", "1.2346"},
      {1.23456, ".0000", "1.2346"},
      {12.0, ".0000", "12.0000"},
      {0.0, ".0000", ".0000"},
      {-0.25, ".0000", "-.2500"},
      {-0.00001, "0.0000", "0.0000"},
      // Exact ties go to the even digit; 1.00005 is stored a little above
      // the tie and 2.00005 a little below it.
      {0.03125, "0.0000", "0.0312"},
      {0.09375, "0.0000", "0.0938"},
      {1.00005, "0.0000", "1.0001"},
      {2.00005, "0.0000", "2.0000"},
      {2.99999, "0.0000", "3.0000"},
      {nan, "0.0000", "NaN"},
      {nan, ".0000", "NaN"},
      {inf, "0.0000", "Inf"},
      {-inf, ".0000", "-Inf"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, c.spec), c.text) << c.value << " " << c.spec;
}

// A desktop in a decimal-comma locale changes neither what Format writes
// nor what Val reads: the point stays ".".
TEST(Format, KeepsThePointUnderADecimalCommaLocale) {
  decimal_comma::Locale locale;
  ASSERT_TRUE(decimal_comma::Locale::Active()) << decimal_comma::kMissing;
  const struct {
    double value;
    const char* spec;
    const char* text;
  } formats[] = {
      {1.5774, "0.0000", "1.5774"}, {0.0761, ".0000", ".0761"}, {0.0761, "0.0000", "0.0761"},
      {12.0, ".0000", "12.0000"},   {-0.25, ".0000", "-.2500"}, {2.00005, "0.0000", "2.0000"},
  };
  for (const auto& c : formats)
    EXPECT_EQ(Format(c.value, c.spec), c.text) << c.value << " " << c.spec;
  const struct {
    const char* text;
    double value;
  } vals[] = {
      {"12.5", 12.5}, {"12,5", 12}, {".25", 0.25}, {"-3.5e1", -35}, {"007", 7},
  };
  for (const auto& c : vals) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(Format, RefusesSpecsItCannotRead) {
  EXPECT_THROW(Format(1.0, "0.00%"), InvalidArgumentException);
  EXPECT_THROW(Format(1.0, "0.0.0"), InvalidArgumentException);
}

TEST(LenAndRight, CountCharactersNotBytes) {
  const std::string rule = kEnDash + kEnDash + kEnDash;
  const struct {
    std::string text;
    int64_t len;
    int64_t n;
    std::string right;
  } cases[] = {
      {"", 0, 3, ""},
      {"abcdef", 6, 3, "def"},
      {"ab", 2, 5, "ab"},
      {"abc", 3, 0, ""},
      {rule, 3, 2, kEnDash + kEnDash},
      {"   12", 5, 4, "  12"},
      {"x" + kEnDash + "y", 3, 2, kEnDash + "y"},
      {"\r\r", 2, 1, "\r"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Len(c.text), c.len) << c.text;
    EXPECT_EQ(Right(c.text, c.n), c.right) << c.text;
  }
  EXPECT_EQ(Left("x" + kEnDash + "y", 2), "x" + kEnDash);
}

TEST(AscAndChr, RoundTripCharacterCodes) {
  for (int64_t code : {0, 8, 13, 27, 31, 48, 57, 65, 127, 0x2013, 0x1F600}) {
    EXPECT_EQ(Asc(Chr(code)), code);
    EXPECT_EQ(Len(Chr(code)), 1);
  }
  EXPECT_EQ(Chr(13), "\r");
  EXPECT_EQ(Chr(0x2013), kEnDash);
  EXPECT_EQ(Asc(""), 0);
  EXPECT_EQ(Asc("7x"), 55);
  EXPECT_THROW(Chr(-1), InvalidArgumentException);
}

TEST(StrCompare, ThreeWayByCharacterCodes) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"5", "0", 1},  {"5", "9", -1}, {"0", "0", 0},  {"9", "9", 0}, {"a", "9", 1}, {" ", "0", -1},
      {"-", "0", -1}, {"90", "9", 1}, {"05", "0", 1}, {"", "0", -1}, {"", "", 0},
  };
  for (const auto& c : cases) {
    const int64_t r = StrCompare(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(Numbers, AbsAndSqrt) {
  EXPECT_EQ(Abs(-2.5), 2.5);
  EXPECT_EQ(Abs(int64_t{-3}), 3);
  EXPECT_EQ(Sqrt(6.25), 2.5);
  EXPECT_TRUE(std::isnan(Sqrt(-1.0)));
}

}  // namespace
