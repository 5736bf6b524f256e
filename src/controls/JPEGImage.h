#pragma once

#include "controls/RasterGraphic.h"

// A JPEG picture, decoded and encoded with libjpeg. A corrupt file raises an
// Exception naming the decoder's complaint; it never ends the program.
class TJPEGImage : public TRasterGraphic
{
public:
    QString ClassName() const override { return QStringLiteral("TJPEGImage"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    void LoadFromBytes(const QByteArray &bytes) override;

    // Encodes an image as JPEG of the given quality (1..100).
    void Assign(const QImage &image, int quality = 90);

    static QImage Decode(const QByteArray &bytes);
    static QByteArray Encode(const QImage &image, int quality);
};
