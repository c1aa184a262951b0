// The timetable: award levels with their criteria and class groups, the terms (programs),
// and each term's classes on day patterns with their instructors.
#include "generator.h"
#include "platform/jet/connection.h"

namespace SampleData::detail {

namespace {

struct LevelDef
{
    const char *name;
    int maxInClass;
    std::vector<const char *> criteria;
};

const std::vector<LevelDef> &levelDefs()
{
    static const std::vector<LevelDef> defs = {
        {"Water Babies", 6, {"Enters water safely", "Blows bubbles", "Kicks with support"}},
        {"Starfish", 4, {"Floats on front", "Floats on back", "Submerges face", "Glides 2m"}},
        {"Seahorse",
         4,
         {"Kicks 5m on front", "Kicks 5m on back", "Treads water 10s", "Retrieves object"}},
        {"Turtle", 5, {"Freestyle 10m", "Backstroke 10m", "Side breathing", "Safe entry"}},
        {"Dolphin",
         5,
         {"Freestyle 25m", "Backstroke 25m", "Breaststroke kick", "Treads water 1 min"}},
        {"Shark",
         6,
         {"Freestyle 50m", "Backstroke 50m", "Breaststroke 25m", "Survival float 3 min",
          "Tumble turn"}},
        {"Stroke Development",
         6,
         {"Freestyle 100m", "Butterfly 15m", "Breaststroke 50m", "Dive entry", "Rescue with aid"}},
        {"Squad", 6, {"Freestyle 200m", "Individual medley 100m", "Race starts", "Pacing"}},
    };
    return defs;
}

const char *const DayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                "Friday", "Saturday", "Sunday"};

} // namespace

