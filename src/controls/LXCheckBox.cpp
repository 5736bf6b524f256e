#include "controls/LXCheckBox.h"

#include "controls/ButtonFace.h"

#include <QStyleOptionButton>

TLXCheckBox::TLXCheckBox(QWidget *parent) : QCheckBox(parent)
{
    resize(97, 17);
}

bool TLXCheckBox::event(QEvent *event)
{
    return Route(event, [&] { return QCheckBox::event(event); });
}

void TLXCheckBox::SetWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TLXCheckBox::paintEvent(QPaintEvent *event)
{
    if (!FWordWrap && Ctl3D()) {
        QCheckBox::paintEvent(event);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    TButtonFace::Paint(this, option, TButtonFace::CheckBox, FWordWrap, !Ctl3D());
}
