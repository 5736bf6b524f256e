// formdesigner-export: writes a saved layout as a web page, an XSL-FO
// document, a PDF document or a native layout again, without showing a
// window.
#include "app/CheckCommand.h"
#include "app/CommandLine.h"
#include "app/PdfExport.h"
#include "checks/LayoutChecker.h"
#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "editors/DesignerRegistries.h"
#include "platform/ErrorDisplay.h"
#include "platform/HeapTuning.h"

#include <QApplication>
#include <QScopeGuard>
#include <exception>
#include <unistd.h>

namespace
{

const char *const Help =
    "usage: formdesigner-export [html|fo|pdf|xml] LAYOUT.xml OUTPUT\n"
    "       formdesigner-export check LAYOUT.xml [--format text|json] [--checks a,b]\n"
    "                           [--stress PERCENT]\n"
    "       formdesigner-export --help | --version\n"
    "Writes a saved layout without showing a window, as one of these kinds of\n"
    "output (also given as an option: --html, --fo, --pdf, --xml):\n"
    "  html  web page (default): OUTPUT becomes a folder holding the page and\n"
    "        its images, or is a page exported before beside an \"images\"\n"
    "        folder; nothing else is written over. A name without a suffix\n"
    "        gets \".htm\".\n"
    "  fo    XSL-FO document\n"
    "  pdf   PDF document of the web page on Letter pages\n"
    "  xml   native layout\n"
    "Exit codes:\n"
    "  0  the output was written\n"
    "  1  the layout could not be read or the output not written\n"
    "  2  the command line is wrong\n"
    "\n"
    "check prints the layout's problems, one a line\n"
    "(\"LAYOUT.xml: Panel1/Button3: clipped-text: caption ...\"), or as JSON with\n"
    "--format json. --checks runs only the checks named:\n"
    "%1"
    "--stress PERCENT measures texts at that text size (125, 150, 200) and\n"
    "pseudo-localised 40 % longer. Exit codes of check:\n"
    "  0  no problem\n"
    "  1  problems were found\n"
    "  2  the layout cannot be read or the command line is wrong\n";

const QStringList Kinds = {"html", "fo", "pdf", "xml"};

} // namespace

int main(int argc, char **argv)
{
    HeapTuning::Apply();
    const TCommandLine command(QStringLiteral("formdesigner-export"), argc, argv,
                               {"--html", "--fo", "--pdf", "--xml"},
                               {"--format", "--checks", "--stress"});
    QString checks;
    for (const QString &check : TLayoutChecker::AllChecks())
        checks += QStringLiteral("  %1  %2\n").arg(check, -18).arg(TLayoutChecker::Describe(check));
    if (const int answered = command.Answer(QString::fromLatin1(Help).arg(checks)); answered >= 0)
        return answered;
    // The kind is named as an option (--xml) or as a first word (xml).
    QStringList kinds = command.Options();
    QStringList files = command.Operands();
    kinds.replaceInStrings(QStringLiteral("--"), QString());
    const bool check = !files.isEmpty() && files.front() == QLatin1String("check");
    if (check && (files.size() != 2 || !kinds.isEmpty()))
        return command.Refuse(QStringLiteral("check takes one layout and no kind of output"));
    if (!check && command.HasValues())
        return command.Refuse(QStringLiteral("--format, --checks and --stress go with check"));
    if (files.size() == 3 && !check) {
        if (!Kinds.contains(files.front()))
            return command.Refuse(
                QStringLiteral("unknown kind of output \"%1\"").arg(files.front()));
        kinds << files.takeFirst();
    }
    if (kinds.size() > 1)
        return command.Refuse(QStringLiteral("one kind of output at a time"));
    if (files.size() != 2 && !check)
        return command.Refuse(QStringLiteral("a layout and an output are needed"));
    const QString kind = kinds.isEmpty() ? QStringLiteral("html") : kinds.front();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser engine that renders PDF documents shares the application's
    // graphics contexts; as root it runs only without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    // Errors, and what a layout held that is kept, are told on stderr.
    ErrorDisplay::Show = [&command](const QString &message) { command.Tell(message); };

    TDesignerMessagesHandler handler;
    DesignerHandler = &handler;
    handler.SetEnabled(false);
    CreateControlsFactory();
    RegisterDesignerRegistries();
    int result = TCommandLine::ExitSuccess;
    if (check) {
        result = TCheckCommand::Run(command, files[1]);
    } else {
        try {
            TLXControlsContainer container(nullptr, nullptr);
            // No event loop turns here: what is still posted to the design's
            // widgets is dropped before they go, else each one destroyed would
            // search the whole queue for its own.
            const auto dropPosted =
                qScopeGuard([] { QCoreApplication::removePostedEvents(nullptr); });
            container.LoadLayout(files[0]);
            // Kept content is no failure: it is told, and the export goes on.
            if (const QString notice = container.KeptNotice(); !notice.isEmpty())
                ErrorDisplay::Show(notice);
            if (kind == QLatin1String("fo"))
                container.ExportFO(files[1]);
            else if (kind == QLatin1String("pdf"))
                ExportPdf(container, files[1]);
            else if (kind == QLatin1String("xml"))
                container.SaveLayout(files[1]);
            else
                container.ExportHtml(files[1]);
        } catch (const std::exception &error) {
            ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
            result = TCommandLine::ExitFailure;
        }
    }
    UnregisterDesignerRegistries();
    DestroyControlsFactory();
    DesignerHandler = nullptr;
    return result;
}
