#include "crash/CrashReportDialog.h"

#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class TFakeMailClient : public TMailClient
{
public:
    TFakeMailClient(std::vector<TMailItem> &sent, bool reachable)
        : FSent(sent), FReachable(reachable)
    {
    }
    bool Connect() override { return FReachable; }
    void Display(const TMailItem &item) override { FSent.push_back(item); }

private:
    std::vector<TMailItem> &FSent;
    bool FReachable;
};

QByteArray Read(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReportDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        report.Message = QStringLiteral("List is empty");
        report.ErrorType = QStringLiteral("EProgramFault");
        report.Version = QStringLiteral("1.0.0");
        report.Time = QStringLiteral("2024-05-01 12:00:00 UTC");
        report.Design = QStringLiteral("order.xml");
        report.Stack = QStringList{"#0 TQueue::Pop() (formdesigner+0x1234)"};
        dialog = std::make_unique<TCrashReportDialog>(report);
        dialog->AttachmentFile = folder.filePath(QStringLiteral("mail/BugReport.txt"));
        dialog->CreateMailClient = [this] {
            return std::make_unique<TFakeMailClient>(sent, reachable);
        };
        dialog->ShowMessage = [this](const QString &text) { messages << text; };
    }

    QTemporaryDir folder;
    TBugReport report;
    std::unique_ptr<TCrashReportDialog> dialog;
    std::vector<TMailItem> sent;
    bool reachable = true;
    QStringList messages;
};

TEST_F(ReportDialogTest, MailCarriesSubjectBodyAndTheReportAsAttachment)
{
    const QString text = report.Text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Form Designer Bug Report\n\nList is empty\n\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nStack trace:\n#0 TQueue::Pop()")));

    dialog->MailButton()->click();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Subject, QStringLiteral("Form Designer Bug Report"));
    EXPECT_EQ(sent[0].Body, text);
    ASSERT_EQ(sent[0].Attachments, QStringList{dialog->AttachmentFile});
    EXPECT_EQ(Read(dialog->AttachmentFile), text.toUtf8());
    EXPECT_TRUE(messages.isEmpty());

    // Without a mail program the user is told so, and nothing is sent.
    reachable = false;
    dialog->MailReport();
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ReportDialogTest, SaveWritesTheReportAndPrintRendersIt)
{
    const QString target = folder.filePath(QStringLiteral("saved.txt"));
    dialog->ChooseSaveFile = [&] { return target; };
    dialog->SaveButton()->click();
    EXPECT_EQ(Read(target), report.Text().toUtf8());

    // A cancelled choice writes nothing; a file that cannot be made is told.
    QFile::remove(target);
    dialog->ChooseSaveFile = [] { return QString(); };
    dialog->SaveReport();
    EXPECT_FALSE(QFile::exists(target));
    dialog->ChooseSaveFile = [] { return QStringLiteral("/proc/no/such/folder/report.txt"); };
    dialog->SaveReport();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot create")));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("report.pdf")));
    dialog->Print(printer);
    EXPECT_TRUE(Read(printer.outputFileName()).startsWith("%PDF"));
}

} // namespace
