#include "xml/XmlValue.h"

#include "platform/Exception.h"
#include "xml/XmlBase64.h"
#include "xml/XmlPool.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstring>

namespace
{

// Upper half of the windows-1251 code page; 0 marks the one unassigned byte.
const char16_t CodePageHigh[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457,
    // 0xC0..0xFF: the Cyrillic alphabet
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F};

const char *TypeName(uint16_t type)
{
    switch (type) {
    case TXmlValue::varEmpty:
        return "Empty";
    case TXmlValue::varNull:
        return "Null";
    case TXmlValue::varSmallint:
        return "Smallint";
    case TXmlValue::varInteger:
        return "Integer";
    case TXmlValue::varSingle:
        return "Single";
    case TXmlValue::varDouble:
        return "Double";
    case TXmlValue::varCurrency:
        return "Currency";
    case TXmlValue::varDate:
        return "Date";
    case TXmlValue::varOleStr:
        return "OleStr";
    case TXmlValue::varBoolean:
        return "Boolean";
    case TXmlValue::varShortInt:
        return "ShortInt";
    case TXmlValue::varByte:
        return "Byte";
    case TXmlValue::varWord:
        return "Word";
    case TXmlValue::varLongWord:
        return "LongWord";
    case TXmlValue::varInt64:
        return "Int64";
    case TXmlValue::varString:
        return "String";
    default:
        return "Array Byte";
    }
}

[[noreturn]] void CannotConvert(uint16_t from, uint16_t to)
{
    throw Exception(std::string("Could not convert variant of type (") + TypeName(from) +
                    ") into type (" + TypeName(to) + ")");
}

bool IsSpace(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Integer text: optional sign, then decimal digits or "$"/"0x" and hex digits.
bool ParseInteger(std::string_view text, int64_t &result)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    if (value > uint64_t(INT64_MAX) + (negative ? 1 : 0))
        return false;
    result = negative ? int64_t(0 - value) : int64_t(value);
    return true;
}

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void CivilFromDays(int64_t z, int &y, int &m, int &d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

// Day number of 1899-12-30, the origin of TDateTime, in the civil day count.
const int64_t DateOrigin = DaysFromCivil(1899, 12, 30);

} // namespace

bool IsCodePageLetter(unsigned char c) noexcept
{
    if (c < 128)
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const char16_t u = CodePageHigh[c - 128];
    return (u >= 0x0400 && u <= 0x04FF) || u == 0x00B5;
}

std::string WideToCodePage(std::u16string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char16_t u : text) {
        if (u < 128) {
            result += char(u);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 128; ++i)
            if (CodePageHigh[i] == u) {
                mapped = char(128 + i);
                break;
            }
        result += mapped;
    }
    return result;
}

std::u16string CodePageToWide(std::string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        result += b < 128 ? char16_t(b) : CodePageHigh[b - 128] ? CodePageHigh[b - 128] : u'?';
    }
    return result;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    static const int MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                         {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
    const bool leap = (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0);
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > MonthDays[leap][month - 1])
        throw Exception("Invalid argument to date encode");
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw Exception("Invalid argument to time encode");
    const double date = double(DaysFromCivil(year, unsigned(month), unsigned(day)) - DateOrigin);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return date >= 0 ? date + time : date - time;
}

void DecodeDateTime(TDateTime value, int &year, int &month, int &day, int &hour, int &minute,
                    int &second)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        throw Exception("Invalid floating point operation");
    double whole = std::trunc(value);
    int64_t msecs = std::llround(std::fabs(value - whole) * 86400000.0);
    if (msecs >= 86400000) {
        msecs -= 86400000;
        whole += value >= 0 ? 1 : -1;
    }
    CivilFromDays(int64_t(whole) + DateOrigin, year, month, day);
    const int64_t secs = msecs / 1000;
    hour = int(secs / 3600);
    minute = int(secs / 60 % 60);
    second = int(secs % 60);
}

std::string XmlDateTimeText(TDateTime value)
{
    int y, m, d, h, n, s;
    DecodeDateTime(value, y, m, d, h, n, s);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4d-%.2d-%.2dT%.2d-%.2d-%.2d", y, m, d, h, n, s);
    return buffer;
}

TDateTime XmlParseDateTime(std::string_view text)
{
    static const char Separators[5] = {'-', '-', 'T', '-', '-'};
    int fields[6] = {};
    size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (value < 100000)
                value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        fields[i] = value;
        if (i == 5 || pos >= text.size() || text[pos] != Separators[i])
            break;
        ++pos;
    }
    return EncodeDateTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}

