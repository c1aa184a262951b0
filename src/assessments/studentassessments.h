#pragma once

#include "imodassessments.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// Assessments of one student recorded or shown outside the class assessment
// windows: the single assessment written finalised from the student record, and
// a past assessment read, and deleted, by its key.
namespace imodAssessments {

// The employees who may record a single assessment: every person marked as an
// employee with an Instructors row, inactive ones too, in row order.
QList<Employee> SingleAssessmentEmployees();

struct SingleAssessment
{
    qint32 studentId = 0;
    qint32 instructorId = 0;
    qint32 levelId = 0;
    QString date;    // as typed; "" stores no date
    QString notes;   // "" stores Null
    QString expires; // as typed; "" stores no renewal date
};
enum class SingleSaveResult { Saved, BadDate, BadExpiry };
// Reads a typed date: in the program's date pattern, else in any form the runtime
// reads. Nothing for text that is no date.
std::optional<QDate> TypedDate(const QString &text);
// Checks the two dates, then writes the assessment finalised (state 2) with one
// criteria row per entry in list order and its PassLevel (1 when every entry is
// attained, also when there are none), all in one transaction. Gives the new
// AssessmentID through assessmentId when saved. A failure of the engine raises
// with nothing written.
SingleSaveResult SaveSingleAssessment(const SingleAssessment &assessment,
                                      const QList<Criterion> &criteria,
                                      qint32 *assessmentId = nullptr);

// One stored assessment as the past-assessment window shows it.
struct PastAssessment
{
    qint32 assessmentId = 0;
    qint32 studentId = 0;
    qint32 instructorId = 0;
    qint32 levelId = 0;
    QString date;    // "" when Null
    QString notes;   // "" when Null
    QString expires; // "" when Null
    QVariant passLevel;
    int processed = 0;
    QList<Criterion> criteria; // in the order they were written
};
// The assessment and its criteria, read by key; nothing when there is none.
std::optional<PastAssessment> LoadPastAssessment(qint32 assessmentId);
// Deletes the Assessments row (its criteria rows stay); false when there was none.
// A failure of the engine raises.
bool DeleteAssessment(qint32 assessmentId);

} // namespace imodAssessments
