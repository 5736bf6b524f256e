#pragma once

#include "crash/BugReport.h"

#include <QString>
#include <exception>
#include <functional>

class QWidget;

// The program's crash reporting: errors that reach the top-level handler,
// fatal signals, and the report a crash leaves for the next start.
class TCrashReporter
{
public:
    // Catches fatal signals from now on. `version` goes into every report;
    // `folder` keeps the report of a crash until the next start (by default
    // the per-user data folder).
    static void Install(const QString &version, const QString &folder = QString());

    // The open design's file, of which reports name only the file name.
    static void SetDesignFileName(const QString &path);

    // For the top-level handler, inside its catch block: shows the error
    // being handled, in a plain message box when it is expected (see
    // TErrorPolicy), else in the report dialog.
    static void HandleCurrentException();
    static void HandleError(const std::exception *error);

    // At start: when the last run crashed, says so and shows its report,
    // once (the report file is deleted when the dialog closes). True when a
    // report was shown.
    static bool ShowPendingReport(QWidget *parent);

    // The report file a crash leaves.
    static QString PendingReportFile();

    // Shows a report; the report dialog, modal, unless replaced.
    static std::function<void(const TBugReport &report, QWidget *parent)> ShowReport;
};
