// Staff (instructors with their qualifications) and the pool's water tests.
#include "generator.h"
#include "platform/jet/connection.h"

#include <cmath>

namespace SampleData::detail {

namespace {

const char *const StaffFirst[] = {"Tom", "Jess",  "Liam", "Chloe", "Ben",  "Hannah",
                                  "Sam", "Kylie", "Josh", "Emily", "Nick", "Tara"};
const char *const StaffLast[] = {"Fraser", "Okafor", "Bennett", "Moreau",  "Sato", "Hughes",
                                 "Dunn",   "Reilly", "Marsh",   "Ibrahim", "Lowe", "Quinn"};

double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

} // namespace

void Generator::staff()
{
    const QDate today = options.today;
    TableWriter instructors(db, QStringLiteral("Instructors"),
                            {"InstructorID", "StudentID", "UserID", "ShowInOOE"});
    TableWriter quals(db, QStringLiteral("QualRec"),
                      {"QualRecID", "InstructorID", "Qualification", "Number", "Expires",
                       "AuthorisedBy", "Notes", "Inactive"});
    int qualId = 0;
    for (int i = 0; i < plan.instructors; ++i) {
        StudentRow row;
        row.id = nextStudentId++; // the first person row is staff, never a student
        row.first = QString::fromLatin1(StaffFirst[i % 12]);
        row.last = QString::fromLatin1(StaffLast[(i * 5 + i / 12) % 12]);
        row.born = today.addDays(-between(18 * 365, 45 * 365));
        row.address = QStringLiteral("%1 Staff Lane").arg(i + 1);
        row.city = QStringLiteral("Port Kembla");
        row.state = QStringLiteral("NSW");
        row.postcode = QStringLiteral("2505");
        row.mobile = QStringLiteral("0412 %1").arg(100000 + i);
        row.student = QStringLiteral("N");
        row.employee = QStringLiteral("Y");
        addStudentRow(row);

        const int instructorId = i + 1;
        // The first instructor signs in as "tom"; the others have no account.
        instructors.add({number(qint64(instructorId)), number(qint64(row.id)),
                         i == 0 ? text("tom") : null(), number(qint64(1))});
        instructorIds.push_back(instructorId);
        instructorNames.push_back(row.first + QLatin1Char(' ') + row.last);

        // A teaching licence and first aid; some run out soon, so that alerts show.
        const QDate licence = today.addDays(between(-30, 3 * 365));
        const QDate firstAid = today.addDays(between(10, 365));
        quals.add({number(qint64(++qualId)), number(qint64(instructorId)),
                   text("Swim Teacher Licence"), text(QStringLiteral("ST%1").arg(40000 + i)),
                   date(licence), text("Sarah Nguyen"), text(QString()), number(qint64(0))});
        quals.add({number(qint64(++qualId)), number(qint64(instructorId)),
                   text("First Aid and CPR"), text(QStringLiteral("FA%1").arg(70000 + i)),
                   date(firstAid), text("Sarah Nguyen"), text(QString()), number(qint64(0))});
    }
}

void Generator::waterTests()
{
    const QDate today = options.today;
    const int firstTerm = std::max(0, plan.terms - plan.termsWithWaterTests);
    const QDate from = terms[size_t(firstTerm)].start;
    TableWriter tests(db, QStringLiteral("WaterTesting"),
                      {"TestID", "Date", "Time", "pH", "Free", "Total", "Comb", "Alkalinity",
                       "Hardness", "Backwash", "AcidIn", "SaltCellChange", "SodiumHypo",
                       "CalciumChloride", "Name", "Notes", "PoolArea", "Temperature"});
    int id = 0;
    // Open 6 am to 8 pm: a test every four hours of opening, for both pools.
    for (QDate day = from; day <= today; day = day.addDays(1)) {
        for (int hour : {6, 10, 14, 18}) {
            if (day == today && hour > 10)
                break;
            for (int pool : {1, 2}) {
                const double free = rounded(1.0 + between(0, 20) / 10.0, 1);
                const double comb = rounded(between(0, 4) / 10.0, 1);
                const bool backwash = hour == 6 && day.dayOfWeek() == 1;
                tests.add(
                    {number(qint64(++id)), date(day), time(QTime(hour, between(0, 20))),
                     number(rounded(7.2 + between(0, 6) / 10.0, 1)), number(free),
                     number(rounded(free + comb, 1)), number(comb),
                     number(double(between(80, 120))), number(double(between(200, 300))),
                     text(backwash ? "Y" : "N"), number(rounded(between(0, 10) / 10.0, 1)),
                     number(0.0), number(double(between(0, 20))), number(0.0),
                     text(instructorNames[size_t(between(0, int(instructorNames.size()) - 1))]),
                     text(QString()), number(qint64(pool)),
                     number(qint64(pool == 1 ? between(27, 28) : between(29, 31)))});
            }
        }
    }
}

} // namespace SampleData::detail
