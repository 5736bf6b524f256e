#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QLockFile;

// Keeps a copy of the unsaved design in the per-user data folder, so that a
// crash, a kill or a power cut loses at most the last few seconds of work.
// Each running designer writes its own pair of files (the layout and the
// document's file name), held by a lock file while it runs; the files of a
// designer whose lock is gone are offered at the next start.
class TRecoveryFile : public QObject
{
public:
    // A recovery file left by a designer that is no longer running.
    struct TOrphan {
        QString Layout;       // the layout written for it
        QString DocumentName; // the file name its document had, or empty
        QDateTime Written;
    };

    // save writes the design as a native layout to the given path.
    explicit TRecoveryFile(std::function<void(const QString &path)> save,
                           QObject *parent = nullptr);
    ~TRecoveryFile() override;

    // Where recovery files are kept: a folder in the per-user data folder.
    static QString Folder();

    // Called after every change of the design: the design is written once
    // the changes have paused for the delay, never on every mouse move.
    void Schedule();
    void SetDelay(int milliseconds) { FTimer.setInterval(milliseconds); }
    // Writes now; the document's name is stored beside the layout.
    void WriteNow();
    // The design is safe (saved, cleared, replaced, or the program ends
    // cleanly): removes this designer's files and stops a pending write.
    void Remove();
    // The layout this designer writes to.
    const QString &LayoutPath() const { return FLayout; }

    // Answers whether there are unsaved changes worth writing, and the file
    // name of the document.
    std::function<bool()> IsModified;
    std::function<QString()> DocumentName;

    // The designs of designers that are gone, newest first.
    static std::vector<TOrphan> FindOrphans();
    // Deletes an orphan's files.
    static void Discard(const TOrphan &orphan);

private:
    std::function<void(const QString &path)> FSave;
    QTimer FTimer;
    QString FLayout;
    std::unique_ptr<QLockFile> FLock;
};
