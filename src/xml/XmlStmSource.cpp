#include "xml/XmlStmSource.h"

#include "platform/Exception.h"

#include <QIODevice>

TXmlStmSource::TXmlStmSource(QIODevice &stream)
    : FStream(stream), FBuffer(new char[BufferSize]),
      FRemaining(stream.isSequential() ? INT64_MAX : stream.size() - stream.pos())
{
    Fill();
}

bool TXmlStmSource::Fill()
{
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
