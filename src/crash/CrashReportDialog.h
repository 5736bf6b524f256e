#pragma once

#include "crash/BugReport.h"
#include "platform/MailClient.h"

#include <QDialog>
#include <functional>
#include <memory>

class QPlainTextEdit;
class QPrinter;
class QPushButton;

// The dialog of an error the program did not expect, or of a crash found at
// start: the message, a "Details" part with the whole report (stack trace,
// version, time), and the choices to mail, save or print the report. Nothing
// leaves the machine unless the user chooses so.
class TCrashReportDialog : public QDialog
{
public:
    explicit TCrashReportDialog(TBugReport report, QWidget *parent = nullptr);

    const TBugReport &Report() const { return FReport; }

    QPushButton *DetailsButton() const { return FDetailsButton; }
    QPlainTextEdit *Details() const { return FDetails; }
    QPushButton *MailButton() const { return FMailButton; }
    QPushButton *SaveButton() const { return FSaveButton; }
    QPushButton *PrintButton() const { return FPrintButton; }
    QPushButton *CloseButton() const { return FCloseButton; }

    // "Mail Bug Report...": a new mail in the user's mail program with the
    // report as body and as attached text file, for the user to send.
    void MailReport();
    // "Save Bug Report...": the report as a text file the user chooses.
    void SaveReport();
    // "Print Bug Report...": the print dialog, then the report as plain text.
    void PrintReport();
    // Prints the report on a printer that is set up.
    void Print(QPrinter &printer) const;

    // The mail program; the desktop's, through xdg-email, unless replaced.
    std::function<std::unique_ptr<TMailClient>()> CreateMailClient;
    // Asks for the file to save to; empty when the user cancels.
    std::function<QString()> ChooseSaveFile;
    // Tells the user why a choice failed.
    std::function<void(const QString &)> ShowMessage;
    // Where the attached copy of the report is written for the mail program.
    QString AttachmentFile;

    static constexpr const char *MailSubject = "Form Designer Bug Report";

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Writes the report text to a file; false (and the user told) on failure.
    bool WriteReport(const QString &fileName);

    TBugReport FReport;
    QPushButton *FDetailsButton;
    QPlainTextEdit *FDetails;
    QPushButton *FMailButton;
    QPushButton *FSaveButton;
    QPushButton *FPrintButton;
    QPushButton *FCloseButton;
};
