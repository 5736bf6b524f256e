#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <memory>

namespace
{
const QString Key = QStringLiteral("RecentFiles");
}

std::unique_ptr<QSettings> TRecentFiles::Settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("formdesigner"),
                                       QStringLiteral("formdesigner"));
}

TRecentFiles::TRecentFiles(QMenu *menu) : QObject(menu), FMenu(menu)
{
    FFiles = Settings()->value(Key).toStringList();
    while (FFiles.size() > MaxFiles)
        FFiles.removeLast();
    Rebuild();
}

void TRecentFiles::Add(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    FFiles.removeAll(path);
    FFiles.prepend(path);
    while (FFiles.size() > MaxFiles)
        FFiles.removeLast();
    Store();
}

void TRecentFiles::Remove(const QString &fileName)
{
    FFiles.removeAll(fileName);
    Store();
}

void TRecentFiles::Choose(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        Remove(fileName);
        if (ShowMessage)
            ShowMessage(QStringLiteral("The file \"%1\" no longer exists; it was removed from "
                                       "the recent files.")
                            .arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    if (OnOpen)
        OnOpen(fileName);
}

void TRecentFiles::Store()
{
    Settings()->setValue(Key, FFiles);
    Rebuild();
}

void TRecentFiles::Rebuild()
{
    FMenu->clear();
    for (int i = 0; i < FFiles.size(); ++i) {
        const QString file = FFiles[i];
        QAction *action = FMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(file)));
        connect(action, &QAction::triggered, this, [this, file] { Choose(file); });
    }
    FMenu->setEnabled(!FFiles.isEmpty());
}
