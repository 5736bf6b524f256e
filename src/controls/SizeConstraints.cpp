#include "controls/SizeConstraints.h"

#include <QWidget>
#include <algorithm>

namespace
{

// The toolkit's limit stands for "no limit" and caps every size.
int Limit(int value)
{
    return value > 0 ? std::min(value, QWIDGETSIZE_MAX) : QWIDGETSIZE_MAX;
}

} // namespace

void TSizeConstraints::SetMaxHeight(int value)
{
    FMaxHeight = std::max(value, 0);
    Apply();
}

void TSizeConstraints::SetMaxWidth(int value)
{
    FMaxWidth = std::max(value, 0);
    Apply();
}

void TSizeConstraints::SetMinHeight(int value)
{
    FMinHeight = std::max(value, 0);
    Apply();
}

void TSizeConstraints::SetMinWidth(int value)
{
    FMinWidth = std::max(value, 0);
    Apply();
}

void TSizeConstraints::Assign(const TSizeConstraints &other)
{
    FMaxHeight = other.FMaxHeight;
    FMaxWidth = other.FMaxWidth;
    FMinHeight = other.FMinHeight;
    FMinWidth = other.FMinWidth;
    Apply();
}

void TSizeConstraints::Apply()
{
    if (!FControl)
        return;
    // A maximum below the minimum gives way to the minimum.
    const int minW = std::min(FMinWidth, QWIDGETSIZE_MAX);
    const int minH = std::min(FMinHeight, QWIDGETSIZE_MAX);
    const QSize minimum(minW, minH);
    const QSize maximum(std::max(Limit(FMaxWidth), minW), std::max(Limit(FMaxHeight), minH));
    // Limits the widget has already are not set again: the toolkit would
    // give the widget its extra data for them, and a layout sets all four.
    if (FControl->minimumSize() != minimum)
        FControl->setMinimumSize(minimum);
    if (FControl->maximumSize() != maximum)
        FControl->setMaximumSize(maximum);
}
