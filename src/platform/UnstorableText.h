#pragma once

#include "platform/Exception.h"

#include <QString>
#include <vector>

// Text refused because the code page of the layout cannot hold some of its
// characters. The message names them; as they have no bytes in the code
// page, the message shown to the user is kept apart from what(), which
// writes them as code points.
class EUnstorableText : public Exception
{
public:
    // The refused characters, each once, in the order they appeared.
    explicit EUnstorableText(const std::vector<char32_t> &characters);

    const QString &Message() const { return FMessage; }

private:
    QString FMessage;
};
