#pragma once

#include <QString>

namespace core {

// The number and description of an error as the program's handlers report it.
struct ErrorInfo
{
    long number = 0;
    QString description;
};

// The error being handled: call inside a catch block. Knows the data engine's
// errors, the runtime's errors and any other exception (number 0).
ErrorInfo currentError();

} // namespace core
