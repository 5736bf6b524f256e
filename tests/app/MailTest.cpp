#include "app/Main.h"
#include "app/WaitingForm.h"
#include "platform/DesktopShell.h"
#include "platform/MailClient.h"
#include "platform/ProgramFolder.h"
#include "platform/XdgMailClient.h"
#include "support/DesignerSingletons.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace
{

using Log = std::vector<std::string>;

// The overlay text at the moment of a step, or "-" when none is shown.
std::string Overlay()
{
    return WaitingForm() ? WaitingForm()->Text().toStdString() : "-";
}

// Records every call, with the overlay shown at that moment.
class TFakeMailClient : public TMailClient
{
public:
    TFakeMailClient(Log &log, bool reachable, std::function<void()> onDisplay)
        : FLog(log), FReachable(reachable), FOnDisplay(std::move(onDisplay))
    {
    }
    ~TFakeMailClient() override { FLog.push_back("release [" + Overlay() + "]"); }

    bool Connect() override
    {
        FLog.push_back("connect [" + Overlay() + "]");
        return FReachable;
    }
    void Display(const TMailItem &item) override
    {
        FLog.push_back("display [" + Overlay() + "] " + item.Subject.toStdString() + " | " +
                       item.Body.toStdString() + " | " + item.Attachments.join(',').toStdString());
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
            log.push_back("message [" + Overlay() + "] " + text.toStdString());
        };
        form->CreateMailClient = [this] {
            return std::make_unique<TFakeMailClient>(log, reachable, onDisplay);
        };
        QFile::remove(attachment);
    }

    void GiveWriter(std::function<void()> fail = nullptr)
    {
        form->SetSaveDesign([this, fail](const QString &file) {
            log.push_back("save [" + Overlay() + "] " + file.toStdString());
            if (fail)
                fail();
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write("<design/>");
        });
    }

    std::unique_ptr<TForm1> form;
    Log log;
    bool reachable = true;
    std::function<void()> onDisplay;
    const QString attachment = ProgramFolder::WritablePath() + "Design.xml";
    const std::string notice = "To ensure the mail is sent your Outlook application shoud be "
                               "running.\r\nYou can run it after mail will be formed.";
    const std::string failure =
        "Error creating Outlook Application. Probably it is installed incorrectly.";
};

TEST_F(MailTest, CommandIsDisabledUntilTheDesignCanBeWritten)
{
    EXPECT_FALSE(form->SendMailAction()->isEnabled());
    form->mnuSendMailOutlookClick();
    EXPECT_TRUE(log.empty());
    GiveWriter();
    EXPECT_TRUE(form->SendMailAction()->isEnabled());
    form->SetSaveDesign(nullptr);
    EXPECT_FALSE(form->SendMailAction()->isEnabled());
}

TEST_F(MailTest, WorkingClientGetsTheWrittenDesignAndTheDocumentStaysAsItWas)
{
    GiveWriter();
    form->SetFileName("/tmp/forms/order.xml");
    form->SetModified(true);
    const QString title = form->windowTitle();

    form->SendMailAction()->trigger();

    const std::string file = attachment.toStdString();
    EXPECT_EQ(log, (Log{"message [-] " + notice, "save [Preparing designed form...] " + file,
                        "connect [Accessing Outlook Application...]",
                        "display [Preparing mail...] Form Design | Please find the designed form "
                        "in attachment.\r\nIt can be opend in Varno Form Designer application. | " +
                            file,
                        "release [Preparing mail...]"}));
    EXPECT_EQ(WaitingForm(), nullptr);
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_EQ(form->FileName(), "/tmp/forms/order.xml");
    EXPECT_TRUE(form->Modified());
    QFile written(attachment);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "<design/>");
}

TEST_F(MailTest, NoMailProgramShowsTheErrorAfterTheDesignIsWritten)
{
    GiveWriter();
    const std::string file = attachment.toStdString();
    // Not reachable at all.
    reachable = false;
    form->mnuSendMailOutlookClick();
    EXPECT_EQ(log, (Log{"message [-] " + notice, "save [Preparing designed form...] " + file,
                        "connect [Accessing Outlook Application...]", "message [-] " + failure,
                        "release [-]"}));
    EXPECT_TRUE(QFile::exists(attachment));

    // Reachable, but the desktop finds no mail program for the message.
    log.clear();
    QFile::remove(attachment);
    reachable = true;
    onDisplay = [] { throw EMailClientUnavailable("none"); };
    form->mnuSendMailOutlookClick();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[4], "message [-] " + failure);
    EXPECT_EQ(log[5], "release [-]");
    EXPECT_TRUE(QFile::exists(attachment));
    EXPECT_EQ(WaitingForm(), nullptr);
}

