#include "controls/LXMemo.h"

TLXMemo::TLXMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    resize(185, 89);
}

bool TLXMemo::event(QEvent *event)
{
    return Route(event, [&] { return QPlainTextEdit::event(event); });
}

bool TLXMemo::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QPlainTextEdit::viewportEvent(event); }, viewport());
}
