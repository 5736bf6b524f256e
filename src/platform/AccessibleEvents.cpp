#include "platform/AccessibleEvents.h"

#include <QAccessible>

namespace AccessibleEvents
{

// Without a reader the toolkit would still look up the event's interfaces;
// the commands that tell of changes run often, so they cost nothing then.
std::function<void(QAccessibleEvent *event)> Send = [](QAccessibleEvent *event) {
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(event);
};

} // namespace AccessibleEvents
