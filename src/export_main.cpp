// formdesigner-export: writes a saved layout as a web page, an XSL-FO
// document, a PDF document or a native layout again, without showing a
// window.
#include "app/PdfExport.h"
#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "editors/DesignerRegistries.h"
#include "platform/HeapTuning.h"

#include <QApplication>
#include <QFileInfo>
#include <QScopeGuard>
#include <cstdio>
#include <exception>
#include <memory>
#include <unistd.h>

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: formdesigner-export [html|fo|pdf|xml] LAYOUT.xml OUTPUT\n"
                         "  html  web page (default): OUTPUT becomes a folder holding the\n"
                         "        page and its images, or is a page exported before beside\n"
                         "        an \"images\" folder; nothing else is written over\n"
                         "  fo    XSL-FO document\n"
                         "  pdf   PDF document of the web page on Letter pages\n"
                         "  xml   native layout\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    HeapTuning::Apply();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser engine that renders PDF documents shares the application's
    // graphics contexts; as root it runs only without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    QString format = QStringLiteral("--html");
    // The format is named as an option (--xml) or as a first word (xml).
    if (args.size() == 3 && !args.front().startsWith(QLatin1String("--")))
        args.front().prepend(QLatin1String("--"));
    if (!args.isEmpty() && args.front().startsWith(QLatin1String("--")))
        format = args.takeFirst();
    if (args.size() != 2 || !QStringList{"--html", "--fo", "--pdf", "--xml"}.contains(format))
        return Usage();

    TDesignerMessagesHandler handler;
    DesignerHandler = &handler;
    handler.SetEnabled(false);
    CreateControlsFactory();
    RegisterDesignerRegistries();
    int result = 0;
    try {
        TLXControlsContainer container(nullptr, nullptr);
        // No event loop turns here: what is still posted to the design's
        // widgets is dropped before they go, else each one destroyed would
        // search the whole queue for its own.
        const auto dropPosted = qScopeGuard([] { QCoreApplication::removePostedEvents(nullptr); });
        container.LoadLayout(args[0]);
        // Kept content is no failure: it is told, and the export goes on.
        if (const QString notice = container.KeptNotice(); !notice.isEmpty())
            std::fprintf(stderr, "formdesigner-export: %s\n", notice.toLocal8Bit().constData());
        if (format == QLatin1String("--fo"))
            container.ExportFO(args[1]);
        else if (format == QLatin1String("--pdf"))
            ExportPdf(container, args[1]);
        else if (format == QLatin1String("--xml"))
            container.SaveLayout(args[1]);
        else
            container.ExportHtml(args[1]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "formdesigner-export: %s\n", error.what());
        result = 1;
    }
    UnregisterDesignerRegistries();
    DestroyControlsFactory();
    DesignerHandler = nullptr;
    return result;
}
