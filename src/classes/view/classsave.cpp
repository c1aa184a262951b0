#include "classsave.h"

#include "core/daypatterns.h"
#include "core/globaldata.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

namespace classsave {

namespace {

const QString SaveOops = QStringLiteral("Oops!");

// Empty text is stored as Null; anything else as the column's type.
QVariant savedText(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant savedWhole(const QString &text)
{
    return text.trimmed().isEmpty() ? QVariant() : QVariant(vb::CLng(text));
}

QDateTime savedTime(const QString &text)
{
    return QDateTime(vb::zeroDate().date(), vb::CDate(text).time());
}

} // namespace

std::optional<Refusal> CheckEntries(const ClassEntries &e)
{
    if (e.level.isEmpty())
        return Refusal{SaveOops, QStringLiteral("You must enter a level name")};
    if (e.time.isEmpty())
        return Refusal{SaveOops, QStringLiteral("You must enter a time for this class")};
    // A class keeps an instructor: without one it would drop out of the class search.
    const bool anyInstructor =
        std::any_of(e.instructors.begin(), e.instructors.end(), [](qint32 id) { return id != 0; });
    if (e.instructorText.isEmpty() || !anyInstructor)
        return Refusal{QStringLiteral("No Instructor Selected"),
                       QStringLiteral("You must choose an instructor for this class.\r\n\r\nIf "
                                      "there is no instructor, please set the instructor of the "
                                      "class to 'Instructor TBA'.")};
    if (!vb::IsDate(e.startDate) || !vb::IsDate(e.endDate))
        return Refusal{SaveOops, QStringLiteral("The start date or end date you entered was invalid.")};
    if (e.programId != 0 && vb::CDate(e.startDate).date() == vb::CDate(e.endDate).date())
        return Refusal{SaveOops, QStringLiteral("The start date and end date must be different "
                                                "unless this is a one-off enrolment.")};
    if (!vb::IsNumeric(e.max))
        return Refusal{SaveOops, QStringLiteral("The maximum number of students must be a number")};
    if (!vb::IsNumeric(e.cost))
        return Refusal{SaveOops, QStringLiteral("The cost must be numeric")};
    if (!e.duration.isEmpty() && !vb::IsNumeric(e.duration))
        return Refusal{SaveOops, QStringLiteral("The duration must be a number")};
    return std::nullopt;
}

std::optional<Refusal> CheckDatesDiffer(const ClassEntries &e)
{
    if (e.startDate == e.endDate && e.programId != 0)
        return Refusal{QStringLiteral("Fix the Dates"),
                       QStringLiteral("The start and end dates are the same. This is not allowed "
                                      "unless the class is a one-off enrolment.")};
    return std::nullopt;
}

QString ShortDate(const QDateTime &date)
{
    return vb::Format(date, QStringLiteral("Short Date"));
}

DateFit CheckDateFit(qint32 programId, const QString &day, const QString &startDate,
                     const QString &endDate)
{
    DateFit fit;
    const QString first = imodClasses::GetFirstRunWeekday(day);
    const QString last = imodClasses::GetLastRunWeekday(day);
    if (first.isEmpty() || last.isEmpty())
        return fit;
    auto weekday = [](const QString &text) {
        return vb::Format(vb::CDate(text), QStringLiteral("dddd"));
    };
    fit.startFits = weekday(startDate) == first;
    fit.endFits = weekday(endDate) == last;
    if (!fit.startFits || !fit.endFits) {
        fit.proposedStart = imodPrograms::GetFirstClassDateInProgram(programId, day);
        fit.proposedEnd = imodPrograms::GetLastClassDateInProgram(programId, day);
    }
    return fit;
}

QString DateQuestion(const DateFit &fit, const QString &day, const QString &shortAppName)
{
    if (fit.startFits && fit.endFits)
        return {};
    const QString d1 = ShortDate(fit.proposedStart);
    const QString d2 = ShortDate(fit.proposedEnd);
    if (!fit.startFits && !fit.endFits)
        return QStringLiteral("The start date and end date you have chosen for the class do not "
                              "fall on a ") +
               day + QStringLiteral(". Would you like ") + shortAppName +
               QStringLiteral(" to change the start date to ") + d1 +
               QStringLiteral(" the end date to ") + d2 + QLatin1Char('?');
    if (!fit.startFits)
        return QStringLiteral("The start date for the class does not fall on a ") + day +
               QStringLiteral(". Would you like ") + shortAppName +
               QStringLiteral(" to change the start date to ") + d1 + QLatin1Char('?');
    if (!fit.endFits)
        return QStringLiteral("The end date for the class does not fall on a ") + day +
               QStringLiteral(". Would you like ") + shortAppName +
               QStringLiteral(" to change the end date to ") + d2 + QLatin1Char('?');
    return {};
}

int ChargePerSessionOf(const QString &chargeMode)
{
    return chargeMode == QLatin1String("Attendance") ? 1 : 0;
}

qint32 SaveClassRow(qint32 classId, const ClassEntries &e)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT * FROM Classes WHERE ClassID = ") +
                                            Global::SqlNumber(classId) + QLatin1Char(';'));
    if (classId == 0)
        rs->addNew();
    else if (rs->eof())
        throw vb::Error(3021); // the class was deleted meanwhile
    rs->setValue(1, savedText(e.level));
    rs->setValue(2, e.programId);
    rs->setValue(4, savedText(e.day));
    rs->setValue(5, savedTime(e.time));
    rs->setValue(6, vb::CInt(e.max));
    rs->setValue(7, QVariant::fromValue(vb::CCur(e.cost)));
    rs->setValue(8, vb::CDate(e.startDate));
    rs->setValue(9, vb::CDate(e.endDate));
    rs->setValue(10, e.waitingList);
    rs->setValue(11, ChargePerSessionOf(e.chargeMode));
    rs->setValue(12, savedText(e.chargeMode));
    rs->setValue(QStringLiteral("PoolArea"), savedWhole(e.poolArea));
    rs->setValue(QStringLiteral("ClassActive"), e.active);
    rs->setValue(QStringLiteral("ActivityName"), savedText(e.activity));
    rs->setValue(QStringLiteral("DurationMins"), savedWhole(e.duration));
    rs->setValue(QStringLiteral("Notes"), savedText(e.notes));
    rs->update();
    const qint32 saved = vb::CLng(rs->value(0));
    rs->close();

