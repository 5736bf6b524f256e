#pragma once

#include "controls/RasterGraphic.h"

// A device-independent bitmap (.bmp).
class TBitmap : public TRasterGraphic
{
public:
    QString ClassName() const override { return QStringLiteral("TBitmap"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
    void LoadFromBytes(const QByteArray &bytes) override;
};
