#include "xml/XmlWriter.h"

#include "xml/XmlDocument.h"

#include <cstring>
#include <vector>

namespace
{

const char CRLF[] = "\r\n";

struct TEscapeTable {
    bool Special[256] = {};
    TEscapeTable()
    {
        Special[uint8_t('"')] = Special[uint8_t('&')] = Special[uint8_t('<')] =
            Special[uint8_t('>')] = true;
    }
};
const TEscapeTable Escape;

// Restores IndentLevel when a serialization ends, also on error.
class TIndentGuard
{
public:
    TIndentGuard() : FSaved(IndentLevel) {}
    ~TIndentGuard() { IndentLevel = FSaved; }

private:
    int FSaved;
};

void AppendValue(std::string &out, const TXmlValue &value)
{
    if (value.Type() == TXmlValue::varString)
        AppendEscapedXmlText(out, value.Bytes());
    else if (!value.IsEmpty())
        AppendEscapedXmlText(out, value.Text());
}

void AppendAttributes(std::string &out, const TXmlNode *node)
{
    const TXmlNameTable *table = node->NameTablePtr();
    for (int i = 0; i < node->AttrCount(); ++i) {
        out += ' ';
        out += table->IdToName(node->AttrNameId(i));
        out += "=\"";
        AppendValue(out, node->AttrValue(i));
        out += '"';
    }
}

void AppendCData(std::string &out, std::string_view text)
{
    for (size_t end = text.find("]]>"); end != std::string_view::npos; end = text.find("]]>")) {
        out += "<![CDATA[";
        out += text.substr(0, end + 1);
        out += "]]>";
        text.remove_prefix(end + 1);
    }
    out += "<![CDATA[";
    out += text;
    out += "]]>";
}

void AppendIndent(std::string &out, int level)
{
    if (level > 0)
        out.append(size_t(level), IndentUnit);
}

void AppendEndTag(std::string &out, const std::string &name)
{
    out += "</";
    out += name;
    out += '>';
}

// Writes everything but elements and documents.
void WriteLeaf(const TXmlNode *node, std::string &out)
{
    switch (node->NodeType()) {
    case TXmlNode::TEXT_NODE: {
        const TXmlText *text = static_cast<const TXmlText *>(node);
        if (text->Raw())
            out += text->Text();
        else
            AppendValue(out, text->StoredValue());
        break;
    }
    case TXmlNode::CDATA_SECTION_NODE:
        AppendCData(out, static_cast<const TXmlCDATASection *>(node)->Data());
        break;
    case TXmlNode::COMMENT_NODE:
        out += "<!--";
        out += static_cast<const TXmlComment *>(node)->Data();
        out += "-->";
        break;
    case TXmlNode::PROCESSING_INSTRUCTION_NODE: {
        const std::string &data = static_cast<const TXmlProcessingInstruction *>(node)->Data();
        out += "<?";
        out += node->NodeName();
        if (!data.empty()) {
            out += ' ';
            out += data;
        } else {
            AppendAttributes(out, node);
        }
        out += "?>";
        break;
    }
    default:
        break;
    }
}

void WriteElement(const TXmlNode *root, std::string &out, bool keep)
{
    struct Frame {
        const TXmlNode *Element;
        int Index;
        size_t InnerStart;
        bool NonTextChild; // a child other than text and CDATA
        bool LineBreak;    // the inner text holds a CR or LF
    };
    TIndentGuard guard;
    std::vector<Frame> stack;

    auto open = [&](const TXmlNode *element) {
        if (!keep) {
            out += CRLF;
            AppendIndent(out, IndentLevel);
        }
        out += '<';
        out += element->NodeName();
        AppendAttributes(out, element);
        out += '>';
        if (element->ChildList()) {
            stack.push_back({element, 0, out.size(), false, false});
            ++IndentLevel;
            return;
        }
        // A stored value is text only: it is closed on the same line.
        const size_t start = out.size();
        AppendValue(out, static_cast<const TXmlElement *>(element)->StoredValue());
        if (out.size() == start) {
            out.back() = '/';
            out += '>';
        } else {
            AppendEndTag(out, element->NodeName());
        }
    };

    open(root);
    while (!stack.empty()) {
        Frame &top = stack.back();
        const TXmlNodeList *list = top.Element->ChildList();
        if (top.Index < list->Count()) {
            const TXmlNode *child = list->ItemPtr(top.Index++);
            const int type = child->NodeType();
            if (type == TXmlNode::ELEMENT_NODE) {
                top.NonTextChild = true;
                top.LineBreak = top.LineBreak || !keep;
                open(child);
                continue;
            }
            const size_t start = out.size();
            if (type == TXmlNode::DOCUMENT_NODE)
                WriteXml(child, out);
            else
                WriteLeaf(child, out);
            if (type != TXmlNode::TEXT_NODE && type != TXmlNode::CDATA_SECTION_NODE)
                top.NonTextChild = true;
            if (!top.LineBreak && out.size() > start) {
                const char *written = out.data() + start;
                const size_t length = out.size() - start;
                top.LineBreak =
                    std::memchr(written, '\r', length) || std::memchr(written, '\n', length);
            }
            continue;
        }
        const Frame done = top;
        stack.pop_back();
        --IndentLevel;
        const std::string &name = done.Element->NodeName();
        if (out.size() == done.InnerStart) {
            out.back() = '/';
            out += '>';
        } else if (!keep && done.NonTextChild && done.LineBreak) {
            // The closing tag goes on its own line at the element's indent.
            const bool endsWithBreak = out.size() - done.InnerStart >= 2 &&
                                       out[out.size() - 2] == '\r' && out.back() == '\n';
            if (!endsWithBreak)
                out += CRLF;
            AppendIndent(out, IndentLevel);
            AppendEndTag(out, name);
        } else {
            AppendEndTag(out, name);
        }
    }
}

} // namespace

