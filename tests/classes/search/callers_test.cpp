// The windows of other subsystems that reach the class search window by name, each
// meeting the real window: what they change shows in its lists, layout, logo or grid.
#include "timetable/fixture/timetablefixture.h"

#include "access/frmcentreinfo.h"
#include "classes/search/frmmain.h"
#include "classes/search/register.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "core/modregistryapis.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmalerts.h"
#include "shell/startupwindows.h"
#include "timetable/classes.h"
#include "timetable/days/frmdays.h"
#include "timetable/lookups/frmactivities.h"
#include "timetable/lookups/frmclassgroups.h"
#include "timetable/lookups/frmpoolareas.h"
#include "timetable/programs/frmprograms.h"
#include "timetable/rollover/frmprogcopy.h"
#include "timetable/rollover/frmreassigninst.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <functional>

namespace {

class CallersTest;

struct CallerCase
{
    const char *name;
    // Changes the data file, then does what the caller does.
    std::function<void(CallersTest &)> call;
    // What the class search window shows afterwards.
    std::function<void(CallersTest &, Main *)> check;
};

class CallersTest : public TimetableTest, public ::testing::WithParamInterface<CallerCase>
{
public:
    using TimetableTest::addClass;
    using TimetableTest::addInstructor;
    using TimetableTest::addProgram;
    using TimetableTest::exec;
    using TimetableTest::script;
    void SetUp() override
    {
        TimetableTest::SetUp();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + "/config");
        shell::RegisterStartupWindows();
        classes::RegisterClassSearchWindow();
        for (const char *key : {"WindowLeft", "WindowTop", "WindowHeight", "WindowWidth"})
            modRegistryAPIs::SaveRegValue("HKCU", "Ovix", "Ovix", "WindowPos", key, QVariant());
        addIncomeAccount();
        summer = addProgram(QStringLiteral("Summer"));
        exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                            "('Level 1', 0, 8)"));
        monday = addClass(summer, QStringLiteral("Level 1"), QStringLiteral("Monday"));
        tuesday = addClass(summer, QStringLiteral("Level 1"), QStringLiteral("Tuesday"));
        pat = addInstructor(QStringLiteral("Pat"), QStringLiteral("Lee"));
        linkInstructor(monday, pat);
        linkInstructor(tuesday, pat);
        exec(QStringLiteral("UPDATE CentreInfo SET DefaultProgramName = 'Summer'"));
        Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName),
                                             QStringLiteral("Summer"));
        main = qobject_cast<Main *>(ui::LoadWindowByName(QStringLiteral("Main")));
        main->showForm();
        main->CheckBeforeFill();
        settle();
    }

    // Lets the loading window's timer fire, as the event loop would.
    static void settle()
    {
        QElapsedTimer t;
        t.start();
        while (ui::Forms::find(QStringLiteral("frmLoading")) && t.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
    }
    static QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    // The ClassIDs the grid lists, with their instructors.
    static QStringList gridRows(Main *m)
    {
        QStringList out;
        for (int r = 1; r < m->grd->rows(); ++r)
            out << m->grd->textMatrix(r, 0) + QLatin1Char(' ') + m->grd->textMatrix(r, 8);
        return out;
    }
    QString row(qint32 id, const char *instructor) const
    {
        return QString::number(id) + QLatin1Char(' ') + QLatin1String(instructor);
    }
    template <class T> T *open()
    {
        T *w = ui::Forms::shared<T>();
        w->showForm();
        return w;
    }
    static void closeWindow(ui::Form *w)
    {
        w->unload();
        flush();
    }

    Main *main = nullptr;
    qint32 summer = 0, monday = 0, tuesday = 0, pat = 0;
};

TEST_P(CallersTest, TheClassSearchWindowFollowsTheCaller)
{
    const CallerCase &c = GetParam();
    // A class added behind the window's back shows only once something searches again.
    const qint32 friday = addClass(summer, QStringLiteral("Level 1"), QStringLiteral("Friday"));
    linkInstructor(friday, pat);
    ASSERT_EQ(gridRows(main), QStringList({row(monday, "Pat Lee"), row(tuesday, "Pat Lee")}));
    c.call(*this);
    settle();
    c.check(*this, main);
}

// The search runs again and lists what changed.
void searchedAgain(CallersTest &t, Main *m)
{
    EXPECT_EQ(CallersTest::gridRows(m).size(), 3);
    EXPECT_TRUE(m->Label4->text().endsWith(" [3 classes]")) << m->Label4->text().toStdString();
    EXPECT_TRUE(t.script->shown().isEmpty());
}

