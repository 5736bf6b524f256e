#include "controls/Metafile.h"

#include "platform/Exception.h"

#include <QPainter>
#include <QtEndian>

namespace
{

qint32 Int32At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

qint16 Int16At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

} // namespace

void TMetafile::LoadFromBytes(const QByteArray &bytes)
{
    // Enhanced metafile: record type 1 with the " EMF" signature at 40; its
    // bounds in device units follow the record header.
    if (bytes.size() >= 88 && Int32At(bytes, 0) == 1 && bytes.mid(40, 4) == " EMF") {
        FWidth = Int32At(bytes, 16) - Int32At(bytes, 8) + 1;
        FHeight = Int32At(bytes, 20) - Int32At(bytes, 12) + 1;
    } else if (bytes.size() >= 22 && quint32(Int32At(bytes, 0)) == 0x9AC6CDD7u) {
        // Placeable windows metafile: bounds in units of the given inch.
        const int inch = qFromLittleEndian<quint16>(bytes.constData() + 14);
        const int w = Int16At(bytes, 10) - Int16At(bytes, 6);
        const int h = Int16At(bytes, 12) - Int16At(bytes, 8);
        FWidth = inch > 0 ? w * 96 / inch : w;
        FHeight = inch > 0 ? h * 96 / inch : h;
    } else {
        throw Exception("Metafile is not valid");
    }
    FBytes = bytes;
}

void TMetafile::Draw(QPainter &painter, const QRect &dest) const
{
    painter.drawRect(dest.adjusted(0, 0, -1, -1));
}
