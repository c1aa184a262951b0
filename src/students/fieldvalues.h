#pragma once

// Reading a field that may be Null: empty text, 0 and $0.00 stand for Null.

#include "platform/vb/convert.h"
#include "platform/vb/currency.h"

#include <QVariant>

namespace imodStudents::detail {

inline QString text(const QVariant &value)
{
    return vb::CStr(vb::Nz(value));
}

inline qint32 number(const QVariant &value)
{
    return vb::CLng(vb::Nz(value, 0));
}

inline vb::Currency money(const QVariant &value)
{
    return vb::CCur(vb::Nz(value, 0));
}

} // namespace imodStudents::detail
