#include "access/permissions.h"
#include "core/centresettings.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/forms.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmreportviewer.h"
#include "students/details/frmstudentdetails.h"
#include "students/duplicates.h"
#include "students/utilities/frmduplicates.h"
#include "students/utilities/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

// Stands in for the employee and family windows: records how it was loaded.
class PersonStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit PersonStandIn(const QString &name) { setObjectName(name); }
    Q_INVOKABLE void LoadUp(qint32 id, const QVariant &second, const QString &userId)
    {
        loaded = {id, second, userId};
    }
    QVariantList loaded;
};

namespace {

class DuplicatesTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        students::RegisterStudentUtilityWindows();
        ui::RegisterWindow(QStringLiteral("frmReportViewer"),
                           [] { return ui::Forms::shared<frmReportViewer>(); });
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        ui::RegisterWindow(QStringLiteral("frmEmpDetails"), {});
        ui::RegisterWindow(QStringLiteral("frmFamDetails"), {});
        TimetableTest::TearDown();
    }
    qint32 person(const char *first, const char *last, const char *student = "Y",
                  const char *vendor = "N", const char *employee = "N")
    {
        const qint32 id = addStudent(QString::fromLatin1(first), QString::fromLatin1(last));
        exec(QStringLiteral("UPDATE Students SET Student='%1', Vendor='%2', Employee='%3' WHERE "
                            "StudentID=%4")
                 .arg(QLatin1String(student), QLatin1String(vendor), QLatin1String(employee))
                 .arg(id));
        return id;
    }
    static QString text(qint32 id, const char *first, const char *last)
    {
        return QStringLiteral("%1, %2 (SID#%3)").arg(QLatin1String(last), QLatin1String(first)).arg(id);
    }
    frmDuplicates *open()
    {
        return qobject_cast<frmDuplicates *>(ui::LoadWindowByName(QStringLiteral("frmDuplicates")));
    }
};

TEST_F(DuplicatesTest, StudentsSharingANameWithAnyone)
{
    const qint32 ann1 = person("Ann", "Smith"), ann2 = person("ann", "SMITH");
    const qint32 cat = person("Cat", "Ray");
    person("Cat", "Ray", "N", "Y"); // a family contact
    const qint32 dee1 = person("Dee", "Fox"), dee2 = person("Dee", "Fox"), dee3 = person("Dee", "Fox");
    person("Eve", "Hall", "N", "Y"); // two family contacts: no student among them
    person("Eve", "Hall", "N", "Y");
    person("Gus", "Lone");
    for (int i = 0; i < 2; ++i)
        exec(QStringLiteral("INSERT INTO Students ([Last Name], Student) VALUES ('Null', 'Y')"));

    QStringList items = imodStudents::ListDuplicates();
    EXPECT_EQ(items.size(), 6) << items.join(" | ").toStdString();
    for (const QString &t : {text(ann1, "Ann", "Smith"), text(ann2, "ann", "SMITH"),
                             text(cat, "Cat", "Ray"), text(dee1, "Dee", "Fox"),
                             text(dee2, "Dee", "Fox"), text(dee3, "Dee", "Fox")})
        EXPECT_TRUE(items.contains(t)) << t.toStdString();

    frmDuplicates *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption(), QStringLiteral("Duplicate Names"));
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("6 duplicate records"));
    EXPECT_FALSE(w->Command1->isHidden());
    EXPECT_EQ(w->Command1->text(), QStringLiteral("View or Print"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmDuplicates"));

    // The document names each name once; names differing in case both.
    w->Command1_Click();
    auto *viewer = qobject_cast<frmReportViewer *>(ui::Forms::find(QStringLiteral("frmReportViewer")));
    ASSERT_TRUE(viewer);
    QFile f(viewer->TempFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(doc.contains(QStringLiteral("<title>Duplicate Names</title>")));
    EXPECT_TRUE(doc.contains(QStringLiteral("<b>As At ") + QDate::currentDate().toString("dd/MM/yyyy") + "</b>"));
    EXPECT_EQ(doc.count(QStringLiteral("Fox, Dee")), 1);
    EXPECT_EQ(doc.count(QStringLiteral("Smith, Ann")) + doc.count(QStringLiteral("SMITH, ann")), 2);
    EXPECT_EQ(w->cbo->listIndex(), 0);

    // After the last duplicate goes, the button stays.
    exec(QStringLiteral("DELETE FROM Students"));
    w->Load_Duplicates();
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("0 duplicate records"));
    EXPECT_FALSE(w->Command1->isHidden());
}

TEST_F(DuplicatesTest, NoneLeavesTheButtonHidden)
{
    person("Ann", "Smith");
    frmDuplicates *w = open();
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("0 duplicate records"));
    EXPECT_TRUE(w->Command1->isHidden());
}

