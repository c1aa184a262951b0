#pragma once

// Reading a text field that may be Null: empty text stands for Null.

#include "platform/vb/convert.h"

#include <QVariant>

namespace core::detail {

inline QString text(const QVariant &value)
{
    return value.isNull() ? QString() : vb::CStr(value);
}

} // namespace core::detail
