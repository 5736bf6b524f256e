#include "controls/LXListBox.h"

TLXListBox::TLXListBox(QWidget *parent) : QListWidget(parent)
{
    resize(121, 97);
}

bool TLXListBox::event(QEvent *event)
{
    return Route(event, [&] { return QListWidget::event(event); });
}

bool TLXListBox::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QListWidget::viewportEvent(event); }, viewport());
}
