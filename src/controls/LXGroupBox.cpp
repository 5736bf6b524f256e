#include "controls/LXGroupBox.h"

TLXGroupBox::TLXGroupBox(QWidget *parent) : QGroupBox(parent)
{
    resize(185, 105);
}

bool TLXGroupBox::event(QEvent *event)
{
    return Route(event, [&] { return QGroupBox::event(event); });
}

void TLXGroupBox::SetParentBackground(bool value)
{
    FParentBackground = value;
    ApplyColor();
}
