#include "platform/CodePage.h"

#include "platform/UnstorableText.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace
{

// Unicode code points of the bytes 0x80..0xFF; 0x98 has no character and
// maps to the C1 control of the same number so that it round-trips.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

const std::unordered_map<char16_t, char> &ReverseTable()
{
    static const std::unordered_map<char16_t, char> table = [] {
        std::unordered_map<char16_t, char> t;
        for (size_t i = 0; i < kHigh.size(); ++i)
            t.emplace(kHigh[i], static_cast<char>(0x80 + i));
        return t;
    }();
    return table;
}

// The small letter of every byte of the code page (the byte itself when it
// is no capital letter), by the letter case rule of the characters.
const std::array<unsigned char, 256> &LowerTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        const auto &reverse = ReverseTable();
        for (int b = 0; b < 256; ++b) {
            t[b] = static_cast<unsigned char>(b);
            const char16_t u = b < 0x80 ? char16_t(b) : kHigh[b - 0x80];
            const char16_t lower = QChar(u).toLower().unicode();
            if (lower == u)
                continue;
            if (lower < 0x80)
                t[b] = static_cast<unsigned char>(lower);
            else if (auto it = reverse.find(lower); it != reverse.end())
                t[b] = static_cast<unsigned char>(it->second);
        }
        return t;
    }();
    return table;
}

bool Storable(char32_t c)
{
    return c < 0x80 || (c <= 0xFFFF && ReverseTable().count(char16_t(c)) != 0);
}

} // namespace

namespace CodePage
{

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto &lower = LowerTable();
    for (size_t i = 0; i < a.size(); ++i)
        if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

QString ToQString(const std::string &bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes)
        out.append(c < 0x80 ? QChar(c) : QChar(kHigh[c - 0x80]));
    return out;
}

std::string FromQString(const QString &text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    const auto &reverse = ReverseTable();
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else {
            auto it = reverse.find(u);
            out.push_back(it == reverse.end() ? '?' : it->second);
        }
    }
    return out;
}

bool CanStore(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return Storable(ch.unicode()); });
}

void CheckStorable(const QString &text)
{
    if (CanStore(text))
        return;
    std::vector<char32_t> refused;
    for (char32_t c : text.toUcs4())
        if (!Storable(c) && std::find(refused.begin(), refused.end(), c) == refused.end())
            refused.push_back(c);
    throw EUnstorableText(refused);
}

std::string FromQStringChecked(const QString &text)
{
    CheckStorable(text);
    return FromQString(text);
}

QStringList ToQStringList(const std::vector<std::string> &lines)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto &line : lines)
        out.append(ToQString(line));
    return out;
}

std::vector<std::string> FromQStringList(const QStringList &lines)
{
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(lines.size()));
    for (const auto &line : lines)
        out.push_back(FromQString(line));
    return out;
}

} // namespace CodePage
