#include "xml/XmlBase64.h"

#include <cstdint>

namespace
{
const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DigitValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}
} // namespace

std::string EncodeBase64(const void *bytes, size_t length, int lineLength)
{
    const unsigned char *b = static_cast<const unsigned char *>(bytes);
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    int column = 0;
    for (size_t i = 0; i < length; i += 3) {
        const size_t n = length - i < 3 ? length - i : 3;
        uint32_t triple = uint32_t(b[i]) << 16;
        if (n > 1)
            triple |= uint32_t(b[i + 1]) << 8;
        if (n > 2)
            triple |= b[i + 2];
        const char group[4] = {Alphabet[(triple >> 18) & 63], Alphabet[(triple >> 12) & 63],
                               n > 1 ? Alphabet[(triple >> 6) & 63] : '=',
                               n > 2 ? Alphabet[triple & 63] : '='};
        for (char c : group) {
            if (lineLength > 0 && column == lineLength) {
                out += "\r\n";
                column = 0;
            }
            out += c;
            ++column;
        }
    }
    return out;
}

std::string DecodeBase64(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) > 32)
            s += c;
    if (s.size() < 4)
        return {};
    // A last group cut short is completed with padding.
    while (s.size() % 4)
        s += '=';
    size_t outLength = s.size() / 4 * 3;
    if (s[s.size() - 1] == '=')
        --outLength;
    if (s[s.size() - 2] == '=')
        --outLength;
    std::string out;
    out.reserve(outLength);
    for (size_t i = 0; i < s.size() && out.size() < outLength; i += 4) {
        const uint32_t v = uint32_t(DigitValue(s[i])) << 18 | uint32_t(DigitValue(s[i + 1])) << 12 |
                           uint32_t(DigitValue(s[i + 2])) << 6 | uint32_t(DigitValue(s[i + 3]));
        out += char(v >> 16);
        if (s[i + 2] == '=')
            continue;
        out += char((v >> 8) & 0xFF);
        if (s[i + 3] == '=')
            continue;
        out += char(v & 0xFF);
    }
    out.resize(outLength < out.size() ? outLength : out.size());
    return out;
}
