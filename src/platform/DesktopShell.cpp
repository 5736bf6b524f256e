#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace DesktopShell
{

std::function<bool(const QUrl &url)> Opener = [](const QUrl &url) {
    return QDesktopServices::openUrl(url);
};

bool Open(const QUrl &url)
{
    return Opener(url);
}

} // namespace DesktopShell
