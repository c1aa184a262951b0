#pragma once

// What the student module's files share: reading a field that may be Null (empty text, 0
// and $0.00 stand for Null), opening a recordset, and the error of a missing row.

#include "core/irecobjectcode.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/error.h"

#include <QVariant>
#include <memory>

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

inline std::unique_ptr<jet::Recordset> open(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}

[[noreturn]] inline void noCurrentRecord()
{
    throw vb::Error(3021, QStringLiteral("Either BOF or EOF is True, or the current record has "
                                         "been deleted. Requested operation requires a current "
                                         "record."));
}

} // namespace imodStudents::detail
