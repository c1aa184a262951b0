#include "imodstudents.h"

#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

namespace imodStudents {

QString GetStudentName(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT [First Name], [Last Name] FROM Students WHERE StudentID = %1;")
            .arg(studentId));
    if (rs->eof())
        return {};
    return vb::CStr(vb::Nz(rs->value(0))) + QLatin1Char(' ') + vb::CStr(vb::Nz(rs->value(1)));
}

vb::Currency GetStudentBalance(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Sum(ChargeAmount) AS Charges, Sum(Amount) AS Paid, "
                       "Sum(DiscountAmount) AS Discounts, Sum(DiscountGST) AS DiscountTax "
                       "FROM Payments WHERE SID = %1;")
            .arg(studentId));
    if (rs->eof())
        return {};
    auto sum = [&rs](int column) { return vb::CCur(vb::Nz(rs->value(column), 0)); };
    return sum(0) - sum(1) - sum(2) - sum(3);
}

qint32 GetStudentIDFromBooking(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID FROM Bookings WHERE BookingID = %1;")
            .arg(bookingId));
    return rs->eof() ? 0 : vb::CLng(vb::Nz(rs->value(1), 0));
}

} // namespace imodStudents
