#include "controls/LXRadioButton.h"

#include "controls/WrappedCaption.h"

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
    if (!FWordWrap) {
        QRadioButton::paintEvent(event);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    TWrappedCaption::Paint(this, option, TWrappedCaption::RadioButton);
}
