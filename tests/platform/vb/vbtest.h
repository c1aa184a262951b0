#pragma once

#include "platform/vb/error.h"

#include <QString>
#include <functional>
#include <ostream>

// The runtime error number that f raises, 0 when it raises none.
inline long raisedBy(const std::function<void()> &f)
{
    try {
        f();
    } catch (const vb::Error &e) {
        return e.number();
    }
    return 0;
}

// Readable QStrings in failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
