#include "controls/Colors.h"

#include "platform/ColorValue.h"

#include <QColor>

QColor ColorToQColor(int32_t color)
{
    return ColorValue::ToQColor(color);
}