const CallerCase cases[] = {
    {"LoadingWindowTimer",
     [](CallersTest &) {
         ui::Form *loading = ui::LoadWindowByName(QStringLiteral("frmLoading"));
         ui::callByName(loading, QStringLiteral("Timer1_Timer"));
     },
     searchedAgain},
    {"AlertsContinue",
     [](CallersTest &t) {
         t.main->hide();
         t.open<frmAlerts>()->cmdContinue_Click();
     },
     [](CallersTest &t, Main *m) {
         searchedAgain(t, m);
         EXPECT_TRUE(m->isVisible());
     }},
    {"CentreInfoSimpleSearch",
     [](CallersTest &t) {
         auto *w = t.open<frmCentreInfo>();
         w->checks.value("chkSimpleSearch")->setChecked(true);
         w->cmdOK_Click();
     },
     [](CallersTest &t, Main *m) {
         EXPECT_EQ(m->Label7->text(), "Search Criteria - Simple Search");
         EXPECT_FALSE(m->cboAMPM->isVisibleTo(m));
         EXPECT_TRUE(t.script->shown().isEmpty());
     }},
    {"CentreInfoLogoThenShowClassSearchLogo",
     [](CallersTest &t) {
         t.main->Image1->clear();
         t.open<frmCentreInfo>()->btnDelPic_Click();
     },
     [](CallersTest &, Main *m) {
         EXPECT_FALSE(m->Image1->pixmap().isNull());
         QLabel other;
         other.resize(95, 95);
         core::ShowClassSearchLogo(&other);
         EXPECT_FALSE(other.pixmap().isNull());
         EXPECT_EQ(other.pixmap().size(), m->Image1->pixmap().size());
     }},
    {"ProgramsWindowClosed",
     [](CallersTest &t) {
         t.addProgram(QStringLiteral("Autumn"));
         CallersTest::closeWindow(t.open<frmPrograms>());
     },
     [](CallersTest &, Main *m) {
         EXPECT_EQ(CallersTest::items(m->cboProgram), (QStringList{"Autumn", "Summer"}));
         EXPECT_EQ(m->cboProgram->currentText(), "Summer") << "the default program again";
     }},
    {"ProgramCopied",
     [](CallersTest &t) {
         auto *w = t.open<frmProgCopy>();
         for (int i = 0; i < w->cboProgram->count(); ++i) {
             if (core::listItemData(w->cboProgram, i) == t.summer)
                 w->cboProgram->setCurrentIndex(i);
         }
         const char *const texts[][2] = {{"1", "Winter"},   {"5", "4/05/2026"}, {"7", "10/07/2026"},
                                         {"8", "10"},       {"3", "$150.00"},   {"15", "$15.00"}};
         for (const auto &[box, text] : texts)
             w->txtField[QByteArray(box).toInt()]->setText(QLatin1String(text));
         t.script->answer(ui::vbOK);
         w->cmdOK_Click();
     },
     [](CallersTest &t, Main *m) {
         EXPECT_EQ(CallersTest::items(m->cboProgram), (QStringList{"Summer", "Winter"}));
         EXPECT_EQ(CallersTest::gridRows(m).size(), 3) << "the search of Summer ran again";
         ASSERT_EQ(t.script->shown().size(), 1);
         EXPECT_EQ(t.script->shown()[0].title, "Yay!");
     }},
    {"ClassGroupsWindowClosed",
     [](CallersTest &t) {
         t.exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) "
                               "VALUES ('Squad', 0, 8)"));
         t.addClass(t.summer, QStringLiteral("Squad"));
         CallersTest::closeWindow(t.open<frmClassGroups>());
     },
     [](CallersTest &, Main *m) {
         for (QComboBox *c : {m->cboLevel, m->cboLevel2, m->cboLevel3})
             EXPECT_EQ(CallersTest::items(c), (QStringList{"(All)", "Level 1", "Squad"}));
     }},
    {"PoolAreasWindowClosed",
     [](CallersTest &t) {
         t.exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Learners Pool')"));
         CallersTest::closeWindow(t.open<frmPoolAreas>());
     },
     [](CallersTest &t, Main *m) {
         searchedAgain(t, m);
         EXPECT_EQ(m->grd->textMatrix(0, 2), "Location");
         EXPECT_EQ(m->grd->textMatrix(1, 2), "Main Pool");
     }},
    {"ActivitiesWindowClosed",
     [](CallersTest &t) {
         t.exec(QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Squad')"));
         CallersTest::closeWindow(t.open<frmActivities>());
     },
     [](CallersTest &t, Main *m) {
         searchedAgain(t, m);
         EXPECT_EQ(m->grd->textMatrix(0, 1), "Activity");
     }},
    {"DaysWindowClosed",
     [](CallersTest &t) {
         auto *w = t.open<frmDays>();
         w->lst->setCurrentItem(w->lst->findItems(QStringLiteral("Monday"), Qt::MatchExactly)[0]);
         w->cmdDown_Click();
         CallersTest::closeWindow(w);
     },
     [](CallersTest &, Main *m) {
         const QStringList days = CallersTest::items(m->cboDay);
         ASSERT_GE(days.size(), 3);
         EXPECT_EQ(days.mid(0, 3), (QStringList{"(All)", "Mon/Wed", "Monday"}));
         EXPECT_EQ(m->cboDay->currentIndex(), 0);
     }},
    {"ClassDeleted",
     [](CallersTest &t) { imodClasses::DeleteClassRecord(t.monday); },
     [](CallersTest &t, Main *m) {
         EXPECT_EQ(CallersTest::gridRows(m).size(), 2);
         EXPECT_FALSE(CallersTest::gridRows(m).contains(t.row(t.monday, "Pat Lee")));
     }},
    {"InstructorsReassigned",
     [](CallersTest &t) {
         const qint32 kim = t.addInstructor(QStringLiteral("Kim"), QStringLiteral("Ng"));
         auto *w = t.open<frmReassignInst>();
         const auto pick = [](QComboBox *c, const QString &text) {
             c->setCurrentIndex(c->findText(text));
         };
         pick(w->cboCurrent, QStringLiteral("Pat Lee (EID#%1)").arg(t.pat));
         pick(w->cboNew, QStringLiteral("Kim Ng (EID#%1)").arg(kim));
         pick(w->cboProgram, QStringLiteral("Summer (%1)").arg(t.summer));
         pick(w->cboDay, QStringLiteral("Tuesday"));
         t.script->answer(ui::vbOK);
         w->cmdOK_Click();
     },
     [](CallersTest &t, Main *m) {
         EXPECT_TRUE(CallersTest::gridRows(m).contains(t.row(t.tuesday, "Kim Ng")))
             << CallersTest::gridRows(m).join(", ").toStdString();
         EXPECT_EQ(CallersTest::gridRows(m).size(), 3);
     }},
};

INSTANTIATE_TEST_SUITE_P(Callers, CallersTest, ::testing::ValuesIn(cases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
