// Finalising a program's assessments, the single assessment of the student record
// and the past assessment read and deleted by key.
#include "assessments/assessmentfixture.h"
#include "assessments/imodassessments.h"
#include "assessments/programfinalise.h"
#include "assessments/studentassessments.h"
#include "core/centresettings.h"

using namespace imodAssessments;

namespace {

class Finalising : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        level = addLevel(QStringLiteral("Starfish"));
        term = addProgram(QStringLiteral("Term 1"));
        other = addProgram(QStringLiteral("Term 2"));
        monday = addClass(term);
        tuesday = addClass(term, QStringLiteral("Level 2"), QStringLiteral("Tuesday"));
        elsewhere = addClass(other);
        placed = addAssessment(ann, monday, level, 0);
        assessed = addAssessment(ann, tuesday, level, 1);
        finalised = addAssessment(ann, monday, level, 2);
        odd = addAssessment(ann, monday, level, 5);
        addCrit(placed, QStringLiteral("Float"), 0);
        addCrit(assessed, QStringLiteral("Kick"), 1);
        // Not of the program's classes: of another program, and of no class.
        addAssessment(ann, elsewhere, level, 0);
        addAssessment(ann, elsewhere, level, 1);
        addAssessment(ann, 0, level, 0);
        addAssessment(ann, 0, level, 1);
    }
    // "id:state" of every assessment, in key order.
    QString states()
    {
        QStringList out;
        for (int i = 1; i <= 8; ++i) {
            const QVariant v = value(
                QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = %1").arg(i));
            out << (v.isValid() ? v.toString() : QStringLiteral("-"));
        }
        return out.join(QLatin1Char(' '));
    }
    qint32 ann = 0, level = 0, term = 0, other = 0, monday = 0, tuesday = 0, elsewhere = 0;
    qint32 placed = 0, assessed = 0, finalised = 0, odd = 0;
};

} // namespace

TEST_F(Finalising, EachOptionChangesOnlyTheProgramsAssessments)
{
    ASSERT_EQ(placed, 1);
    ASSERT_EQ(states(), QStringLiteral("0 1 2 5 0 1 0 1"));
    const struct
    {
        FinaliseOption option;
        const char *after;
        int deleted, finalised;
    } cases[] = {
        {FinaliseOption::Finalise, "- 2 2 5 0 1 0 1", 1, 1},
        {FinaliseOption::Delete, "- - 2 5 0 1 0 1", 2, 0},
        {FinaliseOption::Leave, "- 1 2 5 0 1 0 1", 1, 0},
    };
    const int classes = count(QStringLiteral("SELECT * FROM Classes"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after);
        exec(QStringLiteral("DELETE FROM Assessments WHERE AssessmentID <= 4"));
        const int restored[][3] = {{1, 0, 0}, {2, 1, 1}, {3, 2, 0}, {4, 5, 0}};
        for (const auto &r : restored)
            exec(QStringLiteral("INSERT INTO Assessments (AssessmentID, StudentID, LevelID, "
                                "Processed, ClassID) VALUES (%1, %2, %3, %4, %5)")
                     .arg(r[0])
                     .arg(ann)
                     .arg(level)
                     .arg(r[1])
                     .arg(r[2] ? tuesday : monday));
        const FinaliseCounts done = FinaliseProgram(term, c.option);
        EXPECT_EQ(states(), QString::fromLatin1(c.after));
        EXPECT_EQ(done.deleted, c.deleted);
        EXPECT_EQ(done.finalised, c.finalised);
        // The classes and the criteria rows, those of deleted assessments too, stay.
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), classes);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 2);
    }
}

TEST_F(Finalising, AFailureHalfWayLeavesEveryRowAsItWas)
{
    block(QStringLiteral("Assessments"), QStringLiteral("DELETE"));
    EXPECT_ANY_THROW(FinaliseProgram(term, FinaliseOption::Finalise));
    EXPECT_EQ(states(), QStringLiteral("0 1 2 5 0 1 0 1"));
}

TEST_F(Finalising, AProgramWithoutAssessmentsAndTheProgramsStillOffered)
{
    const qint32 empty = addProgram(QStringLiteral("Empty"));
    const FinaliseCounts none = FinaliseProgram(empty, FinaliseOption::Finalise);
    EXPECT_EQ(none.deleted + none.finalised, 0);
    EXPECT_EQ(states(), QStringLiteral("0 1 2 5 0 1 0 1"));

    // An inactive program is offered while it holds assessments in state 0 or 1.
    exec(QStringLiteral("UPDATE Programs SET Inactive = 1 WHERE ProgramID IN (%1, %2)")
             .arg(term)
             .arg(empty));
    EXPECT_TRUE(ProgramsToAssess().contains(QStringLiteral("Term 1")));
    EXPECT_FALSE(ProgramsToAssess().contains(QStringLiteral("Empty")));
    FinaliseProgram(term, FinaliseOption::Leave);
    EXPECT_TRUE(ProgramsToAssess().contains(QStringLiteral("Term 1")));
    FinaliseProgram(term, FinaliseOption::Finalise);
    EXPECT_FALSE(ProgramsToAssess().contains(QStringLiteral("Term 1")));
    EXPECT_TRUE(ProgramsToAssess().contains(QStringLiteral("Term 2")));
}

