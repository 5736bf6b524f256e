#include "crash/CrashReporter.h"

#include "crash/CrashReportDialog.h"
#include "crash/ErrorPolicy.h"
#include "crash/FatalSignalHandler.h"
#include "platform/AtomicFile.h"
#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
QString Version;
QString Folder;
QString DesignFile;
} // namespace

std::function<void(const TBugReport &, QWidget *)> TCrashReporter::ShowReport =
    [](const TBugReport &report, QWidget *parent) {
        TCrashReportDialog dialog(report, parent);
        if (!Folder.isEmpty())
            dialog.AttachmentFile = QDir(Folder).filePath(QStringLiteral("BugReport.txt"));
        dialog.exec();
    };

void TCrashReporter::Install(const QString &version, const QString &folder)
{
    Version = version.isEmpty() ? QStringLiteral("unknown") : version;
    Folder = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                              : folder;
    // The folder keeps reports and the recovery copies of unsaved designs.
    try {
        AtomicFile::MakeFolder(Folder, AtomicFile::Private);
    } catch (const std::exception &error) {
        // A crash then leaves no report; the designer still starts.
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
    TFatalSignalHandler::Install(PendingReportFile(), Version);
}

void TCrashReporter::SetDesignFileName(const QString &path)
{
    DesignFile = path;
    TFatalSignalHandler::SetDesignName(path.isEmpty() ? QString() : QFileInfo(path).fileName());
}

QString TCrashReporter::PendingReportFile()
{
    return QDir(Folder).filePath(QStringLiteral("CrashReport.txt"));
}

void TCrashReporter::HandleCurrentException()
{
    try {
        throw;
    } catch (const std::exception &error) {
        HandleError(&error);
    } catch (...) {
        HandleError(nullptr);
    }
}

void TCrashReporter::HandleError(const std::exception *error)
{
    if (TErrorPolicy::IsExpected(error))
        ErrorDisplay::Show(ErrorDisplay::MessageOf(*error));
    else
        ShowReport(TBugReport::FromError(error, Version, DesignFile), QApplication::activeWindow());
}

bool TCrashReporter::ShowPendingReport(QWidget *parent)
{
    QFile file(PendingReportFile());
    if (Folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    file.close();
    ShowReport(TBugReport::FromCrashFile(content), parent);
    file.remove();
    return true;
}
