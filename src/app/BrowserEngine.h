#pragma once

#include <QByteArray>
#include <functional>

class QUrl;
class QWidget;

// The browser engine that shows the previews and prints the PDF document.
// It lives in a module of its own, loaded the first time a page is shown or
// printed: the engine's libraries, and the graphics context they must share
// with the program, cost the program's start more than all else it does.
class TBrowserEngine
{
public:
    virtual ~TBrowserEngine() = default;

    // A web view; started and finished are called as a page starts and
    // ends loading.
    virtual QWidget *CreateView(std::function<void()> started, std::function<void()> finished) = 0;
    virtual void Load(QWidget *view, const QUrl &url) = 0;
    // The page at url printed on Letter pages with half-inch margins, or
    // empty; loaded tells whether the page could be loaded at all. Gives up
    // after timeoutMs, so that a stuck engine cannot hang the program.
    virtual QByteArray PrintPdf(const QUrl &url, int timeoutMs, bool &loaded) = 0;

    // The engine, loaded on first use; none when this build or installation
    // has none.
    static TBrowserEngine *Instance();
};

// The module's one entry point, by this name.
using TBrowserEngineEntry = TBrowserEngine *(*)();
inline constexpr const char *BrowserEngineEntryName = "FormDesignerBrowserEngine";
