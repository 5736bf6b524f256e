#include "app/RecoveryFile.h"

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <climits>

namespace
{

const QString LayoutSuffix = QStringLiteral(".xml");
const QString NameSuffix = QStringLiteral(".name");
const QString LockSuffix = QStringLiteral(".lock");
// A layout that could not be restored; it still ends in ".xml" for the
// user's editor, and is never taken for a designer's layout.
const QString SetAsideSuffix = QStringLiteral(".unreadable.xml");

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// Changes that come in a burst are written once, this long after the last.
constexpr int DefaultDelay = 2000;

QString Base(const QString &layout)
{
    return layout.left(layout.size() - LayoutSuffix.size());
}

// A lock is stale only when its designer is no longer running, however
// long that designer has been running.
void OnlyDeadOwnersAreStale(QLockFile &lock)
{
    lock.setStaleLockTime(INT_MAX);
}

std::string Text(const QString &text)
{
    return CodePage::FromQString(text);
}

} // namespace

TRecoveryFile::TRecoveryFile(std::function<std::string()> layout, QObject *parent)
    : QObject(parent), FLayoutText(std::move(layout))
{
    FTimer.setSingleShot(true);
    FTimer.setInterval(DefaultDelay);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        if (!IsModified || IsModified())
            WriteNow();
    });
}

TRecoveryFile::~TRecoveryFile()
{
    Remove();
}

QString TRecoveryFile::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery/");
}

void TRecoveryFile::Schedule()
{
    FTimer.start();
}

bool TRecoveryFile::WriteNow()
{
    FTimer.stop();
    QString error;
    try {
        Write();
    } catch (const std::exception &e) {
        error = ErrorDisplay::MessageOf(e);
    } catch (...) {
        error = QStringLiteral("Unknown error");
    }
    if (!error.isEmpty()) {
        const bool first = !FFailing;
        FFailing = true;
        if (first && OnFailure)
            OnFailure(error);
        return false;
    }
    if (FFailing) {
        FFailing = false;
        if (OnWrittenAgain)
            OnWrittenAgain();
    }
    return true;
}

void TRecoveryFile::Write()
{
    // Made again on every write: the folder may have been deleted, or made
    // open to others, since the last.
    AtomicFile::MakeFolder(Folder(), AtomicFile::Private);
    if (!FLock) {
        // Each designer has files of its own, named so that two designers
        // started at once never share them.
        const QString base = Folder() + QString::number(QCoreApplication::applicationPid()) + '-' +
                             QUuid::createUuid().toString(QUuid::Id128).left(8);
        auto lock = std::make_unique<QLockFile>(base + LockSuffix);
        OnlyDeadOwnersAreStale(*lock);
        if (!lock->tryLock(0))
            throw Exception(
                "Cannot create file \"" + Text(base + LockSuffix) + "\"." +
                (lock->error() == QLockFile::PermissionError ? " Permission denied" : ""));
        QFile::setPermissions(base + LockSuffix, OwnerOnly);
        FLock = std::move(lock);
        FLayout = base + LayoutSuffix;
    }
    const QString name = DocumentName ? DocumentName() : QString();
    AtomicFile::Write(Base(FLayout) + NameSuffix, name.toUtf8().toStdString(), AtomicFile::Private);
    AtomicFile::Write(FLayout, FLayoutText(), AtomicFile::Private);
}

void TRecoveryFile::Remove()
{
    FTimer.stop();
    if (!FLock)
        return;
    QFile::remove(FLayout);
    QFile::remove(Base(FLayout) + NameSuffix);
    FLock.reset();
    FLayout.clear();
}

std::vector<TRecoveryFile::TOrphan> TRecoveryFile::FindOrphans()
{
    std::vector<TOrphan> orphans;
    // The folder an older version made open to all is closed at start, not
    // only at the first change.
    QFile::setPermissions(Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QDir folder(Folder());
    for (const QFileInfo &file :
         folder.entryInfoList({QStringLiteral("*") + LayoutSuffix}, QDir::Files)) {
        if (file.fileName().endsWith(SetAsideSuffix))
            continue;
        const QString base = Base(file.absoluteFilePath());
        // A lock that can be taken belongs to no running designer.
        QLockFile lock(base + LockSuffix);
        OnlyDeadOwnersAreStale(lock);
        if (!lock.tryLock(0))
            continue;
        QFile name(base + NameSuffix);
        TOrphan orphan{file.absoluteFilePath(), QString(), file.lastModified()};
        if (name.open(QIODevice::ReadOnly))
            orphan.DocumentName = QString::fromUtf8(name.readAll());
        orphans.push_back(orphan);
    }
    std::sort(orphans.begin(), orphans.end(),
              [](const TOrphan &a, const TOrphan &b) { return a.Written > b.Written; });
    return orphans;
}

void TRecoveryFile::Discard(const TOrphan &orphan)
{
    const QString base = Base(orphan.Layout);
    QFile::remove(orphan.Layout);
    QFile::remove(base + NameSuffix);
    QFile::remove(base + LockSuffix);
}

QString TRecoveryFile::SetAside(const TOrphan &orphan)
{
    const QString target = Base(orphan.Layout) + SetAsideSuffix;
    QFile layout(orphan.Layout);
    if (!layout.rename(target))
        throw Exception("Cannot move \"" + Text(orphan.Layout) + "\" to \"" + Text(target) +
                        "\". " + Text(layout.errorString()));
    // A copy from an older version may still be open to others.
    QFile::setPermissions(target, OwnerOnly);
    Discard({orphan.Layout, {}, {}});
    return target;
}
