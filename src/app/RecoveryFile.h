#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLockFile;

// Keeps a copy of the unsaved design in the per-user data folder, so that a
// crash, a kill or a power cut loses at most the last few seconds of work.
// Each running designer writes its own pair of files (the layout and the
// document's file name), held by a lock file while it runs; the files of a
// designer whose lock is gone are offered at the next start. The folder and
// the files are the user's alone: they hold the user's unsaved work.
class TRecoveryFile : public QObject
{
public:
    // A recovery file left by a designer that is no longer running.
    struct TOrphan {
        QString Layout;       // the layout written for it
        QString DocumentName; // the file name its document had, or empty
        QDateTime Written;
    };

    // layout gives the design as the bytes of a native layout.
    explicit TRecoveryFile(std::function<std::string()> layout, QObject *parent = nullptr);
    ~TRecoveryFile() override;

    // Where recovery files are kept: a folder in the per-user data folder.
    static QString Folder();

    // Called after every change of the design: the design is written once
    // the changes have paused for the delay, never on every mouse move.
    void Schedule();
    void SetDelay(int milliseconds) { FTimer.setInterval(milliseconds); }
    // Writes now; the document's name is stored beside the layout. Never
    // raises: a copy that cannot be written is told through OnFailure, and
    // the next change tries again. True when the copy was written.
    bool WriteNow();
    // The design is safe (saved, cleared, replaced, or the program ends
    // cleanly): removes this designer's files and stops a pending write.
    void Remove();
    // The layout this designer writes to.
    const QString &LayoutPath() const { return FLayout; }
    // Whether the last copy failed, so that the unsaved work is unprotected.
    bool Failing() const { return FFailing; }

    // Answers whether there are unsaved changes worth writing, and the file
    // name of the document.
    std::function<bool()> IsModified;
    std::function<QString()> DocumentName;
    // Told with the error when copies start to fail: once, not again for
    // the failures that follow, until OnWrittenAgain tells that one succeeded.
    std::function<void(const QString &error)> OnFailure;
    std::function<void()> OnWrittenAgain;

    // The designs of designers that are gone, newest first.
    static std::vector<TOrphan> FindOrphans();
    // Deletes an orphan's files.
    static void Discard(const TOrphan &orphan);
    // Moves the layout of an orphan that cannot be restored out of the way,
    // under a name that says so and that is never offered again, for the
    // user to rescue by hand; returns its new path. Raises when it cannot
    // be moved.
    static QString SetAside(const TOrphan &orphan);

private:
    void Write();

    std::function<std::string()> FLayoutText;
    QTimer FTimer;
    QString FLayout;
    std::unique_ptr<QLockFile> FLock;
    bool FFailing = false;
};
