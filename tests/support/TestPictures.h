#pragma once

#include "controls/Bitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <memory>

// The bytes of a small bitmap file, as a user's picture file would hold them.
inline QByteArray BitmapFileBytes(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(width, height, QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

inline std::unique_ptr<TBitmap> BitmapOf(const QByteArray &bytes)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromBytes(bytes);
    return bitmap;
}
