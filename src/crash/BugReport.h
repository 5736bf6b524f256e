#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <exception>

// What a bug report tells the developers: the error or the signal, where it
// was raised, the program's version, the time and the file name of the open
// design. It holds nothing of the design itself.
class TBugReport
{
public:
    // The text at the top of the report dialog.
    QString Message;
    // The class of the error, or the signal.
    QString ErrorType;
    QString Version;
    QString Time;
    // The file name (without folders) of the open design, or empty.
    QString Design;
    // One line per frame, innermost first; empty when none was recorded.
    QStringList Stack;

    // The report as the user mails, saves or prints it.
    QString Text() const;

    // The report of an error that reached the top-level handler; a null error
    // is something thrown that was no exception.
    static TBugReport FromError(const std::exception *error, const QString &version,
                                const QString &designFile);
    // The report of a crash, from the file its signal handler wrote. The
    // frames are named where the same program files are loaded now.
    static TBugReport FromCrashFile(const QByteArray &content);

    // A time as the reports show it.
    static QString TimeText(const QDateTime &time);
};
