#include "xml/XmlParser.h"

#include "xml/XmlDocument.h"
#include "xml/XmlParseError.h"
#include "xml/XmlSource.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{

struct TCharClasses {
    bool NameStart[256] = {};
    bool NameChar[256] = {};
    TCharClasses()
    {
        for (int c = 0; c < 256; ++c) {
            NameStart[c] = c == '_' || IsCodePageLetter(static_cast<unsigned char>(c));
            NameChar[c] =
                NameStart[c] || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
        }
    }
};
const TCharClasses Classes;

inline unsigned char U(char c)
{
    return static_cast<unsigned char>(c);
}

// The first byte in [p, end) equal to a, b or c; end when there is none.
// Sixteen bytes are compared at a time while that many remain.
inline const char *FindAny(const char *p, const char *end, char a, char b, char c)
{
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c);
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, va), _mm_cmpeq_epi8(chunk, vb)),
                         _mm_cmpeq_epi8(chunk, vc));
        const unsigned mask = unsigned(_mm_movemask_epi8(hits));
        if (mask)
            return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
    while (p < end && *p != a && *p != b && *p != c)
        ++p;
    return p;
}

// Compares texts of a few bytes (names, expected markup) a word at a time.
inline bool SameShortText(const char *a, const char *b, size_t n)
{
    uint64_t x, y;
    for (; n >= 8; n -= 8, a += 8, b += 8) {
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y)
            return false;
    }
    if (n >= 4) {
        uint32_t u, v;
        std::memcpy(&u, a, 4);
        std::memcpy(&v, b, 4);
        if (u != v)
            return false;
        n -= 4, a += 4, b += 4;
    }
    for (; n; --n)
        if (*a++ != *b++)
            return false;
    return true;
}

bool IsBlank(std::string_view text)
{
    for (char c : text)
        if (U(c) > 32)
            return false;
    return true;
}

} // namespace

TXmlParser::TXmlParser(TXmlDocument &document, TXmlSource &source)
    : FDocument(document), FSource(source), FTable(document.NameTablePtr()),
      FKeepWhitespace(document.KeepWhitespace()),
      FMaxDepth(document.MaxDepth() > 0 ? size_t(document.MaxDepth()) : SIZE_MAX)
{
}

void TXmlParser::Fail(const std::string &message)
{
    const TXmlTextPosition at = FSource.Position();
    throw EXmlParseError(message, at.Line(), at.Column());
}

void TXmlParser::FailExpecting(std::string_view text)
{
    Fail("Expecting \"" + std::string(text) + "\".");
}

void TXmlParser::ExpectChar(char c)
{
    if (FSource.AtEnd() || FSource.Current() != c)
        FailExpecting(std::string_view(&c, 1));
    FSource.Next();
}

void TXmlParser::ExpectText(std::string_view text)
{
    // Fast path: the text and the character after it lie in the window.
    if (size_t(FSource.End - FSource.Pos) > text.size() &&
        SameShortText(FSource.Pos, text.data(), text.size())) {
        FSource.Pos += text.size();
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (FSource.AtEnd() || FSource.Current() != text[i])
            FailExpecting(text.substr(i));
        FSource.Next();
    }
}

inline void TXmlParser::SkipWhitespace()
{
    if (FSource.Pos == FSource.End || U(*FSource.Pos) <= 32)
        SkipWhitespaceRun();
}

void TXmlParser::SkipWhitespaceRun()
{
    while (!FSource.AtEnd()) {
        const char *p = FSource.Pos;
        while (p < FSource.End && U(*p) <= 32)
            ++p;
        if (p < FSource.End) {
            FSource.Pos = p;
            return;
        }
        FSource.MoveTo(p);
    }
}

inline std::string_view TXmlParser::ReadName(std::string &buffer)
{
    if (FSource.AtEnd() || !Classes.NameStart[U(FSource.Current())])
        Fail("A name should begin with a letter or \"_\".");
    const char *start = FSource.Pos;
    const char *p = start + 1;
    while (p < FSource.End && Classes.NameChar[U(*p)])
        ++p;
    if (p < FSource.End) {
        FSource.Pos = p;
        return std::string_view(start, size_t(p - start));
    }
    return ReadNameAcrossBlocks(buffer, p);
}

std::string_view TXmlParser::ReadNameAcrossBlocks(std::string &buffer, const char *p)
{
    // The name runs from Pos to the end of the block: collect it across
    // blocks.
    buffer.assign(FSource.Pos, p);
    FSource.MoveTo(p);
    while (!FSource.AtEnd()) {
        const char *start = p = FSource.Pos;
        while (p < FSource.End && Classes.NameChar[U(*p)])
            ++p;
        buffer.append(start, p);
        if (p < FSource.End) {
            FSource.Pos = p;
            break;
        }
        FSource.MoveTo(p);
    }
    return buffer;
}

