// Assessing a class on the big data file, as the windows run it (…/engine), against the
// same statements run straight on SQLite's C API (…/sqlite): the statements are those the
// engine handed to SQLite, caught on their way in.
//   LoadUp        the class assessment window of the newest term (every class listed)
//   ChooseClass   both student lists of one class
//   SaveSheet     saving an assessment with five criteria
//   LastResult    the four getters of one student's last result
//   FinaliseProgram  a program of 4,500 open assessments (4,000 assessed, 500 placed)
//                 finalised, in a transaction rolled back after each run
//   OpenPast      the past-assessment window loading the assessment with the most criteria
//   SaveSingle    a single assessment with five criteria saved from the student record
#include "benchdata.h"

#include "assessments/assessing/frmassess2.h"
#include "assessments/assessing/frmpastassessment.h"
#include "assessments/imodassessments.h"
#include "assessments/programfinalise.h"
#include "assessments/studentassessments.h"
#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    qint32 term = 0;
    qint32 cls = 0;        // the newest term's class with the most bookings
    qint32 student = 0;    // a student with several results
    qint32 assessment = 0; // a stored assessment of that class
    qint32 instructor = 0;
    qint32 level = 0;

    Fixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        auto first = [](const QString &sql) {
            jet::Recordset rs(Global::DbConnection(), sql);
            return rs.eof() ? 0 : rs.value(0).toInt();
        };
        term = first(QStringLiteral("SELECT Max(ProgramID) FROM Programs"));
        cls = first(QStringLiteral("SELECT TOP 1 Bookings.ClassID FROM Bookings INNER JOIN "
                                   "Classes ON Bookings.ClassID = Classes.ClassID WHERE "
                                   "Classes.ProgramID = %1 GROUP BY Bookings.ClassID ORDER BY "
                                   "Count(*) DESC")
                        .arg(term));
        student = first(QStringLiteral("SELECT TOP 1 StudentID FROM Assessments WHERE Processed "
                                       "> 0 GROUP BY StudentID ORDER BY Count(*) DESC"));
        instructor = first(QStringLiteral("SELECT Min(InstructorID) FROM Instructors"));
        level = first(QStringLiteral("SELECT Min(LevelID) FROM Levels"));
        assessment = first(QStringLiteral("SELECT Max(AssessmentID) FROM Assessments WHERE "
                                          "StudentID = %1")
                               .arg(student));
    }

    // For the finalising of a program: the program with the most assessments, the first
    // 4,500 of them open again (500 placed, the rest assessed). Made at the first call.
    static constexpr int OpenAssessments = 4500;
    static constexpr int Placed = 500;
    qint32 busiestProgram = 0;
    qint32 reopenedProgram()
    {
        if (busiestProgram)
            return busiestProgram;
        auto first = [](const QString &sql) {
            jet::Recordset rs(Global::DbConnection(), sql);
            return rs.eof() ? 0 : rs.value(0).toInt();
        };
        busiestProgram = first(QStringLiteral(
            "SELECT TOP 1 Classes.ProgramID FROM Assessments INNER JOIN Classes ON "
            "Assessments.ClassID = Classes.ClassID GROUP BY Classes.ProgramID ORDER BY Count(*) "
            "DESC"));
        const QString ofProgram =
            QStringLiteral(" AND ClassID IN (SELECT ClassID FROM Classes WHERE ProgramID = %1)")
                .arg(busiestProgram);
        QList<int> ids;
        {
            jet::Recordset rs(Global::DbConnection(),
                              QStringLiteral("SELECT TOP %1 AssessmentID FROM Assessments WHERE "
                                             "AssessmentID > 0")
                                      .arg(OpenAssessments) +
                                  ofProgram + QStringLiteral(" ORDER BY AssessmentID"));
            for (; !rs.eof(); rs.moveNext())
                ids << rs.value(0).toInt();
        }
        Global::DbTransaction transaction;
        Global::DbConnection().execute(
            QStringLiteral("UPDATE Assessments SET Processed = 0 WHERE AssessmentID <= %1")
                .arg(ids.value(Placed - 1)) +
            ofProgram);
        Global::DbConnection().execute(
            QStringLiteral("UPDATE Assessments SET Processed = 1 WHERE AssessmentID > %1 AND "
                           "AssessmentID <= %2")
                .arg(ids.value(Placed - 1))
                .arg(ids.value(ids.size() - 1)) +
            ofProgram);
        transaction.commit();
        return busiestProgram;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void registerPair(const std::string &name, std::function<void(Fixture &)> run)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(), [run](benchmark::State &state) {
        Fixture &f = fixture();
        for (auto _ : state)
            run(f);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(), [run](benchmark::State &state) {
        Fixture &f = fixture();
        benchdata::StatementCatcher::Start();
        run(f);
        const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db, 5000);
        for (auto _ : state) {
            benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
        }
        sqlite3_close_v2(db);
        state.counters["statements"] = double(statements.size());
    })->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    registerPair("LoadUp", [](Fixture &f) {
        auto *w = ui::Forms::shared<frmAssess2>();
        w->load();
        w->LoadUp(f.term, f.instructor, QStringLiteral("Bench Mark"), true);
        benchmark::DoNotOptimize(w->cboClass->count());
    });
    registerPair("ChooseClass", [](Fixture &f) {
        benchmark::DoNotOptimize(imodAssessments::UnassessedStudents(f.cls));
        benchmark::DoNotOptimize(imodAssessments::UnfinalisedAssessments(f.cls));
    });
    registerPair("SaveSheet", [](Fixture &f) {
        imodAssessments::Sheet sheet;
        sheet.assessmentId = f.assessment;
        sheet.studentId = f.student;
        sheet.instructorId = f.instructor;
        sheet.classId = f.cls;
        sheet.levelId = f.level;
        sheet.notes = QStringLiteral("Bench");
        QList<imodAssessments::Criterion> criteria;
        for (int i = 0; i < 5; ++i)
            criteria.append({QStringLiteral("Criterion %1").arg(i), i % 2 == 0});
        imodAssessments::SaveSheet(sheet, criteria);
    });
    registerPair("LastResult", [](Fixture &f) {
        const qint32 last = imodAssessments::GetLastAssessmentID(0, f.student);
        benchmark::DoNotOptimize(imodAssessments::GetAssessmentDate(last));
        benchmark::DoNotOptimize(imodAssessments::GetAssessmentLevelName(last));
        benchmark::DoNotOptimize(imodAssessments::GetAssessmentResult(last));
    });
    registerPair("FinaliseProgram", [](Fixture &f) {
        const qint32 program = f.reopenedProgram();
        Global::DbTransaction undone; // rolled back: every run finds the same rows
        const imodAssessments::FinaliseCounts counts =
            imodAssessments::FinaliseProgram(program, imodAssessments::FinaliseOption::Finalise);
        if (counts.deleted != Fixture::Placed ||
            counts.finalised != Fixture::OpenAssessments - Fixture::Placed)
            qFatal("FinaliseProgram: %d deleted, %d finalised", counts.deleted, counts.finalised);
    });
    registerPair("OpenPast", [](Fixture &f) {
        static const qint32 withMostCriteria = [] {
            jet::Recordset rs(Global::DbConnection(),
                              QStringLiteral("SELECT TOP 1 AssessmentID FROM AssessCrit GROUP BY "
                                             "AssessmentID ORDER BY Count(*) DESC"));
            return rs.eof() ? 0 : rs.value(0).toInt();
        }();
        (void)f;
        auto *w = ui::Forms::shared<frmPastAssessment>();
        w->load();
        w->Load_Assessment(withMostCriteria);
    });
    registerPair("SaveSingle", [](Fixture &f) {
        imodAssessments::SingleAssessment a;
        a.studentId = f.student;
        a.instructorId = f.instructor;
        a.levelId = f.level;
        a.date = QStringLiteral("05/03/2026");
        a.notes = QStringLiteral("Bench");
        QList<imodAssessments::Criterion> criteria;
        for (int i = 0; i < 5; ++i)
            criteria.append({QStringLiteral("Criterion %1").arg(i), i % 2 == 0});
        imodAssessments::SaveSingleAssessment(a, criteria);
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
