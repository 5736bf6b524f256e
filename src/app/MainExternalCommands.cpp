// The main window's commands that reach outside the program: mailing the
// design, the feedback mail and the about box.
#include "app/Main.h"

#include "app/VarnoAbout.h"
#include "app/WaitingForm.h"
#include "platform/DesktopShell.h"
#include "platform/XdgMailClient.h"

#include <QAction>
#include <QUrl>

const QString TForm1::SupportAddress = QStringLiteral("feedback@formdesigner.example.org");

namespace
{

// Hides the waiting overlay when the command ends, however it ends.
struct TWaitingScope {
    TWaitingScope() = default;
    TWaitingScope(const TWaitingScope &) = delete;
    TWaitingScope &operator=(const TWaitingScope &) = delete;
    ~TWaitingScope() { HideWaiting(); }
};

const QString MailClientError =
    QStringLiteral("Error creating Outlook Application. Probably it is installed incorrectly.");

} // namespace

void TForm1::SetSaveDesign(std::function<void(const QString &fileName)> saveDesign)
{
    FSaveDesign = std::move(saveDesign);
    FSendMail->setEnabled(bool(FSaveDesign));
}

void TForm1::mnuSendMailOutlookClick()
{
    if (!FSaveDesign)
        return;
    ShowMessage(QStringLiteral("To ensure the mail is sent your Outlook application shoud be "
                               "running.\r\nYou can run it after mail will be formed."));
    const TWaitingScope waiting;
    ShowWaiting(this, QStringLiteral("Preparing designed form..."));
    const QString file = PreparePreviewFile(QStringLiteral("Design.xml"));
    FSaveDesign(file);

    SetWaitingText(QStringLiteral("Accessing Outlook Application..."));
    // Released before the overlay goes, also when the mail fails.
    const std::unique_ptr<TMailClient> client =
        CreateMailClient ? CreateMailClient() : std::make_unique<TXdgMailClient>();
    if (!client->Connect()) {
        HideWaiting();
        ShowMessage(MailClientError);
        return;
    }
    SetWaitingText(QStringLiteral("Preparing mail..."));
    TMailItem item;
    item.Subject = QStringLiteral("Form Design");
    item.Body = QStringLiteral("Please find the designed form in attachment.\r\n"
                               "It can be opend in Varno Form Designer application.");
    item.Attachments = {file};
    try {
        client->Display(item);
    } catch (const EMailClientUnavailable &) {
        // Only now does the desktop's mail tool find out there is no mail
        // program: the same case as a client that cannot be reached.
        HideWaiting();
        ShowMessage(MailClientError);
    }
}

void TForm1::mnuFeedbackClick()
{
    // Whether a mail program took the request is not reported.
    DesktopShell::Open(
        QUrl(QStringLiteral("mailto:%1?subject=Form Designer Feedback").arg(SupportAddress)));
}

void TForm1::mnuAboutClick()
{
    ShowAbout(this, LicenseFilePath());
}
