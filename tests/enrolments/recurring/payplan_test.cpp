#include "duework.h"

#include "core/centresettings.h"
#include "enrolments/paymentplan.h"
#include "enrolments/recurring/frmpayplan.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/ui/callbyname.h"
#include "platform/vb/convert.h"
#include "support/screenshot.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class PayPlan : public DueWorkTest
{
protected:
    frmPayPlan *open(qint32 programId)
    {
        ui::Form *w = ui::LoadWindowByName(QStringLiteral("frmPayPlan"));
        ui::callByName(w, QStringLiteral("LoadProgram"), {programId});
        return qobject_cast<frmPayPlan *>(w);
    }
    static QStringList row(frmPayPlan *w, int r)
    {
        QStringList out;
        for (int c = 0; c < w->grd->cols(); ++c)
            out << w->grd->textMatrix(r, c);
        return out;
    }
    static void pick(frmPayPlan *w, int r)
    {
        w->grd->setGridRow(r);
        w->grd->setGridCol(2);
    }
    static int heightTwips(frmPayPlan *w) { return w->height() * ui::TwipsPerPixel; }
    void expectBox(const QString &title, const QString &text, int icon = ui::vbExclamation)
    {
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, title);
        EXPECT_EQ(script->shown().last().text, text);
        EXPECT_EQ(script->shown().last().icon, icon);
    }
    int planRows() { return count(QStringLiteral("SELECT * FROM ChargeDate")); }
};

} // namespace

TEST_F(PayPlan, ListsThePlanInDateOrderWithItsTexts)
{
    const qint32 late = addPlanRow(program, QDate(2026, 3, 30), vb::Currency(1250));
    const qint32 early = addPlanRow(program, QDate(2026, 2, 2), vb::Currency(-20), 1);
    const qint32 middle = addPlanRow(program, QDate(2026, 3, 2), vb::Currency(50.5));
    addPlanRow(addProgram(QStringLiteral("Winter")), QDate(2026, 1, 1), vb::Currency(9));

    frmPayPlan *w = open(program);
    EXPECT_EQ(w->caption(), QStringLiteral("Payment Plan"));
    EXPECT_EQ(w->lblProgram->text(), QStringLiteral("Summer"));
    EXPECT_EQ(w->lblIntro->text(), QStringLiteral("Ovix will charge enrolments in this program on "
                                                  "the dates you enter on this screen."));
    EXPECT_EQ(w->fraCharge->title(), QStringLiteral("Charge Information"));
    EXPECT_EQ(w->lblWarning->text(),
              QStringLiteral("This charge has already been executed and cannot be changed."));
    ASSERT_EQ(w->grd->rows(), 4);
    EXPECT_EQ(row(w, 0), (QStringList{"", "", "Date", "Amount", "Executed"}));
    EXPECT_EQ(row(w, 1), (QStringList{"1", QString::number(early), "02-Feb-2026", "-$20.00", "Yes"}));
    EXPECT_EQ(row(w, 2), (QStringList{"2", QString::number(middle), "02-Mar-2026", "$50.50", "No"}));
    EXPECT_EQ(row(w, 3),
              (QStringList{"3", QString::number(late), "30-Mar-2026", "$1,250.00", "No"}));
    const int widths[] = {800, 0, 2000, 2000, 2000};
    for (int c = 0; c < 5; ++c)
        EXPECT_NEAR(w->grd->colWidth(c), widths[c], ui::TwipsPerPixel) << c;
    EXPECT_EQ(w->grd->colAlignment(3), ui::flexAlignCenterCenter);
    EXPECT_EQ(w->grd->gridRow(), 1);
    EXPECT_EQ(heightTwips(w), frmPayPlan::ListHeight);
    EXPECT_TRUE(w->fraCharge->isHidden());
    EXPECT_TRUE(w->lblWarning->isHidden());
    ovix::test::saveScreenshot(w, QStringLiteral("frmPayPlan"));

    // A second call switches the one window to the other program.
    const qint32 winter = value(QStringLiteral("SELECT ProgramID FROM Programs WHERE Program = "
                                               "'Winter'"))
                              .toInt();
    EXPECT_EQ(open(winter), w);
    EXPECT_EQ(w->lblProgram->text(), QStringLiteral("Winter"));
    EXPECT_EQ(w->grd->rows(), 2);
}

