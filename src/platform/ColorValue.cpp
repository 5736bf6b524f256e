#include "platform/ColorValue.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace
{

// System colour indexes and the palette roles that stand for them.
QPalette::ColorRole RoleOf(int index)
{
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return QPalette::Dark;
    case 5: // window
        return QPalette::Base;
    case 6: // window frame
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::WindowText;
    case 9:  // caption text
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 13: // highlight
        return QPalette::Highlight;
    case 16: // button shadow
        return QPalette::Mid;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 23: // info text
        return QPalette::ToolTipText;
    case 24: // info background
        return QPalette::ToolTipBase;
    default: // button face, menu, scroll bar and the rest
        return QPalette::Button;
    }
}

} // namespace

namespace ColorValue
{

QColor ToQColor(int32_t color)
{
    if (color < 0) {
        const QPalette palette = QGuiApplication::palette();
        if ((color & 0xFF) == 17) // grey text
            return palette.color(QPalette::Disabled, QPalette::WindowText);
        return palette.color(QPalette::Active, RoleOf(color & 0xFF));
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace ColorValue
