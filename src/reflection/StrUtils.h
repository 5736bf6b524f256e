#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text helpers of the published-property model: ASCII case-insensitive
// comparison and the number texts of property values.
namespace StrUtils
{

bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 comparing ASCII letters without regard to case.
int CompareText(std::string_view a, std::string_view b);
// The text with its ASCII letters in lower case, as names are compared.
std::string LowerAscii(std::string_view text);

// Shortest general form with up to 15 significant digits and the locale's
// decimal separator: "12.5", "1E20", "-0.001".
std::string FormatFloat(double value);
// Reads a number with either decimal point (the locale's or "."), with
// optional blanks around it and an optional exponent.
bool ParseFloat(std::string_view text, double &value);
// Reads a plain decimal integer (optional sign, optional blanks around it).
bool ParseInt64(std::string_view text, int64_t &value);

} // namespace StrUtils
