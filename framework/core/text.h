// Text and number functions. Texts are UTF-8; lengths and positions count
// characters (Unicode code points), so an en dash is one character.
//
// Numbers are read and written with "." as the decimal point under every
// locale: the report is a fixed-width table whose columns must not move,
// and Val reads back what Format writes. The user's locale shows only in
// the date and time texts.
#pragma once

#include <cstdint>
#include <string>

// The number that the text starts with, after optional leading blanks:
// sign, digits, decimal point ("."), exponent. 0 when it starts with no
// number ("" and "abc" give 0, "007" gives 7, "12ab" and "12,5" give 12).
double Val(const std::string& text);

// Plain decimal text of an integer: "-12", "0", "2500".
std::string Str(int64_t value);

// A double after a format spec made of '0', '#', ',' and one '.': the
// number of '0' and '#' after the point is the number of decimals; a '0'
// before the point forces a leading zero ("0.0000" gives "0.5000", ".0000"
// gives ".5000"). Rounding is to the nearest of the exact binary value, a
// tie going to the even digit. A negative value that rounds to zero shows
// without a sign. Not-a-number gives "NaN", infinities "Inf" and "-Inf".
// Raises InvalidArgumentException for a spec with other characters.
std::string Format(double value, const std::string& spec);

// Number of characters.
int64_t Len(const std::string& text);

// The first / last count characters (all of them when count >= Len).
std::string Left(const std::string& text, int64_t count);
std::string Right(const std::string& text, int64_t count);

// Code of the first character; 0 for the empty text.
int64_t Asc(const std::string& text);

// The one-character text of a character code (UTF-8 encoded).
std::string Chr(int64_t code);

// Three-way comparison by character codes: below zero, zero or above zero.
int64_t StrCompare(const std::string& a, const std::string& b);

double Abs(double value);
int64_t Abs(int64_t value);
double Sqrt(double value);
