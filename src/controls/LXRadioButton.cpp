#include "controls/LXRadioButton.h"

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
