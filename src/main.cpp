#include "app/Main.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/ProgramIcon.h"
#include "app/VersInfo.h"
#include "controls/ControlsFactory.h"
#include "crash/CrashReporter.h"
#include "designer/DesignerMessagesHandler.h"
#include "editors/DesignerRegistries.h"
#include "editors/EditorDialogs.h"
#include "platform/HeapTuning.h"

#include <QProcess>
#include <QStringList>

#include <memory>
#include <unistd.h>

namespace
{

const char *const Help =
    "usage: formdesigner [FILE.xml...]\n"
    "       formdesigner --help | --version\n"
    "Starts the form designer. A layout file named opens at start; each further\n"
    "file opens in a designer window of its own. The window saves layouts (.xml)\n"
    "and exports them as web pages (.htm), XSL-FO documents and PDF documents;\n"
    "formdesigner-export does the same without a window.\n"
    "The display and the screen scale are the toolkit's, set in the environment\n"
    "(DISPLAY, QT_QPA_PLATFORM, QT_SCALE_FACTOR).\n"
    "Exit codes:\n"
    "  0  the designer was closed\n"
    "  2  the command line is wrong\n";

} // namespace

int main(int argc, char **argv)
{
    HeapTuning::Apply();
    const TCommandLine command(QStringLiteral("formdesigner"), argc, argv);
    if (const int answered = command.Answer(QString::fromLatin1(Help)); answered >= 0)
        return answered;
    // As root the browser engine runs only without its sandbox.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    auto handler = std::make_unique<TDesignerMessagesHandler>();
    DesignerHandler = handler.get();
    CreateControlsFactory();
    RegisterDesignerRegistries();
    InstallEditorDialogs();

    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Form Designer"));
    TApplication::setWindowIcon(ProgramIcon());
    TApplication::setDesktopFileName(QStringLiteral("org.formdesigner.FormDesigner"));
    TCrashReporter::Install(TSMVersionInfo::ProgramFileVersion());

    int result;
    {
        TForm1 form;
        if (form.RestoreWindowState())
            form.show();
        else
            form.showMaximized();
        // What the last run left: first the report of its crash, then its
        // unsaved design.
        TCrashReporter::ShowPendingReport(&form);
        form.OfferRecovery();
        // "formdesigner FILE.xml" opens that layout at start; the window
        // holds one design, so further files start designers of their own.
        const QStringList files = command.Operands();
        for (qsizetype i = 1; i < files.size(); ++i)
            QProcess::startDetached(TApplication::applicationFilePath(),
                                    {QStringLiteral("--"), files[i]});
        if (!files.isEmpty() && form.AskSave() != QMessageBox::Cancel) {
            try {
                form.OpenLayout(files.front());
            } catch (...) {
                TCrashReporter::HandleCurrentException();
            }
        }
        result = TApplication::exec();
    }
    UnregisterDesignerRegistries();
    DestroyControlsFactory();
    return result;
}
