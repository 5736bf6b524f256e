#pragma once

#include "platform/Exception.h"

// A syntax error in a regular expression.
class ERXException : public Exception
{
public:
    using Exception::Exception;
};
