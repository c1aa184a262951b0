#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "money/register.h"
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
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// Stands in for the windows the record window opens by name: records each call.
class StandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit StandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
        cbo = new ui::SimpleCombo(this);
        cbo->setObjectName(QStringLiteral("cbo"));
    }
    Q_INVOKABLE void LoadUp(ui::Form *, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("LoadUp %1 %2").arg(mode, extra);
    }
    Q_INVOKABLE void LoadOps(int classId, bool oneOff)
    {
        calls << QStringLiteral("LoadOps %1 %2").arg(classId).arg(oneOff);
    }
    Q_INVOKABLE void Load_Assessment(int id) { calls << QStringLiteral("Load_Assessment %1").arg(id); }
    Q_INVOKABLE void Load_Students() { calls << QStringLiteral("Load_Students"); }
    ui::SimpleCombo *cbo;
    QStringList calls;
};

namespace {

QStringList *lastCalls = nullptr;

class StudentDetailsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
    }
    void TearDown() override
    {
        // Windows left in edit mode close without asking.
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        for (const char *name : {"frmPassword", "frmViewClass", "frmPastAssessment",
                                 "frmNewAssessment", "frmEmail", "frmFindStudent",
                                 "frmReceiptSummary"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        ui::RegisterProcedure(QStringLiteral("imodMoney::ShowReceiptSummary"), {});
        TimetableTest::TearDown();
    }
    // Registers a stand-in (one shared instance) under the name.
    StandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<StandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder) {
                *holder = new StandIn(name);
                (*holder)->load();
            }
            return holder->data();
        });
        return static_cast<StandIn *>(ui::LoadWindowByName(name));
    }
    frmStudentDetails *open(qint32 id, const QString &user = {})
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(id, nullptr, user);
        return w;
    }
    QString column(const QString &col, qint32 id)
    {
        const QVariant v =
            value(QStringLiteral("SELECT [%1] FROM Students WHERE StudentID = %2").arg(col).arg(id));
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    static bool locked(frmStudentDetails *w, int index)
    {
        return static_cast<QLineEdit *>(w->txtField[index])->isReadOnly();
    }
    QStringList titles() const
    {
        QStringList t;
        for (const auto &d : script->shown())
            t << d.title;
        return t;
    }
};

} // namespace