TEST_F(PayPlan, NewAndSaveAcceptEveryAmountFormAndRefuseInvalidEntries)
{
    frmPayPlan *w = open(program);
    const struct
    {
        const char *date, *amount;
        bool saved;
        const char *stored;
    } cases[] = {
        {"5/03/2026", "$1,250.00", true, "1250"},
        {"06/03/2026", "1250", true, "1250"},
        {"07/03/2026", "-$3.50", true, "-3.5"},
        {"07/03/2026", "abc", false, ""},
        {"", "10", false, ""},
        {"31/02/2026", "10", false, ""},
        {"07/03/2026", "", false, ""},
    };
    int saved = 0;
    for (const auto &c : cases) {
        w->cmdNew->click();
        EXPECT_EQ(row(w, w->grd->rows() - 1).mid(1, 2),
                  (QStringList{QStringLiteral("(new)"), QStringLiteral("(new)")}));
        EXPECT_EQ(row(w, w->grd->rows() - 1).first(), QString::number(w->grd->rows() - 1));
        EXPECT_EQ(heightTwips(w), frmPayPlan::RecordHeight);
        EXPECT_FALSE(w->cmdNew->isEnabled());
        EXPECT_TRUE(w->cmdSave->isEnabled());
        EXPECT_FALSE(w->txtField[2]->isReadOnly());
        w->txtField[2]->setText(QString::fromUtf8(c.date));
        w->txtField[3]->setText(QString::fromUtf8(c.amount));
        if (!c.saved)
            script->answer(ui::vbOK);
        w->cmdSave->click();
        if (c.saved) {
            ++saved;
            EXPECT_EQ(heightTwips(w), frmPayPlan::ListHeight) << c.amount;
            EXPECT_TRUE(w->cmdNew->isEnabled());
            EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT Amount FROM ChargeDate WHERE "
                                                    "ChargeDateID = (SELECT Max(ChargeDateID) "
                                                    "FROM ChargeDate)")))
                          .toString(),
                      QString::fromUtf8(c.stored));
        } else {
            expectBox(QStringLiteral("Oops!"),
                      QStringLiteral("One or more of the values you entered are invalid. Please "
                                     "check them and try again."));
            EXPECT_EQ(w->txtField[3]->text(), QString::fromUtf8(c.amount));
            // Only closing the window leaves the editing state: start the next case afresh.
            w->LoadProgram(program);
        }
        EXPECT_EQ(planRows(), saved) << c.date << c.amount;
    }
    EXPECT_EQ(value(QStringLiteral("SELECT Count(*) FROM ChargeDate WHERE Run = 0 AND ProgramID = "
                                   "%1")
                        .arg(program))
                  .toInt(),
              3);
    EXPECT_EQ(vb::CDate(value(QStringLiteral("SELECT Min([Date]) FROM ChargeDate"))).date(),
              QDate(2026, 3, 5));
}

TEST_F(PayPlan, EditChangesARowThatHasNotRun)
{
    const qint32 id = addPlanRow(program, QDate(2026, 3, 2), vb::Currency(40));
    frmPayPlan *w = open(program);
    pick(w, 1);
    w->cmdEdit->click();
    EXPECT_EQ(w->txtField[0]->text(), QString::number(id));
    EXPECT_EQ(w->txtField[2]->text(), QStringLiteral("02-Mar-2026"));
    EXPECT_EQ(w->txtField[3]->text(), QStringLiteral("$40.00"));
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    EXPECT_TRUE(w->lblWarning->isHidden());
    w->txtField[3]->setText(QStringLiteral("$45.00"));
    w->cmdSave->click();
    EXPECT_EQ(planRows(), 1);
    EXPECT_EQ(row(w, 1).mid(2), (QStringList{"02-Mar-2026", "$45.00", "No"}));
}

TEST_F(PayPlan, AnExecutedRowIsNeitherChangedNorDeleted)
{
    addPlanRow(program, QDate(2026, 2, 2), vb::Currency(40), 1);
    frmPayPlan *w = open(program);
    pick(w, 1);
    w->cmdEdit->click();
    EXPECT_FALSE(w->lblWarning->isHidden());
    EXPECT_FALSE(w->shpWarning->isHidden());
    EXPECT_TRUE(w->txtField[2]->isReadOnly());
    EXPECT_TRUE(w->txtField[3]->isReadOnly());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->btnCal->isEnabled());
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_EQ(heightTwips(w), frmPayPlan::RecordHeight);
    script->answer(ui::vbOK);
    w->cmdDelete->click();
    expectBox(QStringLiteral("Oops!"),
              QStringLiteral("This charge has been executed and so it cannot be deleted."));
    EXPECT_EQ(planRows(), 1);
}

