#include "controls/WrappedCaption.h"

#include <QAbstractButton>
#include <QStyleOptionButton>
#include <QStylePainter>

const TWrappedCaption::TLook TWrappedCaption::PushButton = {
    QStyle::CE_PushButton, QStyle::SE_PushButtonContents, QPalette::ButtonText, true};
const TWrappedCaption::TLook TWrappedCaption::CheckBox = {
    QStyle::CE_CheckBox, QStyle::SE_CheckBoxContents, QPalette::WindowText, false};
const TWrappedCaption::TLook TWrappedCaption::RadioButton = {
    QStyle::CE_RadioButton, QStyle::SE_RadioButtonContents, QPalette::WindowText, false};

void TWrappedCaption::Paint(QAbstractButton *button, QStyleOptionButton option, const TLook &look)
{
    QStylePainter painter(button);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(look.Control, option);
    QStyle *style = button->style();
    const QRect room = style->subElementRect(look.Contents, &option, button);
    const Qt::Alignment alignment =
        look.Centred
            ? Qt::Alignment(Qt::AlignCenter)
            : QStyle::visualAlignment(button->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
    style->drawItemText(&painter, room,
                        static_cast<int>(alignment) | Qt::TextWordWrap | Qt::TextShowMnemonic,
                        option.palette, button->isEnabled(), caption, look.Role);
}
