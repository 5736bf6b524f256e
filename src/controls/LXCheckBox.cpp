#include "controls/LXCheckBox.h"

TLXCheckBox::TLXCheckBox(QWidget *parent) : QCheckBox(parent)
{
    resize(97, 17);
}

bool TLXCheckBox::event(QEvent *event)
{
    return Route(event, [&] { return QCheckBox::event(event); });
}
