// The browser engine module: web views and PDF printing over the toolkit's
// browser engine, behind the program's engine interface. It uses nothing of
// the program but that interface, so it loads into any of its programs.
#include "app/BrowserEngine.h"

#include <QEventLoop>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace
{

class TWebEngineBrowser : public TBrowserEngine
{
public:
    QWidget *CreateView(std::function<void()> started, std::function<void()> finished) override
    {
        auto *view = new QWebEngineView;
        if (started)
            QObject::connect(view, &QWebEngineView::loadStarted, view, std::move(started));
        if (finished)
            QObject::connect(view, &QWebEngineView::loadFinished, view,
                             [finished = std::move(finished)](bool) { finished(); });
        return view;
    }

    void Load(QWidget *view, const QUrl &url) override
    {
        if (auto *web = qobject_cast<QWebEngineView *>(view))
            web->load(url);
    }

    QByteArray PrintPdf(const QUrl &url, int timeoutMs, bool &loaded) override
    {
        QEventLoop loop;
        loaded = false;
        QByteArray pdf;
        // Declared last, so that a print still pending when the page goes
        // away reports to variables that are still there.
        QWebEnginePage page;
        QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
            loaded = ok;
            if (!ok) {
                loop.quit();
                return;
            }
            const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(36, 36, 36, 36), QPageLayout::Point);
            page.printToPdf(
                [&](const QByteArray &bytes) {
                    pdf = bytes;
                    loop.quit();
                },
                letter);
        });
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        page.load(url);
        // The user cannot change or close the design while the engine works.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        return pdf;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT TBrowserEngine *FormDesignerBrowserEngine()
{
    static TWebEngineBrowser engine;
    return &engine;
}
