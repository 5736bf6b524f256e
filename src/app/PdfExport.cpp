#include "app/PdfExport.h"

#include "designer/LXControlsContainer.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QSaveFile>
#include <QString>
#include <QTemporaryDir>
#ifdef FD_HAVE_WEBENGINE
#include <QEventLoop>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#endif

namespace
{

[[noreturn]] void Fail(const QString &message)
{
    throw Exception(CodePage::FromQString(message));
}

#ifdef FD_HAVE_WEBENGINE
// How long the engine may take to load and print a page before the export
// gives up, so that a stuck engine cannot hang the program.
constexpr int RenderTimeoutMs = 120000;

QByteArray RenderPdf(const QString &pagePath)
{
    QEventLoop loop;
    bool loaded = false;
    bool printed = false;
    QByteArray pdf;
    // Declared last, so that a print still pending when the page goes away
    // reports to variables that are still there.
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
                printed = true;
                loop.quit();
            },
            letter);
    });
    QTimer::singleShot(RenderTimeoutMs, &loop, &QEventLoop::quit);
    page.load(QUrl::fromLocalFile(pagePath));
    // The user cannot change or close the design while the engine works.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!loaded)
        Fail(QStringLiteral("The web page of the design could not be loaded for the PDF "
                            "document."));
    if (!printed || pdf.isEmpty())
        Fail(QStringLiteral("The web page of the design could not be printed as a PDF "
                            "document."));
    return pdf;
}
#endif

} // namespace

void ExportPdf(TLXControlsContainer &container, const QString &fileName)
{
#ifdef FD_HAVE_WEBENGINE
    // Opened first, so that an unwritable target fails before the slow part.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    QTemporaryDir folder;
    if (!folder.isValid())
        Fail(QStringLiteral("Cannot create a temporary folder. %1").arg(folder.errorString()));
    const QString page = folder.filePath(QStringLiteral("page.htm"));
    container.ExportHtml(page);
    const QByteArray pdf = RenderPdf(TLXControlsContainer::HtmlExportPath(page));
    if (file.write(pdf) != pdf.size() || !file.commit())
        Fail(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
#else
    Q_UNUSED(container);
    Fail(QStringLiteral("Cannot write \"%1\": this build has no browser engine to render "
                        "PDF documents.")
             .arg(fileName));
#endif
}
