#include "xml/XmlStmSource.h"

#include "platform/Exception.h"

#include <QIODevice>

TXmlStmSource::TXmlStmSource(QIODevice &stream)
    : FStream(stream), FBuffer(new char[BufferSize]),
      FRemaining(stream.isSequential() ? INT64_MAX : stream.size() - stream.pos()),
      FStart(stream.pos())
{
    Pos = End = FBuffer.get();
    Fill();
}

bool TXmlStmSource::Fill()
{
    FConsumed += End - FBuffer.get();
    Pos = End = FBuffer.get();
    if (FRemaining <= 0)
        return false;
    const int64_t wanted = FRemaining < BufferSize ? FRemaining : BufferSize;
    const int64_t got = FStream.read(FBuffer.get(), wanted);
    if (got < 0)
        throw Exception("Error reading stream: " + FStream.errorString().toStdString());
    FRemaining = got == 0 ? 0 : FRemaining - got;
    End = FBuffer.get() + got;
    return got > 0;
}

TXmlTextPosition TXmlStmSource::Position()
{
    TXmlTextPosition position;
    if (FConsumed > 0) {
        const qint64 resume = FStream.pos();
        if (FStream.isSequential() || !FStream.seek(FStart))
            return TXmlTextPosition::Unknown();
        std::unique_ptr<char[]> block(new char[BufferSize]);
        for (int64_t left = FConsumed; left > 0;) {
            const int64_t got = FStream.read(block.get(), left < BufferSize ? left : BufferSize);
            if (got <= 0) {
                FStream.seek(resume);
                return TXmlTextPosition::Unknown();
            }
            position.Advance(block.get(), block.get() + got);
            left -= got;
        }
        FStream.seek(resume);
    }
    position.Advance(FBuffer.get(), Pos);
    return position;
}
