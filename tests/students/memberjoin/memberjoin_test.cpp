#include "access/permissions.h"
#include "core/centresettings.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/details/frmstudentdetails.h"
#include "students/memberjoin/frmmemberjoin.h"
#include "students/memberjoin/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

class MemberJoinTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        students::RegisterMemberJoinWindow();
        student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmMemberJoin"), {});
        TimetableTest::TearDown();
    }
    frmStudentDetails *open(qint32 id)
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(id);
        return w;
    }
    qint32 addMembership(int type, int duration, int visits)
    {
        exec(QStringLiteral("INSERT INTO Membership (StudentID, MemType, Duration, StartDate, "
                            "VisitsUsed, Barcode) VALUES (%1, %2, %3, #2026-03-01#, %4, 'M7')")
                 .arg(student)
                 .arg(type)
                 .arg(duration)
                 .arg(visits));
        return value(QStringLiteral("SELECT MAX(MembershipID) FROM Membership")).toInt();
    }
    static frmMemberJoin *joinWindow()
    {
        return qobject_cast<frmMemberJoin *>(ui::Forms::find(QStringLiteral("frmMemberJoin")));
    }
    static QStringList rowOf(ui::FlexGrid *g, int r)
    {
        QStringList cells;
        for (int c = 1; c < g->cols(); ++c)
            cells << g->textMatrix(r, c);
        return cells;
    }
    qint32 student = 0;
};

