#include "controls/LXEditBox.h"

TLXEditBox::TLXEditBox(QWidget *parent) : TCustomEdit(parent)
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

void TLXEditBox::BevelChanged()
{
    TCustomEdit::BevelChanged();
    AdjustHeight();
}

bool TLXEditBox::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QLineEdit::event(event); });
    if (event->type() == QEvent::FontChange && !Updating())
        AdjustHeight();
    return result;
}
