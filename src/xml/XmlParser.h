#pragma once

#include "xml/XmlNode.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TXmlDocument;
class TXmlNameTable;
class TXmlNode;
class TXmlSource;

// Reads XML text from a source into a document, appending to its content.
// Open elements are kept on an explicit stack, so any nesting depth is
// read without recursion. Errors are raised as EXmlParseError; the nodes read
// before an error stay in the document.
class TXmlParser
{
public:
    TXmlParser(TXmlDocument &document, TXmlSource &source);
    void Parse();

private:
    // Raise EXmlParseError at the current character.
    [[noreturn]] void Fail(const std::string &message);
    [[noreturn]] void FailExpecting(std::string_view text);
    void ExpectChar(char c);
    void ExpectText(std::string_view text);
    inline void SkipWhitespace();
    void SkipWhitespaceRun();
    inline std::string_view ReadName(std::string &buffer);
    std::string_view ReadNameAcrossBlocks(std::string &buffer, const char *p);
    // Reads a name and interns it.
    int ReadNameId();
    char ReadReference();
    std::string_view ReadCharData();
    void ReadUpTo(std::string_view terminator, std::string &out);
    void CollectAttr(int nameId, std::string_view value);
    void CollectAttributes();
    void ReadAttributes(TXmlNode *node);
    void ReadElement(TXmlNode *parent);
    void ReadProcessingInstruction(TXmlNode *parent);
    void ReadEndTag();

    TXmlDocument &FDocument;
    TXmlSource &FSource;
    TXmlNameTable *FTable;
    bool FKeepWhitespace;
    size_t FMaxDepth;
    std::vector<TXmlNode *> FOpen;
    // A copy of the name lets a hit be confirmed without the table.
    struct TNameCacheEntry {
        int Id = -1;
        uint32_t Length = 0;
        char Text[20];
    };
    static constexpr size_t NameCacheSize = 64;
    TNameCacheEntry FNameCache[NameCacheSize];
    // The attributes of the tag being read; the node gets them at once.
    std::vector<TXmlAttrData> FAttrs;
    // Per name id, the serial of the last tag that had it.
    std::vector<uint32_t> FAttrStamp;
    uint32_t FAttrSerial = 0;
    // Reused buffers for text runs, names and values that cross a block
    // boundary or hold references.
    std::string FText;
    std::string FName;
    std::string FValue;
};
