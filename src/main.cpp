#include "app/Main.h"
#include "app/Application.h"
#include "app/ProgramIcon.h"
#include "app/VersInfo.h"
#include "controls/ControlsFactory.h"
#include "crash/CrashReporter.h"
#include "designer/DesignerMessagesHandler.h"
#include "editors/DesignerRegistries.h"
#include "editors/EditorDialogs.h"
#include "platform/HeapTuning.h"

#include <QStringList>

#include <memory>
#include <unistd.h>

int main(int argc, char **argv)
{
    HeapTuning::Apply();
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
        // "formdesigner FILE.xml" opens that layout at start.
        const QStringList arguments = TApplication::arguments();
        if (arguments.size() > 1 && form.AskSave() != QMessageBox::Cancel) {
            try {
                form.OpenLayout(arguments[1]);
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