TEST_F(MemberJoinTest, ANewMembershipWorksOutItsExpiryAsTheUserTypes)
{
    frmStudentDetails *record = open(student);
    ASSERT_TRUE(record->cmdNewMembership->isEnabled());
    EXPECT_EQ(ui::Forms::shared<frmMemberJoin>()->caption(), QStringLiteral("Join New Member"));
    record->cmdNewMembership->click();
    frmMemberJoin *w = joinWindow();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption(), QStringLiteral("New Membership"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("New Membership"));
    EXPECT_EQ(w->lblName->text(), QStringLiteral("Ann Lee"));
    const QString today = vb::Format(vb::Date(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(w->txtStartDate->text(), today);
    EXPECT_EQ(w->cboType->currentText(), QStringLiteral("Multi-Visit Pass"));
    EXPECT_EQ(w->cboType->count(), 3);
    EXPECT_EQ(w->txtDuration->text(), QString());
    EXPECT_EQ(w->lblField[3]->text(), QStringLiteral("Number of Visits:"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("<Enter Duration>"));
    QStringList labels;
    for (QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    for (const char *text : {"Name:", "Membership Barcode:", "Start Date:", "Term Type:",
                             "Membership Expiry:"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;

    w->txtDuration->setText(QStringLiteral("10"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("After 10 visits"));

    w->cboType->setCurrentIndex(1);
    EXPECT_EQ(w->txtDuration->text(), QString());
    EXPECT_EQ(w->lblField[3]->text(), QStringLiteral("Number of Days:"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("<Enter Duration>"));
    w->txtStartDate->setText(QStringLiteral("01/03/2026"));
    w->txtDuration->setText(QStringLiteral("30"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("31/03/2026"));
    // The start date alone does not recompute the line.
    w->txtStartDate->setText(QStringLiteral("05/03/2026"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("31/03/2026"));
    w->txtStartDate->clear();
    w->txtDuration->setText(QStringLiteral("31"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("<Enter Start Date>"));
    w->txtStartDate->setText(QStringLiteral("someday"));
    w->txtDuration->setText(QStringLiteral("30"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("#Err"));

    w->cboType->setCurrentIndex(2);
    EXPECT_EQ(w->txtDuration->text(), QStringLiteral("Forever"));
    EXPECT_TRUE(w->txtDuration->isReadOnly());
    EXPECT_EQ(w->lblField[3]->text(), QStringLiteral("Number of Days:"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("Never Expires"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmMemberJoin-never"));

    w->cboType->setCurrentIndex(0);
    EXPECT_FALSE(w->txtDuration->isReadOnly());
    w->txtStartDate->setText(QStringLiteral("01/03/2026"));
    w->txtDuration->setText(QStringLiteral("10"));
    w->txtBarcode->setText(QStringLiteral("M-100"));
    w->cmdSave->click();
    EXPECT_EQ(joinWindow(), nullptr) << "closed after the save";
    EXPECT_TRUE(script->shown().isEmpty());
    ASSERT_EQ(record->grdMem->rows(), 2);
    EXPECT_EQ(rowOf(record->grdMem, 1),
              (QStringList{QStringLiteral("Multi-Visit Pass"), QStringLiteral("01-Mar-2026"),
                           QStringLiteral("10 visits left."), QStringLiteral("0")}));
    EXPECT_EQ(value(QStringLiteral("SELECT Barcode FROM Membership")).toString(),
              QStringLiteral("M-100"));
    EXPECT_EQ(record->grdMem->cellAlignment(1, 2), ui::flexAlignCenterCenter);
    record->SSTab1->setCurrentIndex(record->SSTab1->count() - 1);
    ovix::test::saveScreenshot(record, QStringLiteral("frmStudentDetails-membership"));
}

TEST_F(MemberJoinTest, RefusedEntriesKeepTheWindowOpen)
{
    frmStudentDetails *record = open(student);
    record->cmdNewMembership_Click();
    frmMemberJoin *w = joinWindow();
    ASSERT_TRUE(w);
    const struct
    {
        const char *duration, *start, *message;
    } refused[] = {
        {"", "01/03/2026", "Please enter the duration of the membership as a number."},
        {"ten", "01/03/2026", "Please enter the duration of the membership as a number."},
        {"10", "", "Please enter the start date of the membership as a date."},
        {"10", "32/13/2026", "Please enter the start date of the membership as a date."},
    };
    for (const auto &r : refused) {
        w->txtDuration->setText(QString::fromLatin1(r.duration));
        w->txtStartDate->setText(QString::fromLatin1(r.start));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().text, QString::fromLatin1(r.message));
        EXPECT_EQ(joinWindow(), w);
        EXPECT_EQ(w->txtDuration->text(), QString::fromLatin1(r.duration));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 0);

    // A fraction rounds half to even; "Never Expires" stores 0.
    w->txtStartDate->setText(QStringLiteral("01/03/2026"));
    w->txtDuration->setText(QStringLiteral("2.5"));
    EXPECT_TRUE(w->cmdSave_Click());
    record->cmdNewMembership_Click();
    w = joinWindow();
    w->cboType->setCurrentIndex(2);
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT Duration FROM Membership WHERE MemType = 0")).toInt(),
              2);
    EXPECT_EQ(value(QStringLiteral("SELECT Duration FROM Membership WHERE MemType = 2")).toInt(),
              0);
    EXPECT_EQ(record->grdMem->rows(), 3);
}

TEST_F(MemberJoinTest, EditingReusesTheWindowAndAFailedSaveKeepsItOpen)
{
    const qint32 pass = addMembership(1, 30, 4);
    frmStudentDetails *record = open(student);
    record->cmdNewMembership_Click();
    frmMemberJoin *first = joinWindow();
    record->grdMem->setGridRow(1);
    record->cmdEditMembership_Click();
    frmMemberJoin *w = joinWindow();
    EXPECT_EQ(w, first) << "one window";
    EXPECT_EQ(w->caption(), QStringLiteral("Edit Membership"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("Edit Membership"));
    EXPECT_EQ(w->cboType->currentText(), QStringLiteral("Time-Based"));
    EXPECT_EQ(w->txtDuration->text(), QStringLiteral("30")) << "set after the type";
    EXPECT_EQ(w->txtBarcode->text(), QStringLiteral("M7"));
    EXPECT_EQ(w->lblExpiry->text(), QStringLiteral("31/03/2026"));

    // Deleted at another workstation meanwhile: the save says so and the entries stay.
    exec(QStringLiteral("DELETE FROM Membership WHERE MembershipID = %1").arg(pass));
    w->txtDuration->setText(QStringLiteral("60"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when saving the membership.")));
    EXPECT_EQ(joinWindow(), w);
    EXPECT_EQ(w->txtDuration->text(), QStringLiteral("60"));
    w->cmdCancel->click();
    EXPECT_EQ(joinWindow(), nullptr);
}

TEST_F(MemberJoinTest, TheTabsButtonsActOnTheSelectedMembership)
{
    const qint32 zero = addMembership(0, 10, 0);
    const qint32 full = addMembership(0, 10, 10);
    frmStudentDetails *record = open(student);
    ui::FlexGrid *g = record->grdMem;
    ASSERT_EQ(g->rows(), 3);
    EXPECT_EQ(g->gridRow(), 2) << "the last row is current";
    for (const char *b : {"cmdNewMembership", "cmdEditMembership", "cmdDeleteMembership",
                          "cmdRenewMembership", "cmdMinus", "cmdPlus"})
        EXPECT_TRUE(record->findChild<QPushButton *>(QString::fromLatin1(b))) << b;
    EXPECT_EQ(record->cmdDeleteMembership->text(), QStringLiteral("Delete / Cancel"));
    EXPECT_EQ(record->cmdMinus->toolTip(), QStringLiteral("Reduce Number of Visits Used by 1"));
    EXPECT_EQ(record->cmdPlus->toolTip(), QStringLiteral("Increment the Number of Visits Used by 1"));

    // The heading row selected: nothing happens.
    g->setGridRow(0);
    record->cmdEditMembership_Click();
    record->cmdDeleteMembership_Click();
    record->cmdPlus_Click();
    record->cmdMinus_Click();
    EXPECT_EQ(joinWindow(), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT SUM(VisitsUsed) FROM Membership")).toInt(), 10);

    g->setGridRow(1);
    record->cmdMinus_Click();
    EXPECT_EQ(g->textMatrix(1, 4), QStringLiteral("0"));
    EXPECT_EQ(g->gridRow(), 2);
    record->cmdPlus_Click(); // the last row: the full pass
    EXPECT_EQ(rowOf(g, 2).mid(2), (QStringList{QStringLiteral("-1 visits left."),
                                               QStringLiteral("11")}));

    // Deleted meanwhile: the selecting statement in a plain box, nothing changed.
    exec(QStringLiteral("DELETE FROM Membership WHERE MembershipID = %1").arg(full));
    script->answer(ui::vbOK);
    record->cmdPlus_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("SELECT MembershipID, VisitsUsed FROM Membership WHERE MembershipID "
                             "= %1;")
                  .arg(full));
    EXPECT_EQ(script->shown()[0].icon, 0);
    EXPECT_EQ(g->rows(), 2);

    g->setGridRow(1);
    script->answer(ui::vbNo);
    record->cmdDeleteMembership_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Delete Membership?"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("Are you sure you want to delete this membership?"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 1);
    g->setGridRow(1);
    script->answer(ui::vbYes);
    record->cmdDeleteMembership_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 0);
    EXPECT_EQ(g->rows(), 1);
    (void)zero;
}

TEST_F(MemberJoinTest, AnUnsavedStudentIsRefused)
{
    frmStudentDetails *record = open(0);
    script->answer(ui::vbOK);
    record->cmdNewMembership_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Sorry, not just now"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("You must save the new student before adding or changing a "
                             "membership."));
    EXPECT_EQ(joinWindow(), nullptr);
    record->cmdSave->setEnabled(false);
}

} // namespace
