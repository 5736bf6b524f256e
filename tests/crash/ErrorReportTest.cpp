#include "support/HookGuard.h"

#include "crash/CrashReportDialog.h"
#include "crash/CrashReporter.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

__attribute__((noinline)) void RaiseUnexpectedFault()
{
    throw EProgramFault("List is empty");
}

__attribute__((noinline)) void RaiseExpectedError()
{
    throw Exception("Cannot create file \"/nowhere/a.xml\". Permission denied");
}

class ErrorReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TCrashReporter::SetDesignFileName(QStringLiteral("/home/someone/forms/order.xml"));
    }
    void TearDown() override { TCrashReporter::SetDesignFileName(QString()); }

    // What the top-level handler does with the error `raise` throws.
    void Handle(const std::function<void()> &raise)
    {
        try {
            raise();
        } catch (...) {
            TCrashReporter::HandleCurrentException();
        }
    }

    QStringList messages;
    const THookGuard display{ErrorDisplay::Show,
                             [this](const QString &message) { messages << message; }};
};

TEST_F(ErrorReportTest, UnexpectedErrorOpensTheReportDialogWithTheRaisingFunction)
{
    // The dialog is modal: look at it from inside its own event loop.
    QString dialogMessage, details;
    QStringList buttons;
    bool detailsHidden = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
        auto *report = dynamic_cast<TCrashReportDialog *>(dialog);
        ASSERT_NE(report, nullptr);
        dialogMessage = report->Report().Message;
        detailsHidden = report->Details()->isHidden();
        report->DetailsButton()->click();
        details = report->Details()->isHidden() ? QString() : report->Details()->toPlainText();
        for (QPushButton *button : {report->MailButton(), report->SaveButton(),
                                    report->PrintButton(), report->CloseButton()})
            buttons << button->text();
    });
    Handle(RaiseUnexpectedFault);

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialogMessage, QStringLiteral("List is empty"));
    EXPECT_TRUE(detailsHidden);
    EXPECT_EQ(buttons, (QStringList{"Mail Bug Report...", "Save Bug Report...",
                                    "Print Bug Report...", "Close"}));
    EXPECT_TRUE(details.contains(QStringLiteral("Error: EProgramFault\n")))
        << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("\nTime: "))) << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("\nDesign: order.xml\n"))) << details.toStdString();
    EXPECT_FALSE(details.contains(QStringLiteral("someone"))) << details.toStdString();
    // The stack is the one of the raise, not of the handler that caught it.
    const qsizetype stack = details.indexOf(QStringLiteral("Stack trace:\n"));
    ASSERT_GE(stack, 0);
    EXPECT_TRUE(details.indexOf(QStringLiteral("RaiseUnexpectedFault"), stack) > stack)
        << details.toStdString();
}

TEST_F(ErrorReportTest, ExpectedErrorsKeepThePlainMessageAndOtherErrorsAreReported)
{
    std::vector<TBugReport> reports;
    const THookGuard dialog(TCrashReporter::ShowReport,
                            [&](const TBugReport &r, QWidget *) { reports.push_back(r); });

    Handle(RaiseExpectedError);
    EXPECT_EQ(messages, QStringList{"Cannot create file \"/nowhere/a.xml\". Permission denied"});
    EXPECT_TRUE(reports.empty());

    // Errors of the standard library, and what is no exception at all, are
    // reports too; no stack was recorded where they were raised.
    Handle([] { std::vector<int>().at(3); });
    Handle([] { throw 42; });
    EXPECT_EQ(messages.size(), 1);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].ErrorType, QStringLiteral("std::out_of_range"));
    EXPECT_TRUE(reports[0].Stack.isEmpty());
    EXPECT_TRUE(reports[0].Text().contains(QStringLiteral("No stack trace was recorded")));
    EXPECT_EQ(reports[1].Message, QStringLiteral("Unknown error"));
}

} // namespace