TEST_F(MailTest, OtherFailuresPassOnWithTheOverlayHidden)
{
    onDisplay = [] { throw Exception("The mail tool failed."); };
    GiveWriter();
    EXPECT_THROW(form->mnuSendMailOutlookClick(), Exception);
    EXPECT_EQ(WaitingForm(), nullptr);
    EXPECT_EQ(log.back(), "release [Preparing mail...]");

    // A design that cannot be written reaches no mail client.
    log.clear();
    GiveWriter([] { throw Exception("Cannot write."); });
    EXPECT_THROW(form->mnuSendMailOutlookClick(), Exception);
    EXPECT_EQ(WaitingForm(), nullptr);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].rfind("save ", 0), 0u);
}

TEST_F(MailTest, FeedbackOpensAMailtoAddressWithTheSubjectAndIgnoresFailure)
{
    std::vector<QUrl> opened;
    const auto saved = DesktopShell::Opener;
    DesktopShell::Opener = [&](const QUrl &url) {
        opened.push_back(url);
        return false;
    };
    QAction *feedback = nullptr;
    for (QAction *menu : form->menuBar()->actions())
        if (menu->text() == "Help")
            feedback = menu->menu()->actions().value(0);
    ASSERT_NE(feedback, nullptr);
    EXPECT_EQ(feedback->text(), "Feedback...");
    feedback->trigger();
    DesktopShell::Opener = saved;

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(opened[0].path(), TForm1::SupportAddress);
    EXPECT_EQ(QUrlQuery(opened[0]).queryItemValue("subject"), "Form Designer Feedback");
    EXPECT_TRUE(log.empty());
}

// The desktop mail tool is replaced by a script that records its arguments
// and ends with the exit code given.
class XdgMailClientTest : public ::testing::Test
{
protected:
    QString Tool(int exitCode)
    {
        const QString path = dir.filePath(QStringLiteral("mailtool%1").arg(exitCode));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > "
                                    "'%1'\nexit %2\n")
                         .arg(dir.filePath("args"))
                         .arg(exitCode)
                         .toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        return path;
    }

    QStringList Arguments()
    {
        QFile args(dir.filePath("args"));
        EXPECT_TRUE(args.open(QIODevice::ReadOnly));
        QStringList list = QString::fromUtf8(args.readAll()).split(QChar(0));
        list.removeLast();
        return list;
    }

    QTemporaryDir dir;
    const TMailItem item{"Form Design", "line one\r\nline two ÿ", {"/tmp/a b/Design.xml"}};
};

TEST_F(XdgMailClientTest, HandsSubjectBodyAndAttachmentToTheTool)
{
    TXdgMailClient client(Tool(0), 30000);
    ASSERT_TRUE(client.Connect());
    client.Display(item);
    EXPECT_EQ(Arguments(),
              (QStringList{"--utf8", "--subject", "Form Design", "--body", "line one\nline two ÿ",
                           "--attach", "/tmp/a b/Design.xml"}));
}

TEST_F(XdgMailClientTest, ExitCodesTellAMissingMailProgramFromOtherFailures)
{
    EXPECT_FALSE(TXdgMailClient(dir.filePath("no-such-tool")).Connect());
    EXPECT_THROW(TXdgMailClient(dir.filePath("no-such-tool")).Display(item),
                 EMailClientUnavailable);
    for (int code : {3, 4})
        EXPECT_THROW(TXdgMailClient(Tool(code), 30000).Display(item), EMailClientUnavailable)
            << code;
    try {
        TXdgMailClient(Tool(2), 30000).Display(item);
        ADD_FAILURE() << "no error";
    } catch (const EMailClientUnavailable &) {
        ADD_FAILURE() << "a failed tool is not a missing mail program";
    } catch (const Exception &e) {
        EXPECT_NE(std::string(e.what()).find("exit code 2"), std::string::npos);
    }
}

} // namespace
