#pragma once

#include <QStyle>

class QAbstractButton;
class QStyleOptionButton;

// Paints a button, check box or radio button in the looks the style has no
// switch for: a caption that wraps within the control's width, and a flat
// check or radio indicator drawn with a single line.
class TButtonFace
{
public:
    struct TLook {
        QStyle::ControlElement Control;
        QStyle::ControlElement Label;
        QStyle::SubElement Contents;
        QStyle::SubElement Indicator;
        QStyle::SubElement FocusRect;
        QPalette::ColorRole Role;
        bool Centred;
        bool Round;
    };
    static const TLook PushButton;
    static const TLook CheckBox;
    static const TLook RadioButton;

    // option: the control's own style option, as it would paint itself.
    // wrap: the caption wraps; flat: the indicator (of a look that has
    // one) is flat.
    static void Paint(QAbstractButton *button, QStyleOptionButton option, const TLook &look,
                      bool wrap, bool flat);

private:
    static void PaintFlatIndicator(QPainter &painter, const QStyleOptionButton &option,
                                   const QRect &box, bool round);
};
