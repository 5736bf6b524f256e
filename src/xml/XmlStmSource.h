#pragma once

#include "xml/XmlSource.h"

#include <cstdint>
#include <memory>

class QIODevice;

// A stream read in blocks of 65536 bytes, from its current position to its
// end. The source owns its buffer, not the stream.
class TXmlStmSource : public TXmlSource
{
public:
    static constexpr int BufferSize = 65536;

    explicit TXmlStmSource(QIODevice &stream);

    // Reads the blocks before the window again; unknown when the stream
    // cannot seek back.
    TXmlTextPosition Position() override;

protected:
    bool Fill() override;

private:
    QIODevice &FStream;
    std::unique_ptr<char[]> FBuffer;
    int64_t FRemaining;
    // Where the text starts in the stream, and its bytes before the window.
    int64_t FStart;
    int64_t FConsumed = 0;
};
