#pragma once

#include "xml/BinXmlReader.h"

#include <memory>

class QIODevice;

// Binary XML read from a stream through a 65536-byte buffer.
class TStmXmlReader : public TBinXmlReader
{
public:
    static constexpr int BufferSize = 65536;

    explicit TStmXmlReader(QIODevice &stream);

protected:
    void ReadBytes(void *buffer, size_t length) override;
    int64_t Remaining() const override { return FLeft + (FEnd - FPos); }

private:
    QIODevice &FStream;
    std::unique_ptr<char[]> FBuffer;
    int64_t FPos = 0;
    int64_t FEnd = 0;
    int64_t FLeft; // bytes of the stream not yet in the buffer
};
