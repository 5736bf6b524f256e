#pragma once

#include <cstdint>
#include <string>

class TXmlDocument;
class TXmlValue;

// Writes a document in binary XML, the form TBinXmlReader reads. Options
// bit 0 stores names and character data as UTF-16.
class TBinXmlWriter
{
public:
    explicit TBinXmlWriter(uint32_t options = 0) : FOptions(options) {}
    std::string Write(const TXmlDocument &document);

private:
    void Bytes(const void *data, size_t length)
    {
        FOut.append(static_cast<const char *>(data), length);
    }
    void Int(uint64_t value, int size);
    void CompactInt(int32_t value);
    void String(const std::string &text);
    void Value(const TXmlValue &value);

    uint32_t FOptions;
    std::string FOut;
};
