#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number text as the .fract files and the options dialog use it: general
// format with up to 15 significant digits and the decimal separator of the
// user's regional settings.

// The decimal separator of the user's regional settings ('.' or ',').
char SystemDecimalSeparator();

// Always reads back with ParseNumber when the value is finite: a value that
// would round up past the largest double is cut to 15 digits instead.
std::string FormatNumber(double value, char separator);

// Leading and trailing spaces, an optional sign, digits with at most one
// separator, an optional exponent; anything else is no number.
std::optional<double> ParseNumber(std::string_view text, char separator);

// A number line of a .fract file: as ParseNumber, with either '.' or ',' as
// the decimal separator, so that files travel between locales. A line that
// holds both is no number.
std::optional<double> ParseFileNumber(std::string_view text);

// A 32-bit integer: leading spaces, an optional sign, decimal digits, or
// hexadecimal digits after '$', 'x' or '0x'. Nothing may follow.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A 32-bit integer in decimal digits with an optional sign, as the dialogs
// take it; surrounding spaces are allowed.
std::optional<std::int32_t> ParseDecimalInteger(std::string_view text);

// "True" or "False" in any letter case, or any number (non-zero is true).
std::optional<bool> ParseBoolean(std::string_view text, char separator);
// The same with a number as ParseFileNumber reads it.
std::optional<bool> ParseFileBoolean(std::string_view text);
