#pragma once

#include <stdexcept>
#include <string>

// Base of every error the designer raises. The message is the text shown to
// the user by the application's one error display.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
};
