#include "imodmoney.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "enrolments/imodenrolments.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

namespace imodMoney {

bool AddCharge(const QString &rowType, vb::Currency chargeAmount, vb::Currency chargeTax,
               const QString &revenueAccount, qint32 bookingId, qint32 studentId,
               qint32 attendanceId, const QString &taxCode, const QString &notes)
{
    Q_UNUSED(rowType); // every row written here is a charge
    std::unique_ptr<jet::Recordset> rs;
    try {
        rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID = 0;"));
        rs->addNew();
        const vb::Currency zero;
        rs->setValue(1, bookingId);
        rs->setValue(2, vb::Now());
        rs->setValue(3, QVariant::fromValue(zero));
        rs->setValue(4, QString());
        rs->setValue(5, imodEnrolments::GetBookingStudentName(bookingId));
        rs->setValue(6, QStringLiteral("Ovix"));
        rs->setValue(7, vb::Date());
        rs->setValue(8, 0);
        rs->setValue(9, QStringLiteral("C"));
        rs->setValue(10, notes);
        rs->setValue(11, QStringLiteral("Charge"));
        rs->setValue(12, QVariant::fromValue(zero));
        rs->setValue(13, revenueAccount);
        rs->setValue(14, QVariant::fromValue(zero));
        rs->setValue(15, QVariant::fromValue(zero));
        rs->setValue(16, QString());
        rs->setValue(17, QVariant::fromValue(zero));
        rs->setValue(18, taxCode.isEmpty() ? vb::Nz(Global::CentreSettings().Settings(
                                                 int(CentreSettingIds::DefaultTaxCode)))
                                           : QVariant(taxCode));
        rs->setValue(19, studentId);
        rs->setValue(20, attendanceId);
        rs->setValue(21, QVariant::fromValue(chargeAmount));
        rs->setValue(22, QVariant::fromValue(chargeTax));
        rs->update();
        rs->close();
        return true;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (rs && rs->isOpen()) {
            try {
                rs->cancelUpdate();
            } catch (...) {
            }
        }
        ui::Dialogs::msgBox(QStringLiteral("%1 (#%2)").arg(e.description).arg(e.number),
                            ui::vbExclamation, QStringLiteral("Error in Adding Charge"));
        return false;
    }
}

bool CollectStudentCredit(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral(
            "SELECT Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
            "Sum(Payments.Amount) AS SumOfAmount, Sum(Payments.DiscountAmount) AS "
            "SumOfDiscountAmount, Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
            "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST])"
            " AS Net, Payments.BookingID  FROM Payments WHERE (Payments.SID =%1) GROUP "
            "BY Payments.BookingID;")
            .arg(studentId));
    for (; !rs->eof(); rs->moveNext()) {
        const vb::Currency net = vb::CCur(vb::Nz(rs->value(4), 0));
        if (net >= vb::Currency())
            continue;
        const vb::Currency credit = -net;
        const qint32 bookingId = vb::CLng(vb::Nz(rs->value(5), 0));
        const qint32 programId =
            imodClasses::GetClassProgramId(imodEnrolments::GetBookingClassID(bookingId));
        const double rate = imodPrograms::GetProgramGstRate(programId);
        if (!AddCharge(QStringLiteral("C"), credit, credit * vb::Currency(rate),
                       imodPrograms::GetProgramRevenueAccount(programId), bookingId,
                       imodStudents::GetStudentIDFromBooking(bookingId), 0,
                       imodPrograms::GetProgramTaxCode(programId), QString()))
            return false;
    }
    return true;
}

} // namespace imodMoney
