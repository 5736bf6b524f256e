#include "platform/AccessibleEvents.h"

#include <QAccessible>

namespace AccessibleEvents
{

std::function<void(QAccessibleEvent *event)> Send = [](QAccessibleEvent *event) {
    QAccessible::updateAccessibility(event);
};

} // namespace AccessibleEvents