    try {
        SaveInstructorLinks(saved, e.instructors);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        throw InstructorLinksFailed{int(error.number), error.description};
    }
    transaction.commit();
    return saved;
}

void SaveInstructorLinks(qint32 classId, const QList<qint32> &instructors)
{
    Global::DbTransaction transaction;
    Global::DbConnection().execute(
        Global::AdaptSql(QStringLiteral("DELETE * FROM InstructorLink WHERE ClassID = ") +
                         Global::SqlNumber(classId) + QLatin1Char(';')));
    auto links = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT InstructorLink.* FROM InstructorLink WHERE InstructorLinkID = 0;"));
    for (qint32 instructor : instructors) {
        if (instructor == 0)
            continue;
        links->addNew();
        links->setValue(QStringLiteral("InstructorID"), instructor);
        links->setValue(QStringLiteral("ClassID"), classId);
        links->update();
    }
    links->close();
    transaction.commit();
}

void SaveClassNotes(qint32 classId, const QString &notes)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT ClassID, Notes From Classes WHERE ClassID=") +
                                            Global::SqlNumber(classId) + QLatin1Char(';'));
    if (rs->eof())
        throw vb::Error(3021);
    rs->setValue(1, savedText(notes));
    rs->update();
    rs->close();
}

vb::Currency StoredCost(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Cost FROM Classes WHERE ClassID = ") +
                                            Global::SqlNumber(classId) + QLatin1Char(';'));
    if (rs->eof() || rs->value(0).isNull())
        return {};
    return vb::CCur(rs->value(0));
}

int ClassSessions(qint32 programId, const QString &day)
{
    return imodPrograms::GetProgramNumSessions(programId) * imodGlobalSubs::CountRunDays(day);
}

vb::Currency PriceDifference(vb::Currency previous, int previousPerSession, vb::Currency now,
                             int nowPerSession, int sessions)
{
    if (previousPerSession != nowPerSession && sessions != 0) {
        if (previousPerSession == 1)
            previous = previous * vb::Currency(sessions);
        else
            previous = previous / vb::Currency(sessions);
    }
    return now - previous;
}

QString MoneyText(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), QStringLiteral("$#,###,##0.00;-$#,###,##0.00"));
}

QString PriceQuestion(vb::Currency difference)
{
    if (difference > vb::Currency())
        return QStringLiteral("The cost of this class has increased by ") + MoneyText(difference) +
               QStringLiteral(".\r\nDo you want to charge all students enrolled an additional ") +
               MoneyText(difference) + QLatin1Char('?');
    if (difference < vb::Currency())
        return QStringLiteral("The cost of this class has decreased by ") + MoneyText(-difference) +
               QStringLiteral(".\r\nDo you want to credit all students enrolled in this class ") +
               MoneyText(-difference) + QLatin1Char('?');
    return {};
}

} // namespace classsave
