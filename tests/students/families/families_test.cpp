#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/details/frmstudentdetails.h"
#include "students/details/register.h"
#include "students/families.h"
#include "students/families/frmaddtofamily.h"
#include "students/families/frmchangefamily.h"
#include "students/families/frmfamdetails.h"
#include "students/families/frmfamily.h"
#include "students/families/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

// Stands in for the windows and procedures the family windows reach by name.
class FamilyStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit FamilyStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
        txtID = new QLineEdit(this);
        txtID->setObjectName(QStringLiteral("txtID"));
        txtTo = new QLineEdit(this);
        txtTo->setObjectName(QStringLiteral("txtTo"));
    }
    Q_INVOKABLE void LoadUp(ui::Form *, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("LoadUp %1 %2").arg(mode, extra);
    }
    Q_INVOKABLE void Load_Students() { calls << QStringLiteral("Load_Students"); }
    Q_INVOKABLE void Load_Duplicates() { calls << QStringLiteral("Load_Duplicates"); }
    QLineEdit *txtID;
    QLineEdit *txtTo;
    QStringList calls;
};

namespace {

class FamiliesTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        students::RegisterStudentDetailsWindow();
        students::RegisterFamilyWindows();
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
    }
    void TearDown() override
    {
        // Windows left in edit mode close without asking.
        for (ui::Form *f : ui::Forms::all())
            if (auto *save = f->findChild<QPushButton *>(QStringLiteral("cmdSave")))
                save->setEnabled(false);
        for (const char *name : {"frmPassword", "frmEmail", "frmPhoto", "frmFindStudent",
                                 "frmDuplicates"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        ui::RegisterProcedure(QStringLiteral("mReports::ShowFamilySchedule"), {});
        TimetableTest::TearDown();
        Global::CurrentUserId = QStringLiteral("i");
        Global::LoadCurrentUserRights();
    }
    // One shared stand-in under the name.
    FamilyStandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<FamilyStandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder) {
                *holder = new FamilyStandIn(name);
                (*holder)->load();
            }
            return holder->data();
        });
        return static_cast<FamilyStandIn *>(ui::LoadWindowByName(name));
    }
    // A family row as the new-family window makes it, with an address.
    qint32 addFamily(const QString &first, const QString &last, const QString &address = {})
    {
        const qint32 id = imodStudents::CreateFamily(first, last, first + QLatin1Char(' ') + last);
        exec(QStringLiteral("UPDATE Students SET Address = %1 WHERE StudentID = %2")
                 .arg(Global::SqlText(address))
                 .arg(id));
        return id;
    }
    // A current pupil, as the pick lists list them.
    qint32 addPupil(const QString &first, const QString &last)
    {
        const qint32 id = addStudent(first, last);
        exec(QStringLiteral("UPDATE Students SET Special = 'N', Inactive = 0 WHERE StudentID = %1")
                 .arg(id));
        return id;
    }
    void join(qint32 student, qint32 family)
    {
        exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID = %2")
                 .arg(family)
                 .arg(student));
    }
    QString column(const QString &col, qint32 id)
    {
        const QVariant v =
            value(QStringLiteral("SELECT [%1] FROM Students WHERE StudentID = %2").arg(col).arg(id));
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    frmStudentDetails *openStudent(qint32 id)
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(id, nullptr, QString());
        return w;
    }
    frmFamDetails *openFamily(qint32 id, const QString &user = {})
    {
        auto *w = ui::Forms::create<frmFamDetails>();
        w->LoadUp(id, nullptr, user);
        return w;
    }
    static QLineEdit *box(QWidget *w, int index)
    {
        for (auto *b : w->findChildren<QLineEdit *>(QStringLiteral("txtField")))
            if (ui::controlIndex(b) == index)
                return b;
        return nullptr;
    }
    static QStringList items(QListWidget *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static void choose(QListWidget *list, const QString &text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
    }
    QStringList titles() const
    {
        QStringList t;
        for (const auto &d : script->shown())
            t << d.title;
        return t;
    }
    // The visible button of each pair of the record's family panel.
    static QString visibleButtons(frmStudentDetails *w)
    {
        QStringList shown;
        for (QPushButton *b : {w->cmdFamily, w->cmdAttachFamily, w->cmdEditFamily,
                               w->cmdRemoveFamily})
            if (!b->isHidden())
                shown << b->objectName();
        return shown.join(QLatin1Char(' '));
    }
};

} // namespace

