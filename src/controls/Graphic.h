#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QPainter;
class QRect;

// One picture of some file format, loaded from and saved to the bytes of
// that format.
class TGraphic
{
public:
    virtual ~TGraphic() = default;

    // The class name that identifies the format ("TBitmap", "TJPEGImage"...).
    virtual QString ClassName() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Raises an Exception when the bytes are not a picture of this format.
    virtual void LoadFromBytes(const QByteArray &bytes) = 0;
    virtual QByteArray SaveToBytes() const = 0;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    virtual void Draw(QPainter &painter, const QRect &dest) const = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value) { FTransparent = value; }

private:
    bool FTransparent = false;
};
