#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text <-> number conversions of the entry boxes. They never consult the C
// library's locale: the interface is Italian whatever the environment says,
// so the comma is always the decimal separator and the point the thousands
// separator.
namespace core {

// The whole text as one number with a decimal comma: "1,75", "70,", ",5",
// "1.234,5", "2E3", with blanks around (spaces, tabs, no-break spaces). A
// point only groups thousands ("80.500"); "80.5" or "1.75" is no number.
// Empty or anything else: no value. Zero-width characters are ignored.
std::optional<double> parseLocaleNumber(std::string_view text);

// The longest leading number with a decimal point, blanks anywhere ignored;
// 0 when there is none. Never fails.
double parseLeadingNumber(std::string_view text);

// The UTF-8 text as the user sees it: without the zero-width characters
// (U+200B, U+200C, U+200D, U+2060, U+FEFF) that text pasted from web pages
// and word processors carries.
std::string withoutInvisibles(std::string_view text);

// A result as the user reads it: up to 15 significant digits, decimal comma,
// no thousands separators, no trailing zeros; exponent form only for very
// large or very small values ("1,5E+21", "1E-05"). The value must be finite.
std::string resultText(double value);
std::string resultText(std::int64_t value);

// The value as its result text shows it: rounded to 15 significant digits.
double roundToResultPrecision(double value);

} // namespace core