TEST_F(StudentDetailsTest, NewStudentOpensInEditModeOrAsksForAuthorisation)
{
    frmStudentDetails *w = open(0);
    EXPECT_EQ(w->caption(), QStringLiteral("Student Details"));
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_EQ(w->cboPassport->currentText(), QStringLiteral("Not Issued"));
    EXPECT_EQ(w->lblStudentID->text(), QStringLiteral("(none)"));
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->cmdEdit->isEnabled());
    EXPECT_FALSE(locked(w, 1));
    EXPECT_FALSE(w->cboPassport->isEnabled()) << "not before the first save";
    EXPECT_EQ(w->lblField[10]->text(), QStringLiteral("Mobile Phone:"));
    EXPECT_EQ(w->lblField[9]->text(), QStringLiteral("Postcode:"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmStudentDetails-new"));

    StandIn *password = standIn(QStringLiteral("frmPassword"));
    frmStudentDetails *refused = open(0, QStringLiteral("nobody"));
    EXPECT_FALSE(refused->cmdSave->isEnabled());
    EXPECT_TRUE(locked(refused, 1));
    EXPECT_EQ(password->calls, QStringList{QStringLiteral("LoadUp Edit Student ")});
}

TEST_F(StudentDetailsTest, LeavingBoxesAsksTheTwoQuestions)
{
    const qint32 existing = addStudent(QStringLiteral("John"), QStringLiteral("Smith"));
    frmStudentDetails *w = open(0);
    w->setFieldText(1, QStringLiteral("john"));
    w->setFieldText(2, QStringLiteral("smith"));
    script->answer(ui::vbYes);
    w->txtField_LostFocus(2);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Duplicate Name Alert"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("A student by the name of 'john smith' already exists. You could be "
                             "creating a duplicate student by mistake.\n\nWould you like to open "
                             "the existing student's card to check?"));
    auto *other = static_cast<frmStudentDetails *>(ui::Forms::findByRecord(
        QStringLiteral("frmStudentDetails"), QString::number(existing)));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->caption(), QStringLiteral("Student Details - John Smith"));
    other->txtField_LostFocus(1); // an existing student's window never asks
    EXPECT_EQ(script->shown().size(), 1);

    const QString tomorrow = vb::Format(vb::Date().addDays(1), Global::DateFormat);
    const QString today = vb::Format(vb::Date(), Global::DateFormat);
    struct Case
    {
        QString typed;
        int answer;
        QString message; // empty: accepted
        QString after;
    };
    const QString notDate = QStringLiteral("The date you entered is not in a correct date format "
                                           "and cannot be accepted. Do you want to correct it?");
    const QString future = QStringLiteral("The date you entered is after today's date and cannot "
                                          "be accepted. Do you want to correct it?");
    const Case cases[] = {{QStringLiteral("31/02/2010"), ui::vbNo, notDate, QString()},
                          {tomorrow, ui::vbNo, future, QString()},
                          {tomorrow, ui::vbYes, future, tomorrow},
                          {today, 0, QString(), today}};
    for (const Case &c : cases) {
        const auto before = script->shown().size();
        w->setFieldText(3, c.typed);
        if (c.answer)
            script->answer(c.answer);
        w->txtField_LostFocus(3);
        if (c.message.isEmpty()) {
            EXPECT_EQ(script->shown().size(), before);
            EXPECT_EQ(w->lblAge->text(), QStringLiteral("(Age: 0m)"));
        } else {
            ASSERT_EQ(script->shown().size(), before + 1);
            EXPECT_EQ(script->shown().last().text, c.message);
            EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
            EXPECT_TRUE(w->lblAge->text().isEmpty());
        }
        EXPECT_EQ(w->fieldText(3), c.after) << c.typed.toStdString();
    }
}

TEST_F(StudentDetailsTest, SavingANewStudentTwiceKeepsOneRowAndStoresTextsAsTyped)
{
    frmStudentDetails *w = open(0);
    const QString typed[] = {QStringLiteral("O'Brien \"Bob\""), QStringLiteral("#1; <b>&amp;"),
                             QStringLiteral("a;b#c")};
    w->setFieldText(1, typed[0]);
    w->setFieldText(2, typed[1]);
    w->setFieldText(3, QStringLiteral("05/06/2015"));
    w->setFieldText(5, typed[2]);
    w->setFieldText(21, QStringLiteral("line 1\nline 2 '\"'"));
    auto *search = new StandIn(QStringLiteral("frmFindStudent"));
    search->load();
    auto *booking = new StandIn(QStringLiteral("frmAddBooking"));
    booking->load();
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(search->calls, QStringList{QStringLiteral("Load_Students")});
    EXPECT_EQ(booking->calls, QStringList{QStringLiteral("Load_Students")});
    const qint32 id = w->studentId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(w->fieldText(0), QString::number(id));
    EXPECT_EQ(w->lblStudentID->text(), QString::number(id));
    EXPECT_FALSE(w->cmdSave->isEnabled());

    w->cmdEdit_Click();
    EXPECT_TRUE(w->cboPassport->isEnabled()) << "a saved student's passport may change";
    w->cboPassport->setCurrentIndex(2);
    w->setFieldText(3, QString());
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students")), 1);
    EXPECT_EQ(column(QStringLiteral("First Name"), id), typed[0]);
    EXPECT_EQ(column(QStringLiteral("Last Name"), id), typed[1]);
    EXPECT_EQ(column(QStringLiteral("Address"), id), typed[2]);
    EXPECT_EQ(column(QStringLiteral("InternalNotes"), id), QStringLiteral("line 1\nline 2 '\"'"));
    EXPECT_EQ(column(QStringLiteral("Date of Birth"), id), QStringLiteral("<null>"));
    EXPECT_EQ(column(QStringLiteral("City"), id), QString()) << "empty text, not Null";
    EXPECT_EQ(column(QStringLiteral("Issued"), id), QStringLiteral("2"));
    for (const char *flag : {"Vendor", "Employee", "Special"})
        EXPECT_EQ(column(QString::fromLatin1(flag), id), QStringLiteral("N"));
    EXPECT_EQ(column(QStringLiteral("Student"), id), QStringLiteral("Y"));
    EXPECT_EQ(value(QStringLiteral("SELECT DetailsFormCompleted FROM Students WHERE StudentID = %1")
                        .arg(id))
                  .toDateTime()
                  .date(),
              vb::Date().date());

    // The date of birth is stored as the date its text denotes.
    w->cmdEdit_Click();
    w->setFieldText(3, QStringLiteral("05/06/2015"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE [Date of Birth] = "
                                   "#2015-06-05#")),
              1);
}

