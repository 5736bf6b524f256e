#pragma once

#include "platform/Exception.h"

#include <QString>
#include <QStringList>

// A new mail message for the user to review and send.
struct TMailItem {
    QString Subject;
    QString Body;
    // Full paths of the files to attach.
    QStringList Attachments;
};

// No mail program could be started for a message.
class EMailClientUnavailable : public Exception
{
public:
    using Exception::Exception;
};

// The user's mail program as the designer reaches it: connect, then hand it
// a new message that it shows without sending. Held only for one command.
class TMailClient
{
public:
    virtual ~TMailClient() = default;

    // Whether a mail program can be reached at all.
    virtual bool Connect() = 0;
    // Opens the message in the mail program. Raises EMailClientUnavailable
    // when it turns out no mail program can be started for it, Exception on
    // any other failure.
    virtual void Display(const TMailItem &item) = 0;
};
