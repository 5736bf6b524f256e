// Opens any bytes as a native layout on a design surface whose inspector is
// set up as the main window sets up its own. Opening must never crash, and
// a file that fails to open must leave the design exactly as it was: the
// surface holds a small design before every input, and when the open fails
// that design must save to the same bytes as before.
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "editors/DesignerRegistries.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace
{

struct Surface {
    Surface() : container(nullptr, &inspector) { Configure(); }

    // The main window's inspector configuration (display, sorting, paths and
    // the properties the designer keeps to itself).
    void Configure()
    {
        TRSCustomObjectInspector *i = inspector.Inspector();
        i->SetDisplayOptions(doAutoColResize | doKeyColFixed | doShowReadOnly);
        i->SetDynamicTitleCaptions(true);
        i->SetFixedRows(0);
        i->SetIndent(11);
        i->SetPathDelimiter(".");
        i->SetSorted(true);
        i->SetColWidth(0, 100);
        i->SetColWidth(1, 81);
        TRSStringList filters{
            "DragKind",    "DragMode",     "DockSite",       "DragCursor",  "Action",  "Tag",
            "Constraints", "Ctl3D",        "Cursor",         "Helpcontext", "Enabled", "BiDiMode",
            "PopupMenu",   "FocusControl", "ParentBiDiMode", "HelpKeyword", "HelpType"};
        i->SetFilters(filters);
    }

    // The design every input is opened over: a panel holding a button, and
    // a label.
    void Reset()
    {
        for (QWidget *c : container.Controls())
            delete c;
        QWidget *panel = ControlsFactory->CreateControlByName("Panel", &container);
        AsDesigned(panel)->SetName("Control1");
        panel->setGeometry(10, 10, 200, 100);
        QWidget *button = ControlsFactory->CreateControlByName("Button", panel);
        AsDesigned(button)->SetName("Control2");
        button->setGeometry(5, 5, 75, 25);
        QWidget *label = ControlsFactory->CreateControlByName("Label", &container);
        AsDesigned(label)->SetName("Control3");
        label->setGeometry(220, 10, 40, 17);
    }

    QByteArray Saved(const QString &path)
    {
        container.SaveLayout(path);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    TRSObjectInspector inspector;
    TLXControlsContainer container;
};

QString TempPath(const char *name)
{
    return QDir::temp().filePath(QStringLiteral("fd-layoutfuzz-%1-%2")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(QLatin1String(name)));
}

Surface *TheSurface()
{
    static int argc = 1;
    static char arg0[] = "fuzz_layout";
    static char *argv[] = {arg0, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    static Surface *surface = [] {
        static TDesignerMessagesHandler handler;
        DesignerHandler = &handler;
        CreateControlsFactory();
        RegisterDesignerRegistries();
        // Reported errors (a bad grid cell index) are part of a normal open.
        ErrorDisplay::Show = [](const QString &) {};
        return new Surface;
    }();
    (void)app;
    return surface;
}

} // namespace

// The application, the surface and the caches the first layout fills (fonts,
// styles) are made before the first input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Surface *s = TheSurface();
    s->Reset();
    s->Saved(TempPath("saved.xml"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Surface *s = TheSurface();
    s->Reset();
    const QString input = TempPath("input.xml");
    const QString saved = TempPath("saved.xml");
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const QByteArray before = s->Saved(saved);
    bool failed = false;
    try {
        s->container.LoadLayout(input);
    } catch (const std::exception &) {
        failed = true;
    }
    if (s->inspector.isHidden()) {
        std::fprintf(stderr, "the inspector stays hidden after opening\n");
        std::abort();
    }
    if (failed && s->Saved(saved) != before) {
        std::fprintf(stderr, "a failed open changed the design\n");
        std::abort();
    }
    // What the event loop would do next: deferred deletions, posted rebuilds.
    // The inspector is hidden again so that the next input starts as this
    // one did.
    s->inspector.hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return 0;
}
