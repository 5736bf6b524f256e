#pragma once

#include "xml/XmlValue.h"

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
// read without recursion. Errors are raised as Exception; the nodes read
// before an error stay in the document.
class TXmlParser
{
public:
    TXmlParser(TXmlDocument &document, TXmlSource &source);
    void Parse();

private:
    [[noreturn]] static void Fail(const std::string &message);
    void ExpectChar(char c);
    void ExpectText(std::string_view text);
    void SkipWhitespace();
    std::string_view ReadName(std::string &buffer, uint32_t &hash);
    // Reads a name and interns it.
    int ReadNameId();
    char ReadReference();
    std::string_view ReadCharData();
    void ReadUpTo(std::string_view terminator, std::string &out);
    void SetAttr(TXmlNode *node, int nameId, TXmlValue &&value);
    void ReadAttributes(TXmlNode *node);
    void ReadElement(TXmlNode *parent);
    void ReadProcessingInstruction(TXmlNode *parent);
    void ReadEndTag();

    TXmlDocument &FDocument;
    TXmlSource &FSource;
    TXmlNameTable *FTable;
    bool FKeepWhitespace;
    std::vector<TXmlNode *> FOpen;
    struct TNameCacheEntry {
        uint32_t Hash = 0;
        int Id = -1;
    };
    static constexpr size_t NameCacheSize = 64;
    TNameCacheEntry FNameCache[NameCacheSize];
    // Per name id, the serial of the last node that received it.
    std::vector<uint32_t> FAttrStamp;
    uint32_t FAttrSerial = 0;
    // Reused buffers for text runs, names and values that cross a block
    // boundary or hold references.
    std::string FText;
    std::string FName;
    std::string FValue;
};