TEST(FamilyNumber, IsTakenFromTheFamilyText)
{
    const struct
    {
        const char *text;
        std::optional<QString> tag;
    } cases[] = {
        {"Smith, John (ID#12)", QStringLiteral("12")},
        {"John Smith (ID#12)", QStringLiteral("12")},
        {"John Smith", QStringLiteral("0")},
        {"", QStringLiteral("0")},
        {"Smith, John (ID#x1)", QStringLiteral("x1")},
        {"Smith, John (ID#)", QString()},
        {"Smith, John (ID#", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imodStudents::FamilyNumberText(QString::fromUtf8(c.text)), c.tag) << c.text;
}

TEST_F(FamiliesTest, NewFamilyFromTheRecordThenTheSaveJoinsAndCopies)
{
    const qint32 student = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Address = '1 Bay St', [Home Phone] = '555' WHERE "
                        "StudentID = %1")
             .arg(student));
    // A record saved while its new family is being made keeps its stored family.
    const qint32 earlier = addFamily(QStringLiteral("Old"), QStringLiteral("Fam"));
    const qint32 sister = addStudent(QStringLiteral("Sue"), QStringLiteral("Lee"));
    join(sister, earlier);
    frmStudentDetails *other = openStudent(sister);
    other->Edit_Me();
    other->cmdRemoveFamily->click();
    other->cmdAttachFamily->click();
    EXPECT_EQ(ui::tag(other->lblFamily), QStringLiteral("NEWFAM"));
    ASSERT_TRUE(other->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), sister), QString::number(earlier));

    frmStudentDetails *w = openStudent(student);
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdAttachFamily cmdEditFamily"));
    EXPECT_EQ(w->cmdAttachFamily->toolTip(), QStringLiteral("Create a New Family Contact Person"));
    EXPECT_EQ(w->cmdEditFamily->toolTip(), QStringLiteral("Pick a new Family from the List"));
    EXPECT_EQ(w->cmdFamily->toolTip(), QStringLiteral("Open Family Contact Person's Information"));
    EXPECT_EQ(w->cmdRemoveFamily->toolTip(), QStringLiteral("Remove Student From Family"));
    for (QPushButton *b : {w->cmdFamily, w->cmdAttachFamily, w->cmdEditFamily, w->cmdRemoveFamily})
        EXPECT_TRUE(b->text().isEmpty());
    EXPECT_FALSE(w->cmdAttachFamily->isEnabled()) << "only while editing";
    w->Edit_Me();
    w->cmdAttachFamily->click();
    auto *family = static_cast<frmFamily *>(ui::Forms::find(QStringLiteral("frmFamily")));
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("NEWFAM"));
    EXPECT_EQ(family->txtSID->text(), QString::number(student));
    EXPECT_EQ(family->caption(), QStringLiteral("Create a New Family"));
    EXPECT_FALSE(family->windowFlags() & Qt::WindowCloseButtonHint);

    family->txtField[1]->setText(QStringLiteral("Ann"));
    family->txtField[2]->setText(QStringLiteral("Lee"));
    family->txtField_GotFocus(3);
    EXPECT_EQ(family->txtField[3]->text(), QStringLiteral("Ann Lee"));
    ASSERT_TRUE(family->cmdSave_Click());
    const qint32 made = value(QStringLiteral("SELECT Max(StudentID) FROM Students")).toInt();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmFamily")), nullptr);
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("Lee, Ann (ID#%1)").arg(made));
    EXPECT_EQ(ui::tag(w->lblFamily), QString::number(made));
    EXPECT_EQ(w->fieldText(4), QStringLiteral("Ann Lee"));
    EXPECT_TRUE(static_cast<QLineEdit *>(w->txtField[4])->isReadOnly());
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdFamily cmdRemoveFamily"));
    w->showForm();
    ovix::test::saveScreenshot(w, QStringLiteral("frmStudentDetails-family"));
    const struct
    {
        const char *column;
        const char *value;
    } written[] = {{"First Name", "Ann"}, {"Last Name", "Lee"}, {"Parents Name", "Ann Lee"},
                   {"Vendor", "Y"},       {"Student", "N"},     {"Employee", "N"},
                   {"Special", "N"},      {"Family", "0"},      {"Inactive", "0"},
                   {"Issued", "0"},       {"Address", "<null>"}};
    for (const auto &c : written)
        EXPECT_EQ(column(QString::fromLatin1(c.column), made), QString::fromLatin1(c.value))
            << c.column;

    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), student), QString::number(made));
    EXPECT_EQ(column(QStringLiteral("Address"), made), QStringLiteral("1 Bay St"))
        << "the loaded details go to the family";
    EXPECT_EQ(column(QStringLiteral("Home Phone"), made), QStringLiteral("555"));
    EXPECT_EQ(column(QStringLiteral("Parents Name"), student), QStringLiteral("Ann Lee"));
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdFamily cmdRemoveFamily"));
    EXPECT_TRUE(w->cmdFamily->isEnabled());
    EXPECT_FALSE(w->cmdRemoveFamily->isEnabled());
}

TEST_F(FamiliesTest, ChoosingAFamilyTakesItsNumberAndAsksToLoadTheDetails)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"),
                                 QStringLiteral("9 Hill Rd"));
    const qint32 student = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Address = 'Own St' WHERE StudentID = %1").arg(student));
    const QString lastFirst = QStringLiteral("Brown, Amy (ID#%1)").arg(fam);
    const QString firstLast = QStringLiteral("Amy Brown (ID#%1)").arg(fam);
    const struct
    {
        QString text;
        int answer;
        QString tag;
        QString contact;
        QString address;
    } cases[] = {
        {lastFirst, ui::vbNo, QString::number(fam), QStringLiteral("Amy Brown"),
         QStringLiteral("Own St")},
        {firstLast, ui::vbYes, QString::number(fam), QStringLiteral("Amy Brown"),
         QStringLiteral("9 Hill Rd")},
        {QString(), ui::vbYes, QStringLiteral("0"), QString(), QStringLiteral("Own St")},
        {QStringLiteral("Brown (ID#x)"), ui::vbYes, QStringLiteral("x"), QStringLiteral("Tom Lee"),
         QStringLiteral("Own St")},
    };
    for (const auto &c : cases) {
        frmStudentDetails *w = openStudent(student);
        w->Edit_Me();
        w->setFieldText(4, QStringLiteral("Tom Lee"));
        script->answer(c.answer);
        w->ChangeFamily(c.text);
        EXPECT_EQ(script->shown().last().title, QStringLiteral("Load Data?"));
        EXPECT_EQ(script->shown().last().text,
                  QStringLiteral("Would you like to load contact information for this family?"));
        EXPECT_EQ(ui::tag(w->lblFamily), c.tag) << c.text.toStdString();
        EXPECT_EQ(w->lblFamily->text(), c.text);
        EXPECT_EQ(w->fieldText(4), c.contact) << c.text.toStdString();
        EXPECT_EQ(w->fieldText(5), c.address) << c.text.toStdString();
        EXPECT_TRUE(static_cast<QLineEdit *>(w->txtField[4])->isReadOnly());
        EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdFamily cmdRemoveFamily"));
        w->cmdSave->setEnabled(false);
        w->unload();
    }

    // Saving the chosen family (details loaded): the member joins and the family
    // takes the details as they stand.
    frmStudentDetails *w = openStudent(student);
    w->Edit_Me();
    script->answer(ui::vbYes);
    w->ChangeFamily(lastFirst);
    w->setFieldText(6, QStringLiteral("Bayside"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), student), QString::number(fam));
    EXPECT_EQ(column(QStringLiteral("City"), fam), QStringLiteral("Bayside"));
    EXPECT_EQ(column(QStringLiteral("Address"), fam), QStringLiteral("9 Hill Rd"));

    // Removing while editing: the contact box opens; the save leaves the family alone.
    w->Edit_Me();
    w->setFieldText(6, QStringLiteral("Elsewhere"));
    w->cmdRemoveFamily->click();
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("0"));
    EXPECT_FALSE(static_cast<QLineEdit *>(w->txtField[4])->isReadOnly());
    EXPECT_EQ(w->fieldText(4), QStringLiteral("Amy Brown"));
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdAttachFamily cmdEditFamily"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), student), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("City"), fam), QStringLiteral("Bayside"));
}