TEST_F(StudentDetailsTest, SavingAnExistingFamilyContactKeepsItsFlags)
{
    const qint32 id = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Vendor = 'Y', Employee = 'Y', Special = 'N', Student "
                        "= 'N', Family = 0, [Date of Birth] = #2001-02-03# WHERE StudentID = %1")
             .arg(id));
    frmStudentDetails *w = open(id);
    EXPECT_EQ(w->fieldText(3), QStringLiteral("03/02/2001"));
    w->cmdEdit_Click();
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Vendor"), id), QStringLiteral("Y"));
    EXPECT_EQ(column(QStringLiteral("Employee"), id), QStringLiteral("Y"));
    EXPECT_EQ(column(QStringLiteral("Student"), id), QStringLiteral("Y"));
    EXPECT_EQ(count(QStringLiteral("SELECT StudentID FROM Students WHERE [Date of Birth] = "
                                   "#2001-02-03#")),
              1);
}

TEST_F(StudentDetailsTest, FamilyMembersShowTheirFamilyAndKeepTheContactLocked)
{
    const qint32 family = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 child = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID = %2").arg(family).arg(child));
    frmStudentDetails *w = open(child);
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("Lee, Ann (ID#%1)").arg(family));
    EXPECT_EQ(ui::tag(w->lblFamily), QString::number(family));
    EXPECT_FALSE(w->cmdFamily->isHidden());
    EXPECT_TRUE(w->cmdAttachFamily->isHidden());
    w->cmdEdit_Click();
    EXPECT_TRUE(locked(w, 4));
    EXPECT_FALSE(locked(w, 5));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), child), QString::number(family));

    frmStudentDetails *single = open(family);
    EXPECT_EQ(single->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_TRUE(single->cmdFamily->isHidden());
    single->cmdEdit_Click();
    EXPECT_FALSE(locked(single, 4));
}

TEST_F(StudentDetailsTest, BarcodesAreRefusedWhenSomeoneElseHoldsThem)
{
    const qint32 holder = addStudent(QStringLiteral("Kim"), QStringLiteral("O'Neil"));
    exec(QStringLiteral("UPDATE Students SET Barcode = 'X\"1' WHERE StudentID = %1").arg(holder));
    const qint32 id = addStudent(QStringLiteral("Sam"), QStringLiteral("Wu"));
    frmStudentDetails *w = open(id);
    w->cmdEdit_Click();
    script->input(QStringLiteral("x\"1"));
    w->cmdBarcodeChange_Click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[1].title, QStringLiteral("Cannot assign barcode"));
    EXPECT_EQ(script->shown()[1].text,
              QStringLiteral("The barcode you entered is already assigned to Kim O'Neil."));
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));

    script->input(QStringLiteral("new1"));
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("NEW1"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Barcode"), id), QStringLiteral("NEW1"));

    w->cmdEdit_Click();
    script->input(QString()).answer(ui::vbYes);
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Remove barcode?"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Barcode"), id), QString());
}

