#include "assessments/assessmentfixture.h"
#include "assessments/imodassessments.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

using namespace imodAssessments;

namespace {

class Results : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        starfish = addLevel(QStringLiteral("Starfish"));
        program = addProgram(QStringLiteral("Term 1"));
        cls = addClass(program);
    }
    qint32 ann = 0, starfish = 0, program = 0, cls = 0;
};

// One assessment row of a case: its date ("" none), state, pass mark (-1 Null) and
// whether its level still exists.
struct Row
{
    const char *date;
    int processed;
    int pass;
    bool levelKept = true;
};

struct LastResultCase
{
    const char *name;
    std::vector<Row> rows;
    int latest; // index into rows, -1 for none
    const char *level, *date, *result;
};

} // namespace

TEST_F(Results, LastResultOfAStudent)
{
    const LastResultCase cases[] = {
        {"none", {}, -1, "-", "-", "-"},
        {"only placed", {{"2026-03-01", 0, 1}}, -1, "-", "-", "-"},
        {"the later of two",
         {{"2026-03-01", 2, 1}, {"2026-05-05", 1, 0}},
         1,
         "Starfish",
         "5/05/2026",
         "Not Yet Competent"},
        {"a later placement is no result",
         {{"2026-03-01", 2, 1}, {"2026-06-01", 0, 0}},
         0,
         "Starfish",
         "1/03/2026",
         "Achieved"},
        {"deleted level", {{"2026-03-01", 2, 0, false}}, 0, "", "1/03/2026", "Not Yet Competent"},
        {"no date", {{"", 1, 1}}, 0, "Starfish", "-", "Achieved"},
        {"empty pass mark", {{"2026-03-01", 2, -1}}, 0, "Starfish", "1/03/2026", "Achieved"},
    };
    for (const LastResultCase &c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM Assessments"));
        std::vector<qint32> ids;
        for (const Row &r : c.rows)
            ids.push_back(addAssessment(ann, cls, r.levelKept ? starfish : 999, r.processed,
                                        QString::fromLatin1(r.date), r.pass));
        const qint32 last = GetLastAssessmentID(cls + 100, ann);
        EXPECT_EQ(last, c.latest < 0 ? 0 : ids[c.latest]);
        EXPECT_EQ(GetAssessmentLevelName(last), QString::fromLatin1(c.level));
        EXPECT_EQ(GetAssessmentDate(last), QString::fromLatin1(c.date));
        EXPECT_EQ(GetAssessmentResult(last), QString::fromLatin1(c.result));
    }
}

TEST_F(Results, ListTextAndStudentOfAnAssessment)
{
    const qint32 id = addAssessment(ann, cls, starfish, 1);
    const QString text = QStringLiteral("Ann Lee (AID%1)").arg(id);
    EXPECT_EQ(AssessmentListText(QStringLiteral("Ann"), QStringLiteral("Lee"), id), text);
    EXPECT_EQ(GetAssessmentIdFromListText(text), id);
    EXPECT_EQ(GetAssessmentIdFromListText(text.toLower()), 0);
    EXPECT_EQ(GetAssessmentIdFromListText(QStringLiteral("Ann Leek (AID%1)").arg(id)), 0);
    EXPECT_EQ(GetAssessmentIdFromListText(QStringLiteral("Ann Lee")), 0);
    EXPECT_EQ(GetAssessmentStudentID(id), ann);
    EXPECT_EQ(GetAssessmentStudentID(id + 1), 0);

    exec(QStringLiteral("DELETE FROM Students WHERE StudentID = %1").arg(ann));
    EXPECT_EQ(GetAssessmentStudentID(id), 0);
    EXPECT_EQ(GetAssessmentIdFromListText(text), 0);
}

TEST_F(Results, IdsAbove32767AreCarried)
{
    exec(QStringLiteral("INSERT INTO Assessments (AssessmentID, StudentID, [Date], LevelID, "
                        "PassLevel, Processed, ClassID) VALUES (40000, %1, #2026-03-01#, %2, 1, "
                        "2, %3)")
             .arg(ann)
             .arg(starfish)
             .arg(cls));
    EXPECT_EQ(GetLastAssessmentID(0, ann), 40000);
    EXPECT_EQ(GetAssessmentIdFromListText(QStringLiteral("Ann Lee (AID40000)")), 40000);
}

// --- Award levels.