TEST_F(FamiliesTest, RecordSaveCopiesTheDetailsToTheWholeFamilyInOneStep)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 a = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    const qint32 b = addStudent(QStringLiteral("Cat"), QStringLiteral("Brown"));
    join(a, fam);
    join(b, fam);
    exec(QStringLiteral("UPDATE Students SET [Mobile Phone] = '0400', [Parents Name] = 'Amy' "
                        "WHERE StudentID = %1")
             .arg(a));

    // Loaded unchanged: the details go to the family and every member.
    frmStudentDetails *w = openStudent(a);
    EXPECT_TRUE(w->ContactDetailsChanged);
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("Brown, Amy (ID#%1)").arg(fam));
    w->Edit_Me();
    ASSERT_TRUE(w->cmdSave_Click());
    for (qint32 id : {fam, b})
        EXPECT_EQ(column(QStringLiteral("Mobile Phone"), id), QStringLiteral("0400"));
    EXPECT_EQ(column(QStringLiteral("Parents Name"), b), QStringLiteral("Amy"));

    // A member without details copies nothing.
    exec(QStringLiteral("UPDATE Students SET [Mobile Phone] = '', [Parents Name] = '' WHERE "
                        "StudentID = %1")
             .arg(b));
    frmStudentDetails *other = openStudent(b);
    EXPECT_FALSE(other->ContactDetailsChanged);
    other->Edit_Me();
    ASSERT_TRUE(other->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Mobile Phone"), fam), QStringLiteral("0400"));

    // A copy that cannot be written undoes the member's save too.
    w->Edit_Me();
    w->setFieldText(2, QStringLiteral("Browne"));
    w->setFieldText(11, QStringLiteral("0411"));
    runSqlite(QStringLiteral("CREATE TRIGGER NoCopy BEFORE UPDATE ON Students WHEN "
                             "OLD.StudentID = %1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;")
                  .arg(fam)
                  .toUtf8());
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(titles().last(), QStringLiteral("Something went wrong"));
    EXPECT_EQ(column(QStringLiteral("Last Name"), a), QStringLiteral("Brown"));
    EXPECT_TRUE(w->cmdSave->isEnabled());
}

TEST_F(FamiliesTest, FamilyScheduleIsRefusedForIndividualsAndHiddenBookings)
{
    QVariantList asked;
    ui::RegisterProcedure(QStringLiteral("mReports::ShowFamilySchedule"),
                          [&](const QVariantList &args) {
                              asked = args;
                              return QVariant();
                          });
    addIncomeAccount();
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 student = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    const QStringList statuses = {QStringLiteral("Cancelled"), QStringLiteral("Moved"),
                                  QStringLiteral("Waiting"), QStringLiteral("No Show")};
    for (const QString &status : statuses)
        addBooking(addClass(program), student, status);

    frmStudentDetails *w = openStudent(student);
    EXPECT_EQ(w->cmdPrintFamily->text(), QStringLiteral("Family Schedule"));
    EXPECT_EQ(w->cmdPrintFamily->toolTip(),
              QStringLiteral("Print a family schedule for the selected program"));
    ASSERT_EQ(w->grd->rows(), 5);
    w->grd->setGridRow(1);
    w->grd->setGridCol(1);
    script->answer(ui::vbOK);
    w->cmdPrintFamily_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("This student is an individual. You cannot print a schedule for an "
                             "individual. Please use a confirmation slip instead."));

    join(student, fam);
    w->ReLoadUp();
    const struct
    {
        const char *status;
        const char *title;
    } hidden[] = {{"Cancelled", "Hidden Bookings"}, {"Moved", "Hidded Booking"},
                  {"Waiting", "Hidden Booking"}};
    QHash<QString, int> rowOf;
    for (int r = 1; r < w->grd->rows(); ++r)
        rowOf.insert(value(QStringLiteral("SELECT Status FROM Bookings WHERE BookingID = %1")
                               .arg(w->grd->textMatrix(r, 0)))
                         .toString(),
                     r);
    for (const auto &h : hidden) {
        w->grd->setGridRow(rowOf.value(QString::fromLatin1(h.status)));
        w->grd->setGridCol(3);
        script->answer(ui::vbOK);
        w->cmdPrintFamily_Click();
        EXPECT_EQ(script->shown().last().title, QString::fromLatin1(h.title)) << h.status;
    }
    EXPECT_TRUE(asked.isEmpty());
    w->grd->setGridRow(rowOf.value(QStringLiteral("No Show")));
    w->cmdPrintFamily_Click();
    const QString family = QStringLiteral("Brown, Amy (ID#%1)").arg(fam);
    EXPECT_EQ(asked, (QVariantList{true, true, family, QStringLiteral("Term 1"),
                                   QStringLiteral("Term 1"), family}));
}