TEST_F(StudentDetailsTest, ClosingAnEditedWindowAsksAndAFailedSaveKeepsIt)
{
    const qint32 id = addStudent(QStringLiteral("Lou"), QStringLiteral("Ray"));
    struct Case
    {
        int answer;
        bool closes;
        QString stored;
    };
    for (const Case &c : {Case{ui::vbCancel, false, QStringLiteral("Lou")},
                          Case{ui::vbNo, true, QStringLiteral("Lou")},
                          Case{ui::vbYes, true, QStringLiteral("Louise")}}) {
        QPointer<frmStudentDetails> w = open(id);
        w->cmdEdit_Click();
        w->setFieldText(1, QStringLiteral("Louise"));
        script->answer(c.answer);
        EXPECT_EQ(w->unload(ui::CloseReason::ControlMenu), c.closes);
        EXPECT_EQ(script->shown().last().title, QStringLiteral("Wait a minute"));
        EXPECT_EQ(script->shown().last().text,
                  QStringLiteral("Do you want to save changes to Louise Ray's student record?"));
        EXPECT_EQ(column(QStringLiteral("First Name"), id), c.stored);
        if (w && w->isLoaded()) {
            script->answer(ui::vbNo);
            w->unload(ui::CloseReason::Code);
        }
        flush();
    }
    EXPECT_TRUE(open(id)->unload(ui::CloseReason::ControlMenu)) << "a read-only window closes at once";

    block(QStringLiteral("Students"), QStringLiteral("UPDATE"));
    QPointer<frmStudentDetails> w = open(id);
    w->cmdEdit_Click();
    w->setFieldText(1, QStringLiteral("Lulu"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu)) << "the entries stay after a failed save";
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Something went wrong"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when saving the student. The record may not have saved "
                       "correctly. (Err#")));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->fieldText(1), QStringLiteral("Lulu"));
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(column(QStringLiteral("First Name"), id), QStringLiteral("Louise"));
}

TEST_F(StudentDetailsTest, EmployeesAreHiddenFromUsersWithoutTheRight)
{
    const qint32 id = addStudent(QStringLiteral("Eve"), QStringLiteral("Desk"));
    exec(QStringLiteral("UPDATE Students SET Employee = 'Y' WHERE StudentID = %1").arg(id));
    frmStudentDetails *full = open(id);
    EXPECT_FALSE(full->fraDetails->isHidden());
    EXPECT_TRUE(full->lblWarning->isHidden());

    Global::CurrentUserId = QStringLiteral("nobody");
    Global::LoadCurrentUserRights();
    frmStudentDetails *guarded = open(id, QStringLiteral("i"));
    EXPECT_TRUE(guarded->fraDetails->isHidden());
    EXPECT_TRUE(guarded->fraAddress->isHidden());
    EXPECT_TRUE(guarded->btnLoadPic->isHidden());
    EXPECT_FALSE(guarded->lblWarning->isHidden());
    EXPECT_FALSE(guarded->lblWarning2->isHidden());
    EXPECT_EQ(guarded->lblWarning->text(),
              QStringLiteral("This person is an employee. Only administrators can view or change "
                             "employee details."));
    EXPECT_EQ(guarded->caption(), QStringLiteral("Student Details - Eve Desk"));
    ovix::test::saveScreenshot(guarded, QStringLiteral("frmStudentDetails-employee"));
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();
}

TEST_F(StudentDetailsTest, ReloadingShowsAnEmptiedColumnAndAMissingRowOnce)
{
    const qint32 id = addStudent(QStringLiteral("Ada"), QStringLiteral("Byte"));
    exec(QStringLiteral("UPDATE Students SET Address = '1 Pool St', Barcode = 'B1' WHERE "
                        "StudentID = %1")
             .arg(id));
    frmStudentDetails *w = open(id);
    EXPECT_EQ(w->fieldText(5), QStringLiteral("1 Pool St"));
    EXPECT_EQ(w->txtBal->text(), QStringLiteral("$0.00"));
    exec(QStringLiteral("UPDATE Students SET Address = Null, Barcode = Null WHERE StudentID = %1")
             .arg(id));
    w->ReLoadUp();
    EXPECT_EQ(w->fieldText(5), QString());
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));

    exec(QStringLiteral("DELETE FROM Students WHERE StudentID = %1").arg(id));
    script->answer(ui::vbOK);
    w->ReLoadUp();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when loading student data. (Err#3021")));
    EXPECT_EQ(w->fieldText(1), QString());
}

