// Attendance on the big data file, as the windows run it (…/engine), against the same
// statements run straight on SQLite's C API (…/sqlite): the statements are those the
// engine handed to SQLite, caught on their way in.
//   Grid        the attendance grid of the newest term's busiest class
//   Click       a click on one of its session cells (the mark moves one step round its
//               cycle) with the class view's reload of its students and grid
//   BookShow    the attendance book's Show of the whole newest term
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "enrolments/attendance.h"
#include "enrolments/attendancekey.h"
#include "enrolments/book/frmattendancebook.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

// The class view as the marking sees it: its name, ClassID, key, grid and Load_Students.
class ClassViewStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit ClassViewStandIn(qint32 classId)
    {
        setObjectName(QStringLiteral("frmViewClass"));
        new AttendanceKey(this);
        agrd = new ui::FlexGrid(this);
        agrd->resize(900, 400);
        txtField.add(0, new QLineEdit(QString::number(classId), this));
    }
    Q_INVOKABLE void Load_Students() {}
    ui::FlexGrid *agrd;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
};

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    QString termName;
    qint32 cls = 0; // the newest term's class with the most bookings
    ClassViewStandIn *view = nullptr;

    Fixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        Global::CentreSettings().LoadSettingsFromDb();
        auto first = [](const QString &sql) {
            jet::Recordset rs(Global::DbConnection(), sql);
            return rs.eof() ? QVariant() : rs.value(0);
        };
        const qint32 term = first(QStringLiteral("SELECT Max(ProgramID) FROM Programs")).toInt();
        termName = first(QStringLiteral("SELECT Program FROM Programs WHERE ProgramID = %1")
                             .arg(term))
                       .toString();
        cls = first(QStringLiteral("SELECT TOP 1 Bookings.ClassID FROM Bookings INNER JOIN "
                                   "Classes ON Bookings.ClassID = Classes.ClassID WHERE "
                                   "Classes.ProgramID = %1 GROUP BY Bookings.ClassID ORDER BY "
                                   "Count(*) DESC")
                        .arg(term))
                  .toInt();
        view = new ClassViewStandIn(cls);
        view->load();
        imodEnrolments::LoadAttendanceGrid(cls, view->agrd, view, 0, -1);
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
    registerPair("Grid", [](Fixture &f) {
        imodEnrolments::LoadAttendanceGrid(f.cls, f.view->agrd, f.view, 0, -1);
        benchmark::DoNotOptimize(f.view->agrd->rows());
    });
    registerPair("Click", [](Fixture &f) {
        // The first booking's last session: round its cycle of six steps.
        f.view->agrd->setGridRow(1);
        f.view->agrd->setGridCol(f.view->agrd->cols() - 3);
        imodEnrolments::MarkGridAttendance(f.view, f.view->agrd, 0);
    });
    registerPair("BookShow", [](Fixture &f) {
        auto *book = ui::Forms::shared<frmAttendanceBook>();
        book->resize(1100, 700);
        book->cboProgram->setCurrentText(f.termName);
        book->cmdShow_Click();
        benchmark::DoNotOptimize(book->agrd->rows());
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}

#include "enrolments_bench.moc"
