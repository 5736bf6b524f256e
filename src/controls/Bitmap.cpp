#include "controls/Bitmap.h"

#include "platform/Exception.h"

void TBitmap::LoadFromBytes(const QByteArray &bytes)
{
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        throw Exception("Bitmap image is not valid");
    SetContent(bytes, image);
}
