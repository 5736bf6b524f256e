#include "app/Main.h"
#include "app/WaitingForm.h"
#include "platform/DesktopShell.h"
#include "platform/ProgramFolder.h"
#include "platform/XdgMailClient.h"
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace
{

using Log = std::vector<std::string>;

// Each step of the command as "step [overlay text at that moment]".
std::string Step(const std::string &what)
{
    return what + " [" + (WaitingForm() ? WaitingForm()->Text().toStdString() : "-") + "]";
}

class TFakeMailClient : public TMailClient
{
public:
    TFakeMailClient(Log &log, bool reachable, std::function<void()> onDisplay)
        : FLog(log), FReachable(reachable), FOnDisplay(std::move(onDisplay))
    {
    }
    ~TFakeMailClient() override { FLog.push_back(Step("release")); }
    bool Connect() override
    {
        FLog.push_back(Step("connect"));
        return FReachable;
    }
    void Display(const TMailItem &item) override
    {
        FLog.push_back(
            Step("display") + " " +
            (item.Subject + " | " + item.Body + " | " + item.Attachments.join(',')).toStdString());
        if (FOnDisplay)
            FOnDisplay();
    }

private:
    Log &FLog;
    bool FReachable;
    std::function<void()> FOnDisplay;
};

class MailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->ShowMessage = [this](const QString &text) {
            log.push_back(Step("message") + " " + text.toStdString());
        };
        form->CreateMailClient = [this] {
            return std::make_unique<TFakeMailClient>(log, reachable, onDisplay);
        };
        form->SetSaveDesign([this](const QString &file) {
            log.push_back(Step("save") + " " + file.toStdString());
            if (failSave)
                throw Exception("Cannot write.");
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write("<design/>");
        });
        QFile::remove(attachment);
    }

    std::unique_ptr<TForm1> form;
    Log log;
    bool reachable = true;
    bool failSave = false;
    std::function<void()> onDisplay;
    const QString attachment = ProgramFolder::WritablePath() + "Design.xml";
    const std::string notice = "message [-] To ensure the mail is sent your Outlook application "
                               "shoud be running.\r\nYou can run it after mail will be formed.";
    const std::string saved = "save [Preparing designed form...] " + attachment.toStdString();
    const std::string failure = "message [-] Error creating Outlook Application. Probably it is "
                                "installed incorrectly.";
};

TEST_F(MailTest, WorkingClientGetsTheWrittenDesignAndTheDocumentStaysAsItWas)
{
    form->SetFileName("/tmp/forms/order.xml");
    form->SetModified(true);
    const QString title = form->windowTitle();
    form->SendMailAction()->trigger();

    EXPECT_EQ(log, (Log{notice, saved, "connect [Accessing Outlook Application...]",
                        "display [Preparing mail...] Form Design | Please find the designed form "
                        "in attachment.\r\nIt can be opend in Varno Form Designer application. | " +
                            attachment.toStdString(),
                        "release [Preparing mail...]"}));
    EXPECT_EQ(WaitingForm(), nullptr);
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_TRUE(form->Modified());
    QFile written(attachment);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "<design/>");

    // Without a writer of the design the command is unavailable.
    form->SetSaveDesign(nullptr);
    EXPECT_FALSE(form->SendMailAction()->isEnabled());
}

TEST_F(MailTest, NoMailProgramShowsTheErrorAfterTheDesignIsWritten)
{
    reachable = false;
    form->mnuSendMailOutlookClick();
    EXPECT_EQ(log, (Log{notice, saved, "connect [Accessing Outlook Application...]", failure,
                        "release [-]"}));
    EXPECT_TRUE(QFile::exists(attachment));

    // Reachable, but the desktop finds no mail program for the message.
    log.clear();
    reachable = true;
    onDisplay = [] { throw EMailClientUnavailable("none"); };
    form->mnuSendMailOutlookClick();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[4], failure);
}

TEST_F(MailTest, OtherFailuresPassOnWithTheOverlayHidden)
{
    onDisplay = [] { throw Exception("The mail tool failed."); };
    EXPECT_THROW(form->mnuSendMailOutlookClick(), Exception);
    EXPECT_EQ(WaitingForm(), nullptr);

    // A design that cannot be written reaches no mail client.
    log.clear();
    failSave = true;
    EXPECT_THROW(form->mnuSendMailOutlookClick(), Exception);
    EXPECT_EQ(WaitingForm(), nullptr);
    EXPECT_EQ(log, (Log{notice, saved}));
}

TEST_F(MailTest, FeedbackOpensAMailtoAddressWithTheSubjectAndIgnoresFailure)
{
    std::vector<QUrl> opened;
    {
        const THookGuard opener(DesktopShell::Opener, [&](const QUrl &url) {
            opened.push_back(url);
            return false;
        });
        QMenu *help = form->menuBar()->actions().constLast()->menu();
        ASSERT_EQ(help->actions().value(0)->text(), "Feedback...");
        help->actions().value(0)->trigger();
    }

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(opened[0].path(), TForm1::SupportAddress);
    EXPECT_EQ(QUrlQuery(opened[0]).queryItemValue("subject"), "Form Designer Feedback");
    EXPECT_TRUE(log.empty());
}

// The desktop mail tool replaced by a script that records its arguments and
// ends with the exit code given.
TEST(XdgMailClient, PassesTheMessageAndTellsAMissingMailProgramFromOtherFailures)
{
    QTemporaryDir dir;
    auto tool = [&](int exitCode) {
        const QString path = dir.filePath(QStringLiteral("tool%1").arg(exitCode));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; "
                                    "done > '%1/args'\nexit %2\n")
                         .arg(dir.path())
                         .arg(exitCode)
                         .toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        return path;
    };
    const TMailItem item{"Form Design", "line one\r\nline two ÿ", {"/tmp/a b/Design.xml"}};

    TXdgMailClient client(tool(0), 30000);
    ASSERT_TRUE(client.Connect());
    client.Display(item);
    QFile args(dir.filePath("args"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    // The tool writes each line break as CR LF itself.
    EXPECT_EQ(QString::fromUtf8(args.readAll()).split(QChar(0)),
              (QStringList{"--utf8", "--subject", "Form Design", "--body", "line one\nline two ÿ",
                           "--attach", "/tmp/a b/Design.xml", ""}));

    EXPECT_FALSE(TXdgMailClient(dir.filePath("no-such-tool")).Connect());
    for (int code : {3, 4})
        EXPECT_THROW(TXdgMailClient(tool(code), 30000).Display(item), EMailClientUnavailable);
    try {
        TXdgMailClient(tool(2), 30000).Display(item);
        ADD_FAILURE() << "no error";
    } catch (const EMailClientUnavailable &) {
        ADD_FAILURE() << "a failing tool is not a missing mail program";
    } catch (const Exception &e) {
        EXPECT_NE(std::string(e.what()).find("exit code 2"), std::string::npos);
    }
}

} // namespace
