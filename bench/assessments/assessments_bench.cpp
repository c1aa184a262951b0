// Assessing a class on the big data file, as the windows run it (…/engine), against the
// same statements run straight on SQLite's C API (…/sqlite): the statements are those the
// engine handed to SQLite, caught on their way in.
//   LoadUp        the class assessment window of the newest term (every class listed)
//   ChooseClass   both student lists of one class
//   SaveSheet     saving an assessment with five criteria
//   LastResult    the four getters of one student's last result
#include "benchdata.h"

#include "assessments/assessing/frmassess2.h"
#include "assessments/imodassessments.h"
#include "core/centresettings.h"
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

struct StatementCatcher
{
    static bool on;
    static std::vector<std::string> caught;

    static int trace(unsigned, void *, void *p, void *)
    {
        if (!on)
            return 0;
        if (char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(p))) {
            caught.emplace_back(sql);
            sqlite3_free(sql);
        }
        return 0;
    }
    static int attach(sqlite3 *db, const char **, const struct sqlite3_api_routines *)
    {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &StatementCatcher::trace, nullptr);
        return SQLITE_OK;
    }
};
bool StatementCatcher::on = false;
std::vector<std::string> StatementCatcher::caught;

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
        path = benchdata::CopyOfBigFile(dir.path(), QStringLiteral("default.mdb"));
        qputenv("OVIXIAN_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
        Global::DatabaseType = QStringLiteral("Jet");
        Global::CurrentUserId = QStringLiteral("<<NOLOGS>>");
        Global::CurrentDataFile = QStringLiteral("default.mdb");
        Global::CentreSettings().setDataFilesDirectory(dir.path());
        Global::DbConnection().open(QStringLiteral("Data Source=") + path);
        // The indexes the loader's verification puts in place on opening (a big file
        // made before an index was added lacks it).
        imodData::EnsureIndexes();
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
        StatementCatcher::caught.clear();
        StatementCatcher::on = true;
        run(f);
        StatementCatcher::on = false;
        const std::vector<std::string> statements = StatementCatcher::caught;
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db, 5000);
        for (auto _ : state) {
            for (const std::string &sql : statements) {
                sqlite3_stmt *st = nullptr;
                if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
                    while (sqlite3_step(st) == SQLITE_ROW) {
                    }
                }
                sqlite3_finalize(st);
            }
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
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&StatementCatcher::attach));
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchdata::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    ui::Forms::unloadAll(ui::CloseReason::Code);
    Global::DropDbConnection();
    return 0;
}
