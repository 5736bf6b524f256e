#include "platform/ErrorDisplay.h"

#include "platform/CodePage.h"
#include "platform/UnstorableText.h"

#include <cstdio>

namespace ErrorDisplay
{

// Until the application installs its message box, errors go to the console.
std::function<void(const QString &)> Show = [](const QString &message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
};

QString MessageOf(const std::exception &error)
{
    if (const auto *unstorable = dynamic_cast<const EUnstorableText *>(&error))
        return unstorable->Message();
    return CodePage::ToQString(error.what());
}

} // namespace ErrorDisplay
