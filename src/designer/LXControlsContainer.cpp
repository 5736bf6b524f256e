#include "designer/LXControlsContainer.h"

#include "controls/ControlsFactory.h"
#include "designer/ContainerClient.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/FOPersistance.h"
#include "persistence/HtmlPersistance.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

TLXControlsContainer::TLXControlsContainer(QWidget *owner, TRSObjectInspector *inspector)
    : QScrollArea(owner), FInspector(inspector), FLayoutInspector(MakeLayoutInspector())
{
    setWidgetResizable(true);
    setWidget(new TContainerClient(this));
}

QWidget *TLXControlsContainer::ClientWidget()
{
    return FPendingClient ? FPendingClient : widget();
}

void TLXControlsContainer::BeginReplace()
{
    CancelReplace();
    FPendingClient = new TContainerClient(this);
    FPendingClient->hide();
}

namespace
{

// Swallows the requests to be painted of the widgets inside one widget while
// it lives.
class TWholeRepaint : public QObject
{
public:
    explicit TWholeRepaint(QWidget *whole) : FWhole(whole) { qApp->installEventFilter(this); }
    ~TWholeRepaint() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::UpdateLater || !watched->isWidgetType())
            return false;
        return FWhole->isAncestorOf(static_cast<QWidget *>(watched));
    }

private:
    QWidget *FWhole;
};

} // namespace

void TLXControlsContainer::CommitReplace()
{
    if (!FPendingClient)
        return;
    TContainerClient *client = FPendingClient;
    FPendingClient = nullptr;
    client->setAcceptDrops(widget()->acceptDrops());
    // Its extent known before it is shown: else each control shown would
    // widen it, and each widening realign the controls anew.
    client->UpdateExtent();
    // The scroll area destroys the previous client with its controls.
    setWidget(client);
    // Each widget shown asks to be painted on its own, and painting one alone
    // looks at every sibling of it and of its parents: the client is painted
    // once, whole, instead.
    {
        const TWholeRepaint whole(client);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    }
    client->update();
}

void TLXControlsContainer::CancelReplace()
{
    delete FPendingClient;
    FPendingClient = nullptr;
}

QList<QWidget *> TLXControlsContainer::Controls()
{
    return TControlsFactory::DesignedChildren(this);
}

namespace
{

std::string FileNameBytes(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

TLXControlsContainer::~TLXControlsContainer() = default;

void TLXControlsContainer::SetCategorized(bool value)
{
    FLayoutInspector->Inspector()->SetArrangeByCategory(value);
}

void TLXControlsContainer::SaveLayout(const QString &fileName)
{
    TXmlPersistance writer(this, FLayoutInspector.get());
    writer.Save(FileNameBytes(fileName));
}

void TLXControlsContainer::ExportHtml(const QString &fileName)
{
    THtmlPersistance writer(this, FLayoutInspector.get());
    writer.Save(FileNameBytes(HtmlExportTarget(fileName)));
}

void TLXControlsContainer::ExportFO(const QString &fileName)
{
    TFOPersistance writer(this, FLayoutInspector.get());
    writer.Save(FileNameBytes(fileName));
}

void TLXControlsContainer::LoadLayout(const QString &fileName)
{
    TXmlPersistance reader(this, FLayoutInspector.get());
    if (FInspector)
        FInspector->hide();
    const auto showAgain = qScopeGuard([this] {
        if (FInspector)
            FInspector->show();
    });
    reader.Load(FileNameBytes(fileName));
    FKeptNotes = reader.KeptNotes();
}

QString TLXControlsContainer::KeptNotice() const
{
    if (FKeptNotes.empty())
        return {};
    QString text = QStringLiteral("The layout holds what this designer does not understand. It is "
                                  "kept as it is and saved with the layout:");
    // A file of another tool may name thousands of things; the notice stays
    // readable.
    constexpr size_t shown = 20;
    for (size_t i = 0; i < FKeptNotes.size() && i < shown; ++i)
        text += QStringLiteral("\n  ") + CodePage::ToQString(FKeptNotes[i]);
    if (FKeptNotes.size() > shown)
        text += QStringLiteral("\n  and %1 more").arg(FKeptNotes.size() - shown);
    return text;
}

QString TLXControlsContainer::HtmlExportPath(const QString &name)
{
    const QString fileName = PageFileName(name);
    return fileName + '/' + QFileInfo(fileName).fileName();
}

namespace
{

[[noreturn]] void RefuseExport(const QString &fileName, const char *reason)
{
    throw Exception("Cannot export the page to \"" + CodePage::FromQString(fileName) +
                    "\": " + reason);
}

// Whether a file is a page this program exported: they all begin alike.
bool IsExportedPage(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(256);
    return head.startsWith("<?xml") && head.contains("<HTML>");
}

// Whether a folder holds nothing but what an export of a page of its name
// writes: the page and its "images" folder.
bool IsExportFolder(const QString &folder)
{
    const QString page = QFileInfo(folder).fileName();
    const QDir dir(folder);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.fileName() == page && entry.isFile() && !entry.isSymLink())
            continue;
        if (entry.fileName() == QLatin1String("images") && entry.isDir() && !entry.isSymLink())
            continue;
        return false;
    }
    return true;
}

} // namespace

QString TLXControlsContainer::PageFileName(const QString &fileName)
{
    // As the save dialog does: a name without a dot gets the page's suffix.
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return fileName;
    return fileName + QStringLiteral(".htm");
}

QString TLXControlsContainer::HtmlExportTarget(const QString &name)
{
    const QString fileName = PageFileName(name);
    const QFileInfo file(fileName);
    if (file.isFile()) {
        // A page exported beside an "images" folder is written over in place.
        if (QFileInfo(file.dir(), QStringLiteral("images")).isDir() && IsExportedPage(fileName))
            return fileName;
        RefuseExport(fileName, "a file of that name exists and is not a page exported beside an "
                               "\"images\" folder.");
    }
    if (file.exists() || file.isSymLink()) {
        if (!file.isDir())
            RefuseExport(fileName, "it exists and is not a regular file or folder.");
        if (!IsExportFolder(fileName))
            RefuseExport(fileName, "the folder of that name holds other files than an earlier "
                                   "export of this page.");
    }
    // A second export writes into the folder the first one made.
    AtomicFile::MakeFolder(fileName + QStringLiteral("/images"));
    return HtmlExportPath(fileName);
}