int TXmlParser::ReadNameId()
{
    const std::string_view name = ReadName(FName);
    // Documents repeat a few names: a small cache, keyed by the length and
    // three of the bytes, answers most lookups without hashing the name.
    const size_t n = name.size();
    const size_t key =
        (n * 7 + U(name[0]) * 3 + U(name[n / 2]) * 5 + U(name[n - 1])) % NameCacheSize;
    TNameCacheEntry &entry = FNameCache[key];
    if (entry.Id >= 0 && entry.Length == n && SameShortText(entry.Text, name.data(), n))
        return entry.Id;
    const int id = FTable->NameToId(name);
    if (n <= sizeof entry.Text) {
        entry.Id = id;
        entry.Length = uint32_t(name.size());
        std::memcpy(entry.Text, name.data(), name.size());
    }
    return id;
}

char TXmlParser::ReadReference()
{
    if (!FSource.Next())
        Fail("Expecting \"#\" or control character.");
    if (FSource.Current() == '#') {
        if (!FSource.Next())
            Fail("Expecting number.");
        unsigned value = 0;
        int digits = 0;
        if (FSource.Current() == 'x') {
            FSource.Next();
            for (; !FSource.AtEnd(); FSource.Next(), ++digits) {
                const char c = FSource.Current();
                if (c >= '0' && c <= '9')
                    value = value * 16 + unsigned(c - '0');
                else if (c >= 'A' && c <= 'F')
                    value = value * 16 + unsigned(c - 'A' + 10);
                else if (c >= 'a' && c <= 'f')
                    value = value * 16 + unsigned(c - 'a' + 10);
                else
                    break;
            }
            if (!digits)
                Fail("Expecting hexadecimal number.");
        } else {
            for (; !FSource.AtEnd() && FSource.Current() >= '0' && FSource.Current() <= '9';
                 FSource.Next(), ++digits)
                value = value * 10 + unsigned(FSource.Current() - '0');
            if (!digits)
                Fail("Expecting number.");
        }
        ExpectChar(';');
        return char(value & 0xFF);
    }
    std::string buffer;
    const std::string name(ReadName(buffer));
    ExpectChar(';');
    if (name == "amp")
        return '&';
    if (name == "quot")
        return '"';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "apos")
        return '\'';
    Fail("Incorrect name of a control character.");
}

std::string_view TXmlParser::ReadCharData()
{
    const char *start = FSource.Pos;
    const char *p = FindAny(start, FSource.End, '<', '&', '<');
    if (p < FSource.End && *p == '<') {
        FSource.Pos = p;
        return std::string_view(start, size_t(p - start));
    }
    FText.assign(start, p);
    FSource.MoveTo(p);
    while (!FSource.AtEnd()) {
        if (FSource.Current() == '<')
            break;
        if (FSource.Current() == '&') {
            FText += ReadReference();
            continue;
        }
        start = FSource.Pos;
        p = FindAny(start, FSource.End, '<', '&', '<');
        FText.append(start, p);
        FSource.MoveTo(p);
    }
    return FText;
}

void TXmlParser::ReadUpTo(std::string_view terminator, std::string &out)
{
    out.clear();
    const char last = terminator.back();
    for (; !FSource.AtEnd(); FSource.Next()) {
        out += FSource.Current();
        if (FSource.Current() == last && out.size() >= terminator.size() &&
            std::string_view(out).substr(out.size() - terminator.size()) == terminator) {
            out.resize(out.size() - terminator.size());
            FSource.Next();
            return;
        }
    }
    Fail("Expecting \"" + std::string(terminator) + "\".");
}

void TXmlParser::CollectAttr(int nameId, std::string_view value)
{
    // A name seen before in this tag replaces the earlier value; the stamps
    // find repeats without searching, so many attributes stay linear.
    if (size_t(nameId) >= FAttrStamp.size())
        FAttrStamp.resize(size_t(FTable->NameCount()) + 64, 0);
    if (FAttrStamp[size_t(nameId)] == FAttrSerial) {
        for (TXmlAttrData &attr : FAttrs)
            if (attr.NameId == nameId) {
                attr.Value = TXmlValue(value);
                return;
            }
    }
    FAttrStamp[size_t(nameId)] = FAttrSerial;
    FAttrs.push_back(TXmlAttrData{nameId, TXmlValue(value)});
}

