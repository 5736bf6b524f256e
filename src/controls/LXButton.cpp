#include "controls/LXButton.h"

TLXButton::TLXButton(QWidget *parent) : QPushButton(parent)
{
    resize(75, 25);
}

bool TLXButton::event(QEvent *event)
{
    return Route(event, [&] { return QPushButton::event(event); });
}