TEST_F(AssessmentTest, LevelsAreAddedUpdatedAndRefusedByName)
{
    qint32 id = 0;
    ASSERT_EQ(SaveLevel(id, {QStringLiteral("O'Brien's <b>&"), QStringLiteral("Forever"), {},
                             QStringLiteral("3"), false}),
              LevelSaveResult::Saved);
    ASSERT_GT(id, 0);
    EXPECT_TRUE(value(QStringLiteral("SELECT DurationValue FROM Levels WHERE LevelID=%1").arg(id))
                    .isNull());
    const auto shown = FindLevelByListText(QStringLiteral("O'Brien's <b>& (ID#%1)").arg(id));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->durationUnit, QStringLiteral("Forever"));
    EXPECT_EQ(shown->sequence, QStringLiteral("3"));
    EXPECT_FALSE(FindLevelByListText(QStringLiteral("o'brien's <b>& (ID#%1)").arg(id)));

    // Emptied boxes keep what is stored; the unit is always written.
    qint32 same = id;
    ASSERT_EQ(SaveLevel(same, {{}, QStringLiteral("Years"), QStringLiteral("2"), {}, true}),
              LevelSaveResult::Saved);
    EXPECT_EQ(same, id);
    const auto edited = FindLevelByListText(QStringLiteral("O'Brien's <b>& (ID#%1)").arg(id));
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->durationUnit, QStringLiteral("Years"));
    EXPECT_EQ(edited->durationValue, QStringLiteral("2"));
    EXPECT_TRUE(edited->inactive);
    EXPECT_EQ(LevelListTexts(true), QStringList());
    EXPECT_EQ(LevelListTexts(false), QStringList{QStringLiteral("O'Brien's <b>& (ID#%1)").arg(id)});

    qint32 other = 0;
    EXPECT_EQ(SaveLevel(other, {QStringLiteral("o'brien's <b>&"), {}, {}, {}, false}),
              LevelSaveResult::Duplicate);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Levels")), 1);
    other = addLevel(QStringLiteral("Turtle"));
    EXPECT_EQ(SaveLevel(other, {QStringLiteral("O'Brien's <b>&"), {}, {}, {}, false}),
              LevelSaveResult::Duplicate);
    EXPECT_EQ(value(QStringLiteral("SELECT Description FROM Levels WHERE LevelID=%1").arg(other)),
              QStringLiteral("Turtle"));

    qint32 gone = other + 10;
    EXPECT_EQ(SaveLevel(gone, {QStringLiteral("Whale"), {}, {}, {}, false}),
              LevelSaveResult::NotFound);
}

TEST_F(AssessmentTest, CriteriaOfALevel)
{
    const qint32 level = addLevel(QStringLiteral("Starfish"));
    const qint32 other = addLevel(QStringLiteral("Turtle"));
    AddCriterion(level, QStringLiteral("Float; 5 \"secs\" #1"));
    AddCriterion(level, QStringLiteral("Kick"));
    AddCriterion(level, QStringLiteral("Kick"));
    AddCriterion(other, QStringLiteral("Kick"));
    EXPECT_EQ(LevelCriteria(level), (QStringList{QStringLiteral("Float; 5 \"secs\" #1"),
                                                 QStringLiteral("Kick"), QStringLiteral("Kick")}));
    EXPECT_TRUE(DeleteCriterion(level, QStringLiteral("Kick")));
    EXPECT_EQ(LevelCriteria(level),
              (QStringList{QStringLiteral("Float; 5 \"secs\" #1"), QStringLiteral("Kick")}));
    EXPECT_EQ(LevelCriteria(other), QStringList{QStringLiteral("Kick")});
    EXPECT_FALSE(DeleteCriterion(level, QStringLiteral("kick ")));

    // Deleting the level leaves its criteria.
    EXPECT_TRUE(DeleteLevel(level));
    EXPECT_FALSE(DeleteLevel(level));
    EXPECT_EQ(LevelCriteria(level).size(), 2);
}

// --- Entering and the class assessment window's lists.

