#include "controls/LXEditBox.h"

TLXEditBox::TLXEditBox(QWidget *parent) : QLineEdit(parent)
{
    resize(121, sizeHint().height());
}

bool TLXEditBox::event(QEvent *event)
{
    return Route(event, [&] { return QLineEdit::event(event); });
}
