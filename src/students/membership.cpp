#include "membership.h"

#include "core/errorinfo.h"
#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/listfillers.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString shortDate = QStringLiteral("Short Date");

void warnFailure(const QString &what, const QString &errLabel)
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(what + QStringLiteral("\r\n") + errLabel + QString::number(e.number) +
                            QStringLiteral(" - ") + e.description + QLatin1Char('.'),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

qint32 wholeNumber(const QVariant &value)
{
    return value.isNull() ? 0 : vb::CLng(value);
}

} // namespace

Membership::Membership()
    : StartDate(vb::Now())
{}

void Membership::LoadMembership(qint32 lngMembershipID)
{
    try {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT StudentID, MemType, Duration, StartDate, VisitsUsed, Barcode "
                           "FROM Membership WHERE MembershipID = ") +
            Global::SqlNumber(lngMembershipID) + QLatin1Char(';'));
        if (rs->eof())
            return;
        MemType = vb::CLng(rs->value(QStringLiteral("MemType")));
        duration = vb::CLng(rs->value(QStringLiteral("Duration")));
        StartDate = vb::CDate(rs->value(QStringLiteral("StartDate")));
        VisitsUsed = wholeNumber(rs->value(QStringLiteral("VisitsUsed")));
        StudentID = vb::CLng(rs->value(QStringLiteral("StudentID")));
        MembershipID = lngMembershipID;
        Loaded = true;
        Barcode = vb::CStr(vb::Nz(rs->value(QStringLiteral("Barcode"))));
    } catch (...) {
        warnFailure(QStringLiteral("An error occurred when loading the membership information."),
                    QStringLiteral("Err#"));
    }
}

void Membership::UpdateMembership(qint32 lngStudentID, qint32 intDuration, qint32 intMemType,
                                  const QDateTime &dateStart, const QString &strBarcode)
{
    StudentID = lngStudentID;
    duration = intDuration;
    MemType = intMemType;
    StartDate = dateStart;
    Barcode = strBarcode;
    Loaded = true;
}

bool Membership::SaveMembership()
{
    if (!Loaded)
        return false;
    try {
        const bool stored = MembershipID != 0;
        auto rs = irecObjectCode::OpenRecordset(
            stored ? QStringLiteral("SELECT * FROM Membership WHERE MembershipID = ") +
                         Global::SqlNumber(MembershipID) + QLatin1Char(';')
                   : QStringLiteral("SELECT * FROM Membership WHERE StudentID = ") +
                         Global::SqlNumber(StudentID) + QLatin1Char(';'));
        if (stored) {
            if (rs->eof())
                throw vb::Error(3021, QStringLiteral("The membership no longer exists"));
        } else {
            rs->addNew();
        }
        rs->setValue(QStringLiteral("MemType"), MemType);
        rs->setValue(QStringLiteral("Duration"), duration);
        rs->setValue(QStringLiteral("StartDate"), StartDate);
        rs->setValue(QStringLiteral("StudentID"), StudentID);
        // A stored row keeps the visits counted meanwhile, here or elsewhere.
        if (!stored)
            rs->setValue(QStringLiteral("VisitsUsed"), 0);
        rs->setValue(QStringLiteral("Barcode"), Barcode);
        rs->update();
        MembershipID = vb::CLng(rs->value(QStringLiteral("MembershipID")));
        VisitsUsed = wholeNumber(rs->value(QStringLiteral("VisitsUsed")));
        return true;
    } catch (...) {
        warnFailure(QStringLiteral("An error occurred when saving the membership."),
                    QStringLiteral("Err #"));
        return false;
    }
}

namespace imodStudents {

QString GetMembershipTypeText(qint32 memType)
{
    switch (memType) {
    case MultiVisitPass: return QStringLiteral("Multi-Visit Pass");
    case TimeBased: return QStringLiteral("Time-Based");
    default: return QStringLiteral("Never Expires");
    }
}

QStringList MembershipTypeTexts()
{
    return {GetMembershipTypeText(MultiVisitPass), GetMembershipTypeText(TimeBased),
            GetMembershipTypeText(NeverExpires)};
}

QList<MembershipListRow> LoadMembershipList(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT MembershipID, MemType, Duration, StartDate, VisitsUsed ") +
        QStringLiteral("FROM Membership WHERE StudentID = ") + Global::SqlNumber(studentId) +
        QLatin1Char(';'));
    QList<MembershipListRow> rows;
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 type = vb::CLng(rs->value(1));
        const QDateTime start = vb::CDate(rs->value(3));
        const qint32 visits = wholeNumber(rs->value(4));
        rows.append({vb::CLng(rs->value(0)), GetMembershipTypeText(type),
                     vb::Format(start, QStringLiteral("dd-mmm-yyyy")),
                     Global::GetMembershipStatusText(type, start, vb::CLng(rs->value(2)), visits),
                     QString::number(visits)});
    }
    return rows;
}

int DeleteMembership(qint32 membershipId)
{
    return imodData::ExecSQL(QStringLiteral("DELETE FROM Membership WHERE MembershipID = ") +
                                 Global::SqlNumber(membershipId) + QLatin1Char(';'),
                             false);
}

QString VisitsUsedStatement(qint32 membershipId)
{
    return QStringLiteral("SELECT MembershipID, VisitsUsed FROM Membership WHERE MembershipID = ") +
           Global::SqlNumber(membershipId) + QLatin1Char(';');
}

bool ChangeVisitsUsed(qint32 membershipId, qint32 change)
{
    auto rs = irecObjectCode::OpenRecordset(VisitsUsedStatement(membershipId));
    if (rs->eof())
        return false;
    const qint64 visits = qint64(wholeNumber(rs->value(1))) + change;
    rs->setValue(1, qint32(std::clamp<qint64>(visits, 0, std::numeric_limits<qint32>::max())));
    rs->update();
    return true;
}

QString MembershipExpiryText(const QString &typeText, const QString &duration,
                             const QString &startDate)
{
    if (!duration.isEmpty()) {
        try {
            if (typeText == GetMembershipTypeText(MultiVisitPass))
                return QStringLiteral("After ") + duration + QStringLiteral(" visits");
            if (typeText == GetMembershipTypeText(TimeBased)) {
                const QDate start = ReadDateText(startDate);
                if (!start.isValid())
                    throw vb::Error(vb::err::TypeMismatch);
                return vb::Format(vb::DateAdd(QStringLiteral("d"), vb::CDbl(duration),
                                              QDateTime(start, QTime(0, 0))),
                                  shortDate);
            }
            if (typeText == GetMembershipTypeText(NeverExpires))
                return QStringLiteral("Never Expires");
        } catch (...) {
        }
    }
    if (duration.isEmpty())
        return QStringLiteral("<Enter Duration>");
    if (startDate.isEmpty())
        return QStringLiteral("<Enter Start Date>");
    return QStringLiteral("#Err");
}

std::optional<qint32> MembershipDuration(qint32 memType, const QString &typed)
{
    if (memType == NeverExpires)
        return 0;
    const QString text = typed.trimmed();
    if (text.isEmpty() || !vb::IsNumeric(text))
        return std::nullopt;
    const double number = std::nearbyint(vb::CDbl(text));
    if (!(number >= -2147483648.0 && number <= 2147483647.0))
        return std::nullopt;
    return qint32(number);
}

} // namespace imodStudents
