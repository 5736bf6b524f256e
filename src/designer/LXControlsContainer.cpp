#include "designer/LXControlsContainer.h"

#include "controls/ControlsFactory.h"
#include "designer/ContainerClient.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/FOPersistance.h"
#include "persistence/HtmlPersistance.h"
#include "persistence/XmlPersistance.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TLXControlsContainer::TLXControlsContainer(QWidget *owner, TRSObjectInspector *inspector)
    : QScrollArea(owner), FInspector(inspector)
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

void TLXControlsContainer::CommitReplace()
{
    if (!FPendingClient)
        return;
    QWidget *client = FPendingClient;
    FPendingClient = nullptr;
    client->setAcceptDrops(widget()->acceptDrops());
    // The scroll area destroys the previous client with its controls.
    setWidget(client);
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

void TLXControlsContainer::SaveLayout(const QString &fileName)
{
    TXmlPersistance writer(this, FInspector);
    writer.Save(FileNameBytes(fileName));
}

void TLXControlsContainer::ExportHtml(const QString &fileName)
{
    THtmlPersistance writer(this, FInspector);
    writer.Save(FileNameBytes(HtmlExportTarget(fileName)));
}

void TLXControlsContainer::ExportFO(const QString &fileName)
{
    TFOPersistance writer(this, FInspector);
    writer.Save(FileNameBytes(fileName));
}

void TLXControlsContainer::LoadLayout(const QString &fileName)
{
    TXmlPersistance reader(this, FInspector);
    FInspector->hide();
    try {
        reader.Load(FileNameBytes(fileName));
    } catch (...) {
        FInspector->show();
        throw;
    }
    FInspector->show();
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

QString TLXControlsContainer::HtmlExportPath(const QString &fileName)
{
    return fileName + '/' + QFileInfo(fileName).fileName();
}

QString TLXControlsContainer::HtmlExportTarget(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (file.isFile() && QFileInfo(file.dir(), QStringLiteral("images")).isDir())
        return fileName;
    if (file.isFile())
        QFile::remove(fileName);
    // Folders that exist already are fine: a second export writes into them.
    QDir().mkpath(fileName + QStringLiteral("/images"));
    return HtmlExportPath(fileName);
}
