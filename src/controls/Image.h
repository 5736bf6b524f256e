#pragma once

#include "controls/Picture.h"

#include <QRect>

class QPainter;
class QSize;

// The picture display inside an image control: it fills the control's
// client area and draws its picture by the placement rule.
class TImage
{
public:
    TPicture &Picture() { return FPicture; }
    const TPicture &Picture() const { return FPicture; }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value) { FProportional = value; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value) { FStretch = value; }
    bool Transparent() const { return FTransparent; }
    // Handed to the graphic, which ignores it for metafiles and icons.
    void SetTransparent(bool value);

    // Where a picture of the given size is drawn in a client area.
    QRect DestRect(const QSize &picture, const QSize &client) const;
    void Paint(QPainter &painter, const QSize &client) const;

private:
    TPicture FPicture;
    bool FAutoSize = false;
    bool FProportional = true;
    bool FStretch = true;
    bool FTransparent = false;
};
