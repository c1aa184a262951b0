#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "students/details/frmstudentdetails.h"
#include "students/passports.h"
#include "students/utilities/frmpassports.h"
#include "students/utilities/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class PassportFeeTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::LoadCurrentUserRights();
        student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        setFee(QStringLiteral("22"), QStringLiteral("GST"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        TimetableTest::TearDown();
    }
    static void setFee(const QString &fee, const QString &code)
    {
        GlobalSettings &s = Global::CentreSettings();
        s.setSettings(int(CentreSettingIds::JoiningFee), fee);
        s.setSettings(int(CentreSettingIds::JoiningFeeTaxCode), code);
        s.setSettings(int(CentreSettingIds::JoiningFeeAccount), QStringLiteral("40010"));
    }
    frmStudentDetails *open()
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(student);
        return w;
    }
    int fees() { return count(QStringLiteral("SELECT PaymentID FROM Payments WHERE SID=%1").arg(student)); }
    qint32 student = 0;
};

TEST_F(PassportFeeTest, AFirstIssueAsksOnceAndChargesTheFee)
{
    frmStudentDetails *w = open();
    ASSERT_EQ(w->cboPassport->currentText(), QStringLiteral("Not Issued"));
    script->answer(ui::vbYes);
    w->cboPassport->setCurrentIndex(1);
    ASSERT_EQ(script->shown().size(), 1);
    const ui::ShownDialog &box = script->shown().first();
    EXPECT_EQ(box.title, QStringLiteral("Charge Fee?"));
    EXPECT_EQ(box.text, QStringLiteral("You have just issued a passport for this student. Would you "
                                       "like to charge the $22.00 passport fee now?"));
    EXPECT_EQ(box.buttons, ui::vbYesNo);
    EXPECT_EQ(box.icon, ui::vbQuestion);
    EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT ChargeAmount FROM Payments"))), vb::Currency(22));
    EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT ChargeGST FROM Payments"))), vb::Currency(2));
    EXPECT_EQ(value(QStringLiteral("SELECT PassportFee FROM Payments")).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT BookingID FROM Payments")).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT RevenueAccount FROM Payments")).toString(), "40010");
    // The charges list shows it at once.
    bool shown = false;
    for (int c = 0; c < w->grdC->cols(); ++c)
        shown = shown || w->grdC->textMatrix(1, c) == QLatin1String("Passport Fee");
    EXPECT_TRUE(shown);

    // Between issued statuses and back: nothing asked.
    w->cboPassport->setCurrentIndex(2);
    w->cboPassport->setCurrentIndex(0);
    EXPECT_EQ(script->shown().size(), 1);
    // Forward again asks again; No charges nothing.
    script->answer(ui::vbNo);
    w->cboPassport->setCurrentIndex(2);
    EXPECT_EQ(script->shown().size(), 2);
    EXPECT_EQ(fees(), 1);
    // The status itself waits for the save.
    EXPECT_EQ(value(QStringLiteral("SELECT Issued FROM Students WHERE StudentID=%1").arg(student)).toInt(), 0);
}

TEST_F(PassportFeeTest, TheTaxIsTakenOutOfTheFee)
{
    const struct
    {
        const char *fee, *code;
        vb::Currency tax;
    } cases[] = {
        {"22", "GST", vb::Currency(2)},
        {"25", "GST", vb::Currency::fromRaw(22727)},
        {"25", "NOPE", vb::Currency()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fee);
        exec(QStringLiteral("DELETE FROM Payments"));
        setFee(QString::fromLatin1(c.fee), QString::fromLatin1(c.code));
        frmStudentDetails *w = open();
        script->answer(ui::vbYes);
        w->cboPassport->setCurrentIndex(1);
        EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT ChargeGST FROM Payments"))), c.tax);
        w->unload();
    }
}

TEST_F(PassportFeeTest, NoFeeAsksNothing)
{
    for (const char *fee : {"0", ""}) {
        setFee(QString::fromLatin1(fee), QStringLiteral("GST"));
        frmStudentDetails *w = open();
        w->cboPassport->setCurrentIndex(1);
        w->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(fees(), 0);
}

TEST_F(PassportFeeTest, OpeningAnIssuedStudentAsksNothing)
{
    exec(QStringLiteral("UPDATE Students SET Issued = 2 WHERE StudentID=%1").arg(student));
    frmStudentDetails *w = open();
    EXPECT_EQ(w->cboPassport->currentIndex(), 2);
    EXPECT_TRUE(script->shown().isEmpty());
    // A reload that finds the status issued meanwhile moves away from "Not Issued".
    exec(QStringLiteral("UPDATE Students SET Issued = 0 WHERE StudentID=%1").arg(student));
    w->ReLoadUp();
    exec(QStringLiteral("UPDATE Students SET Issued = 1 WHERE StudentID=%1").arg(student));
    script->answer(ui::vbNo);
    w->ReLoadUp();
    EXPECT_EQ(script->shown().size(), 1);
}

// A program whose classes cover what the bulk change must tell apart.
class BulkPassportTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::LoadCurrentUserRights();
        program = addProgram(QStringLiteral("O'Hara Term"));
        other = addProgram(QStringLiteral("Winter"));
        ann = addInstructor(QStringLiteral("Ann"), QStringLiteral("O'Neil"));
        bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
        const qint32 monday = addClass(program, QStringLiteral("L1"), QStringLiteral("Monday"));
        const qint32 tuesday = addClass(program, QStringLiteral("L2"), QStringLiteral("Tuesday"));
        const qint32 lonely = addClass(program, QStringLiteral("L3"), QStringLiteral("Monday"));
        const qint32 cancelled = addClass(program, QStringLiteral("L4"), QStringLiteral("Monday"));
        const qint32 elsewhere = addClass(other, QStringLiteral("L1"), QStringLiteral("Monday"));
        linkInstructor(monday, ann);
        linkInstructor(tuesday, bob);
        linkInstructor(cancelled, ann);
        linkInstructor(elsewhere, ann);
        twice = pupil("Twice", 1, {monday, tuesday});
        cancelledOwn = pupil("Own", 2, {});
        addBooking(monday, cancelledOwn, QStringLiteral("Cancelled"));
        notIssued = pupil("None", 0, {monday});
        noInstructor = pupil("Lonely", 1, {lonely});
        onlyCancelled = pupil("Gone", 1, {});
        addBooking(cancelled, onlyCancelled, QStringLiteral("Cancelled"));
        otherProgram = pupil("Other", 1, {elsewhere});
    }
    qint32 pupil(const char *name, int issued, QList<qint32> classes)
    {
        const qint32 id = addStudent(QString::fromLatin1(name), QStringLiteral("Kid"));
        exec(QStringLiteral("UPDATE Students SET Issued=%1 WHERE StudentID=%2").arg(issued).arg(id));
        for (qint32 c : classes)
            addBooking(c, id);
        return id;
    }
    int issued(qint32 id)
    {
        return value(QStringLiteral("SELECT Issued FROM Students WHERE StudentID=%1").arg(id)).toInt();
    }
    qint32 program = 0, other = 0, ann = 0, bob = 0;
    qint32 twice = 0, cancelledOwn = 0, notIssued = 0, noInstructor = 0, onlyCancelled = 0,
           otherProgram = 0;
};