TEST_F(PayPlan, ARowRunElsewhereAfterTheListWasShownIsRefused)
{
    const qint32 id = addPlanRow(program, QDate(2026, 2, 2), vb::Currency(40));
    frmPayPlan *w = open(program);
    pick(w, 1);
    w->cmdEdit->click();
    exec(QStringLiteral("UPDATE ChargeDate SET Run = 1 WHERE ChargeDateID = %1").arg(id));
    w->txtField[3]->setText(QStringLiteral("99"));
    script->answer(ui::vbOK);
    w->cmdSave->click();
    expectBox(QStringLiteral("Oops!"),
              QStringLiteral("This charge has already been executed and cannot be changed."));
    EXPECT_EQ(value(QStringLiteral("SELECT Run & '|' & Amount FROM ChargeDate")),
              QStringLiteral("1|40"));
    EXPECT_EQ(row(w, 1).last(), QStringLiteral("Yes"));

    // Delete: the list still said "No" when the row ran.
    exec(QStringLiteral("UPDATE ChargeDate SET Run = 0 WHERE ChargeDateID = %1").arg(id));
    w->LoadProgram(program);
    exec(QStringLiteral("UPDATE ChargeDate SET Run = 1 WHERE ChargeDateID = %1").arg(id));
    pick(w, 1);
    script->answer(ui::vbOK);
    w->cmdDelete->click();
    expectBox(QStringLiteral("Oops!"),
              QStringLiteral("This charge has been executed and so it cannot be deleted."));
    EXPECT_EQ(planRows(), 1);
    EXPECT_EQ(imodEnrolments::SavePlanRow(id, program, QDate(2026, 1, 1), vb::Currency(1)),
              imodEnrolments::PlanChange::Executed);
}

TEST_F(PayPlan, DeleteAsksNothingAndAnEmptyListRefusesEditAndDelete)
{
    addPlanRow(program, QDate(2026, 2, 2), vb::Currency(40));
    const qint32 second = addPlanRow(program, QDate(2026, 3, 2), vb::Currency(40));
    frmPayPlan *w = open(program);
    pick(w, 1);
    script->answer(ui::vbOK);
    w->cmdDelete->click();
    expectBox(QStringLiteral("Success!"), QStringLiteral("Charge deleted successfully."),
              ui::vbInformation);
    EXPECT_EQ(script->shown().size(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT ChargeDateID FROM ChargeDate")).toInt(), second);
    EXPECT_EQ(w->grd->rows(), 2);
    EXPECT_EQ(row(w, 1).first(), QStringLiteral("1"));

    const qint32 empty = addProgram(QStringLiteral("Empty"));
    open(empty);
    EXPECT_EQ(w->grd->rows(), 1);
    script->answer(ui::vbOK);
    w->cmdEdit->click();
    expectBox(QStringLiteral("Oops!"), QStringLiteral("Please select a row to edit."));
    script->answer(ui::vbOK);
    w->cmdDelete->click();
    expectBox(QStringLiteral("Oops!"), QStringLiteral("Please select a row to delete."));
    EXPECT_EQ(planRows(), 1);
}

TEST_F(PayPlan, TheCalendarWritesTheDayInTheUsersFormat)
{
    frmPayPlan *w = open(program);
    w->cmdNew->click();
    w->txtField[2]->setText(QStringLiteral("9/03/2026"));
    w->btnCal->click();
    EXPECT_FALSE(w->cal->isHidden());
    EXPECT_EQ(w->cal->selectedDate(), QDate(2026, 3, 9));
    w->cal_Click(QDate(2026, 4, 1));
    EXPECT_EQ(w->txtField[2]->text(), QStringLiteral("01/04/2026"));
    EXPECT_FALSE(w->cal->isHidden());
    Global::DateFormat = QStringLiteral("dd-mmm-yyyy");
    w->cal_Click(QDate(2026, 4, 2));
    EXPECT_EQ(w->txtField[2]->text(), QStringLiteral("02-Apr-2026"));
    w->txtField[2]->setText(QStringLiteral("nonsense"));
    w->btnCal->click();
    EXPECT_EQ(w->cal->selectedDate(), QDate::currentDate());
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmPayPlan")));
}