TEST_F(AssessmentTest, ProgramsOfferedForAssessment)
{
    addProgram(QStringLiteral("Active"));
    const qint32 open = addProgram(QStringLiteral("Old open"), QStringLiteral("Enrolment"),
                                   vb::Currency(100), 1);
    const qint32 done = addProgram(QStringLiteral("Old done"), QStringLiteral("Enrolment"),
                                   vb::Currency(100), 1);
    addProgram(QStringLiteral("Old empty"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    addAssessment(s, addClass(open), 0, 0);
    addAssessment(s, addClass(done), 0, 2);
    QStringList offered = ProgramsToAssess();
    offered.sort();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Active"), QStringLiteral("Old open")}));
}

TEST_F(AssessmentTest, ClassListsByDayTimeAndInstructor)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 other = addProgram(QStringLiteral("Term 2"));
    const qint32 tueLate = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Tuesday"),
                                    17, 0);
    const qint32 monLate = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"),
                                    16, 30);
    const qint32 monEarly = addClass(program, QStringLiteral("Level 3"), QStringLiteral("Monday"),
                                     9, 0);
    addClass(program, QStringLiteral("Level 4"), QStringLiteral("Funday"), 9, 0);
    const qint32 elsewhere = addClass(other);
    const qint32 bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("O'Hara"));
    const qint32 cat = addInstructor(QStringLiteral("Cat"), QStringLiteral("Ng"));
    const qint32 gone = addInstructor(QStringLiteral("Dan"), QStringLiteral("Old"), 1);
    linkInstructor(monLate, bob);
    linkInstructor(monLate, cat);
    linkInstructor(tueLate, cat);
    linkInstructor(tueLate, gone);
    linkInstructor(elsewhere, addInstructor(QStringLiteral("Eve"), QStringLiteral("Far")));

    auto ids = [](const QList<ClassEntry> &list) {
        QList<qint32> out;
        for (const ClassEntry &e : list)
            out << e.classId;
        return out;
    };
    const QList<ClassEntry> all = ClassList(program, {}, 0);
    EXPECT_EQ(ids(all), (QList<qint32>{monEarly, monLate, tueLate}));
    EXPECT_EQ(all.at(1).caption,
              QStringLiteral("Monday 04:30 PM Level 1 [Bob O'Hara and Cat Ng]  (CID#%1)").arg(monLate));
    EXPECT_EQ(all.at(0).caption,
              QStringLiteral("Monday 09:00 AM Level 3 [(none)]  (CID#%1)").arg(monEarly));
    EXPECT_EQ(ids(ClassList(program, QStringLiteral("Tuesday"), 0)), QList<qint32>{tueLate});
    EXPECT_EQ(ids(ClassList(program, {}, cat)), (QList<qint32>{monLate, tueLate}));
    EXPECT_EQ(ids(ClassList(program, QStringLiteral("Monday"), cat)), QList<qint32>{monLate});
    EXPECT_EQ(ids(ClassList(program, {}, bob)), QList<qint32>{monLate});

    QStringList names = ProgramInstructorNames(program);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Bob O'Hara"), QStringLiteral("Cat Ng")}));
}

TEST_F(AssessmentTest, StudentListsOfAClassAndTheirChanges)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 cls = addClass(program);
    const qint32 otherClass = addClass(program);
    const qint32 level = addLevel(QStringLiteral("Starfish"));
    auto student = [&](const char *first, const char *status) {
        const qint32 id = addStudent(QString::fromLatin1(first), QStringLiteral("Lee"));
        addBooking(cls, id, QString::fromLatin1(status));
        return id;
    };
    const qint32 amy = student("Amy", "Confirmed");
    student("Ben", "Tentative");
    student("Cal", "Waiting");
    student("Dee", "Cancelled");
    student("Eli", "Catch Up");
    const qint32 fay = student("Fay", "Confirmed");
    const qint32 gus = student("Gus", "Confirmed");
    const qint32 hal = student("Hal", "Confirmed");
    addAssessment(amy, cls, level, 0);             // placed only: still unassessed
    const qint32 fayA = addAssessment(fay, cls, level, 1); // assessed
    addAssessment(gus, cls, level, 2);             // finalised
    addAssessment(hal, otherClass, level, 1);      // another class's assessment
    addCrit(fayA, QStringLiteral("Kick"), 1);

    EXPECT_EQ(UnassessedStudents(cls),
              (QStringList{QStringLiteral("Amy Lee (SID%1)").arg(amy),
                           QStringLiteral("Ben Lee (SID%1)").arg(amy + 1),
                           QStringLiteral("Hal Lee (SID%1)").arg(hal)}));
    EXPECT_EQ(UnfinalisedAssessments(cls), QStringList{QStringLiteral("Fay Lee (AID%1)").arg(fayA)});

    // A reset puts the assessment back to state 0 and deletes its criteria.
    EXPECT_TRUE(ResetAssessment(fayA));
    EXPECT_EQ(value(QStringLiteral("SELECT Processed & '/' & LevelID & '/' & Notes & '/' & "
                                   "Format([Date], 'yyyy-mm-dd') FROM Assessments WHERE "
                                   "AssessmentID = %1")
                        .arg(fayA)),
              QStringLiteral("0/0//2026-03-01"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 0);
    EXPECT_TRUE(UnassessedStudents(cls).contains(QStringLiteral("Fay Lee (SID%1)").arg(fay)));
    EXPECT_FALSE(ResetAssessment(fayA + 100));

    // Finalising raises only this class's state-1 rows.
    const qint32 again = addAssessment(fay, cls, level, 1);
    EXPECT_EQ(FinaliseClass(cls), 1);
    EXPECT_EQ(FinaliseClass(cls), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = %1")
                        .arg(again)),
              2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments WHERE Processed = 1")), 1);
}