TEST_F(FamiliesTest, NewFamilyWindowChecksSuggestsCancelsAndNeverDuplicatesARow)
{
    const qint32 student = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    frmStudentDetails *w = openStudent(student);
    w->Edit_Me();
    auto *family = ui::Forms::shared<frmFamily>();
    family->LoadUp(w);
    ui::setTag(w->lblFamily, QStringLiteral("NEWFAM"));
    const int families = count(QStringLiteral("SELECT StudentID FROM Students WHERE Vendor = 'Y'"));

    family->txtField[1]->setText(QStringLiteral("Ann"));
    family->txtField[2]->setText(QStringLiteral("Lee"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(family->cmdSave_Click()) << "the contact name was never entered";
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Please complete all fields."));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    family->txtField[3]->setText(QStringLiteral("Mrs Lee"));
    family->txtField_GotFocus(3);
    EXPECT_EQ(family->txtField[3]->text(), QStringLiteral("Mrs Lee")) << "typed text stays";

    block(QStringLiteral("Students"), QStringLiteral("INSERT"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(family->cmdSave_Click());
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Something went wrong"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when creating the family. The record may not have "
                       "saved correctly. (Err#")));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmFamily")), family);
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("NEWFAM"));
    runSqlite("DROP TRIGGER BlockStudentsINSERT;");
    ASSERT_TRUE(family->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE Vendor = 'Y'")),
              families + 1);

    // Cancel: the record goes back to individual and nothing is written.
    ui::setTag(w->lblFamily, QStringLiteral("NEWFAM"));
    family = ui::Forms::shared<frmFamily>();
    EXPECT_TRUE(family->txtField[1]->text().isEmpty()) << "a fresh window each time";
    family->LoadUp(w);
    family->txtField[1]->setText(QStringLiteral("Zed"));
    family->cmdCancel->click();
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("0"));
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdAttachFamily cmdEditFamily"));
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE Vendor = 'Y'")),
              families + 1);
}

TEST_F(FamiliesTest, ChangeFamilyWindowListsFamiliesAndPassesTheText)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    addFamily(QStringLiteral("Zoe"), QStringLiteral("Adams"));
    const qint32 student = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    frmStudentDetails *w = openStudent(student);
    w->Edit_Me();
    w->cmdEditFamily->click();
    auto *change = static_cast<frmChangeFamily *>(ui::Forms::find(QStringLiteral("frmChangeFamily")));
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->caption(), QStringLiteral("Add Student to Family"));
    EXPECT_EQ(change->Label5->text(), QStringLiteral("Choose a Family Contact Person from the List"));
    EXPECT_EQ(change->lblStatus->text(), QStringLiteral("2 families on file"));
    EXPECT_EQ(change->cbo->list(0), QStringLiteral("Adams, Zoe (ID#%1)").arg(fam + 1));
    change->optFL->click();
    EXPECT_EQ(change->cbo->list(0), QStringLiteral("Amy Brown (ID#%1)").arg(fam));

    // Save with nothing chosen hands over the empty text.
    script->answer(ui::vbNo);
    change->cmdNext->click();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmChangeFamily")), nullptr);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Load Data?")});
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("0"));
    EXPECT_EQ(w->lblFamily->text(), QString());
    EXPECT_EQ(visibleButtons(w), QStringLiteral("cmdFamily cmdRemoveFamily"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), student), QStringLiteral("0"));

    // A chosen item reaches the record by name.
    w->Edit_Me();
    w->cmdEditFamily->click();
    change = static_cast<frmChangeFamily *>(ui::Forms::find(QStringLiteral("frmChangeFamily")));
    change->cbo->setListIndex(1);
    script->answer(ui::vbNo);
    emit change->cbo->listWidget()->itemDoubleClicked(change->cbo->listWidget()->item(1));
    EXPECT_EQ(ui::tag(w->lblFamily), QString::number(fam));
}

TEST_F(FamiliesTest, AddToFamilyPutsTheChosenPupilIntoTheFamily)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 other = addFamily(QStringLiteral("Zoe"), QStringLiteral("Adams"));
    const qint32 solo = addPupil(QStringLiteral("Tom"), QStringLiteral("Lee"));
    const qint32 moved = addPupil(QStringLiteral("Ann"), QStringLiteral("Adams"));
    const qint32 kept = addPupil(QStringLiteral("Ben"), QStringLiteral("Adams"));
    const qint32 same = addPupil(QStringLiteral("Cat"), QStringLiteral("Brown"));
    join(moved, other);
    join(kept, other);
    join(same, fam);
    frmFamDetails *family = openFamily(fam);
    family->showForm();
    EXPECT_EQ(items(family->lstFamily), QStringList{QStringLiteral("Brown, Cat (SID#%1)").arg(same)});

    const struct
    {
        QString text;
        bool firstNameFirst;
        int answer; // 0: no question
        qint32 student;
        qint32 familyAfter;
    } cases[] = {
        {QStringLiteral("LEE, TOM (SID#%1)").arg(solo), false, 0, solo, fam},
        {QStringLiteral("Ann Adams (SID#%1)").arg(moved), true, ui::vbYes, moved, fam},
        {QStringLiteral("Adams, Ben (SID#%1)").arg(kept), false, ui::vbNo, kept, other},
        {QStringLiteral("Brown, Cat (SID#%1)").arg(same), false, ui::vbYes, same, fam},
    };
    for (const auto &c : cases) {
        family->showForm();
        family->cmdAdd->click();
        auto *add = static_cast<frmAddToFamily *>(ui::Forms::find(QStringLiteral("frmAddToFamily")));
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add->familyId(), fam);
        (c.firstNameFirst ? add->optFL : add->optLF)->click();
        add->cbo->setText(c.text);
        const auto before = script->shown().size();
        if (c.answer)
            script->answer(c.answer);
        add->cmdNext->click();
        if (c.answer) {
            ASSERT_EQ(script->shown().size(), before + 1);
            EXPECT_EQ(script->shown().last().title, QStringLiteral("Change Families"));
            EXPECT_EQ(script->shown().last().text,
                      QStringLiteral("This student is already a member of another family. Do you "
                                     "want to move them into this family?"));
        } else {
            EXPECT_EQ(script->shown().size(), before);
        }
        EXPECT_EQ(column(QStringLiteral("Family"), c.student), QString::number(c.familyAfter))
            << c.text.toStdString();
        EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAddToFamily")), nullptr);
    }
    EXPECT_EQ(items(family->lstFamily),
              (QStringList{QStringLiteral("Adams, Ann (SID#%1)").arg(moved),
                           QStringLiteral("Brown, Cat (SID#%1)").arg(same),
                           QStringLiteral("Lee, Tom (SID#%1)").arg(solo)}));

    // A text that names nobody (renamed meanwhile) stays with a message.
    family->cmdAdd->click();
    auto *add = static_cast<frmAddToFamily *>(ui::Forms::find(QStringLiteral("frmAddToFamily")));
    EXPECT_EQ(add->Label1->text(),
              QStringLiteral("Simply locate the student you wish to add to this family from the "
                             "list below. If the student you wish to add doesn't appear in the "
                             "list, click New Student to create them."));
    add->cbo->setText(QStringLiteral("Lee, Tom (SID#%1)").arg(solo));
    exec(QStringLiteral("UPDATE Students SET [First Name] = 'Thomas' WHERE StudentID = %1").arg(solo));
    script->answer(ui::vbOK);
    add->cmdNext->click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("An error has occurred."));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAddToFamily")), add);
    add->cbo->setText(QString());
    const auto before = script->shown().size();
    add->cmdNext->click();
    EXPECT_EQ(script->shown().size(), before) << "nothing chosen: nothing happens";
}

