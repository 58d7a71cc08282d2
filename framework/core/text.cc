#include "framework/core/text.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/core/exceptions.h"

namespace {

// Byte offset of the character after the one starting at i. Invalid bytes
// count as one character each, so every byte string has a length.
size_t NextChar(const std::string& s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  for (size_t k = 1; k < n; ++k)
    if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return i + 1;
  return i + n;
}

// Code point of the character starting at i (the byte itself if invalid).
int64_t CodeAt(const std::string& s, size_t i) {
  const size_t end = NextChar(s, i);
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (end - i == 1) return c;
  int64_t code = c & (0xFF >> (end - i + 1));
  for (size_t k = i + 1; k < end; ++k)
    code = (code << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
  return code;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "C" locale, whatever locale the process runs under: strtod alone
// would take the user's decimal separator.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

double Val(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return strtod_l(text.substr(start, i - start).c_str(), nullptr, CLocale());
}

std::string Str(int64_t value) { return std::to_string(value); }

std::string Format(double value, const std::string& spec) {
  int decimals = 0;
  bool leading_zero = false, after_point = false;
  for (char c : spec) {
    if (c == '.') {
      if (after_point)
        throw InvalidArgumentException("format spec \"" + spec + "\" has two points");
      after_point = true;
    } else if (c == '0' || c == '#') {
      if (after_point)
        ++decimals;
      else if (c == '0')
        leading_zero = true;
    } else if (c != ',') {
      throw InvalidArgumentException("format spec \"" + spec + "\" is not supported");
    }
  }
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  // to_chars writes as printf does in the "C" locale, under any locale:
  // the exact binary value rounded to nearest, ties to even. The largest
  // double has 309 digits before the point.
  char buffer[512];
  const std::to_chars_result written = std::to_chars(
      buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::min(decimals, 100));
  std::string out(buffer, written.ptr);
  bool negative = out[0] == '-';
  if (negative) {
    out.erase(0, 1);
    if (out.find_first_not_of("0.") == std::string::npos) negative = false;
  }
  if (!leading_zero && out.size() > 1 && out[0] == '0' && out[1] == '.') out.erase(0, 1);
  return negative ? "-" + out : out;
}

int64_t Len(const std::string& text) {
  int64_t n = 0;
  for (size_t i = 0; i < text.size(); i = NextChar(text, i)) ++n;
  return n;
}

std::string Left(const std::string& text, int64_t count) {
  size_t i = 0;
  for (int64_t n = 0; n < count && i < text.size(); ++n) i = NextChar(text, i);
  return text.substr(0, i);
}

std::string Right(const std::string& text, int64_t count) {
  const int64_t len = Len(text);
  if (count >= len) return text;
  if (count <= 0) return "";
  size_t i = 0;
  for (int64_t n = 0; n < len - count; ++n) i = NextChar(text, i);
  return text.substr(i);
}

int64_t Asc(const std::string& text) { return text.empty() ? 0 : CodeAt(text, 0); }

std::string Chr(int64_t code) {
  if (code < 0 || code > 0x10FFFF)
    throw InvalidArgumentException("character code " + std::to_string(code));
  std::string s;
  const auto c = static_cast<uint32_t>(code);
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

int64_t StrCompare(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const int64_t ca = CodeAt(a, i), cb = CodeAt(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
    i = NextChar(a, i);
    j = NextChar(b, j);
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

double Abs(double value) { return std::fabs(value); }
int64_t Abs(int64_t value) { return value < 0 ? -value : value; }
double Sqrt(double value) { return std::sqrt(value); }
