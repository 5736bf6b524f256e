#include "controls/RasterGraphic.h"

#include <QPainter>

void TRasterGraphic::SetContent(const QByteArray &bytes, const QImage &image)
{
    FBytes = bytes;
    FImage = image;
}

void TRasterGraphic::Draw(QPainter &painter, const QRect &dest) const
{
    if (!Transparent() || FImage.isNull()) {
        painter.drawImage(dest, FImage);
        return;
    }
    // A transparent bitmap leaves the colour of its bottom-left pixel out.
    QImage masked = FImage.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = masked.pixel(0, masked.height() - 1);
    for (int y = 0; y < masked.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    painter.drawImage(dest, masked);
}