void TXmlParser::CollectAttributes()
{
    ++FAttrSerial;
    SkipWhitespace();
    while (!FSource.AtEnd() && Classes.NameStart[U(FSource.Current())]) {
        const int nameId = ReadNameId();
        SkipWhitespace();
        ExpectChar('=');
        SkipWhitespace();
        if (FSource.AtEnd())
            Fail("Expecting attribute value.");
        const char quote = FSource.Current();
        if (quote != '"' && quote != '\'')
            Fail("Expecting string constant.");
        FSource.Next();
        // Fast path: the value lies in the window without references.
        const char *start = FSource.Pos;
        const char *p = FindAny(start, FSource.End, quote, '<', '&');
        if (p < FSource.End && *p == quote) {
            CollectAttr(nameId, std::string_view(start, size_t(p - start)));
            FSource.MoveTo(p + 1);
            SkipWhitespace();
            continue;
        }
        FValue.assign(start, p);
        FSource.MoveTo(p);
        for (;;) {
            if (FSource.AtEnd())
                Fail(std::string("Expecting \"") + quote + "\".");
            const char c = FSource.Current();
            if (c == quote)
                break;
            if (c == '<')
                Fail("Symbol \"<\" cannot be used as attribute value.");
            if (c == '&') {
                FValue += ReadReference();
                continue;
            }
            FValue += c;
            FSource.Next();
        }
        FSource.Next();
        CollectAttr(nameId, FValue);
        SkipWhitespace();
    }
}

void TXmlParser::ReadAttributes(TXmlNode *node)
{
    FAttrs.clear();
    try {
        CollectAttributes();
    } catch (...) {
        // The attributes read before an error stay with the node.
        if (!FAttrs.empty())
            node->AdoptParsedAttrs(FAttrs.data(), int(FAttrs.size()));
        throw;
    }
    if (!FAttrs.empty())
        node->AdoptParsedAttrs(FAttrs.data(), int(FAttrs.size()));
}

void TXmlParser::ReadElement(TXmlNode *parent)
{
    if (FOpen.size() >= FMaxDepth)
        Fail("Elements are nested more than " + std::to_string(FMaxDepth) + " levels deep.");
    const int nameId = ReadNameId();
    if (FSource.AtEnd())
        Fail("Element definition is not completed.");
    const char c = FSource.Current();
    if (U(c) > 32 && c != '/' && c != '>')
        Fail("Incorrect symbol in element name.");
    TXmlNode *element = new TXmlElement(FTable, nameId);
    parent->AppendParsedChild(element);
    ReadAttributes(element);
    if (!FSource.AtEnd() && FSource.Current() == '/') {
        ExpectText("/>");
        return;
    }
    ExpectChar('>');
    FOpen.push_back(element);
}

void TXmlParser::ReadEndTag()
{
    // At the "/" of an end tag of the innermost open element.
    FSource.Next();
    ExpectText(FTable->IdToName(FOpen.back()->NameId()));
    SkipWhitespace();
    ExpectChar('>');
    FOpen.pop_back();
}

void TXmlParser::ReadProcessingInstruction(TXmlNode *parent)
{
    FSource.Next();
    const int targetId = ReadNameId();
    TXmlNode *instruction = new TXmlProcessingInstruction(FTable, targetId, {});
    parent->AppendParsedChild(instruction);
    if (targetId == FTable->XmlId()) {
        ReadAttributes(instruction);
        ExpectText("?>");
        return;
    }
    ReadUpTo("?>", FValue);
    instruction->SetText(FValue);
}

void TXmlParser::Parse()
{
    for (;;) {
        TXmlNode *parent = FOpen.empty() ? static_cast<TXmlNode *>(&FDocument) : FOpen.back();
        if (!FSource.AtEnd()) {
            const std::string_view text = ReadCharData();
            if (FKeepWhitespace || !IsBlank(text))
                parent->AppendParsedChild(new TXmlText(FTable, TXmlValue(text)));
        }
        // At "<" or at the end.
        if (FSource.AtEnd() || !FSource.Next())
            break;
        switch (FSource.Current()) {
        case '/':
            if (FOpen.empty())
                return;
            ReadEndTag();
            break;
        case '?':
            ReadProcessingInstruction(parent);
            break;
        case '!':
            if (!FSource.Next())
                goto exhausted;
            if (FSource.Current() == '-') {
                ExpectText("--");
                ReadUpTo("-->", FValue);
                parent->AppendParsedChild(new TXmlComment(FTable, FValue));
            } else if (FSource.Current() == '[') {
                ExpectText("[CDATA[");
                ReadUpTo("]]>", FValue);
                parent->AppendParsedChild(new TXmlCDATASection(FTable, FValue));
            } else {
                ExpectText("DOCTYPE");
                ReadUpTo(">", FValue);
            }
            break;
        default:
            ReadElement(parent);
            break;
        }
    }
exhausted:
    // The input ended inside an element: its end tag is missing.
    if (!FOpen.empty())
        Fail("Expecting \"/\".");
}
