#include "controls/LXCheckBox.h"

#include "controls/WrappedCaption.h"

#include <QStyleOptionButton>

TLXCheckBox::TLXCheckBox(QWidget *parent) : QCheckBox(parent)
{
    resize(97, 17);
}

bool TLXCheckBox::event(QEvent *event)
{
    return Route(event, [&] { return QCheckBox::event(event); });
}

void TLXCheckBox::SetWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TLXCheckBox::paintEvent(QPaintEvent *event)
{
    if (!FWordWrap) {
        QCheckBox::paintEvent(event);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    TWrappedCaption::Paint(this, option, TWrappedCaption::CheckBox);
}
