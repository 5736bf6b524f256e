#include "app/BrowserEngine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QOpenGLContext>
#include <QStringList>

// The toolkit's global share context: the engine composes its pages in a
// context shared with the program's, and expects the program to have made
// one before the engine's libraries are loaded.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace
{

QOpenGLContext *OwnShareContext = nullptr;

void DropShareContext()
{
    if (QOpenGLContext::globalShareContext() == OwnShareContext)
        qt_gl_set_global_share_context(nullptr);
    delete OwnShareContext;
    OwnShareContext = nullptr;
}

// What a program that links the engine gets before its application object
// is made, given now, just before the engine's libraries come in.
void PrepareGraphics()
{
    if (!QOpenGLContext::globalShareContext() && qobject_cast<QGuiApplication *>(qApp)) {
        OwnShareContext = new QOpenGLContext;
        OwnShareContext->setFormat(QSurfaceFormat::defaultFormat());
        OwnShareContext->create();
        qt_gl_set_global_share_context(OwnShareContext);
        qAddPostRoutine(DropShareContext);
    }
}

// Where the module may be: where an installation puts it relative to the
// program, beside the program, and, for a program run from the build folder
// (the tests lie in a folder below it), where the build made it. An
// installed program never reaches into a build folder.
QStringList ModulePlaces()
{
    QStringList places;
#ifdef FD_BROWSER_MODULE
    const QString program = QCoreApplication::applicationDirPath();
    places << program + QStringLiteral("/" FD_BROWSER_MODULE_RELATIVE)
           << program + QStringLiteral("/" FD_BROWSER_MODULE);
    const QString build = QFileInfo(QStringLiteral(FD_BUILD_FOLDER)).canonicalFilePath();
    const QString running = QFileInfo(program).canonicalFilePath();
    if (!build.isEmpty() && (running == build || running.startsWith(build + '/')))
        places << build + QStringLiteral("/" FD_BROWSER_MODULE);
#endif
    return places;
}

TBrowserEngine *LoadEngine()
{
    for (const QString &place : ModulePlaces()) {
        if (!QFileInfo::exists(place))
            continue;
        PrepareGraphics();
        QLibrary module(place);
        if (!module.load())
            continue;
        auto entry = reinterpret_cast<TBrowserEngineEntry>(module.resolve(BrowserEngineEntryName));
        if (entry)
            return entry();
    }
    return nullptr;
}

} // namespace

TBrowserEngine *TBrowserEngine::Instance()
{
    static TBrowserEngine *const engine = LoadEngine();
    return engine;
}
