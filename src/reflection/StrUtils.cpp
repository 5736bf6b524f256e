#include "reflection/StrUtils.h"

#include <QLocale>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace StrUtils
{

namespace
{

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char DecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                          : '.';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool SameText(std::string_view a, std::string_view b)
{
    return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(Lower(a[i]));
        const unsigned char y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string FormatFloat(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    const size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? std::string() : text.substr(e + 1);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0')
            mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.')
            mantissa.pop_back();
    }
    for (char &c : mantissa)
        if (c == '.')
            c = DecimalSeparator();
    if (exponent.empty())
        return mantissa;
    // "1E+20" is written "1E20", "1E-05" as "1E-5".
    const bool negative = exponent[0] == '-';
    size_t digits = exponent.find_first_not_of("+-0");
    return mantissa + 'E' + (negative ? "-" : "") +
           (digits == std::string::npos ? "0" : exponent.substr(digits));
}

bool ParseFloat(std::string_view text, double &value)
{
    text = Trim(text);
    if (text.empty() || text.size() > 200)
        return false;
    std::string s(text);
    const char sep = DecimalSeparator();
    for (char &c : s)
        if (c == sep)
            c = '.';
    // Only plain decimal numbers: no hexadecimal, infinities or NaN.
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
              c == 'e' || c == 'E'))
            return false;
    char *end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size();
}

bool ParseInt64(std::string_view text, int64_t &value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace StrUtils