double XmlParseFloat(std::string_view text)
{
    std::string s(Trim(text));
    const QString point = QLocale().decimalPoint();
    const char sep = point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
    size_t comma = s.find(','), dot = s.find('.');
    if (sep == '.') {
        if (comma != std::string::npos)
            s[comma] = '.';
    } else if (sep == ',') {
        if (dot != std::string::npos)
            s[dot] = ',';
    } else if (comma != std::string::npos) {
        s[comma] = sep;
    } else if (dot != std::string::npos) {
        s[dot] = sep;
    }
    // Convert with the locale's separator as the only decimal point.
    std::string plain = s;
    const size_t at = plain.find(sep);
    if (sep != '.') {
        if (plain.find('.') != std::string::npos)
            plain.clear();
        else if (at != std::string::npos)
            plain[at] = '.';
    }
    double value = 0;
    const char *first = plain.data(), *last = plain.data() + plain.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    if (plain.empty() || ec != std::errc() || end != last)
        throw Exception("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

std::string XmlFloatText(double value)
{
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

TXmlValue::TXmlValue(const TXmlValue &other)
    : FType(other.FType), FSmallLen(other.FSmallLen), FReserved(other.FReserved)
{
    std::memcpy(FData, other.FData, sizeof FData);
    if (FSmallLen == HeapFlag) {
        FSmallLen = 0;
        FType = varEmpty;
        SetBytes(other.FType, other.Bytes());
    }
}

TXmlValue &TXmlValue::operator=(const TXmlValue &other)
{
    if (this != &other)
        *this = TXmlValue(other);
    return *this;
}

void TXmlValue::FreeHeap() noexcept
{
    if (FSmallLen == HeapFlag) {
        char *p;
        uint32_t len;
        std::memcpy(&p, FData + 4, sizeof p);
        std::memcpy(&len, FData, 4);
        TXmlPool::Free(p, len);
        FSmallLen = 0;
    }
}

void TXmlValue::SetNumber(int64_t value) noexcept
{
    std::memcpy(FData + 4, &value, 8);
}
void TXmlValue::SetNumber(double value) noexcept
{
    std::memcpy(FData + 4, &value, 8);
}

void TXmlValue::SetBytes(uint16_t type, std::string_view bytes)
{
    FreeHeap();
    FType = type;
    if (bytes.size() <= sizeof FData) {
        FSmallLen = uint8_t(bytes.size());
        if (!bytes.empty())
            std::memcpy(FData, bytes.data(), bytes.size());
        return;
    }
    if (bytes.size() > UINT32_MAX)
        throw std::length_error("value too long");
    char *p = static_cast<char *>(TXmlPool::Allocate(bytes.size()));
    std::memcpy(p, bytes.data(), bytes.size());
    const uint32_t len = uint32_t(bytes.size());
    std::memcpy(FData, &len, 4);
    std::memcpy(FData + 4, &p, sizeof p);
    FSmallLen = HeapFlag;
}

std::string_view TXmlValue::Bytes() const noexcept
{
    if (FType != varString && FType != varOleStr && FType != varByteArray)
        return {};
    if (FSmallLen != HeapFlag)
        return std::string_view(FData, FSmallLen);
    uint32_t len;
    const char *p;
    std::memcpy(&len, FData, 4);
    std::memcpy(&p, FData + 4, sizeof p);
    return std::string_view(p, len);
}

std::u16string TXmlValue::WideText() const
{
    const std::string_view b = Bytes();
    std::u16string result(b.size() / 2, u'\0');
    if (!result.empty())
        std::memcpy(result.data(), b.data(), result.size() * 2);
    return result;
}

TXmlValue TXmlValue::Null()
{
    TXmlValue v;
    v.FType = varNull;
    return v;
}

TXmlValue TXmlValue::Integer(TType type, int64_t value)
{
    switch (type) {
    case varSmallint:
        value = int16_t(value);
        break;
    case varInteger:
        value = int32_t(value);
        break;
    case varShortInt:
        value = int8_t(value);
        break;
    case varByte:
        value = uint8_t(value);
        break;
    case varWord:
        value = uint16_t(value);
        break;
    case varLongWord:
        value = uint32_t(value);
        break;
    case varBoolean:
        value = value != 0;
        break;
    case varInt64:
        break;
    default:
        CannotConvert(varInt64, type);
    }
    TXmlValue v;
    v.FType = type;
    v.SetNumber(value);
    return v;
}

TXmlValue TXmlValue::Single(float value)
{
    TXmlValue v;
    v.FType = varSingle;
    v.SetNumber(double(value));
    return v;
}

TXmlValue TXmlValue::Currency(int64_t scaledBy10000)
{
    TXmlValue v;
    v.FType = varCurrency;
    v.SetNumber(scaledBy10000);
    return v;
}

TXmlValue TXmlValue::Date(TDateTime value)
{
    TXmlValue v;
    v.FType = varDate;
    v.SetNumber(value);
    return v;
}

TXmlValue TXmlValue::WideString(std::u16string_view text)
{
    TXmlValue v;
    v.SetBytes(varOleStr,
               std::string_view(reinterpret_cast<const char *>(text.data()), text.size() * 2));
    return v;
}

TXmlValue TXmlValue::ByteArray(std::string_view bytes)
{
    TXmlValue v;
    v.SetBytes(varByteArray, bytes);
    return v;
}

bool TXmlValue::IsNumeric() const noexcept
{
    switch (FType) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

int64_t TXmlValue::AsInt64() const noexcept
{
    int64_t v;
    std::memcpy(&v, FData + 4, 8);
    return v;
}

double TXmlValue::AsDouble() const noexcept
{
    double v;
    std::memcpy(&v, FData + 4, 8);
    return v;
}

std::string TXmlValue::Text() const
{
    switch (FType) {
    case varEmpty:
        return {};
    case varNull:
        return "{{null}}";
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return std::to_string(AsInt64());
    case varBoolean:
        return AsInt64() ? "1" : "0";
    case varSingle:
    case varDouble:
        return XmlFloatText(AsDouble());
    case varCurrency:
        return XmlFloatText(double(AsInt64()) / 10000.0);
    case varDate:
        return XmlDateTimeText(AsDouble());
    case varOleStr:
        return WideToCodePage(WideText());
    case varString:
        return std::string(Bytes());
    default:
        break;
    }
    return EncodeBase64(Bytes());
}

bool TXmlValue::ToBool() const
{
    if (FType == varEmpty)
        return false;
    if (IsNumeric()) {
        if (FType == varSingle || FType == varDouble || FType == varDate)
            return AsDouble() != 0;
        return AsInt64() != 0;
    }
    if (IsString()) {
        const std::string text = Text();
        if (EqualNoCase(Trim(text), "true"))
            return true;
        if (EqualNoCase(Trim(text), "false"))
            return false;
        int64_t i;
        if (ParseInteger(text, i))
            return i != 0;
        try {
            return XmlParseFloat(text) != 0;
        } catch (const Exception &) {
        }
    }
    CannotConvert(FType, varBoolean);
}

int TXmlValue::ToInt() const
{
    if (FType == varEmpty)
        return 0;
    double d = 0;
    switch (FType) {
    case varSingle:
    case varDouble:
    case varDate:
        d = AsDouble();
        break;
    case varCurrency:
        d = double(AsInt64()) / 10000.0;
        break;
    case varString:
    case varOleStr: {
        const std::string text = Text();
        int64_t i;
        if (!ParseInteger(text, i) || i < INT32_MIN || i > INT32_MAX)
            throw Exception("'" + text + "' is not a valid integer value");
        return int(i);
    }
    default:
        if (!IsNumeric())
            CannotConvert(FType, varInteger);
        if (AsInt64() < INT32_MIN || AsInt64() > INT32_MAX)
            throw Exception("Overflow while converting variant of type (" +
                            std::string(TypeName(FType)) + ") into type (Integer)");
        return int(AsInt64());
    }
    d = std::nearbyint(d);
    if (!(d >= INT32_MIN && d <= INT32_MAX))
        throw Exception("Overflow while converting variant of type (" +
                        std::string(TypeName(FType)) + ") into type (Integer)");
    return int(d);
}

double TXmlValue::ToDouble() const
{
    switch (FType) {
    case varEmpty:
        return 0;
    case varSingle:
    case varDouble:
    case varDate:
        return AsDouble();
    case varCurrency:
        return double(AsInt64()) / 10000.0;
    case varString:
    case varOleStr:
        return XmlParseFloat(Text());
    default:
        if (!IsNumeric())
            CannotConvert(FType, varDouble);
        return double(AsInt64());
    }
}

TDateTime TXmlValue::ToDateTime() const
{
    if (IsString())
        return XmlParseDateTime(Text());
    if (FType == varEmpty)
        return 0;
    if (!IsNumeric())
        CannotConvert(FType, varDate);
    return ToDouble();
}

bool TXmlValue::Equals(const TXmlValue &other) const noexcept
{
    try {
        if (FType == varEmpty || other.FType == varEmpty) {
            // Empty equals empty and the empty string.
            const TXmlValue &rest = FType == varEmpty ? other : *this;
            return rest.FType == varEmpty || (rest.IsString() && rest.Bytes().empty());
        }
        if (FType == varNull || other.FType == varNull)
            return FType == other.FType;
        const bool textual = (IsString() || FType == varByteArray);
        const bool otherTextual = (other.IsString() || other.FType == varByteArray);
        if (textual && otherTextual)
            return Text() == other.Text();
        return ToDouble() == other.ToDouble();
    } catch (...) {
        return false;
    }
}
