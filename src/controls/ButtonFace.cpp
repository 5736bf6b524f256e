#include "controls/ButtonFace.h"

#include <QAbstractButton>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

const TButtonFace::TLook TButtonFace::PushButton = {QStyle::CE_PushButton,
                                                    QStyle::CE_PushButtonLabel,
                                                    QStyle::SE_PushButtonContents,
                                                    QStyle::SE_CustomBase,
                                                    QStyle::SE_PushButtonFocusRect,
                                                    QPalette::ButtonText,
                                                    true,
                                                    false};
const TButtonFace::TLook TButtonFace::CheckBox = {QStyle::CE_CheckBox,
                                                  QStyle::CE_CheckBoxLabel,
                                                  QStyle::SE_CheckBoxContents,
                                                  QStyle::SE_CheckBoxIndicator,
                                                  QStyle::SE_CheckBoxFocusRect,
                                                  QPalette::WindowText,
                                                  false,
                                                  false};
const TButtonFace::TLook TButtonFace::RadioButton = {QStyle::CE_RadioButton,
                                                     QStyle::CE_RadioButtonLabel,
                                                     QStyle::SE_RadioButtonContents,
                                                     QStyle::SE_RadioButtonIndicator,
                                                     QStyle::SE_RadioButtonFocusRect,
                                                     QPalette::WindowText,
                                                     false,
                                                     true};

void TButtonFace::Paint(QAbstractButton *button, QStyleOptionButton option, const TLook &look,
                        bool wrap, bool flat)
{
    QStylePainter painter(button);
    QStyle *style = button->style();
    flat = flat && look.Indicator != QStyle::SE_CustomBase;
    const QString caption = option.text;
    if (wrap)
        option.text.clear();
    if (flat) {
        // The caption and focus as the style places them, the box drawn here.
        PaintFlatIndicator(painter, option, style->subElementRect(look.Indicator, &option, button),
                           look.Round);
        QStyleOptionButton label = option;
        label.rect = style->subElementRect(look.Contents, &option, button);
        painter.drawControl(look.Label, label);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = style->subElementRect(look.FocusRect, &option, button);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    } else {
        painter.drawControl(look.Control, option);
    }
    if (!wrap)
        return;
    const QRect room = style->subElementRect(look.Contents, &option, button);
    const Qt::Alignment alignment =
        look.Centred
            ? Qt::Alignment(Qt::AlignCenter)
            : QStyle::visualAlignment(button->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
    style->drawItemText(&painter, room,
                        static_cast<int>(alignment) | Qt::TextWordWrap | Qt::TextShowMnemonic,
                        option.palette, button->isEnabled(), caption, look.Role);
}

void TButtonFace::PaintFlatIndicator(QPainter &painter, const QStyleOptionButton &option,
                                     const QRect &box, bool round)
{
    const QPalette &palette = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool down = option.state & QStyle::State_Sunken;
    const QColor fill = palette.color(enabled && !down ? QPalette::Base : QPalette::Button);
    const QColor mark = palette.color(enabled ? QPalette::Text : QPalette::Mid);
    const QRect outline = box.adjusted(0, 0, -1, -1);
    painter.save();
    painter.setPen(palette.color(QPalette::Shadow));
    painter.setBrush(fill);
    if (round) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawEllipse(QRectF(outline).adjusted(0.5, 0.5, 0.5, 0.5));
        if (option.state & QStyle::State_On) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark);
            const qreal dot = box.width() / 4.0;
            painter.drawEllipse(QRectF(box).center(), dot, dot);
        }
    } else {
        painter.drawRect(outline);
        const QRectF inner = QRectF(box).adjusted(3, 3, -3, -3);
        if (option.state & QStyle::State_On) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(mark, 2));
            QPainterPath tick;
            tick.moveTo(inner.left(), inner.center().y());
            tick.lineTo(inner.left() + inner.width() / 3, inner.bottom());
            tick.lineTo(inner.right(), inner.top());
            painter.drawPath(tick);
        } else if (option.state & QStyle::State_NoChange) {
            painter.fillRect(inner, palette.color(QPalette::Mid));
        }
    }
    painter.restore();
}
