#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QMenu;
class QSettings;

// The "Recent Files" submenu: the last layouts opened or saved, newest
// first, kept in the user's settings between runs.
class TRecentFiles : public QObject
{
public:
    static constexpr int MaxFiles = 8;

    explicit TRecentFiles(QMenu *menu);

    const QStringList &Files() const { return FFiles; }
    void Add(const QString &fileName);
    void Remove(const QString &fileName);
    // Opens the entry; one whose file is gone leaves the list with a message.
    void Choose(const QString &fileName);

    std::function<void(const QString &)> OnOpen;
    std::function<void(const QString &)> ShowMessage;

    // The settings every part of the window shares.
    static std::unique_ptr<QSettings> Settings();

private:
    void Store();
    void Rebuild();

    QMenu *FMenu;
    QStringList FFiles;
};
