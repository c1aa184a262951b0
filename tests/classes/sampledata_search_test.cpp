// The search reads each class's figures for the whole program at once; here every cell
// it writes is compared with the timetable's look-ups of one class, on every program of
// a generated sample data file.
#include "classes/classsearch.h"
#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/envguard.h"
#include "core/globaldata.h"
#include "core/timetablelookups.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "support/tempdir.h"
#include "timetable/classes.h"
#include "timetable/programs.h"
#if __has_include("sampledata/sampledata.h")
#include "sampledata/sampledata.h"
#else
#include "ovixgen/sampledata.h"
#endif

#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>
#include <algorithm>
#include <map>

namespace {

class SampleFileSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("default.mdb"));
        SampleData::Generate(path, SampleData::Options());
        Global::DatabaseType = QStringLiteral("Jet");
        Global::CurrentUserId = QStringLiteral("i");
        Global::CurrentDataFile = QStringLiteral("default.mdb");
        Global::CentreSettings().setDataFilesDirectory(dir.path());
        Global::DbConnection().open(QStringLiteral("Data Source=") + path);
    }
    void TearDown() override
    {
        Global::DropDbConnection();
        Global::DatabaseType.clear();
        Global::CurrentUserId.clear();
        Global::CurrentDataFile.clear();
        Global::CentreSettings().setDataFilesDirectory({});
    }

    ovix::test::TempDir dir;
    EnvGuard home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};

// The classes the search statement as first written selects for a program with every
// filter "(All)": an IN over every class with a linked instructor.
QList<qint32> classesOfTheFirstStatement(qint32 program)
{
    jet::Recordset rs(
        Global::DbConnection(),
        QStringLiteral(
            "SELECT Classes.ClassID FROM Classes WHERE (((Classes.Description) Like \"%\") "
            "AND (Classes.ActivityName LIKE '%') AND ((Classes.ProgramID)=%1) AND "
            "((Classes.Day) Like \"%\") AND ((Classes.StartDate)<>[Classes].[EndDate]) AND "
            "((Classes.ClassID) In (SELECT Classes.ClassID FROM ((Instructors INNER JOIN "
            "InstructorLink ON Instructors.InstructorID = InstructorLink.InstructorID) INNER "
            "JOIN Students ON Instructors.StudentID = Students.StudentID) INNER JOIN Classes ON "
            "InstructorLink.ClassID = Classes.ClassID WHERE (((([First Name]+\" \"+[Last "
            "Name])) Like \"%\")))));")
            .arg(program));
    QList<qint32> ids;
    for (; !rs.eof(); rs.moveNext())
        ids << rs.value(0).toInt();
    return ids;
}

TEST_F(SampleFileSearch, EveryCellAgreesWithTheLookUpsOfOneClass)
{
    QWidget window;
    auto *label = new QLabel(&window);
    label->setObjectName(QStringLiteral("Label4"));
    auto *grid = new ui::FlexGrid(&window);
    Global::SetupClassSearchGrid(grid, &window);
    const bool activities = Global::CountActivities() > 1;
    const bool areas = Global::CountPoolAreas() > 1;

    QList<qint32> programs;
    {
        jet::Recordset rs(Global::DbConnection(), QStringLiteral("SELECT ProgramID FROM Programs"));
        for (; !rs.eof(); rs.moveNext())
            programs << rs.value(0).toInt();
    }
    ASSERT_GE(programs.size(), 2);
    int compared = 0, withVacancies = 0;
    for (qint32 program : programs) {
        SCOPED_TRACE(program);
        const QString all = QStringLiteral("(All)");
        Global::RunClassSearch(grid, &window, program, all, all, all, false, all, 0, all, all,
                               all);
        std::map<qint32, QStringList> listed;
        for (int r = 1; r < grid->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 11; ++c)
                cells << grid->textMatrix(r, c);
            listed[cells[0].toInt()] = cells;
        }
        QList<qint32> expectedIds = classesOfTheFirstStatement(program);
        std::sort(expectedIds.begin(), expectedIds.end());
        QList<qint32> ids;
        for (const auto &entry : listed)
            ids << entry.first;
        ASSERT_EQ(ids, expectedIds);

        int open = 0;
        for (const auto &[id, cells] : listed) {
            jet::Recordset rs(Global::DbConnection(),
                              QStringLiteral("SELECT * FROM Classes WHERE ClassID = %1").arg(id));
            const QVariant time = rs.value(QStringLiteral("Time"));
            const QString day = vb::CStr(rs.value(QStringLiteral("Day")));
            const int spots = imodClasses::GetClassSpots(id, vb::CInt(rs.value(QStringLiteral("Max"))));
            const QStringList expected = {
                QString::number(id),
                activities ? vb::CStr(rs.value(QStringLiteral("ActivityName"))) : QString(),
                areas ? Global::GetPoolAreaName(vb::CLng(rs.value(QStringLiteral("PoolArea"))))
                      : QString(),
                QString::number(imodGlobalSubs::GetDaySequence(day)),
                day,
                vb::Format(time, QStringLiteral("Hh:Nn")),
                vb::Format(time, QStringLiteral("hh:mm AMPM")),
                vb::CStr(rs.value(QStringLiteral("Description"))),
                imodClasses::GetClassInstructorNames(id, false),
                QString::number(spots),
                QString::number(imodClasses::GetClassWaitingCount(id)),
            };
            EXPECT_EQ(cells, expected);
            open += spots >= 1 ? 1 : 0;
            ++compared;
        }
        EXPECT_TRUE(label->text().startsWith(QStringLiteral("Program: ") +
                                             imodPrograms::GetProgramName(program)));

        // Vacancies only keeps exactly the classes with a free place.
        Global::RunClassSearch(grid, &window, program, all, all, all, true, all, 0, all, all,
                               all);
        EXPECT_EQ(grid->rows() - 1, open);
        for (int r = 1; r < grid->rows(); ++r)
            EXPECT_GE(grid->textMatrix(r, 9).toInt(), 1);
        withVacancies += open;
    }
    EXPECT_GT(compared, 50);
    EXPECT_GT(withVacancies, 0);
    EXPECT_LT(withVacancies, compared) << "some class is full";
}

} // namespace
