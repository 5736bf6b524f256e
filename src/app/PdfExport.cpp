#include "app/PdfExport.h"

#include "app/BrowserEngine.h"
#include "designer/LXControlsContainer.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace
{

[[noreturn]] void Fail(const QString &message)
{
    throw Exception(CodePage::FromQString(message));
}

// How long the engine may take to load and print a page before the export
// gives up, so that a stuck engine cannot hang the program.
constexpr int RenderTimeoutMs = 120000;

} // namespace

void ExportPdf(TLXControlsContainer &container, const QString &fileName)
{
    TBrowserEngine *engine = TBrowserEngine::Instance();
    if (!engine)
        Fail(QStringLiteral("Cannot write \"%1\": this build has no browser engine to render "
                            "PDF documents.")
                 .arg(fileName));
    // A target that cannot be replaced fails before the slow part.
    AtomicFile::CheckTarget(fileName);
    QTemporaryDir folder;
    if (!folder.isValid())
        Fail(QStringLiteral("Cannot create a temporary folder. %1").arg(folder.errorString()));
    const QString page = folder.filePath(QStringLiteral("page.htm"));
    container.ExportHtml(page);
    bool loaded = false;
    const QByteArray pdf = engine->PrintPdf(
        QUrl::fromLocalFile(TLXControlsContainer::HtmlExportPath(page)), RenderTimeoutMs, loaded);
    if (!loaded)
        Fail(QStringLiteral("The web page of the design could not be loaded for the PDF "
                            "document."));
    if (pdf.isEmpty())
        Fail(QStringLiteral("The web page of the design could not be printed as a PDF "
                            "document."));
    AtomicFile::Write(fileName, pdf.toStdString());
}