TEST_F(BulkPassportTest, TheSelectionFollowsTheFilters)
{
    const struct
    {
        const char *day, *instructor;
        int expected; // 0: twice + own, 1: twice, 2: nobody
    } cases[] = {
        {"(All)", "(All)", 0},
        {"Tuesday", "(All)", 1},
        {"(All)", "Bob Ray", 1},
        {"(All)", "Ann O'Neil", 0},
        {"Wednesday", "(All)", 2},
        {"(All)", "Ann O%", 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.day) + " / " + c.instructor);
        QList<qint32> got = imodStudents::PassportStudents(
            {program, QString::fromLatin1(c.day), QString::fromLatin1(c.instructor)});
        std::sort(got.begin(), got.end());
        const QList<qint32> want = c.expected == 0   ? QList<qint32>{twice, cancelledOwn}
                                   : c.expected == 1 ? QList<qint32>{twice}
                                                     : QList<qint32>{};
        EXPECT_EQ(got, want);
    }
}

TEST_F(BulkPassportTest, TheWindowChangesAllAndCloses)
{
    students::RegisterStudentUtilityWindows();
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName),
                                         QStringLiteral("o'hara TERM"));
    ui::Form *form = ui::LoadWindowByName(QStringLiteral("frmPassports"));
    auto *w = qobject_cast<frmPassports *>(form);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption(), QStringLiteral("Issue Passports"));
    QStringList labels;
    for (QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"Issue Passports", "This screen will allow you to bulk issue passports for a particular program.",
                          "Classes to Change", "Change Passport Status To", "Select Program:",
                          "Select Day:", "Select Instructor:", "New Passport Status:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("O'Hara Term (ID#%1)").arg(program));
    EXPECT_EQ(w->cboDay->currentText(), QStringLiteral("(All)"));
    EXPECT_EQ(w->cboInstructor->currentText(), QStringLiteral("(All)"));
    EXPECT_EQ(w->cboInstructor->itemText(1), QStringLiteral("Ann O'Neil (EID#%1)").arg(ann));
    EXPECT_EQ(w->cboPassport->currentIndex(), -1);
    EXPECT_EQ(w->cmdOK->text(), QStringLiteral("Change"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmPassports"));

    // No status: a message, nothing asked.
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Please choose a passport status to change to."));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));

    // No program: a message, nothing asked.
    w->cboPassport->setCurrentIndex(0);
    w->cboProgram->setCurrentIndex(-1);
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("Please choose the program whose passports to change."));
    w->cboProgram->setCurrentIndex(w->cboProgram->findText(QStringLiteral("O'Hara Term (ID#%1)").arg(program)));

    // No answers No: nothing changes, the window stays.
    script->answer(ui::vbNo);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Are You Sure?"));
    EXPECT_EQ(issued(twice), 1);

    // A blocked update changes nobody and reports no success.
    block(QStringLiteral("Students"), QStringLiteral("UPDATE"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_TRUE(script->shown().last().text.contains(QStringLiteral("(Err#")));
    EXPECT_EQ(issued(twice), 1);
    EXPECT_EQ(issued(cancelledOwn), 2);
    EXPECT_TRUE(ui::Forms::find(QStringLiteral("frmPassports")));
    runSqlite("DROP TRIGGER BlockStudentsUPDATE;");

    // Back to "Not Issued": both, counted once each; the rest untouched.
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Yay!"));
    EXPECT_EQ(script->shown().last().text, QStringLiteral("2 students were updated successfully."));
    EXPECT_EQ(issued(twice), 0);
    EXPECT_EQ(issued(cancelledOwn), 0);
    EXPECT_EQ(issued(noInstructor), 1);
    EXPECT_EQ(issued(onlyCancelled), 1);
    EXPECT_EQ(issued(otherProgram), 1);
    EXPECT_EQ(issued(notIssued), 0);
    EXPECT_FALSE(ui::Forms::find(QStringLiteral("frmPassports")));
}

} // namespace
