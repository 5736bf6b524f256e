#pragma once

#include <QStyle>

class QAbstractButton;
class QStyleOptionButton;

// Paints a button, check box or radio button whose caption wraps within the
// control's width: the style draws the control without its caption, and the
// caption follows, wrapped within the room the style gives it.
class TWrappedCaption
{
public:
    struct TLook {
        QStyle::ControlElement Control;
        QStyle::SubElement Contents;
        QPalette::ColorRole Role;
        bool Centred;
    };
    static const TLook PushButton;
    static const TLook CheckBox;
    static const TLook RadioButton;

    // option: the control's own style option, as it would paint itself.
    static void Paint(QAbstractButton *button, QStyleOptionButton option, const TLook &look);
};