namespace {

class SingleAssessments : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
        level = addLevel(QStringLiteral("Starfish"));
    }
    SingleAssessment entry(const QString &date = {}, const QString &notes = {},
                           const QString &expires = {})
    {
        return {ann, bob, level, date, notes, expires};
    }
    QString row(qint32 id)
    {
        return value(QStringLiteral("SELECT StudentID & '/' & IIf(IsNull([Date]), 'null', "
                                    "Format([Date], 'yyyy-mm-dd')) & '/' & InstructorID & '/' & "
                                    "LevelID & '/' & IIf(IsNull(Notes), 'null', Notes) & '/' & "
                                    "IIf(IsNull(RenewalDate), 'null', Format(RenewalDate, "
                                    "'yyyy-mm-dd')) & '/' & PassLevel & '/' & Processed FROM "
                                    "Assessments WHERE AssessmentID = %1")
                         .arg(id))
            .toString();
    }
    qint32 ann = 0, bob = 0, level = 0;
};

} // namespace

TEST_F(SingleAssessments, WrittenFinalisedWithItsCriteriaAndPassMark)
{
    const struct
    {
        const char *name;
        QList<Criterion> criteria;
        int pass;
    } cases[] = {
        {"no criteria", {}, 1},
        {"all attained", {{QStringLiteral("Kick"), true}, {QStringLiteral("Float"), true}}, 1},
        {"one not attained", {{QStringLiteral("Kick"), true}, {QStringLiteral("Float"), false}}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        qint32 id = 0;
        ASSERT_EQ(SaveSingleAssessment(entry(), c.criteria, &id), SingleSaveResult::Saved);
        ASSERT_GT(id, 0);
        EXPECT_EQ(row(id), QStringLiteral("%1/null/%2/%3/null/null/%4/2")
                               .arg(ann)
                               .arg(bob)
                               .arg(level)
                               .arg(c.pass));
        EXPECT_EQ(SheetCriteria(id).size(), c.criteria.size());
        for (qsizetype i = 0; i < c.criteria.size(); ++i) {
            EXPECT_EQ(SheetCriteria(id)[i].text, c.criteria[i].text);
            EXPECT_EQ(SheetCriteria(id)[i].attained, c.criteria[i].attained);
        }
    }
}

TEST_F(SingleAssessments, DatesAreCheckedBeforeAnythingIsWritten)
{
    const QString notes = QStringLiteral("Ann's \"kick\"; #2 <b>&");
    qint32 id = 0;
    ASSERT_EQ(
        SaveSingleAssessment(
            entry(QStringLiteral("05/03/2026"), notes, QStringLiteral("2027-03-05")), {}, &id),
        SingleSaveResult::Saved);
    EXPECT_EQ(row(id), QStringLiteral("%1/2026-03-05/%2/%3/%4/2027-03-05/1/2")
                           .arg(ann)
                           .arg(bob)
                           .arg(level)
                           .arg(notes));

    EXPECT_EQ(SaveSingleAssessment(entry(QStringLiteral("31/02/2026")), {{"Kick", true}}),
              SingleSaveResult::BadDate);
    EXPECT_EQ(SaveSingleAssessment(entry({}, {}, QStringLiteral("soon")), {{"Kick", true}}),
              SingleSaveResult::BadExpiry);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 0);
}

TEST_F(SingleAssessments, AFailedCriterionWritesNothing)
{
    block(QStringLiteral("AssessCrit"), QStringLiteral("INSERT"));
    EXPECT_ANY_THROW(SaveSingleAssessment(entry(), {{QStringLiteral("Kick"), false}}));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 0);
}

TEST_F(SingleAssessments, PastAssessmentsReadAndDeletedByKey)
{
    qint32 first = 0, newest = 0;
    SaveSingleAssessment(entry(QStringLiteral("01/03/2026"), QStringLiteral("n")),
                         {{QStringLiteral("Kick"), true}, {QStringLiteral("Float"), false}},
                         &first);
    SaveSingleAssessment(entry(), {{QStringLiteral("Dive"), true}}, &newest);
    const std::optional<PastAssessment> past = LoadPastAssessment(first);
    ASSERT_TRUE(past);
    EXPECT_EQ(past->studentId, ann);
    EXPECT_EQ(past->instructorId, bob);
    EXPECT_EQ(past->levelId, level);
    EXPECT_EQ(past->notes, QStringLiteral("n"));
    EXPECT_FALSE(past->date.isEmpty());
    EXPECT_TRUE(past->expires.isEmpty());
    EXPECT_EQ(past->passLevel.toInt(), 0);
    EXPECT_EQ(past->processed, 2);
    ASSERT_EQ(past->criteria.size(), 2);
    EXPECT_EQ(past->criteria[1].text, QStringLiteral("Float"));
    EXPECT_FALSE(LoadPastAssessment(newest + 1));

    // The newest deleted: its criteria rows stay, and the next assessment gets a
    // new number, with none of them.
    EXPECT_TRUE(DeleteAssessment(newest));
    EXPECT_FALSE(DeleteAssessment(newest));
    EXPECT_FALSE(LoadPastAssessment(newest));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit WHERE AssessmentID = %1").arg(newest)),
              1);
    qint32 next = 0;
    SaveSingleAssessment(entry(), {}, &next);
    EXPECT_GT(next, newest);
    EXPECT_TRUE(LoadPastAssessment(next)->criteria.isEmpty());
}
