#pragma once

#include "controls/Graphic.h"

// A metafile (.emf, .wmf), kept as its bytes. Its size is read from the
// header; it is drawn as an outline only.
class TMetafile : public TGraphic
{
public:
    QString ClassName() const override { return QStringLiteral("TMetafile"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TMetafile>(*this); }
    void LoadFromBytes(const QByteArray &bytes) override;
    QByteArray SaveToBytes() const override { return FBytes; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void Draw(QPainter &painter, const QRect &dest) const override;
    void SetTransparent(bool) override {}

private:
    QByteArray FBytes;
    int FWidth = 0;
    int FHeight = 0;
};
