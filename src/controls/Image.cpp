#include "controls/Image.h"

#include "controls/Graphic.h"

#include <QPainter>

void TImage::SetTransparent(bool value)
{
    FTransparent = value;
    if (TGraphic *graphic = FPicture.Graphic())
        graphic->SetTransparent(value);
}

QRect TImage::DestRect(const QSize &picture, const QSize &client) const
{
    const int pw = picture.width(), ph = picture.height();
    const int cw = client.width(), ch = client.height();
    const bool scaled = FStretch || (FProportional && (pw > cw || ph > ch));
    if (!scaled)
        return QRect(0, 0, pw, ph);
    if (!FProportional || pw <= 0 || ph <= 0)
        return QRect(0, 0, cw, ch);
    const double r = static_cast<double>(pw) / ph;
    int w, h;
    if (pw > ph) {
        w = cw;
        h = static_cast<int>(cw / r);
        if (h > ch) {
            h = ch;
            w = static_cast<int>(ch * r);
        }
    } else {
        h = ch;
        w = static_cast<int>(ch * r);
        if (w > cw) {
            w = cw;
            h = static_cast<int>(cw / r);
        }
    }
    return QRect(0, 0, w, h);
}

void TImage::Paint(QPainter &painter, const QSize &client) const
{
    if (const TGraphic *graphic = FPicture.Graphic())
        graphic->Draw(painter, DestRect(QSize(graphic->Width(), graphic->Height()), client));
}
