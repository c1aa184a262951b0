// Attendance of every lesson held so far, and the assessments of each term with their
// criteria.
#include "generator.h"
#include "platform/jet/connection.h"

#include <QHash>

namespace SampleData::detail {

void Generator::attendanceAndAssessments()
{
    const QDate today = options.today;
    QHash<int, int> classIndex;
    for (int i = 0; i < int(classes.size()); ++i)
        classIndex.insert(classes[size_t(i)].classId, i);

    TableWriter attend(db, QStringLiteral("Attend"),
                       {"AttendanceID", "BKID", "Session", "StudentID", "Status"});
    TableWriter assessments(db, QStringLiteral("Assessments"),
                            {"AssessmentID", "StudentID", "Date", "InstructorID", "LevelID",
                             "Notes", "RenewalDate", "RenewalNoticeSent", "PassLevel", "Processed",
                             "ClassID", "CertificateComment"});
    TableWriter criteria(db, QStringLiteral("AssessCrit"),
                         {"AssessCritID", "AssessmentID", "Text", "Attained"});
    int attendanceId = 0;
    int assessmentId = 0;
    int criterionId = 0;

    for (const Booking &b : bookings) {
        const ClassInfo &c = classes[size_t(classIndex.value(b.classId))];
        const Term &t = terms[size_t(c.term)];
        const int held = heldSessions(c);
        if (b.status == QLatin1String("Catch Up")) {
            if (b.sessionNo <= held)
                attend.add({number(qint64(++attendanceId)), number(qint64(b.bookingId)),
                            number(qint64(b.sessionNo)), number(qint64(b.studentId)),
                            text("Attended")});
            continue;
        }
        if (b.status == QLatin1String("Waiting"))
            continue;
        const int last = std::min(held, b.lastSession);
        for (int s = 1; s <= last; ++s) {
            QString status = QStringLiteral("Attended");
            if (s == b.missedSession) {
                status = QStringLiteral("Sick");
            } else {
                const int roll = between(0, 99);
                if (roll >= 97)
                    status = QStringLiteral("DNA");
                else if (roll >= 95)
                    status = QStringLiteral("Absent");
                else if (roll >= 93)
                    status = QStringLiteral("Sick");
            }
            attend.add({number(qint64(++attendanceId)), number(qint64(b.bookingId)),
                        number(qint64(s)), number(qint64(b.studentId)), text(status)});
        }

        // Assessed at the last lesson, and in some terms half-way as well; this term's
        // final assessment is placed ahead, not yet assessed.
        if (b.status != QLatin1String("Confirmed"))
            continue;
        const Level &level = levels[size_t(c.level)];
        std::vector<int> at;
        if (chance(plan.assessmentsPerBooking - 1.0) && held >= t.sessions / 2)
            at.push_back(t.sessions / 2);
        at.push_back(t.sessions);
        for (int s : at) {
            const QDate day = c.sessionDate(t, s);
            const bool done = day <= today;
            const bool pass = done && s == t.sessions && chance(0.7);
            assessments.add({number(qint64(++assessmentId)), number(qint64(b.studentId)), date(day),
                             number(qint64(c.instructor)), number(qint64(level.levelId)),
                             text(QString()), null(), number(qint64(0)),
                             number(qint64(pass ? 1 : 0)), number(qint64(done ? 2 : 0)),
                             number(qint64(c.classId)),
                             text(pass ? QStringLiteral("Well done!") : QString())});
            if (!done)
                continue;
            for (const QString &name : level.criteria)
                criteria.add({number(qint64(++criterionId)), number(qint64(assessmentId)),
                              text(name), number(qint64(pass || chance(0.6) ? 1 : 0))});
        }
    }
}

} // namespace SampleData::detail
