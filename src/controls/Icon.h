#pragma once

#include "controls/RasterGraphic.h"

// An icon (.ico); it is always drawn with its own transparency.
class TIcon : public TRasterGraphic
{
public:
    QString ClassName() const override { return QStringLiteral("TIcon"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }
    void LoadFromBytes(const QByteArray &bytes) override;
    void SetTransparent(bool) override {}
};
