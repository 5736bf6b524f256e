#pragma once

#include "controls/Graphic.h"

#include <QImage>

// A graphic shown from a decoded image. The loaded bytes are kept and saved
// back unchanged, so a picture survives any number of saves without loss.
class TRasterGraphic : public TGraphic
{
public:
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void Draw(QPainter &painter, const QRect &dest) const override;
    QByteArray SaveToBytes() const override { return FBytes; }

    const QImage &Image() const { return FImage; }

protected:
    // Keeps the bytes and the image they decode to.
    void SetContent(const QByteArray &bytes, const QImage &image);

private:
    QByteArray FBytes;
    QImage FImage;
};
