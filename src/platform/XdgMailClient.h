#pragma once

#include "platform/MailClient.h"

// Reaches the desktop's default mail program through the xdg-email tool,
// which opens a new message with subject, body and attachments.
class TXdgMailClient : public TMailClient
{
public:
    // program: the tool to run; waitMs: how long to wait for it to report
    // before the mail program is taken to run in its foreground.
    explicit TXdgMailClient(QString program = QStringLiteral("xdg-email"), int waitMs = 5000);

    bool Connect() override;
    void Display(const TMailItem &item) override;

    // The tool's command-line arguments for a message.
    static QStringList Arguments(const TMailItem &item);

private:
    QString FProgram;
    QString FExecutable;
    int FWaitMs;
};
