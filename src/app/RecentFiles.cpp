#include "app/RecentFiles.h"

#include "crash/Command.h"
#include "platform/ErrorDisplay.h"
#include "platform/SettingsFile.h"

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
    return SettingsFile::Open();
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
    Rebuild();
    const std::unique_ptr<QSettings> settings = Settings();
    settings->setValue(Key, FFiles);
    // The file was opened or saved all the same: the failure is only told.
    try {
        SettingsFile::Save(*settings);
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
}

void TRecentFiles::Rebuild()
{
    FMenu->clear();
    for (int i = 0; i < FFiles.size(); ++i) {
        const QString file = FFiles[i];
        QAction *action = FMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(file)));
        Command::Connect(action, &QAction::triggered, this, [this, file] { Choose(file); });
    }
    FMenu->setEnabled(!FFiles.isEmpty());
}
