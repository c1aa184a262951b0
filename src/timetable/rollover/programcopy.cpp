#include "programcopy.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"

#include <exception>
#include <optional>

namespace programcopy {

namespace {

const QString amountPattern = QStringLiteral("$#####0.00;-$#####0.00");

// Runs one step of a recomputation; a step that fails leaves its box alone.
template <class F> void tryStep(F step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

// A box that holds an amount is written in the amount form; any other text stays.
void reformat(QString &box)
{
    tryStep([&] { box = FormatAmount(QVariant::fromValue(vb::CCur(box))); });
}

void perSessionFromCost(Prices &p)
{
    tryStep([&] {
        const int sessions = vb::CInt(p.sessions);
        if (sessions == 0)
            throw vb::Error(vb::err::DivisionByZero);
        p.perSession = FormatAmount(vb::CCur(p.cost).toDouble() / sessions);
    });
}

void costFromPerSession(Prices &p)
{
    tryStep([&] {
        p.cost = FormatAmount(
            QVariant::fromValue(vb::Currency(vb::CInt(p.sessions)) * vb::CCur(p.perSession)));
    });
}

} // namespace

QString FormatAmount(const QVariant &amount)
{
    return vb::Format(amount, amountPattern);
}

QString CheckEntries(const Entries &e)
{
    const QString quoteRefusal =
        QStringLiteral("You cannot have a %1 character in the Program name. Please correct this.");
    if (e.name.trimmed().isEmpty())
        return QStringLiteral("You must enter a program name.");
    if (e.name.contains(QLatin1Char('\'')))
        return quoteRefusal.arg(QLatin1Char('\''));
    if (e.name.contains(QLatin1Char('"')))
        return quoteRefusal.arg(QLatin1Char('"'));
    if (e.startDate.trimmed().isEmpty() || e.endDate.trimmed().isEmpty())
        return QStringLiteral("You must enter both a start date and an end date for the program");
    if (e.sessions.trimmed().isEmpty())
        return QStringLiteral("You must enter the number of sessions");
    if (!vb::IsDate(e.startDate) || !vb::IsDate(e.endDate))
        return QStringLiteral(
            "The program start date and program end date must be in the correct format.");
    if (!vb::IsNumeric(e.sessions))
        return QStringLiteral(
            "The number of sessions you have entered is not a number. Please correct this!");
    return {};
}

void FromFullCost(Prices &p)
{
    perSessionFromCost(p);
    reformat(p.perSession);
    reformat(p.cost);
}

void FromPerSession(Prices &p)
{
    costFromPerSession(p);
    reformat(p.perSession);
    reformat(p.cost);
}

void FromSessions(Prices &p, bool chargedPerSession)
{
    if (chargedPerSession)
        costFromPerSession(p);
    else
        perSessionFromCost(p);
}

NewProgram CreateProgram(qint32 sourceProgramId, const Entries &e)
{
    enum Column {
        ProgramID,
        Program,
        Inactive,
        DefaultCost,
        DefaultMax,
        StartDate,
        DefaultDay,
        EndDate,
        Sessions,
        AssessGen,
        TaxCode,
        RevenueAccount,
        AssumeAttendance,
        AssessFinalise,
        AttendChargeOn,
        PricePerSession,
        ChargePerSession,
        AmountOverdue,
        ColumnCount
    };

    QVariant source[ColumnCount];
    QString columnNames[ColumnCount];
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT * FROM Programs WHERE ProgramID=%1;").arg(sourceProgramId));
        if (rs->eof())
            throw vb::Error(vb::err::ApplicationDefined,
                            QStringLiteral("The program to copy no longer exists"));
        for (int i = 0; i < ColumnCount; ++i) {
            source[i] = rs->value(i);
            columnNames[i] = rs->fieldName(i);
        }
    }

    NewProgram made;
    made.startDate = vb::CDate(e.startDate);
    made.endDate = vb::CDate(e.endDate);
    made.cost = vb::CCur(e.cost);
    made.perSession = vb::CCur(e.perSession);
    const int sessions = vb::CLng(e.sessions);
    const int chargePerSession = vb::CLng(vb::Nz(source[ChargePerSession], 0)) == 1 ? 1 : 0;
    const double overdueDays =
        vb::CDbl(vb::Nz(Global::CentreSettings().Settings(int(CentreSettingIds::OverdueDays)), 0));

    // The source's own values are written as they are stored, whatever their type.
    const QString values[ColumnCount] = {
        QString(),
        Global::SqlText(e.name),
        Global::SqlNumber(0),
        Global::SqlNumber(made.cost),
        Global::SqlValue(source[DefaultMax]),
        Global::SqlDate(made.startDate),
        Global::SqlValue(source[DefaultDay]),
        Global::SqlDate(made.endDate),
        Global::SqlNumber(sessions),
        Global::SqlNumber(0),
        Global::SqlValue(source[TaxCode]),
        Global::SqlValue(source[RevenueAccount]),
        Global::SqlValue(source[AssumeAttendance]),
        Global::SqlNumber(0),
        Global::SqlValue(source[AttendChargeOn]),
        Global::SqlNumber(made.perSession),
        Global::SqlNumber(chargePerSession),
        Global::SqlDate(vb::DateAdd(QStringLiteral("d"), overdueDays, made.startDate)),
    };
    QStringList names, texts;
    for (int i = Program; i < ColumnCount; ++i) {
        names << QLatin1Char('[') + columnNames[i] + QLatin1Char(']');
        texts << values[i];
    }
    jet::Connection &db = Global::DbConnection();
    db.execute(Global::AdaptSql(QStringLiteral("INSERT INTO Programs (") +
                                names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                texts.join(QStringLiteral(", ")) + QStringLiteral(");")));
    // The caller's transaction holds the write lock taken by the insert, so that
    // no other workstation adds a program before the key is read.
    jet::Recordset rs(db, QStringLiteral("SELECT Max(ProgramID) FROM Programs;"));
    made.programId = vb::CLng(rs.value(0));
    return made;
}

int CopyClasses(qint32 sourceProgramId, const NewProgram &program, bool copyStudents,
                bool copyWaiting)
{
    auto source = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT * FROM Classes WHERE ProgramID=%1;").arg(sourceProgramId));
    auto target =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT * FROM Classes WHERE ClassID = 0;"));
    int copied = 0;
    for (; !source->eof(); source->moveNext()) {
        target->addNew();
        for (int i = 1; i < source->fieldCount(); ++i)
            target->setValue(i, source->value(i));
        target->setValue(QStringLiteral("ProgramID"), program.programId);
        target->setValue(QStringLiteral("StartDate"), program.startDate);
        target->setValue(QStringLiteral("EndDate"), program.endDate);
        const bool byAttendance =
            vb::CStr(vb::Nz(source->value(QStringLiteral("AttendChargeOn")))).toUpper() ==
            QLatin1String("ATTENDANCE");
        target->setValue(QStringLiteral("Cost"),
                         QVariant::fromValue(byAttendance ? program.perSession : program.cost));
        target->setValue(QStringLiteral("Notes"), QStringLiteral(""));
        target->update();

        const qint32 oldClassId = vb::CLng(source->value(0));
        const qint32 newClassId = vb::CLng(target->value(0));
        imodClasses::CopyClassInstructors(oldClassId, newClassId);
        if (copyStudents)
            imodClasses::CopyClassBookings(oldClassId, newClassId, copyWaiting);
        ++copied;
    }
    return copied;
}

} // namespace programcopy
