#pragma once

#include <exception>

// The one line between the errors the user is told about in a plain message
// box and the errors the program did not expect, which open the bug report.
class TErrorPolicy
{
public:
    // An error is expected exactly when it is one of the designer's own
    // errors (Exception: a message text meant for the user, such as a file
    // that cannot be created or a value that is not valid) and not an
    // EProgramFault. Faults, errors of the standard library or the toolkit
    // (an index out of range, memory exhausted, ...) and anything thrown that
    // is no exception at all (error is null) are unexpected.
    static bool IsExpected(const std::exception *error);
};
