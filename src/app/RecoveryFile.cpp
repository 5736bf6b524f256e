#include "app/RecoveryFile.h"

#include "platform/AtomicFile.h"

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

} // namespace

TRecoveryFile::TRecoveryFile(std::function<void(const QString &path)> save, QObject *parent)
    : QObject(parent), FSave(std::move(save))
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

void TRecoveryFile::WriteNow()
{
    FTimer.stop();
    if (!FLock) {
        // Each designer has files of its own, named so that two designers
        // started at once never share them.
        QDir().mkpath(Folder());
        const QString base = Folder() + QString::number(QCoreApplication::applicationPid()) + '-' +
                             QUuid::createUuid().toString(QUuid::Id128).left(8);
        auto lock = std::make_unique<QLockFile>(base + LockSuffix);
        OnlyDeadOwnersAreStale(*lock);
        if (!lock->tryLock(0))
            return;
        FLock = std::move(lock);
        FLayout = base + LayoutSuffix;
    }
    const QString name = DocumentName ? DocumentName() : QString();
    AtomicFile::Write(Base(FLayout) + NameSuffix, name.toUtf8().toStdString());
    FSave(FLayout);
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
    const QDir folder(Folder());
    for (const QFileInfo &file :
         folder.entryInfoList({QStringLiteral("*") + LayoutSuffix}, QDir::Files)) {
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
