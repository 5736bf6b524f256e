#include "controls/LXRadioButton.h"

#include "controls/ButtonFace.h"

#include <QStyleOptionButton>

TLXRadioButton::TLXRadioButton(QWidget *parent) : QRadioButton(parent)
{
    // Radio buttons on one parent are not grouped while designing.
    setAutoExclusive(false);
    resize(113, 17);
}

bool TLXRadioButton::event(QEvent *event)
{
    return Route(event, [&] { return QRadioButton::event(event); });
}

void TLXRadioButton::SetWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TLXRadioButton::paintEvent(QPaintEvent *event)
{
    if (!FWordWrap && Ctl3D()) {
        QRadioButton::paintEvent(event);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    TButtonFace::Paint(this, option, TButtonFace::RadioButton, FWordWrap, !Ctl3D());
}
