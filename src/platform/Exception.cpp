#include "platform/Exception.h"

Exception::Exception(const std::string &message)
    : std::runtime_error(message),
      // Leaves out this constructor: the stack starts where the error is made.
      FStack(std::make_shared<const TStackTrace>(TStackTrace::Capture(1)))
{
}