TEST_F(StudentDetailsTest, EditStudentBkgResolvesEitherNameOrder)
{
    students::RegisterStudentDetailsWindow();
    const qint32 id = addStudent(QStringLiteral("John"), QStringLiteral("Smith"));
    auto *booking = new StandIn(QStringLiteral("frmAddBooking"));
    booking->load();
    for (const QString &text : {QStringLiteral("Smith, John (SID#%1)").arg(id),
                                QStringLiteral("John Smith (SID#%1)").arg(id)}) {
        booking->cbo->setText(text);
        useraccess::AuthorisationRequest request;
        request.xf = booking;
        request.strMode = QStringLiteral("Edit Student Bkg");
        request.userId = QStringLiteral("i");
        ASSERT_TRUE(useraccess::RunAuthorisedOperation(request));
        auto *w = static_cast<frmStudentDetails *>(
            ui::Forms::findByRecord(QStringLiteral("frmStudentDetails"), QString::number(id)));
        ASSERT_NE(w, nullptr) << text.toStdString();
        EXPECT_EQ(w->studentId(), id);
        w->unload();
    }
}

TEST_F(StudentDetailsTest, EmailIconNeedsAnAddress)
{
    const qint32 id = addStudent(QStringLiteral("Mo"), QStringLiteral("Li"));
    frmStudentDetails *w = open(id);
    script->answer(ui::vbOK);
    w->imgEmail_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("No Email Address"));
    w->setFieldText(12, QStringLiteral("mo@example.org"));
    script->answer(ui::vbOK);
    w->imgEmail_Click();
    EXPECT_EQ(script->shown().size(), 2) << "not available until the e-mail window is there";
    StandIn *mail = standIn(QStringLiteral("frmEmail"));
    mail->unload();
    flush();
    ui::RegisterWindow(QStringLiteral("frmEmail"), [] {
        auto *m = new StandIn(QStringLiteral("frmEmail"));
        for (const char *box : {"txtTo", "txtToName", "ToFriendly"}) {
            auto *line = new QLineEdit(m);
            line->setObjectName(QString::fromLatin1(box));
        }
        return static_cast<ui::Form *>(m);
    });
    w->imgEmail_Click();
    ui::Form *opened = ui::Forms::find(QStringLiteral("frmEmail"));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->findChild<QLineEdit *>(QStringLiteral("ToFriendly"))->text(),
              QStringLiteral("Mo Li (mo@example.org)"));
    EXPECT_EQ(opened->property("strIDs").toString(), QString::number(id));
}

namespace {

class StudentHistoryTest : public StudentDetailsTest
{
protected:
    qint32 ledger(qint32 student, qint32 booking, const QString &type, vb::Currency charged,
                  vb::Currency paid, const QString &date, int passportFee = 0,
                  vb::Currency discount = {}, vb::Currency discountTax = {})
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, ChargeGST, "
                            "Amount, GSTCollected, DiscountAmount, DiscountGST, [Date], [Time], "
                            "PassportFee, Method) VALUES (%1, %2, %3, %4, 0, %5, 0, %6, %7, #%8#, "
                            "#1899-12-30 14:05:00#, %9, 'Cash')")
                 .arg(booking)
                 .arg(student)
                 .arg(Global::SqlText(type), Global::SqlNumber(charged), Global::SqlNumber(paid),
                      Global::SqlNumber(discount), Global::SqlNumber(discountTax), date)
                 .arg(passportFee));
        return value(QStringLiteral("SELECT Max(PaymentID) FROM Payments")).toInt();
    }
    static QStringList row(ui::FlexGrid *g, int r)
    {
        QStringList cells;
        for (int c = 0; c < g->cols(); ++c)
            cells << g->textMatrix(r, c);
        return cells;
    }
};

} // namespace

