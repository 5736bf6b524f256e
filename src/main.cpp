#include "app/Main.h"
#include "app/Application.h"
#include "app/ProgramIcon.h"
#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "editors/EditorDialogs.h"
#include "controls/published/DesignerClasses.h"
#include "presets/RSDefaultPropertyPresets.h"
#include "platform/HeapTuning.h"

#include <memory>
#include <unistd.h>

int main(int argc, char **argv)
{
    HeapTuning::Apply();
    // The embedded web views share the application's graphics contexts; as
    // root the browser engine runs only without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    auto handler = std::make_unique<TDesignerMessagesHandler>();
    DesignerHandler = handler.get();
    CreateControlsFactory();
    RegisterDesignerClasses();
    RegisterDefaultPropertyPresets();
    InstallEditorDialogs();

    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Form Designer"));
    TApplication::setWindowIcon(ProgramIcon());
    TApplication::setDesktopFileName(QStringLiteral("formdesigner"));

    int result;
    {
        TForm1 form;
        form.showMaximized();
        form.OfferRecovery();
        result = TApplication::exec();
    }
    DestroyControlsFactory();
    return result;
}
