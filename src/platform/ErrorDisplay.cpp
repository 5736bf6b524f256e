#include "platform/ErrorDisplay.h"

#include <cstdio>

namespace ErrorDisplay
{

// Until the application installs its message box, errors go to the console.
std::function<void(const QString &)> Show = [](const QString &message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
};

} // namespace ErrorDisplay
