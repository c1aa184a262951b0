// The timetable's look-ups on the big data file, as the windows run them: the row of
// every class of a term the class search shows (places, waiting list, instructors,
// caption), the enrolment numbers of a term and the program pick list.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "timetable/classes.h"
#include "timetable/programs.h"
#include "timetable/stats/enrolmentnumbers.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    qint32 term = 0;
    QList<std::pair<qint32, int>> classes; // ClassID and Max of the newest term

    Fixture()
    {
        const QString path = benchdata::CopyOfBigFile(dir.path(), QStringLiteral("default.mdb"));
        qputenv("OVIXIAN_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
        Global::DatabaseType = QStringLiteral("Jet");
        Global::CurrentUserId = QStringLiteral("<<NOLOGS>>");
        Global::CurrentDataFile = QStringLiteral("default.mdb");
        Global::CentreSettings().setDataFilesDirectory(dir.path());
        Global::DbConnection().open(QStringLiteral("Data Source=") + path);
        jet::Recordset last(Global::DbConnection(),
                            QStringLiteral("SELECT Max(ProgramID) FROM Programs"));
        term = last.value(0).toInt();
        jet::Recordset rs(
            Global::DbConnection(),
            QStringLiteral("SELECT ClassID, [Max] FROM Classes WHERE ProgramID = %1").arg(term));
        for (; !rs.eof(); rs.moveNext())
            classes.append({rs.value(0).toInt(), rs.value(1).toInt()});
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void ClassSearchRows(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        for (const auto &[id, max] : f.classes) {
            benchmark::DoNotOptimize(imodClasses::GetClassSpots(id, max));
            benchmark::DoNotOptimize(imodClasses::GetClassWaitingCount(id));
            benchmark::DoNotOptimize(imodClasses::GetClassInstructorNames(id, false));
            benchmark::DoNotOptimize(imodClasses::GetClassFullCaption(id));
        }
    }
    state.counters["classes"] = double(f.classes.size());
}
BENCHMARK(ClassSearchRows)->Unit(benchmark::kMillisecond);

void EnrolmentNumbers(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(enrolmentnumbers::CountEnrolments(f.term));
}
BENCHMARK(EnrolmentNumbers)->Unit(benchmark::kMillisecond);

void ProgramPickList(benchmark::State &state)
{
    fixture();
    QComboBox list;
    for (auto _ : state)
        benchmark::DoNotOptimize(imodPrograms::FillProgramCombo(&list, true));
    state.counters["programs"] = double(list.count());
}
BENCHMARK(ProgramPickList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Global::DropDbConnection();
    return 0;
}