TEST_F(AssessmentTest, ResetAndRemoveChangeNothingWhenAWriteFails)
{
    const qint32 cls = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 assessed = addAssessment(s, cls, addLevel(QStringLiteral("Starfish")), 1);
    addCrit(assessed, QStringLiteral("Kick"), 1);
    block(QStringLiteral("AssessCrit"), QStringLiteral("DELETE"));
    EXPECT_THROW(ResetAssessment(assessed), jet::Error);
    EXPECT_EQ(value(QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = %1")
                        .arg(assessed)),
              1);

    const PlacedStudent placed = PlaceStudent(s, 7, cls);
    EXPECT_EQ(placed.firstName, QStringLiteral("Ann"));
    EXPECT_EQ(value(QStringLiteral("SELECT Processed & '/' & InstructorID & '/' & ClassID & '/' & "
                                   "StudentID FROM Assessments WHERE AssessmentID = %1")
                        .arg(placed.assessmentId)),
              QStringLiteral("0/7/%1/%2").arg(cls).arg(s));
    // Only a placement is removed.
    EXPECT_FALSE(RemovePlacedStudent(assessed));
    EXPECT_TRUE(RemovePlacedStudent(placed.assessmentId));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 1);
}

TEST_F(AssessmentTest, StudentOfAPickListEntry)
{
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    EXPECT_EQ(StudentIdForEntry(QStringLiteral("Lee, Ann (SID#%1)").arg(s)), s);
    EXPECT_EQ(StudentIdForEntry(QStringLiteral("LEE, ann (sid#%1)").arg(s)), s);
    EXPECT_EQ(StudentIdForEntry(QStringLiteral("Lee, Anna (SID#%1)").arg(s)), 0);
    EXPECT_EQ(StudentIdForEntry(QStringLiteral("Lee, Ann (SID#%1)").arg(s + 1)), 0);
    EXPECT_EQ(StudentIdForEntry(QStringLiteral("Lee, Ann")), 0);
}

// --- The sheet.

class Sheets : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        cls = addClass(addProgram(QStringLiteral("Term 1")));
        level = addLevel(QStringLiteral("Starfish"));
    }
    Sheet newSheet() const
    {
        Sheet s;
        s.studentId = student;
        s.instructorId = 3;
        s.classId = cls;
        s.levelId = level;
        return s;
    }
    QString crits(qint32 id)
    {
        QStringList out;
        for (const Criterion &c : SheetCriteria(id))
            out << c.text + (c.attained ? QStringLiteral("+") : QStringLiteral("-"));
        return out.join(QLatin1Char('|'));
    }
    qint32 student = 0, cls = 0, level = 0;
};

