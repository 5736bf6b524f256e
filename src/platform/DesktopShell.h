#pragma once

#include <functional>

class QUrl;

// The desktop's "open": a URL or file is shown by the program the desktop
// associates with it.
namespace DesktopShell
{

// Whether the desktop accepted the request.
bool Open(const QUrl &url);

// What Open does; tests replace it to observe requests without starting
// programs.
extern std::function<bool(const QUrl &url)> Opener;

} // namespace DesktopShell
