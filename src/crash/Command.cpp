#include "crash/Command.h"

#include "crash/CrashReporter.h"

namespace Command
{

void Run(const std::function<void()> &command)
{
    try {
        command();
    } catch (...) {
        TCrashReporter::HandleCurrentException();
    }
}

} // namespace Command