TEST_F(FamiliesTest, AddToFamilyOpensTheChosenStudentInEitherOrder)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 student = addPupil(QStringLiteral("John"), QStringLiteral("Smith"));
    auto *add = ui::Forms::shared<frmAddToFamily>();
    add->LoadUp(fam);
    EXPECT_EQ(add->lblStatus->text(), QStringLiteral("1 students on file"));
    auto opened = [&] {
        auto *record = static_cast<frmStudentDetails *>(ui::Forms::findByRecord(
            QStringLiteral("frmStudentDetails"), QString::number(student)));
        const bool found = record != nullptr;
        if (record)
            record->unload();
        return found;
    };
    const QString lastFirst = QStringLiteral("Smith, John (SID#%1)").arg(student);
    const QString firstLast = QStringLiteral("John Smith (SID#%1)").arg(student);
    // Allowed: the window opens the student itself.
    for (bool firstNameFirst : {false, true}) {
        (firstNameFirst ? add->optFL : add->optLF)->click();
        add->cbo->setText(firstNameFirst ? firstLast : lastFirst);
        add->cmdEdit->click();
        EXPECT_TRUE(opened()) << firstNameFirst;
    }
    // Refused: the authorisation window asks; once approved it opens the same student.
    FamilyStandIn *password = standIn(QStringLiteral("frmPassword"));
    Global::CurrentUserId = QStringLiteral("nobody");
    Global::LoadCurrentUserRights();
    for (bool firstNameFirst : {false, true}) {
        (firstNameFirst ? add->optFL : add->optLF)->click();
        add->cbo->setText(firstNameFirst ? firstLast : lastFirst);
        password->calls.clear();
        add->cmdEdit->click();
        EXPECT_EQ(password->calls, QStringList{QStringLiteral("LoadUp Edit Student Bkg ")});
        useraccess::AuthorisationRequest request;
        request.xf = add;
        request.strMode = QStringLiteral("Edit Student Bkg");
        request.userId = QStringLiteral("i");
        request.passwordWindow = password;
        EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
        EXPECT_TRUE(opened()) << firstNameFirst;
    }
    add->cmdAddStudent->click();
    EXPECT_EQ(password->calls.last(), QStringLiteral("LoadUp Add Student Bkg "));
}

TEST_F(FamiliesTest, FamilyWindowShowsTheRowAndItsSortedMembers)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"),
                                 QStringLiteral("9 Hill Rd"));
    const qint32 zoe = addStudent(QStringLiteral("Zoe"), QStringLiteral("Smith"));
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 nameless = addStudent(QStringLiteral("x"), QStringLiteral("Young"));
    exec(QStringLiteral("UPDATE Students SET [First Name] = Null WHERE StudentID = %1").arg(nameless));
    for (qint32 id : {zoe, amy, nameless})
        join(id, fam);
    ASSERT_LT(zoe, amy);

    frmFamDetails *w = openFamily(fam);
    w->showForm();
    ovix::test::saveScreenshot(w, QStringLiteral("frmFamDetails"));
    EXPECT_EQ(w->caption(), QStringLiteral("Family Details - Amy Brown"));
    EXPECT_EQ(w->lblName->text(), QStringLiteral("Amy Brown"));
    EXPECT_EQ(w->lblFamilyID->text(), QString::number(fam));
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));
    EXPECT_EQ(w->fieldText(5), QStringLiteral("9 Hill Rd"));
    EXPECT_TRUE(w->ContactDetailsChanged) << "loading details raises the flag";
    EXPECT_EQ(items(w->lstFamily),
              (QStringList{QStringLiteral("Brown, Amy (SID#%1)").arg(amy),
                           QStringLiteral("Smith, Zoe (SID#%1)").arg(zoe),
                           QStringLiteral("Young,  (SID#%1)").arg(nameless)}));
    // The view mode.
    EXPECT_TRUE(w->txtField[1]->isReadOnly());
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->chkStudent->isEnabled());
    EXPECT_FALSE(w->cmdBarcodeChange->isEnabled());
    EXPECT_FALSE(w->btnLoadPic->isEnabled()) << "no photograph window yet";

    // The texts of the window.
    QStringList tabs;
    for (int i = 0; i < w->SSTab1->count(); ++i)
        tabs << w->SSTab1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{QStringLiteral("Contact Person"), QStringLiteral("Contact Address"),
                                 QStringLiteral("Family Members")}));
    const struct
    {
        int box;
        const char *label;
        int length;
    } boxes[] = {{1, "First Name:", 50},    {2, "Last Name:", 50},    {4, "Contact Person:", 50},
                 {5, "Address:", 50},       {6, "City:", 50},         {7, "State:", 3},
                 {8, "Postcode:", 5},       {9, "Home Phone:", 50},   {10, "Work Phone:", 50},
                 {11, "Mobile Phone:", 50}, {12, "Email Address:", 50}};
    for (const auto &b : boxes) {
        EXPECT_EQ(w->lblField[b.box]->text(), QString::fromLatin1(b.label));
        EXPECT_EQ(w->txtField[b.box]->maxLength(), b.length) << b.box;
    }
    for (int hidden : {0, 3, 14})
        EXPECT_TRUE(w->txtField[hidden]->isHidden()) << hidden;
    EXPECT_EQ(w->txtField[14]->maxLength(), 1);
    EXPECT_FALSE(w->txtField.contains(13));
    for (const char *caption : {"Import Image from File", "Copy Image to Clipboard",
                                "Delete Student Image", "Details + Declaration Form",
                                "Add Student to Family", "Remove from Family",
                                "View/Edit Student", "Edit", "Save", "Delete", "Change..."}) {
        bool found = false;
        for (auto *b : w->findChildren<QPushButton *>())
            found = found || b->text() == QLatin1String(caption);
        EXPECT_TRUE(found) << caption;
    }
    EXPECT_EQ(w->chkStudent->text(), QStringLiteral("Student"));
    EXPECT_EQ(w->chkEmployee->text(), QStringLiteral("Employee"));

    // Members open and leave, also the one without a first name.
    choose(w->lstFamily, QStringLiteral("Young,  (SID#%1)").arg(nameless));
    w->cmdEditStudent->click();
    EXPECT_NE(ui::Forms::findByRecord(QStringLiteral("frmStudentDetails"),
                                      QString::number(nameless)),
              nullptr);
    w->cmdRemoveStudent->click();
    EXPECT_EQ(column(QStringLiteral("Family"), nameless), QStringLiteral("0"));
    EXPECT_EQ(w->lstFamily->count(), 2);
    // A member deleted meanwhile: a message, no empty record window.
    choose(w->lstFamily, QStringLiteral("Smith, Zoe (SID#%1)").arg(zoe));
    exec(QStringLiteral("DELETE FROM Students WHERE StudentID = %1").arg(zoe));
    const int windows = ui::Forms::count();
    script->answer(ui::vbOK);
    w->cmdEditStudent->click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("This student could not be found. It may have been deleted or "
                             "renamed since the list was filled."));
    EXPECT_EQ(ui::Forms::count(), windows);
}


