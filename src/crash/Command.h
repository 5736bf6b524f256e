#pragma once

#include <QObject>
#include <functional>
#include <utility>

// Commands the user starts (menus, tool bars, popup menus, recent files)
// run inside a net: an error they raise is shown by the error display, or
// reported as a bug when it was not expected, and goes no further. The
// toolkit's behaviour is undefined when an exception leaves a slot.
namespace Command
{

void Run(const std::function<void()> &command);

// Connects signal of sender to command, run through Run while context lives.
template <typename Sender, typename Signal>
QMetaObject::Connection Connect(Sender *sender, Signal signal, const QObject *context,
                                std::function<void()> command)
{
    return QObject::connect(sender, signal, context,
                            [command = std::move(command)] { Run(command); });
}

} // namespace Command