TEST_F(StudentHistoryTest, GridsShowTheStudentsHistory)
{
    addIncomeAccount();
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 student = addStudent(QStringLiteral("Pia"), QStringLiteral("Fish"));
    const qint32 other = addStudent(QStringLiteral("Oli"), QStringLiteral("Else"));
    const qint32 level1 = addClass(program, QStringLiteral("Level 1"));
    const qint32 level2 = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Tuesday"));
    const qint32 gone = addClass(program, QStringLiteral("Gone"));
    const qint32 oneOff = addClass(0, QStringLiteral("Private"));
    exec(QStringLiteral("UPDATE Classes SET ActivityName = Null, StartDate = #2026-03-05#, "
                        "EndDate = #2026-03-05# WHERE ClassID = %1")
             .arg(oneOff));
    exec(QStringLiteral("UPDATE Classes SET StartDate = #2026-01-01# WHERE ClassID = %1").arg(level2));
    linkInstructor(level1, addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach")));
    linkInstructor(level1, addInstructor(QStringLiteral("Al"), QStringLiteral("Deep")));

    const qint32 confirmed = addBooking(level1, student);
    addBooking(level1, student, QStringLiteral("Catch Up"));
    const qint32 waiting = addBooking(level2, student, QStringLiteral("Waiting"));
    const qint32 odd = addBooking(level1, student, QStringLiteral("confirmed"));
    const qint32 oneOffBooking = addBooking(oneOff, student, QStringLiteral("Cancelled"));
    const qint32 goneBooking = addBooking(gone, student);
    addBooking(level1, other);
    const qint32 deletedBooking = addBooking(level2, student);

    ledger(student, confirmed, QStringLiteral("C"), vb::Currency(100), {}, "2026-02-02");
    ledger(student, confirmed, QStringLiteral("P"), {}, vb::Currency(40), "2026-02-03", 0,
           vb::Currency(10), vb::Currency(1));
    ledger(student, goneBooking, QStringLiteral("C"), vb::Currency(5), {}, "2026-02-04");
    ledger(student, deletedBooking, QStringLiteral("C"), vb::Currency(6), {}, "2026-02-05");
    ledger(student, 0, QStringLiteral("C"), vb::Currency(7), {}, "2026-02-06", 1);
    ledger(student, 0, QStringLiteral("C"), vb::Currency(8), {}, "2026-02-07", 0);
    ledger(student, oneOffBooking, QStringLiteral("C"), vb::Currency(9), {}, "2026-02-08");
    ledger(other, 0, QStringLiteral("C"), vb::Currency(1000), {}, "2026-02-02");
    exec(QStringLiteral("DELETE FROM Classes WHERE ClassID = %1").arg(gone));
    exec(QStringLiteral("DELETE FROM Bookings WHERE BookingID = %1").arg(deletedBooking));
    exec(QStringLiteral("UPDATE Programs SET Program = '' WHERE ProgramID = %1").arg(program));
    struct Assessment
    {
        qint32 student;
        const char *date;
        int processed;
        int pass;
    };
    for (const Assessment &a : {Assessment{student, "2026-03-01", 0, 0},
                                Assessment{student, "2026-03-02", 1, 1},
                                Assessment{student, "2026-03-03", 2, 0},
                                Assessment{other, "2026-03-04", 2, 1}})
        exec(QStringLiteral("INSERT INTO Assessments (StudentID, [Date], Processed, PassLevel) "
                            "VALUES (%1, #%2#, %3, %4)")
                 .arg(a.student)
                 .arg(QString::fromLatin1(a.date))
                 .arg(a.processed)
                 .arg(a.pass));

    frmStudentDetails *w = open(student);
    w->SSTab1->setCurrentIndex(3);
    ovix::test::saveScreenshot(w, QStringLiteral("frmStudentDetails-history"));

    EXPECT_EQ(row(w->grd, 0), (QStringList{"BKID", "Activity", "Program", "Day", "Time", "Level",
                                          "Instructor", "Owing"}));
    ASSERT_EQ(w->grd->rows(), 5) << "catch-ups, other students and deleted classes left out";
    EXPECT_EQ(row(w->grd, 1), (QStringList{QString::number(waiting), "Learn to Swim", "", "Tuesday",
                                          "04:30 PM", "Level 2", "(none)", "$0.00"}));
    EXPECT_EQ(w->grd->cellBackColor(1, 3), QColor(255, 255, 0));
    EXPECT_EQ(row(w->grd, 2),
              (QStringList{QString::number(confirmed), "Learn to Swim", "", "Monday", "04:30 PM",
                           "Level 1", "Ivy Coach and Al Deep", "$49.00"}));
    EXPECT_EQ(w->grd->cellBackColor(2, 7), QColor(255, 255, 255));
    EXPECT_EQ(w->grd->textMatrix(3, 0), QString::number(odd));
    EXPECT_EQ(w->grd->cellBackColor(3, 1), QColor(192, 0, 0)) << "status compared exactly";
    EXPECT_EQ(row(w->grd, 4),
              (QStringList{QString::number(oneOffBooking), "One-Off Enrolment", "05/03/2026",
                           "Monday", "04:30 PM", "Private", "(none)", "$9.00"}));
    EXPECT_EQ(w->grd->cellBackColor(4, 0), QColor(255, 128, 128));

    w->grd->setGridRow(1);
    w->grd_Click();
    EXPECT_TRUE(w->cmdWLDel->isEnabled());
    w->grd->setGridRow(2);
    w->grd_Click();
    EXPECT_FALSE(w->cmdWLDel->isEnabled());

    QStringList descriptions;
    for (int r = 1; r < w->grdC->rows(); ++r)
        descriptions << w->grdC->textMatrix(r, 3);
    EXPECT_EQ(descriptions, (QStringList{"Monday 04:30 PM Level 1  (OOE)", "Deleted Class",
                                         "Deleted Booking", "Passport Fee", "Deleted Booking",
                                         "Monday 04:30 PM Private (One-Off Enrolments)"}));
    EXPECT_EQ(row(w->grdC, 1).mid(1, 2), (QStringList{"02/02/2026", "02:05 PM"}));
    EXPECT_EQ(w->txtCharge->text(), QStringLiteral("$135.00"));
    ASSERT_EQ(w->grd2->rows(), 2);
    EXPECT_EQ(row(w->grd2, 1).mid(4), (QStringList{"$40.00", "$0.00", "$11.00", "Cash"}));
    EXPECT_EQ(w->txtPayment->text(), QStringLiteral("$51.00"));
    EXPECT_EQ(w->txtBal->text(), QStringLiteral("$84.00"));

    ASSERT_EQ(w->grd3->rows(), 3) << "placeholders and other students left out";
    EXPECT_EQ(w->grd3->textMatrix(1, 4), QStringLiteral("Pass/Competent"));
    EXPECT_EQ(w->grd3->textMatrix(2, 4), QStringLiteral("Not Yet Competent"));

    // Double clicks reach the windows registered by name.
    StandIn *view = standIn(QStringLiteral("frmViewClass"));
    view->unload();
    flush();
    QList<QPointer<StandIn>> views;
    ui::RegisterWindow(QStringLiteral("frmViewClass"), [&views] {
        auto *v = new StandIn(QStringLiteral("frmViewClass"));
        views << v;
        return static_cast<ui::Form *>(v);
    });
    w->grd->setGridRow(2);
    w->grd_DblClick();
    ASSERT_EQ(views.size(), 1);
    EXPECT_EQ(views[0]->calls, QStringList{QStringLiteral("LoadOps %1 0").arg(level1)});
    EXPECT_EQ(views[0]->property("ViewClassMode").toString(), QStringLiteral("Edit"));
    auto *id = new QLineEdit(views[0]);
    ui::ControlArray<QLineEdit> fields(QStringLiteral("txtField"));
    fields.add(0, id)->setText(QString::number(level1));
    w->grd_DblClick();
    EXPECT_EQ(views.size(), 1) << "the open class window comes to the front";

    QList<qint32> receipts;
    ui::RegisterProcedure(QStringLiteral("imodMoney::ShowReceiptSummary"),
                          [&receipts](const QVariantList &args) {
                              receipts << args.value(0).toInt();
                              return QVariant();
                          });
    w->grd2->setGridRow(1);
    w->grd2->setGridCol(5);
    w->grd2_DblClick();
    EXPECT_EQ(receipts, QList<qint32>{w->grd2->textMatrix(1, 0).toInt()});
    EXPECT_EQ(w->grd2->gridCol(), 5);

    StandIn *past = standIn(QStringLiteral("frmPastAssessment"));
    w->grd3->setGridRow(2);
    w->grd3_DblClick();
    EXPECT_EQ(past->calls,
              QStringList{QStringLiteral("Load_Assessment %1").arg(w->grd3->textMatrix(2, 0))});
}

TEST_F(StudentHistoryTest, EmptyHistoriesAndNewAssessment)
{
    const qint32 student = addStudent(QStringLiteral("Ned"), QStringLiteral("New"));
    frmStudentDetails *w = open(student);
    for (ui::FlexGrid *g : {w->grd, w->grdC, w->grd2, w->grd3})
        EXPECT_EQ(g->rows(), 1);
    EXPECT_EQ(w->txtCharge->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(w->txtPayment->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(row(w->grd3, 0),
              (QStringList{"ID", "Date", "Rozarazu", "Level", "Achieved?", "Expires", "RNS"}));
    EXPECT_EQ(w->grd3->colWidth(0), 0);
    EXPECT_NEAR(w->grdC->colWidth(3), 4600, 15) << "twips, kept in whole pixels";
    StandIn *view = standIn(QStringLiteral("frmViewClass"));
    w->grd_DblClick();
    w->grd3_DblClick();
    EXPECT_TRUE(view->calls.isEmpty());
    EXPECT_FALSE(w->cmdNewAssessment->isEnabled()) << "until the assessment window is there";

    StandIn *assess = standIn(QStringLiteral("frmNewAssessment"));
    auto *box = new QLineEdit(assess);
    ui::ControlArray<QLineEdit> fields(QStringLiteral("txtField"));
    fields.add(2, box);
    auto *name = new QLabel(assess);
    name->setObjectName(QStringLiteral("lblName"));
    frmStudentDetails *fresh = open(0);
    EXPECT_TRUE(fresh->cmdNewAssessment->isEnabled());
    script->answer(ui::vbOK);
    fresh->cmdNewAssessment_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You must save this student before an assessment can be created."));
    w->cmdNewAssessment_Click();
    EXPECT_EQ(assess->property("StudentID").toInt(), student);
    EXPECT_EQ(name->text(), QStringLiteral("Ned New"));
    EXPECT_EQ(box->text(), vb::Format(vb::Date(), Global::DateFormat));
}

// The ledger grid's double click reaches the receipt summary through the procedure
// the money subsystem registers, on the row clicked.
TEST_F(StudentHistoryTest, LedgerDoubleClickOpensTheReceiptSummary)
{
    const qint32 student = addStudent(QStringLiteral("Pia"), QStringLiteral("Fish"));
    ledger(student, 0, QStringLiteral("P"), {}, vb::Currency(40), "2026-02-03");
    const qint32 second = ledger(student, 0, QStringLiteral("P"), {}, vb::Currency(12), "2026-02-04");
    StandIn *summary = standIn(QStringLiteral("frmReceiptSummary"));
    ui::ControlArray<QLineEdit> boxes(QStringLiteral("txtField"));
    for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17})
        boxes.add(i, new QLineEdit(summary));
    (new QLineEdit(summary))->setObjectName(QStringLiteral("txtDiscNet"));

    frmStudentDetails *w = open(student);
    ASSERT_EQ(w->grd2->rows(), 3);
    const int clicked = w->grd2->textMatrix(1, 0).toInt() == second ? 1 : 2;
    w->grd2->setGridRow(clicked);
    w->grd2_DblClick();
    EXPECT_EQ(boxes[0]->text(), QString()) << "nothing while money has not registered";

    imodMoney::RegisterMoneyProcedures();
    w->grd2_DblClick();
    EXPECT_EQ(boxes[0]->text(), QString::number(second));
    EXPECT_EQ(boxes[3]->text(), QStringLiteral("$12.00"));
    EXPECT_TRUE(summary->isVisible());
}

#include "studentdetails_test.moc"
