#include "crash/CrashReportDialog.h"

#include "platform/AtomicFile.h"
#include "platform/ErrorDisplay.h"
#include "platform/FileDialog.h"
#include "platform/XdgMailClient.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

namespace
{
const char *const NoMailProgram =
    "No mail program could be started. Save the bug report and mail it yourself.";
} // namespace

TCrashReportDialog::TCrashReportDialog(TBugReport report, QWidget *parent)
    : QDialog(parent), FReport(std::move(report))
{
    setWindowTitle(QApplication::applicationName());
    AttachmentFile = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                     QStringLiteral("/BugReport.txt");
    ChooseSaveFile = [this] {
        TFileDialog dialog(this, QStringLiteral("Save Bug Report"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("Text Files (*.txt);;All Files (*)"));
        dialog.selectFile(QDir::home().filePath(QStringLiteral("BugReport.txt")));
        return dialog.Run();
    };
    ShowMessage = [this](const QString &text) {
        QMessageBox::warning(this, QApplication::applicationName(), text);
    };

    auto *icon = new QLabel;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(size, size));
    auto *message = new QLabel(FReport.Message);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *note = new QLabel(QStringLiteral(
        "A bug report can be mailed, saved or printed for the developers. It holds no content "
        "of your design, only its file name."));
    note->setWordWrap(true);
    auto *texts = new QVBoxLayout;
    texts->addWidget(message);
    texts->addWidget(note);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    FDetailsButton = new QPushButton(QStringLiteral("Details"));
    FDetailsButton->setCheckable(true);
    FDetails = new QPlainTextEdit(FReport.Text());
    FDetails->setReadOnly(true);
    FDetails->setLineWrapMode(QPlainTextEdit::NoWrap);
    FDetails->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FDetails->setMinimumSize(560, 260);
    FDetails->setVisible(false);
    connect(FDetailsButton, &QPushButton::toggled, this, [this](bool shown) {
        FDetails->setVisible(shown);
        adjustSize();
    });
    auto *detailsRow = new QHBoxLayout;
    detailsRow->addWidget(FDetailsButton);
    detailsRow->addStretch();

    FMailButton = new QPushButton(QStringLiteral("Mail Bug Report..."));
    FSaveButton = new QPushButton(QStringLiteral("Save Bug Report..."));
    FPrintButton = new QPushButton(QStringLiteral("Print Bug Report..."));
    FCloseButton = new QPushButton(QStringLiteral("Close"));
    FCloseButton->setDefault(true);
    connect(FMailButton, &QPushButton::clicked, this, [this] { MailReport(); });
    connect(FSaveButton, &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(FPrintButton, &QPushButton::clicked, this, [this] { PrintReport(); });
    connect(FCloseButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(FMailButton);
    buttons->addWidget(FSaveButton);
    buttons->addWidget(FPrintButton);
    buttons->addStretch();
    buttons->addWidget(FCloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(detailsRow);
    layout->addWidget(FDetails, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TCrashReportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Return closes the dialog rather than opening the details.
    FCloseButton->setFocus();
}

bool TCrashReportDialog::WriteReport(const QString &fileName)
{
    // A report tells where the user worked and what they made: theirs alone.
    try {
        AtomicFile::MakeFolder(QFileInfo(fileName).absolutePath());
        AtomicFile::Write(fileName, FReport.Text().toUtf8().toStdString(), AtomicFile::Private);
        return true;
    } catch (const std::exception &error) {
        ShowMessage(ErrorDisplay::MessageOf(error));
        return false;
    }
}

void TCrashReportDialog::MailReport()
{
    if (!WriteReport(AttachmentFile))
        return;
    std::unique_ptr<TMailClient> client =
        CreateMailClient ? CreateMailClient() : std::make_unique<TXdgMailClient>();
    if (!client->Connect()) {
        ShowMessage(QString::fromLatin1(NoMailProgram));
        return;
    }
    // The report dialog is where errors end: a failing mail program is told
    // here rather than raised again.
    try {
        client->Display({QString::fromLatin1(MailSubject), FReport.Text(), {AttachmentFile}});
    } catch (const EMailClientUnavailable &) {
        ShowMessage(QString::fromLatin1(NoMailProgram));
    } catch (const std::exception &error) {
        ShowMessage(QString::fromLatin1(NoMailProgram) + '\n' + QString::fromUtf8(error.what()));
    }
}

void TCrashReportDialog::SaveReport()
{
    const QString fileName = ChooseSaveFile();
    if (!fileName.isEmpty())
        WriteReport(fileName);
}

void TCrashReportDialog::PrintReport()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Bug Report"));
    if (dialog.exec() == QDialog::Accepted)
        Print(printer);
}

void TCrashReportDialog::Print(QPrinter &printer) const
{
    QTextDocument document;
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(FReport.Text());
    document.print(&printer);
}
