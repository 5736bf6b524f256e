#include "controls/LXRadioButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

TLXRadioButton::TLXRadioButton(QWidget *parent) : QRadioButton(parent)
{
    // Radio buttons on one parent are not grouped while designing.
    setAutoExclusive(false);
    resize(113, 17);
}

bool TLXRadioButton::event(QEvent *event)
{
    return Route(event, [&] { return QRadioButton::event(event); });
}

void TLXRadioButton::SetWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TLXRadioButton::paintEvent(QPaintEvent *event)
{
    if (!FWordWrap) {
        QRadioButton::paintEvent(event);
        return;
    }
    // The style draws the control without its caption; the caption follows,
    // wrapped within the room the style gives it.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_RadioButton, option);
    const QRect room = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    style()->drawItemText(&painter, room,
                          static_cast<int>(QStyle::visualAlignment(
                              layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter)) |
                              Qt::TextWordWrap | Qt::TextShowMnemonic,
                          option.palette, isEnabled(), caption, QPalette::WindowText);
}
