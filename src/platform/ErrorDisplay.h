#pragma once

#include <QString>
#include <exception>
#include <functional>

// The program's one error display: errors that reach the event loop, and
// errors a command reports without stopping, are shown here. Tests replace
// Show to observe them.
namespace ErrorDisplay
{

extern std::function<void(const QString &message)> Show;

// The text an error shows: its message in the code page, or the message
// of an error that names characters the code page lacks.
QString MessageOf(const std::exception &error);

} // namespace ErrorDisplay