TEST_F(Sheets, SavingANewAndAnExistingAssessment)
{
    Sheet s = newSheet();
    s.notes = QStringLiteral("O'Brien said \"#1; <b>&\"");
    s.comment = QStringLiteral("Well done; #1 'swimmer' <b>&");
    const QString odd = QStringLiteral("Kick \"#1\"; O'Brien's <b>&");
    ASSERT_EQ(SaveSheet(s, {{QStringLiteral("Float"), true}, {odd, false}}),
              SheetSaveResult::Saved);
    ASSERT_GT(s.assessmentId, 0);
    EXPECT_EQ(s.date, TodayText());
    const auto stored = LoadSheet(s.assessmentId);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->notes, s.notes);
    EXPECT_EQ(stored->comment, s.comment);
    EXPECT_EQ(stored->studentId, student);
    EXPECT_EQ(stored->classId, cls);
    EXPECT_EQ(stored->levelId, level);
    EXPECT_TRUE(value(QStringLiteral("SELECT RenewalDate FROM Assessments")).isNull());
    EXPECT_EQ(value(QStringLiteral("SELECT Format([Date], 'yyyy-mm-dd') & '/' & Processed & '/' & "
                                   "PassLevel FROM Assessments")),
              vb::Format(vb::Date(), QStringLiteral("yyyy-mm-dd")) + QStringLiteral("/1/0"));
    EXPECT_EQ(crits(s.assessmentId), QStringLiteral("Float+|") + odd + QStringLiteral("-"));

    // A second save of a finalised-meanwhile assessment keeps its state and one set
    // of criteria; an empty expiry keeps the stored one.
    exec(QStringLiteral("UPDATE Assessments SET Processed = 2, RenewalDate = #2027-01-31#"));
    Sheet again = *LoadSheet(s.assessmentId);
    again.renewalDate.clear();
    ASSERT_EQ(SaveSheet(again, {{QStringLiteral("Float"), true}, {QStringLiteral("Kick"), true}}),
              SheetSaveResult::Saved);
    EXPECT_EQ(again.assessmentId, s.assessmentId);
    EXPECT_EQ(crits(s.assessmentId), QStringLiteral("Float+|Kick+"));
    EXPECT_EQ(value(QStringLiteral("SELECT Processed & '/' & PassLevel & '/' & "
                                   "Format(RenewalDate, 'yyyy-mm-dd') FROM Assessments")),
              QStringLiteral("2/1/2027-01-31"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 1);
}

TEST_F(Sheets, PassMarks)
{
    const struct
    {
        QList<Criterion> criteria;
        int pass;
    } cases[] = {
        {{{QStringLiteral("a"), true}, {QStringLiteral("b"), true}}, 1},
        {{{QStringLiteral("a"), true}, {QStringLiteral("b"), false}}, 0},
        {{}, 1},
    };
    for (const auto &c : cases) {
        Sheet s = newSheet();
        ASSERT_EQ(SaveSheet(s, c.criteria), SheetSaveResult::Saved);
        EXPECT_EQ(value(QStringLiteral("SELECT PassLevel FROM Assessments WHERE AssessmentID = %1")
                            .arg(s.assessmentId)),
                  c.pass);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit WHERE AssessmentID = %1")
                            .arg(s.assessmentId)),
                  c.criteria.size());
    }
}

TEST_F(Sheets, RefusedSavesWriteNothing)
{
    const struct
    {
        const char *name;
        void (*change)(Sheet &);
        SheetSaveResult result;
    } cases[] = {
        {"bad date", [](Sheet &s) { s.date = QStringLiteral("31-Feb-2026x"); },
         SheetSaveResult::BadDate},
        {"bad expiry", [](Sheet &s) { s.renewalDate = QStringLiteral("soon"); },
         SheetSaveResult::BadExpiry},
        {"no level", [](Sheet &s) { s.levelId = 0; }, SheetSaveResult::NoLevel},
        {"deleted meanwhile", [](Sheet &s) { s.assessmentId = 999; }, SheetSaveResult::Missing},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s = newSheet();
        c.change(s);
        EXPECT_EQ(SaveSheet(s, {{QStringLiteral("Kick"), true}}), c.result);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 0);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 0);
    }
}

TEST_F(Sheets, ABlockedWriteKeepsTheOldRows)
{
    Sheet s = newSheet();
    s.notes = QStringLiteral("first");
    ASSERT_EQ(SaveSheet(s, {{QStringLiteral("Kick"), false}}), SheetSaveResult::Saved);
    block(QStringLiteral("AssessCrit"), QStringLiteral("INSERT"));
    s.notes = QStringLiteral("second");
    EXPECT_THROW(SaveSheet(s, {{QStringLiteral("Kick"), true}, {QStringLiteral("Float"), true}}),
                 jet::Error);
    EXPECT_EQ(crits(s.assessmentId), QStringLiteral("Kick-"));
    EXPECT_EQ(value(QStringLiteral("SELECT Notes & '/' & PassLevel FROM Assessments")),
              QStringLiteral("first/0"));

    Sheet fresh = newSheet();
    EXPECT_THROW(SaveSheet(fresh, {{QStringLiteral("Kick"), true}}), jet::Error);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 1);
}