TEST_F(DuplicatesTest, ADoubleClickOpensTheWindowThatSuitsThePerson)
{
    const qint32 emp = person("Eve", "Hall", "Y", "N", "Y");
    exec(QStringLiteral("INSERT INTO Instructors (StudentID, UserID, ShowInOOE) VALUES (%1, '', 1)").arg(emp));
    const qint32 instructor = value(QStringLiteral("SELECT InstructorID FROM Instructors WHERE StudentID=%1").arg(emp)).toInt();
    person("Eve", "Hall");
    const qint32 bare = person("Ian", "Bare", "Y", "N", "Y"); // an employee without an Instructors row
    person("Ian", "Bare");
    const qint32 fam = person("Fay", "Kin", "Y", "Y");
    person("Fay", "Kin");
    const qint32 kid = person("Kim", "Lo");
    person("Kim", "Lo");

    PersonStandIn *employee = nullptr, *family = nullptr;
    ui::RegisterWindow(QStringLiteral("frmEmpDetails"), [&] {
        employee = new PersonStandIn(QStringLiteral("frmEmpDetails"));
        return employee;
    });
    ui::RegisterWindow(QStringLiteral("frmFamDetails"), [&] {
        family = new PersonStandIn(QStringLiteral("frmFamDetails"));
        return family;
    });
    frmDuplicates *w = open();
    auto openItem = [&](const QString &t) {
        w->cbo->setListIndex(w->cbo->listWidget()->row(
            w->cbo->listWidget()->findItems(t, Qt::MatchExactly).value(0)));
        ASSERT_EQ(w->cbo->text(), t);
        w->cbo_DblClick();
    };
    auto lastRecord = [] {
        frmStudentDetails *found = nullptr;
        for (ui::Form *f : ui::Forms::all())
            if (auto *r = qobject_cast<frmStudentDetails *>(f))
                found = r;
        return found ? found->fieldText(0) : QString();
    };

    openItem(text(emp, "Eve", "Hall"));
    ASSERT_TRUE(employee);
    EXPECT_EQ(employee->loaded, (QVariantList{instructor, QStringLiteral("Edit"), QString()}));
    openItem(text(fam, "Fay", "Kin"));
    ASSERT_TRUE(family);
    EXPECT_EQ(family->loaded.value(0).toInt(), fam);
    openItem(text(kid, "Kim", "Lo"));
    EXPECT_EQ(lastRecord(), QString::number(kid));
    openItem(text(bare, "Ian", "Bare"));
    EXPECT_EQ(lastRecord(), QString::number(bare));
    // Without the employee window the employee opens as a student.
    ui::RegisterWindow(QStringLiteral("frmEmpDetails"), {});
    openItem(text(emp, "Eve", "Hall"));
    EXPECT_EQ(lastRecord(), QString::number(emp));
    // A person renamed since the list was filled opens nothing.
    const int forms = int(ui::Forms::all().size());
    exec(QStringLiteral("UPDATE Students SET [First Name]='Kym' WHERE StudentID=%1").arg(kid));
    openItem(text(kid, "Kim", "Lo"));
    EXPECT_EQ(int(ui::Forms::all().size()), forms);
}

} // namespace

#include "duplicates_test.moc"
