#include "xml/StmXmlReader.h"

#include <QIODevice>

#include <cstring>

TStmXmlReader::TStmXmlReader(QIODevice &stream)
    : FStream(stream), FBuffer(new char[BufferSize]), FLeft(stream.size() - stream.pos())
{
}

void TStmXmlReader::ReadBytes(void *buffer, size_t length)
{
    if (int64_t(length) > Remaining())
        DataError();
    char *out = static_cast<char *>(buffer);
    while (length > 0) {
        if (FPos == FEnd) {
            const int64_t wanted = FLeft < BufferSize ? FLeft : BufferSize;
            const int64_t got = FStream.read(FBuffer.get(), wanted);
            if (got <= 0)
                DataError();
            FLeft -= got;
            FPos = 0;
            FEnd = got;
        }
        const size_t n = std::min<size_t>(length, size_t(FEnd - FPos));
        std::memcpy(out, FBuffer.get() + FPos, n);
        out += n;
        FPos += int64_t(n);
        length -= n;
    }
}