// True when one of the eight bytes is one of the four escaped characters.
static inline bool HasSpecial(uint64_t x)
{
    auto hasZeroByte = [](uint64_t v) {
        return (v - 0x0101010101010101ULL) & ~v & 0x8080808080808080ULL;
    };
    return hasZeroByte(x ^ 0x2222222222222222ULL) | hasZeroByte(x ^ 0x2626262626262626ULL) |
           hasZeroByte(x ^ 0x3C3C3C3C3C3C3C3CULL) | hasZeroByte(x ^ 0x3E3E3E3E3E3E3E3EULL);
}

void AppendEscapedXmlText(std::string &out, std::string_view text)
{
    const char *p = text.data(), *end = p + text.size();
    while (p < end) {
        const char *run = p;
        // Eight bytes at a time through plain text, then byte by byte.
        uint64_t x;
        for (; end - p >= 8; p += 8) {
            std::memcpy(&x, p, 8);
            if (HasSpecial(x))
                break;
        }
        // A tail shorter than eight bytes is cleared at once by the word
        // that ends the text, when the text is that long.
        if (p < end && end - p < 8 && text.size() >= 8) {
            std::memcpy(&x, end - 8, 8);
            if (!HasSpecial(x))
                p = end;
        }
        while (p < end && !Escape.Special[static_cast<unsigned char>(*p)])
            ++p;
        out.append(run, size_t(p - run));
        if (p == end)
            break;
        switch (*p++) {
        case '"':
            out += "&quot;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        default:
            out += "&gt;";
            break;
        }
    }
}

std::string EscapeXmlText(std::string_view text)
{
    size_t length = text.size();
    for (char c : text)
        if (Escape.Special[static_cast<unsigned char>(c)])
            length += c == '"' ? 5 : c == '&' ? 4 : 3;
    if (length == text.size())
        return std::string(text);
    std::string out;
    out.reserve(length);
    AppendEscapedXmlText(out, text);
    return out;
}

void WriteXml(const TXmlNode *node, std::string &out)
{
    switch (node->NodeType()) {
    case TXmlNode::ELEMENT_NODE:
        WriteElement(node, out, node->KeepsWhitespace());
        break;
    case TXmlNode::DOCUMENT_NODE: {
        const TXmlNodeList *list = node->ChildList();
        const bool keep = static_cast<const TXmlDocument *>(node)->KeepWhitespace();
        for (int i = 0; list && i < list->Count(); ++i) {
            const TXmlNode *child = list->ItemPtr(i);
            if (child->NodeType() == TXmlNode::ELEMENT_NODE)
                WriteElement(child, out, keep);
            else
                WriteXml(child, out);
        }
        break;
    }
    default:
        WriteLeaf(node, out);
        break;
    }
}