TEST_F(FamiliesTest, NewFamilySavedWithOnlyALastName)
{
    frmFamDetails *w = openFamily(0);
    EXPECT_TRUE(w->cmdSave->isEnabled()) << "a new family opens in edit mode";
    EXPECT_FALSE(w->txtField[2]->isReadOnly());
    EXPECT_TRUE(w->chkStudent->isEnabled());
    EXPECT_FALSE(w->chkEmployee->isEnabled());
    EXPECT_EQ(w->lblFamilyID->text(), QStringLiteral("(none)"));
    // Nothing that needs a saved family does anything yet.
    w->cmdAdd->click();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAddToFamily")), nullptr);
    script->answer(ui::vbOK);
    w->btnLoadPic_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Sorry, not just now"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You must save the new student before importing an image file."));

    w->setFieldText(2, QStringLiteral("Nguyen"));
    w->chkStudent->setChecked(true);
    const int before = count(QStringLiteral("SELECT StudentID FROM Students"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students")), before + 1);
    const qint32 id = w->familyId();
    EXPECT_EQ(w->fieldText(0), QString::number(id));
    EXPECT_EQ(w->lblFamilyID->text(), QString::number(id));
    EXPECT_EQ(w->caption(), QStringLiteral("Family Details"));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtField[2]->isReadOnly());
    const struct
    {
        const char *column;
        QString value;
    } written[] = {{"First Name", QString()},
                   {"Last Name", QStringLiteral("Nguyen")},
                   {"Vendor", QStringLiteral("Y")},
                   {"Special", QStringLiteral("N")},
                   {"Inactive", QStringLiteral("0")},
                   {"Family", QStringLiteral("0")},
                   {"Student", QStringLiteral("Y")},
                   {"Employee", QStringLiteral("N")}};
    for (const auto &c : written)
        EXPECT_EQ(column(QString::fromLatin1(c.column), id), c.value) << c.column;
    EXPECT_EQ(value(QStringLiteral("SELECT DetailsFormCompleted FROM Students WHERE StudentID = %1")
                        .arg(id))
                  .toDateTime()
                  .date(),
              vb::Date().date());
}

TEST_F(FamiliesTest, FamilySaveWritesAndCopiesTextsAsTyped)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    exec(QStringLiteral("UPDATE Students SET Inactive = 1, Family = 7 WHERE StudentID = %1").arg(fam));
    const qint32 a = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    const qint32 b = addStudent(QStringLiteral("Cat"), QStringLiteral("Brown"));
    join(a, fam);
    join(b, fam);
    exec(QStringLiteral("UPDATE Students SET [Work Phone] = 'own' WHERE StudentID = %1").arg(b));
    auto *record = openStudent(b);
    frmFamDetails *w = openFamily(fam);
    w->cmdEdit->click();
    ASSERT_TRUE(w->cmdSave->isEnabled());
    const QString typed[] = {QStringLiteral("O'Brien"), QStringLiteral("#1; \"x\""),
                             QStringLiteral("<b>&amp;")};
    w->setFieldText(1, typed[0]);
    w->setFieldText(2, typed[2]);
    w->setFieldText(4, typed[1]);
    w->setFieldText(5, typed[0] + typed[1]);
    w->setFieldText(6, typed[2]);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("First Name"), fam), typed[0]);
    EXPECT_EQ(column(QStringLiteral("Last Name"), fam), typed[2]);
    EXPECT_EQ(column(QStringLiteral("Inactive"), fam), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("Family"), fam), QStringLiteral("0"));
    for (qint32 id : {fam, a, b}) {
        EXPECT_EQ(column(QStringLiteral("Parents Name"), id), typed[1]);
        EXPECT_EQ(column(QStringLiteral("Address"), id), typed[0] + typed[1]);
        EXPECT_EQ(column(QStringLiteral("City"), id), typed[2]);
        EXPECT_EQ(column(QStringLiteral("Work Phone"), id), QString()) << "empty texts too";
    }
    EXPECT_EQ(column(QStringLiteral("First Name"), a), QStringLiteral("Ben"));
    EXPECT_EQ(record->fieldText(6), typed[2]) << "open records reload";
    EXPECT_FALSE(w->ContactDetailsChanged);

    // A copy that cannot be written leaves everything as it was and the window editing.
    w->cmdEdit->click();
    w->setFieldText(6, QStringLiteral("Elsewhere"));
    runSqlite(QStringLiteral("CREATE TRIGGER NoCopy BEFORE UPDATE ON Students WHEN "
                             "OLD.StudentID = %1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;")
                  .arg(b)
                  .toUtf8());
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Something went wrong"));
    EXPECT_EQ(column(QStringLiteral("City"), fam), typed[2]);
    EXPECT_EQ(column(QStringLiteral("City"), a), typed[2]);
    EXPECT_TRUE(w->cmdSave->isEnabled());
    // Yes on closing with a failing save keeps the window.
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload());
    EXPECT_EQ(script->shown()[script->shown().size() - 2].text,
              QStringLiteral("Do you want to save changes to %1 %2's family record?")
                  .arg(typed[0], typed[2]));
    runSqlite("DROP TRIGGER NoCopy;");
    script->answer(ui::vbYes);
    EXPECT_TRUE(w->unload());
    EXPECT_EQ(column(QStringLiteral("City"), b), QStringLiteral("Elsewhere"));
}

