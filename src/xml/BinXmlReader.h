#pragma once

#include "xml/XmlValue.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TXmlDocument;

// Reader of binary XML (little-endian). Subclasses supply the bytes. Every
// length and count is checked against the data left before anything is
// allocated for it; a read past the end raises "Error reading data.".
class TBinXmlReader
{
public:
    virtual ~TBinXmlReader() = default;

    // Reads the options word, the name table and the document's body into
    // the document, which receives the file's name table. The signature has
    // been consumed by the caller.
    void ReadDocument(TXmlDocument &document);

    // Options of the header; bit 0: names and character data are UTF-16.
    uint32_t Options = 0;

protected:
    // Fills buffer with length bytes, or raises "Error reading data.".
    virtual void ReadBytes(void *buffer, size_t length) = 0;
    // Bytes not yet read.
    virtual int64_t Remaining() const = 0;
    [[noreturn]] static void DataError();

private:
    uint8_t ReadByte();
    int32_t ReadInt32();
    int32_t CompactInt();
    // A count of items taking at least itemSize bytes each.
    int32_t ReadCount(int itemSize);
    std::string ReadRawString(int32_t length);
    std::string ReadString();
    int32_t ReadNameId(int nameCount);
    TXmlValue ReadValue();
};
