#include "latestart.h"

#include "imodmoney.h"
#include "platform/vb/error.h"
#include "timetable/programs.h"

namespace imodMoney {

bool WriteLateStartDiscount(qint32 bookingId, qint32 studentId, qint32 programId,
                            vb::Currency amount)
{
    const vb::Currency charge = -amount;
    const vb::Currency tax = charge * vb::Currency(imodPrograms::GetProgramGstRate(programId));
    return AddCharge(PaymentRowType::Charge, charge, tax,
                     imodPrograms::GetProgramRevenueAccount(programId), bookingId, studentId, 0,
                     imodPrograms::GetProgramTaxCode(programId), QString());
}

vb::Currency SessionsMissedDiscount(qint32 programId, int sessions)
{
    if (imodPrograms::IsProgramChargedPerSession(programId) == vb::Currency(1))
        return imodPrograms::GetProgramCostPerSession(programId) * vb::Currency(sessions);
    const int count = imodPrograms::GetProgramNumSessions(programId);
    if (count == 0)
        throw vb::Error(11, QStringLiteral("Division by zero"));
    return imodPrograms::GetProgramCost(programId) / vb::Currency(count) * vb::Currency(sessions);
}

} // namespace imodMoney
