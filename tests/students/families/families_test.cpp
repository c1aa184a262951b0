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

#include "families_test.moc"
