#include "controls/LXEditBox.h"

TLXEditBox::TLXEditBox(QWidget *parent) : QLineEdit(parent)
{
    resize(121, sizeHint().height());
}

void TLXEditBox::SetAutoSize(bool value)
{
    FAutoSize = value;
    AdjustHeight();
}

void TLXEditBox::AdjustHeight()
{
    if (FAutoSize)
        resize(width(), sizeHint().height());
}

bool TLXEditBox::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QLineEdit::event(event); });
    if (event->type() == QEvent::FontChange && !Updating())
        AdjustHeight();
    return result;
}
