#pragma once

#include <QtGlobal>

// Closing the assessments of a whole program at once.
namespace imodAssessments {

// What becomes of the program's assessments in state 1 (assessed, unfinalised).
enum class FinaliseOption {
    Finalise, // raised to 2
    Delete,   // deleted
    Leave,    // left at 1
};

struct FinaliseCounts
{
    int deleted = 0;
    int finalised = 0;
};

// Works on the Assessments rows whose class belongs to the program: deletes those
// in state 0 whatever the option, handles those in state 1 by the option and leaves
// every other state alone. Assessments of no class of the program, the classes and
// the criteria rows (also those of a deleted assessment) are not touched. Runs in
// one transaction: a failure of the engine raises with every row as it was.
FinaliseCounts FinaliseProgram(qint32 programId, FinaliseOption option);

} // namespace imodAssessments
