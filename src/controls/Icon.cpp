#include "controls/Icon.h"

#include "platform/Exception.h"

void TIcon::LoadFromBytes(const QByteArray &bytes)
{
    QImage image;
    if (!image.loadFromData(bytes, "ICO"))
        throw Exception("Icon image is not valid");
    SetContent(bytes, image);
}
