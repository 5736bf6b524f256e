#pragma once

#include "platform/StackTrace.h"

#include <memory>
#include <stdexcept>
#include <string>

// Base of every error the designer raises. The message is the text shown to
// the user by the application's one error display; the stack records where
// the error was made, for a bug report when the error was not expected.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string &message);

    const TStackTrace &Stack() const { return *FStack; }

private:
    // Shared, so that copying the error while it is thrown cannot fail.
    std::shared_ptr<const TStackTrace> FStack;
};

// An error that means the designer itself went wrong (a broken internal
// rule such as taking from an empty list), not something the user did or
// met: it is reported as a bug rather than told as a message.
class EProgramFault : public Exception
{
public:
    using Exception::Exception;
};
