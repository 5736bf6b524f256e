#include "controls/LXCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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
    // The style draws the control without its caption; the caption follows,
    // wrapped within the room the style gives it.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    const QRect room = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    style()->drawItemText(&painter, room,
                          static_cast<int>(QStyle::visualAlignment(
                              layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter)) |
                              Qt::TextWordWrap | Qt::TextShowMnemonic,
                          option.palette, isEnabled(), caption, QPalette::WindowText);
}