void Generator::timetable()
{
    // Levels, their criteria and the class groups of the same names.
    TableWriter levelRows(db, QStringLiteral("Levels"),
                          {"LevelID", "Description", "DurationUnit", "DurationValue", "Inactive",
                           "Sequence", "Stream"});
    TableWriter criteria(db, QStringLiteral("LevelCriterion"),
                         {"LevelCritID", "Level", "CriterionName"});
    TableWriter groups(db, QStringLiteral("ClassGroups"),
                       {"ClassGroupCode", "Description", "Inactive", "MaxInClass"});
    int criterionId = 0;
    for (const LevelDef &def : levelDefs()) {
        Level level;
        level.levelId = int(levels.size()) + 1;
        level.name = QString::fromLatin1(def.name);
        level.maxInClass = def.maxInClass;
        levelRows.add({number(qint64(level.levelId)), text(level.name), text("Forever"),
                       number(qint64(0)), number(qint64(0)), number(qint64(level.levelId - 1)),
                       number(qint64(1))});
        for (const char *c : def.criteria) {
            level.criteria << QString::fromLatin1(c);
            criteria.add({number(qint64(++criterionId)), number(qint64(level.levelId)),
                          text(QString::fromLatin1(c))});
        }
        groups.add({number(qint64(level.levelId)), text(level.name), number(qint64(0)),
                    number(qint64(level.maxInClass))});
        levels.push_back(level);
    }

    // Terms of ten weeks, thirteen weeks apart; today falls in the fourth week of the last.
    const QDate today = options.today;
    const QDate currentStart = today.addDays(-21 - (today.dayOfWeek() - 1));
    int quarter = (currentStart.month() - 1) / 3 + 1;
    int year = currentStart.year();
    std::vector<QString> names(size_t(plan.terms));
    for (int k = plan.terms - 1; k >= 0; --k) {
        names[size_t(k)] = QStringLiteral("Term %1 %2").arg(quarter).arg(year);
        if (--quarter == 0) {
            quarter = 4;
            --year;
        }
    }
    // The day pattern a program shows first is kept as its place in the list of
    // patterns: Saturday is the eighth of the standard ones.
    const char *const DefaultDayPosition = "7";
    TableWriter programs(db, QStringLiteral("Programs"),
                         {"ProgramID", "Program", "Inactive", "DefaultCost", "DefaultMax",
                          "StartDate", "DefaultDay", "EndDate", "Sessions", "AssessGen", "TaxCode",
                          "RevenueAccount", "AssumeAttendance", "AssessFinalise", "AttendChargeOn",
                          "PricePerSession", "ChargePerSession", "AmountOverdue"});
    for (int k = 0; k < plan.terms; ++k) {
        Term t;
        t.programId = k + 1;
        t.name = names[size_t(k)];
        t.start = currentStart.addDays(-91 * (plan.terms - 1 - k));
        t.sessions = 10;
        t.current = k == plan.terms - 1;
        // $18.50 a lesson now, fifty cents less for every year back.
        const int yearsBack = (plan.terms - 1 - k) / 4;
        const int perSession = 1850 - 50 * yearsBack;
        t.cost = dollars(perSession * t.sessions);
        programs.add({number(qint64(t.programId)), text(t.name),
                      number(qint64(k < plan.terms - 2 ? 1 : 0)), money(t.cost), number(qint64(5)),
                      date(t.start), text(DefaultDayPosition),
                      date(t.start.addDays(7 * t.sessions - 1)), number(qint64(t.sessions)),
                      number(qint64(0)), text("FRE"), text("40020"), text("Attended"),
                      number(qint64(0)), text("Enrolment"), money(dollars(perSession)),
                      number(qint64(0)), date(t.start.addDays(21))});
        terms.push_back(t);
    }

    // Classes: weekday afternoons and Saturday mornings, in both pools.
    struct Slot
    {
        int weekday;
        QTime at;
    };
    std::vector<Slot> timeSlots;
    for (int day = 1; day <= 5; ++day)
        for (int m = 0; m < 6; ++m)
            timeSlots.push_back({day, QTime(15, 0).addSecs(m * 1800)});
    for (int m = 0; m < 10; ++m)
        timeSlots.push_back({6, QTime(8, 0).addSecs(m * 1800)});

    TableWriter classRows(db, QStringLiteral("Classes"),
                          {"ClassID", "Description", "ProgramID", "InstructorID", "Day", "Time",
                           "Max", "Cost", "StartDate", "EndDate", "WaitingList", "ChargePerSession",
                           "AttendChargeOn", "ClassActive", "PoolArea", "Notes", "NoDates",
                           "ActivityName", "DurationMins"});
    TableWriter links(db, QStringLiteral("InstructorLink"),
                      {"InstructorLinkID", "InstructorID", "ClassID"});
    int classId = 0;
    int linkId = 0;
    const int levelCount = int(levels.size());
    for (int k = 0; k < plan.terms; ++k) {
        const Term &t = terms[size_t(k)];
        for (int n = 0; n < plan.classesPerTerm; ++n) {
            ClassInfo c;
            c.classId = ++classId;
            c.term = k;
            // Every level has its share of the classes.
            c.level = n % levelCount;
            const Slot &slot = timeSlots[size_t(n % int(timeSlots.size()))];
            c.weekday = slot.weekday;
            c.max = levels[size_t(c.level)].maxInClass;
            c.instructor = instructorIds[size_t((n / 2) % int(instructorIds.size()))];
            c.cost = t.cost;
            const int pool = c.level <= 2 ? 2 : 1;
            classRows.add({number(qint64(c.classId)), text(levels[size_t(c.level)].name),
                           number(qint64(t.programId)), number(qint64(c.instructor)),
                           text(QString::fromLatin1(DayNames[c.weekday - 1])), time(slot.at),
                           number(qint64(c.max)), money(c.cost), date(c.sessionDate(t, 1)),
                           date(c.sessionDate(t, t.sessions)),
                           // One class in ten keeps the waiting-list look.
                           number(qint64(n % 10 == 9 ? 1 : 0)), number(qint64(0)),
                           text("Enrolment"), number(qint64(1)), number(qint64(pool)),
                           text(QString()), number(qint64(0)), text("Learn to Swim"),
                           number(qint64(30))});
            links.add({number(qint64(++linkId)), number(qint64(c.instructor)),
                       number(qint64(c.classId))});
            // Babies' classes have a second instructor in the water.
            if (c.level == 0 && instructorIds.size() > 1) {
                const int second = instructorIds[size_t((n / 2 + 1) % int(instructorIds.size()))];
                links.add(
                    {number(qint64(++linkId)), number(qint64(second)), number(qint64(c.classId))});
            }
            classes.push_back(c);
        }
    }
}

} // namespace SampleData::detail