TEST_F(FamiliesTest, FamilyBarcodeEditRightAndClosing)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 other = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Barcode = 'FAM1' WHERE StudentID = %1").arg(fam));
    exec(QStringLiteral("UPDATE Students SET Barcode = 'TOM1' WHERE StudentID = %1").arg(other));
    frmFamDetails *w = openFamily(fam);
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("FAM1"));
    w->Edit_Me();
    const struct
    {
        QString scanned;
        int answer;
        QString title;
        QString shown;
    } cases[] = {
        {QStringLiteral("fam1"), 0, QString(), QStringLiteral("FAM1")},
        {QStringLiteral("tom1"), ui::vbOK, QStringLiteral("Cannot assign barcode"),
         QStringLiteral("FAM1")},
        {QStringLiteral("new9"), 0, QString(), QStringLiteral("NEW9")},
        {QString(), ui::vbNo, QStringLiteral("Remove barcode?"), QStringLiteral("NEW9")},
        {QString(), ui::vbYes, QStringLiteral("Remove barcode?"), QStringLiteral("(none)")},
    };
    for (const auto &c : cases) {
        const auto before = script->shown().size();
        script->input(c.scanned);
        if (c.answer)
            script->answer(c.answer);
        w->cmdBarcodeChange_Click();
        EXPECT_EQ(w->lblBarcode->text(), c.shown) << c.scanned.toStdString();
        if (c.answer)
            EXPECT_EQ(script->shown().last().title, c.title);
        else
            EXPECT_EQ(script->shown().size(), before + 1) << "only the input box";
    }
    EXPECT_EQ(script->shown()[2].text,
              QStringLiteral("The barcode you entered is already assigned to Tom Lee."));
    EXPECT_EQ(column(QStringLiteral("Barcode"), fam), QStringLiteral("FAM1")) << "until saved";
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Barcode"), fam), QString());

    // Without the right: the authorisation window, whose approval edits this window.
    FamilyStandIn *password = standIn(QStringLiteral("frmPassword"));
    Global::CurrentUserId = QStringLiteral("nobody");
    Global::LoadCurrentUserRights();
    frmFamDetails *refused = openFamily(fam, QStringLiteral("nobody"));
    refused->cmdEdit->click();
    EXPECT_FALSE(refused->cmdSave->isEnabled());
    EXPECT_EQ(password->calls, QStringList{QStringLiteral("LoadUp Edit Family %1").arg(fam)});
    refused->cmdDelete->click();
    EXPECT_EQ(password->calls.last(), QStringLiteral("LoadUp Delete Family %1").arg(fam));
    useraccess::AuthorisationRequest request;
    request.xf = refused;
    request.strMode = QStringLiteral("Edit Family");
    request.strExtraInfo = QString::number(fam);
    request.userId = QStringLiteral("i");
    request.passwordWindow = password;
    EXPECT_TRUE(w->unload());
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_TRUE(refused->cmdSave->isEnabled());
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();

    // Closing in edit mode asks, also without a change; Cancel keeps, No closes.
    script->answer(ui::vbCancel);
    EXPECT_FALSE(refused->unload());
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Wait a minute"));
    script->answer(ui::vbNo);
    EXPECT_TRUE(refused->unload());
    frmFamDetails *fresh = openFamily(0);
    script->answer(ui::vbNo);
    EXPECT_TRUE(fresh->unload());
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("Do you want to save changes to 's family record?"));
}

TEST_F(FamiliesTest, DeletingAFamilyKeepsItsMembersAndTheirBookings)
{
    FamilyStandIn *find = standIn(QStringLiteral("frmFindStudent"));
    addIncomeAccount();
    const qint32 classId = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 member = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    join(member, fam);
    const qint32 own1 = addBooking(classId, fam);
    addBooking(classId, fam, QStringLiteral("Tentative"));
    const qint32 kept = addBooking(classId, member);
    exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount) VALUES (%1, %2, "
                        "'C', 50)")
             .arg(own1)
             .arg(fam));
    const QDir jpegs(dir.path());
    frmFamDetails *w = openFamily(fam);
    const QString photo = frmStudentDetails::PersonPhotoFile(fam);
    QDir().mkpath(QFileInfo(photo).path());
    {
        QFile file(photo);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    script->answer(ui::vbNo);
    w->DeleteFamily();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Last chance"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("There are 2 bookings for this family contact person. Deleting the "
                             "family contact person will also delete these bookings.\r\n\r\nAre "
                             "you sure you want to delete the family contact person?"));
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE StudentID = %1").arg(fam)),
              1);
    EXPECT_EQ(find->calls, QStringList{QStringLiteral("Load_Students")}) << "also after No";
    EXPECT_TRUE(QFile::exists(photo));

    // Through the confirmation window, as the Delete button starts it.
    QPointer<frmFamDetails> alive = w;
    w->cmdDelete->click();
    auto *confirm = ui::Forms::shared<frmConfirmDelete>();
    EXPECT_EQ(confirm->txtReason->text(), QStringLiteral("Delete Family"));
    EXPECT_EQ(confirm->txtInfoLine->text(), QString::number(fam));
    confirm->txtField->setText(QStringLiteral("yes"));
    script->answer(ui::vbYes);
    confirm->cmdOK_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "the window closes";
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE StudentID = %1").arg(fam)),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT BookingID FROM Bookings WHERE StudentID = %1").arg(fam)),
              0);
    EXPECT_EQ(column(QStringLiteral("Family"), member), QStringLiteral("0"));
    EXPECT_EQ(count(QStringLiteral("SELECT BookingID FROM Bookings WHERE BookingID = %1").arg(kept)),
              1);
    EXPECT_EQ(count(QStringLiteral("SELECT PaymentID FROM Payments WHERE BookingID = %1").arg(own1)),
              1);
    EXPECT_FALSE(QFile::exists(photo));
    EXPECT_EQ(find->calls.size(), 2);
}

