#pragma once

#include <functional>

class QAccessibleEvent;

// The one way the designer tells screen readers of a change. The toolkit
// drops events while no reader is attached, which is also the case on the
// headless test platform; tests replace Send to observe them.
namespace AccessibleEvents
{

extern std::function<void(QAccessibleEvent *event)> Send;

} // namespace AccessibleEvents
