#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// Assessments: one Assessments row per assessment of one student at one award
// level, its AssessCrit rows (one per criterion of the level, by name), the award
// levels and their criteria, and the questions and changes the assessment windows
// ask of them. Values reach SQL only through the quoting helpers; IDs are 32-bit.
// Unless said otherwise a failure of the engine reaches the caller, and every
// change of several rows runs in one transaction, so that a failure leaves the
// data file as it was.
namespace imodAssessments {

// Assessments.Processed.
enum AssessmentState : int {
    Placed = 0,    // put into a class only to be assessed there; no result yet
    Assessed = 1,  // criteria and result recorded; still open to change
    Finalised = 2, // no longer changed
};

// The result words of PassLevel 1 and 0.
inline const QString AchievedText = QStringLiteral("Achieved");
inline const QString NotYetCompetentText = QStringLiteral("Not Yet Competent");

// "Ann Lee (AID57)".
QString AssessmentListText(const QString &firstName, const QString &lastName,
                           qint32 assessmentId);
// The number after the marker ("(AID", "(SID", "(SID#", "(ID#") up to the next ")";
// 0 when the text has no marker or no number there.
qint32 NumberAfterMarker(const QString &text, const QString &marker);
// PassLevel: 1 when every criterion is attained (also when there are none), else 0.
int PassLevelFor(const QList<bool> &attained);

// --- Last-result questions. These read single rows by key.
// The StudentID of the assessment (0 when there is none or its student is gone).
qint32 GetAssessmentStudentID(qint32 assessmentId);
// The assessment whose list text equals the text exactly (case counts); 0 when none.
qint32 GetAssessmentIdFromListText(const QString &listText);
// The student's latest assessment in state 1 or 2, in any class (classId is not
// used); 0 when there is none.
qint32 GetLastAssessmentID(qint32 classId, qint32 studentId);
// Of an assessment in state 1 or 2, else "-": the level's description ("" when the
// level is gone), the date in the short date form ("-" without one), the result
// word (an empty PassLevel reads "Achieved").
QString GetAssessmentLevelName(qint32 assessmentId);
QString GetAssessmentDate(qint32 assessmentId);
QString GetAssessmentResult(qint32 assessmentId);

// --- Award levels and their criteria.
struct Level
{
    qint32 id = 0;
    QString description;
    QString durationUnit;
    QString durationValue; // as text; "" when Null
    bool inactive = false;
    QString sequence; // as text; "" when Null
};
// "Starfish (ID#4)".
QString LevelListText(const QString &description, qint32 levelId);
// The list texts of the levels (only the active ones with hideInactive).
QStringList LevelListTexts(bool hideInactive);
// The level whose list text equals the entry exactly; nothing when none.
std::optional<Level> FindLevelByListText(const QString &entry);
// The criteria names of the level, in the order they were added.
QStringList LevelCriteria(qint32 levelId);

// What the editor's boxes hold when it saves. Boxes left empty are not written
// (a new row leaves the column Null, an edited one keeps its value); the unit is
// written when it is not empty for a new level and always for an edited one.
struct LevelEntry
{
    QString description;
    QString durationUnit;
    QString durationValue;
    QString sequence;
    bool inactive = false;
};
enum class LevelSaveResult { Saved, NotFound, Duplicate };
// Adds the level (levelId 0) or updates it; gives the LevelID written (the new
// one for an added level) through levelId. Duplicate: another level has the
// name; nothing was written. Other failures raise.
LevelSaveResult SaveLevel(qint32 &levelId, const LevelEntry &entry);
// The number of assessments of the level.
int CountLevelAssessments(qint32 levelId);
// Deletes the level's row (its criteria stay); false when there was none.
bool DeleteLevel(qint32 levelId);
// The longest criterion name.
constexpr int MaxCriterionLength = 50;
void AddCriterion(qint32 levelId, const QString &name);
// Deletes the first criterion of the level with that name; false when none.
bool DeleteCriterion(qint32 levelId, const QString &name);
// Whether the data file holds any level / any criterion at all.
bool AnyLevels();
bool AnyCriteria();

// --- Entering the class assessment.
// The programs offered for assessment: the active ones and the inactive ones with
// a class holding an assessment in state 0 or 1.
QStringList ProgramsToAssess();
struct Employee
{
    qint32 instructorId = 0;
    QString name; // "First Last"
};
// The instructors whose person is active and not special.
QList<Employee> EmployeesToAssess();
// The instructor's UserID in upper case; "" when none.
QString InstructorUserId(qint32 instructorId);

// --- The class assessment window's lists.
// "(All)" comes first in the window; these are the active instructors linked to a
// class of the program, "First Last", once each.
QStringList ProgramInstructorNames(qint32 programId);
struct ClassEntry
{
    qint32 classId = 0;
    QString caption; // "Monday 04:30 PM Level 1 [Ann Lee]  (CID#12)"
};
// The program's classes on days of the day list, by the day's sequence and then
// by time; only the day's classes when dayName is not empty, only those linked to
// the instructor when instructorId is not 0.
QList<ClassEntry> ClassList(qint32 programId, const QString &dayName, qint32 instructorId);
// "First Last (SIDn)" of the students booked Confirmed or Tentative into the class
// with no assessment of state 1 or 2 in it; by first then last name.
QStringList UnassessedStudents(qint32 classId);
// "First Last (AIDn)" of the class's assessments in state 1.
QStringList UnfinalisedAssessments(qint32 classId);
// Puts an assessment back to state 0 with level 0 and empty notes and deletes its
// criteria; false when there is no such assessment (nothing changes).
bool ResetAssessment(qint32 assessmentId);
// Raises the class's assessments of state 1 to 2; gives how many.
int FinaliseClass(qint32 classId);
// Deletes the placed (state 0) assessment; false when there is none.
bool RemovePlacedStudent(qint32 assessmentId);

// --- Placing a student for assessment.
// The student of a pick-list entry "Lee, Ann (SID#315)": the number in it, read by
// key, whose built entry equals the text without regard to case; 0 when none.
qint32 StudentIdForEntry(const QString &entry);
struct PlacedStudent
{
    qint32 assessmentId = 0;
    QString firstName;
    QString lastName;
};
// Writes the state-0 row of the student in the class for the instructor.
PlacedStudent PlaceStudent(qint32 studentId, qint32 instructorId, qint32 classId);

// --- The assessment sheet.
struct Criterion
{
    QString text;
    bool attained = false;
};
struct Sheet
{
    qint32 assessmentId = 0; // 0: a new assessment
    qint32 studentId = 0;
    qint32 instructorId = 0;
    qint32 classId = 0;
    qint32 levelId = 0;  // 0 when none
    QString date;        // as typed; the stored date as text when loaded
    QString renewalDate; // as typed; "" leaves the stored value
    QString notes;
    QString comment;
};
// The stored assessment (its StudentID from GetAssessmentStudentID); nothing when
// there is none.
std::optional<Sheet> LoadSheet(qint32 assessmentId);
// The stored criteria of the assessment, in the order they were written.
QList<Criterion> SheetCriteria(qint32 assessmentId);
// Today as a sheet writes an empty date: "dd-mmm-yyyy".
QString TodayText();
enum class SheetSaveResult { Saved, BadDate, BadExpiry, NoLevel, Missing };
// Checks and writes the sheet: the Assessments row (state 1 only for a new row),
// its criteria rows in list order and its PassLevel, all in one transaction. An
// empty date is written as today. Gives the assessment's ID through
// sheet.assessmentId when saved. Missing: the assessment was deleted meanwhile.
// A failure of the engine raises with nothing written.
SheetSaveResult SaveSheet(Sheet &sheet, const QList<Criterion> &criteria);

} // namespace imodAssessments