TEST_F(FamiliesTest, FamilyPhotographAndEmailButtons)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    FamilyStandIn *photo = standIn(QStringLiteral("frmPhoto"));
    frmFamDetails *w = openFamily(fam);
    EXPECT_TRUE(w->btnLoadPic->isEnabled());
    w->btnLoadPic->click();
    EXPECT_EQ(ui::tag(photo), QStringLiteral("frmFamDetails"));
    EXPECT_EQ(photo->txtID->text(), QString::number(fam));

    script->answer(ui::vbOK);
    w->btnDelPic->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops! Delete Image Error"));

    // Without an e-mail window the icon says that e-mail is not available yet.
    ui::RegisterWindow(QStringLiteral("frmEmail"), {});
    w->setFieldText(12, QStringLiteral("amy@example.org"));
    script->answer(ui::vbOK);
    w->imgEmail->click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Sending email is not available yet."));
    w->setFieldText(12, QString());

    // Each click on the e-mail icon opens another e-mail window.
    int mails = 0;
    ui::RegisterWindow(QStringLiteral("frmEmail"), [&mails]() -> ui::Form * {
        ++mails;
        auto *mail = new FamilyStandIn(QStringLiteral("frmEmail"));
        mail->load();
        return mail;
    });
    script->answer(ui::vbOK);
    w->imgEmail->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("No Email Address"));
    w->setFieldText(12, QStringLiteral("amy@example.org"));
    w->imgEmail->click();
    w->imgEmail->click();
    EXPECT_EQ(mails, 2);
    auto *mail = static_cast<FamilyStandIn *>(ui::Forms::find(QStringLiteral("frmEmail")));
    EXPECT_EQ(mail->txtTo->text(), QStringLiteral("amy@example.org"));
    EXPECT_EQ(mail->property("strIDs").toString(), QString::number(fam));
}

TEST_F(FamiliesTest, RefusedPanelButtonsAskAndTheApprovalOpensTheWindow)
{
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 member = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    const qint32 solo = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    join(member, fam);
    FamilyStandIn *password = standIn(QStringLiteral("frmPassword"));
    Global::CurrentUserId = QStringLiteral("nobody");
    Global::LoadCurrentUserRights();
    auto run = [&](ui::Form *requester, const QString &text, const QString &extra) {
        useraccess::AuthorisationRequest request;
        request.xf = requester;
        request.strMode = text;
        request.strExtraInfo = extra;
        request.userId = QStringLiteral("i");
        request.passwordWindow = password;
        return useraccess::RunAuthorisedOperation(request);
    };

    frmStudentDetails *w = openStudent(member);
    w->cmdFamily->click();
    EXPECT_EQ(password->calls.last(), QStringLiteral("LoadUp Family from Students %1").arg(fam));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmFamDetails")), nullptr);
    ASSERT_TRUE(run(w, QStringLiteral("Family from Students"), QString::number(fam)));
    auto *family = static_cast<frmFamDetails *>(
        ui::Forms::findByRecord(QStringLiteral("frmFamDetails"), QString::number(fam)));
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->userId(), QStringLiteral("i"));

    frmStudentDetails *s = openStudent(solo);
    s->Edit_Me();
    s->cmdAttachFamily->click();
    EXPECT_EQ(password->calls.last(), QStringLiteral("LoadUp New Family for Student %1").arg(solo));
    EXPECT_EQ(ui::tag(s->lblFamily), QStringLiteral("0")) << "no NEWFAM on this path";
    ASSERT_TRUE(run(s, QStringLiteral("New Family for Student"), QString::number(solo)));
    auto *made = static_cast<frmFamily *>(ui::Forms::find(QStringLiteral("frmFamily")));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->txtSID->text(), QString::number(solo));
    for (int i = 1; i <= 3; ++i)
        made->txtField[i]->setText(QStringLiteral("Lee"));
    ASSERT_TRUE(made->cmdSave_Click());
    EXPECT_EQ(s->lblFamily->text().left(10), QStringLiteral("Lee, Lee ("));
}

TEST_F(FamiliesTest, AFailedDeletionChangesNothingAndSaysSo)
{
    addIncomeAccount();
    const qint32 classId = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 fam = addFamily(QStringLiteral("Amy"), QStringLiteral("Brown"));
    const qint32 member = addStudent(QStringLiteral("Ben"), QStringLiteral("Brown"));
    join(member, fam);
    addBooking(classId, fam);
    frmFamDetails *w = openFamily(fam);
    block(QStringLiteral("Students"), QStringLiteral("DELETE"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->DeleteFamily();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Delete Family"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("The family could not be deleted. Nothing was changed. (Err#")));
    EXPECT_EQ(count(QStringLiteral("SELECT BookingID FROM Bookings WHERE StudentID = %1").arg(fam)),
              1);
    EXPECT_EQ(column(QStringLiteral("Family"), member), QString::number(fam));
    EXPECT_EQ(ui::Forms::findByRecord(QStringLiteral("frmFamDetails"), QString::number(fam)), w);
}

#include "families_test.moc"
