#pragma once

#include <QString>
#include <functional>

// The program's one error display: errors that reach the event loop, and
// errors a command reports without stopping, are shown here. Tests replace
// Show to observe them.
namespace ErrorDisplay
{

extern std::function<void(const QString &message)> Show;

} // namespace ErrorDisplay
