#pragma once

// Reading a field that may be Null: empty text and 0 stand for Null.

#include "platform/vb/convert.h"

#include <QVariant>

namespace imodAssessments::detail {

inline QString text(const QVariant &value)
{
    return value.isNull() ? QString() : vb::CStr(value);
}

inline qint32 number(const QVariant &value)
{
    return value.isNull() ? 0 : qint32(value.toLongLong());
}

} // namespace imodAssessments::detail
