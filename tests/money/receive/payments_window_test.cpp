#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "enrolments/imodenrolments.h"
#include "money/imodmoney.h"
#include "money/receive/frmpayments.h"
#include "money/receive/register.h"
#include "platform/jet/recordset.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "reports/frmrptreceipt.h"
#include "reports/receipt.h"
#include "shell/frmcalc.h"
#include "students/imodstudents.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using vb::Currency;

// Stands in for the calculator: what LoadCalc was given; loaded, it holds
// Global::CalculatorOpen as the calculator does.
class CalcStandIn : public ui::Form
{
    Q_OBJECT
public:
    CalcStandIn()
    {
        setObjectName(QStringLiteral("frmCalc"));
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadCalc(QWidget *CO, const QString &Operation, int runTot,
                              const QString &Ctext)
    {
        target = CO;
        calls << QStringLiteral("%1|%2|%3").arg(Operation).arg(runTot).arg(Ctext);
    }
    QWidget *target = nullptr;
    QStringList calls;

protected:
    void onLoad() override { Global::CalculatorOpen = true; }
    void onUnload(ui::CloseReason, bool &) override { Global::CalculatorOpen = false; }
};

// Stands in for a class view of one class.
class ViewClassStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit ViewClassStandIn(qint32 classId)
    {
        setObjectName(QStringLiteral("frmViewClass"));
        ui::ControlArray<QLineEdit> txtField(QStringLiteral("txtField"));
        txtField.add(0, new QLineEdit(QString::number(classId), this));
    }
    // The booking's status as the class view reads it when it reloads.
    Q_INVOKABLE void Load_Students() { statuses << imodEnrolments::GetBookingStatus(booking); }
    qint32 booking = 0;
    QStringList statuses;
};

namespace {

class PaymentsWindow : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        auto &settings = Global::CentreSettings();
        settings.setSettings(int(CentreSettingIds::DefaultTaxCode), QStringLiteral("GST"));
        settings.setSettings(int(CentreSettingIds::AllowNegativePayments), 0);
        settings.setSettings(int(CentreSettingIds::AssessGenCount), 0);
        exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account) VALUES ('Cash', '1-1100')"));
        exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account) VALUES ('Receipt Book', "
                            "'1-1100')"));
        exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account) VALUES ('EFTPOS', "
                            "'1-1200')"));
        addEmployee(QStringLiteral("Pat"), QStringLiteral("Kerr"), QStringLiteral("PAT"),
                    QStringLiteral("pw"));
        Global::CurrentUserName = QStringLiteral("Pat Kerr");
        program = addProgram(QStringLiteral("Term 1"));
        money::RegisterPaymentsWindow();
        mReports::RegisterReceiptForms();
        ui::RegisterWindow(QStringLiteral("frmCalc"), [] { return ui::Forms::shared<CalcStandIn>(); });
    }
    void TearDown() override
    {
        for (const char *name : {"frmPayments", "frmRptReceipt", "frmCalc"})
            ui::RegisterWindow(QLatin1String(name), {});
        ui::RegisterProcedure(QStringLiteral("mReports::ShowReceiptPage"), {});
        Global::CurrentUserName.clear();
        Global::CalculatorOpen = false;
        TimetableTest::TearDown();
    }

    void addEmployee(const QString &first, const QString &last, const QString &user,
                     const QString &password)
    {
        const qint32 instructor = addInstructor(first, last);
        exec(QStringLiteral("UPDATE Instructors SET UserID = %1 WHERE InstructorID = %2")
                 .arg(Global::SqlText(user))
                 .arg(instructor));
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], ReceivePayments) VALUES "
                            "(%1, %2, %3, 1)")
                 .arg(Global::SqlText(user), Global::SqlText(first + QLatin1Char(' ') + last),
                      Global::SqlText(password)));
    }
    // A booking charged the amount (10 per cent tax) in a class of the program.
    qint32 owing(qint32 student, Currency amount, const QString &status = QStringLiteral("Confirmed"))
    {
        const qint32 booking = addBooking(addClass(program), student, status);
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, ChargeGST, "
                            "Amount, DiscountAmount, DiscountGST, PassportFee) VALUES (%1, %2, 'C', "
                            "%3, 0, 0, 0, 0, 0)")
                 .arg(booking)
                 .arg(student)
                 .arg(Global::SqlNumber(amount)));
        return booking;
    }

    frmPayments *open()
    {
        auto *w = static_cast<frmPayments *>(ui::LoadWindowByName(QStringLiteral("frmPayments")));
        w->showForm();
        return w;
    }
    // Opens the window on a student as the student record does.
    frmPayments *openOn(qint32 student)
    {
        imodMoney::ShowPaymentsForStudent(student);
        return static_cast<frmPayments *>(ui::Forms::find(QStringLiteral("frmPayments")));
    }
    static QString cell(frmPayments *w, int row, int col) { return w->grid->textMatrix(row, col); }
    static QStringList titles(const ui::DialogScript &s)
    {
        QStringList t;
        for (const auto &box : s.shown())
            t << box.title;
        return t;
    }
    void clickCell(frmPayments *w, int row, int col)
    {
        const QPoint at = w->grid->cellRect(row, col).center() -
                          w->grid->viewport()->geometry().topLeft();
        QTest::mouseClick(w->grid->viewport(), Qt::LeftButton, {}, at);
    }
    void type(frmPayments *w, int row, int col, const QString &text)
    {
        clickCell(w, row, col);
        ASSERT_TRUE(w->Text1->isVisible());
        w->Text1->setText(text);
        QTest::keyClick(w->Text1, Qt::Key_Return);
    }
    qint32 program = 0;
};

} // namespace

TEST_F(PaymentsWindow, LoadsWithItsCaptionsColoursAndLists)
{
    addStudent(QStringLiteral("zoe"), QStringLiteral("Adams"));
    addStudent(QStringLiteral("Bob"), QStringLiteral("allen"));
    frmPayments *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Receive Payments"));
    QStringList labels;
    for (int i : w->lblField.indexes())
        labels << w->lblField[i]->text();
    EXPECT_EQ(labels, QStringList({"Receipt Number:", "Balance before payment:",
                                   "Balance after payment:", "Notes:", "Payment Method:",
                                   "Total Amount Being Paid:", "Authorised By:", "Password:",
                                   "Discount Total in Grid:"}));
    EXPECT_TRUE(w->lblField[5]->font().bold());
    EXPECT_TRUE(w->txtField[3]->font().bold());
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Add a Student to This Payment"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("Bookings Included in this Payment"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("Receipt Details"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("Select Student:"));
    EXPECT_EQ(w->chkHideB->text(), QStringLiteral("Hide Bookings with $0.00 Balance"));
    EXPECT_TRUE(w->chkHideB->isChecked());
    EXPECT_EQ(w->cmdOK->text(), QStringLiteral("Process"));
    EXPECT_EQ(w->cmdClose->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(w->CoolButton1->text(), QStringLiteral("Pay All"));
    const QColor window(0xD6, 0xDF, 0xF7);
    EXPECT_EQ(w->palette().color(QPalette::Window), window);
    for (QLineEdit *box : {w->txtOwing, w->txtDiscount, w->txtField[3], w->txtNewBalance,
                           w->txtField[11]})
        EXPECT_EQ(box->palette().color(QPalette::Base), window);
    EXPECT_EQ(w->Text1->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x8C));
    EXPECT_FALSE(w->Text1->isVisible());
    QStringList headers;
    for (int c = 0; c < 8; ++c)
        headers << cell(w, 0, c);
    EXPECT_EQ(headers, QStringList({"BKID", "SID", "Name", "Program", "Day/Time/Level", "Owing",
                                    "Discount", "Pay Now"}));
    EXPECT_EQ(w->grid->rows(), 1);
    for (QLineEdit *box : {w->txtOwing, w->txtDiscount, w->txtField[3]})
        EXPECT_EQ(box->text(), QStringLiteral("$0.00"));
    // Set last, after the recalculations.
    EXPECT_EQ(w->txtNewBalance->text(), QStringLiteral("0"));

    // The pick list sorted without regard to case.
    EXPECT_EQ(w->cbo->list(0).left(11), QStringLiteral("Adams, zoe "));
    EXPECT_EQ(w->cbo->list(1).left(11), QStringLiteral("allen, Bob "));
    // The methods sorted, "(none)" chosen, the receipt box "Auto#" and locked.
    QStringList methods;
    for (int i = 0; i < w->cboField[4]->count(); ++i)
        methods << w->cboField[4]->itemText(i);
    EXPECT_EQ(methods, QStringList({"(none)", "Cash", "EFTPOS", "Receipt Book"}));
    EXPECT_EQ(w->cboField[4]->currentText(), QStringLiteral("(none)"));
    EXPECT_EQ(w->txtField[11]->text(), QStringLiteral("Auto#"));
    EXPECT_TRUE(w->txtField[11]->isReadOnly());
    w->cboField[4]->setCurrentText(QStringLiteral("Receipt Book"));
    EXPECT_FALSE(w->txtField[11]->isReadOnly());
    w->txtField[11]->setText(QStringLiteral("A-17"));
    w->cboField[4]->setCurrentText(QStringLiteral("Cash"));
    EXPECT_EQ(w->txtField[11]->text(), QStringLiteral("Auto#"));
    EXPECT_TRUE(w->txtField[11]->isReadOnly());
    // The signed-in user authorises without a password.
    EXPECT_EQ(w->cboField[6]->currentText(), QStringLiteral("Pat Kerr"));
    EXPECT_FALSE(w->cboField[6]->isEnabled());
    EXPECT_TRUE(w->txtPassword->isReadOnly());
}

TEST_F(PaymentsWindow, WithoutEmployeesItSaysSoAndLoads)
{
    exec(QStringLiteral("DELETE FROM Instructors"));
    script->answer(ui::vbOK);
    frmPayments *w = open();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Cannot Process Payments"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You cannot process payments because there are no employees able to "
                             "process payments.\r\n\r\nPlease click Search > Employees from the "
                             "menu bar and create an employee with a user account that can "
                             "process payments."));
    EXPECT_EQ(w->cboField[6]->count(), 1);
    EXPECT_TRUE(w->cboField[6]->isEnabled());
}

TEST_F(PaymentsWindow, PayersAreAddedOnceEachAndTheBalanceGrows)
{
    const qint32 anna = addStudent(QStringLiteral("Anna"), QStringLiteral("Lee"));
    const qint32 tom = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    const qint32 paidUp = addStudent(QStringLiteral("Cy"), QStringLiteral("Paid"));
    exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID = %2").arg(anna).arg(tom));
    owing(anna, Currency(100));
    owing(tom, Currency(1234.5));
    addBooking(addClass(program), paidUp);

    frmPayments *w = openOn(tom);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->grid->rows(), 2);
    EXPECT_EQ(cell(w, 1, 5), QStringLiteral("$1,234.50"));
    EXPECT_EQ(w->txtOwing->text(), QStringLiteral("$1234.50"));
    EXPECT_EQ(w->grid->cellBackColor(1, 0), QColor(0xEF, 0xEF, 0xFF));
    EXPECT_EQ(w->grid->cellBackColor(1, 7), QColor(0xF7, 0xE7, 0xBD));

    // Tom again: refused.
    script->answer(ui::vbOK);
    imodMoney::ShowPaymentsForStudent(tom);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("You've already done that!"));
    EXPECT_EQ(w->grid->rows(), 2);

    // The family reference: Anna added silently, Tom refused again inside it.
    // Switching the form keeps the text, which no longer names an entry: nothing added.
    w->optInvRef->click();
    QStringList references;
    for (int i = 0; i < w->cbo->count(); ++i)
        references << w->cbo->list(i);
    EXPECT_TRUE(references.contains(QStringLiteral("F%1").arg(anna)));
    EXPECT_FALSE(references.contains(QStringLiteral("F%1").arg(tom)));
    EXPECT_EQ(w->grid->rows(), 2);
    script->answer(ui::vbOK);
    w->cbo->setText(QStringLiteral("F%1").arg(anna));
    w->cmdAdd->click();
    EXPECT_EQ(w->grid->rows(), 3);
    EXPECT_EQ(cell(w, 2, 2), QStringLiteral("Anna Lee"));
    EXPECT_EQ(w->txtOwing->text(), QStringLiteral("$1334.50"));
    EXPECT_EQ(script->pending(), 0);

    // A paid-up student: "Clear Balance" with hiding on, one row at $0.00 without.
    w->optLF->click();
    script->answer(ui::vbOK);
    w->cbo->setText(imodStudents::GetStudentListName(paidUp));
    w->cmdAdd->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Clear Balance"));
    EXPECT_EQ(w->grid->rows(), 3);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPayments"));
}

TEST_F(PaymentsWindow, CellEditsWriteBackAndRecalculate)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    owing(s, Currency(100));
    owing(s, Currency(1234.5));
    frmPayments *w = openOn(s);
    ASSERT_EQ(w->grid->rows(), 3);
    const struct
    {
        const char *typed;
        const char *cell;
        const char *paid;
        const char *after;
        bool oops;
    } cases[] = {{"12.5", "$12.50", "$12.50", "$1322.00", false},
                 {"-5", "-$5.00", "-$5.00", "$1339.50", false},
                 {"abc", "$0.00", "$0.00", "$1334.50", true}};
    for (const auto &c : cases) {
        const int before = script->shown().size();
        if (c.oops)
            script->answer(ui::vbOK);
        type(w, 1, 7, QString::fromLatin1(c.typed));
        EXPECT_EQ(cell(w, 1, 7), QLatin1String(c.cell)) << c.typed;
        EXPECT_EQ(w->txtField[3]->text(), QLatin1String(c.paid)) << c.typed;
        EXPECT_EQ(w->txtNewBalance->text(), QLatin1String(c.after)) << c.typed;
        EXPECT_FALSE(w->Text1->isVisible());
        EXPECT_EQ(script->shown().size(), before + (c.oops ? 1 : 0)) << c.typed;
        if (c.oops) {
            EXPECT_EQ(script->shown().last().text,
                      QStringLiteral("Please enter a valid numeric value in this field."));
        }
    }
    // A discount counts in its own total.
    type(w, 2, 6, QStringLiteral("4"));
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$4.00"));
    EXPECT_EQ(w->txtNewBalance->text(), QStringLiteral("$1330.50"));

    // The owing column and the header row open no editor.
    clickCell(w, 1, 5);
    EXPECT_FALSE(w->Text1->isVisible());
    clickCell(w, 0, 7);
    EXPECT_FALSE(w->Text1->isVisible());

    // A click elsewhere while editing writes to the cell being edited.
    clickCell(w, 1, 7);
    w->Text1->setText(QStringLiteral("9"));
    clickCell(w, 2, 5);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(w->Text1, &out);
    EXPECT_EQ(cell(w, 1, 7), QStringLiteral("$9.00"));
    EXPECT_EQ(cell(w, 2, 5), QStringLiteral("$1,234.50"));

    // Delete: "0" in the cell, the totals as they were.
    clickCell(w, 2, 6);
    QTest::keyClick(w->Text1, Qt::Key_Return);
    QTest::keyClick(w->grid, Qt::Key_Delete);
    EXPECT_EQ(cell(w, 2, 6), QStringLiteral("0"));
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$4.00"));

    // Pay All.
    w->CoolButton1->click();
    EXPECT_EQ(cell(w, 1, 7), QStringLiteral("$100.00"));
    EXPECT_EQ(cell(w, 2, 7), QStringLiteral("$1234.50"));
    EXPECT_EQ(w->txtField[3]->text(), QStringLiteral("$1334.50"));
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$0.00"));
}

TEST_F(PaymentsWindow, KeypadOperatorsOpenTheCalculator)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    owing(s, Currency(100));
    frmPayments *w = openOn(s);
    const struct
    {
        const char *text;
        Qt::Key key;
        int cursor;
        const char *call; // empty: the key only types
    } cases[] = {{"12.6", Qt::Key_Plus, 4, "+|13|12.6\r\n+\r\n"},
                 {"abc", Qt::Key_Asterisk, 3, "*|0|abc\r\n*\r\n"},
                 {"$7.00", Qt::Key_Slash, 5, "/|7|$7.00\r\n/\r\n"},
                 {"20", Qt::Key_Minus, 2, "-|20|20\r\n-\r\n"},
                 {"$0.00", Qt::Key_Minus, 5, ""},
                 {"", Qt::Key_Minus, 0, ""},
                 {"20", Qt::Key_Minus, 0, ""}};
    for (const auto &c : cases) {
        clickCell(w, 1, 7);
        w->Text1->setText(QString::fromLatin1(c.text));
        w->Text1->setCursorPosition(c.cursor);
        QTest::keyClick(w->Text1, c.key, Qt::KeypadModifier);
        auto *calc = qobject_cast<CalcStandIn *>(ui::Forms::find(QStringLiteral("frmCalc")));
        if (*c.call) {
            ASSERT_NE(calc, nullptr) << c.text;
            EXPECT_EQ(calc->calls, QStringList(QString::fromLatin1(c.call)));
            EXPECT_EQ(calc->target, w->Text1);
            // While the calculator is open the editor keeps its text.
            QFocusEvent out(QEvent::FocusOut);
            QCoreApplication::sendEvent(w->Text1, &out);
            EXPECT_TRUE(w->Text1->isVisible());
            calc->target->setProperty("text", QStringLiteral("42"));
            calc->unload();
            QTest::keyClick(w->Text1, Qt::Key_Return);
            EXPECT_EQ(cell(w, 1, 7), QStringLiteral("$42.00"));
        } else {
            EXPECT_EQ(calc, nullptr) << c.text;
            EXPECT_TRUE(w->Text1->text().contains(QLatin1Char('-'))) << c.text;
            w->Text1->setText(QStringLiteral("0"));
            QTest::keyClick(w->Text1, Qt::Key_Return);
        }
    }
}

TEST_F(PaymentsWindow, ProcessWritesThePaymentShowsTheReceiptWindowAndReloads)
{
    const qint32 anna = addStudent(QStringLiteral("Anna"), QStringLiteral("Lee"));
    const qint32 tom = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    owing(anna, Currency(55));
    const qint32 middle = owing(anna, Currency(30));
    const qint32 last = owing(tom, Currency(22), QStringLiteral("Tentative"));
    auto *view = new ViewClassStandIn(imodEnrolments::GetBookingClassID(last));
    view->booking = last;
    view->load();
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 41"));

    frmPayments *w = openOn(anna);
    imodMoney::ShowPaymentsForStudent(tom);
    ASSERT_EQ(w->grid->rows(), 4);
    type(w, 1, 7, QStringLiteral("55"));
    type(w, 3, 7, QStringLiteral("22"));
    w->cboField[4]->setCurrentText(QStringLiteral("Cash"));
    w->txtField[10]->setText(QStringLiteral("O'Neil #3; <b>"));
    script->answer(ui::vbYes); // Change Status?
    w->cmdOK->click();
    EXPECT_EQ(titles(*script).last(), QStringLiteral("Change Status?"));
    EXPECT_EQ(script->pending(), 0);

    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE Type = 'P'")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE BookingID = %1 AND Type = 'P'")
                        .arg(middle)),
              0);
    EXPECT_EQ(value(QStringLiteral("SELECT Max(ReceiptNo) FROM Payments WHERE Type = 'P'")).toString(),
              QStringLiteral("41"));
    EXPECT_EQ(value(QStringLiteral("SELECT Max(Notes) FROM Payments WHERE Type = 'P'")).toString(),
              QStringLiteral("O'Neil #3; <b>"));
    EXPECT_EQ(view->statuses, QStringList({"Confirmed"}));

    auto *receipt = qobject_cast<frmRptReceipt *>(ui::Forms::find(QStringLiteral("frmRptReceipt")));
    ASSERT_NE(receipt, nullptr);
    EXPECT_TRUE(receipt->isVisible());
    EXPECT_EQ(ui::tag(receipt), QStringLiteral("Prerecorded"));
    EXPECT_EQ(receipt->lblGST->text(), QStringLiteral("This payment includes $7.70 in tax"));
    EXPECT_EQ(receipt->lblAmount->text(), QStringLiteral("Amount Paid $77.00"));
    EXPECT_EQ(receipt->txtReceivedFrom->text(), QStringLiteral("Anna Lee and Tom Lee"));
    EXPECT_EQ(receipt->lblOfficeReceivedFrom->text(), QStringLiteral("Anna Lee and Tom Lee"));
    EXPECT_EQ(receipt->lblOfficeAuthBy->text(), QStringLiteral("Pat Kerr"));
    EXPECT_EQ(receipt->lblReceiptNo->text(), QStringLiteral("Receipt #41"));
    EXPECT_EQ(receipt->lblFor->text(), QStringLiteral("For Learn to Swim and Learn to Swim Classes"));
    EXPECT_EQ(receipt->lblBalance->text(), QStringLiteral("Balance Still Outstanding: $30.00"));
    ovix::test::saveScreenshot(receipt, QStringLiteral("frmRptReceipt"));

    // Reloaded empty for the next payment.
    EXPECT_EQ(w->grid->rows(), 1);
    EXPECT_EQ(w->cbo->text(), QString());
    EXPECT_EQ(w->txtField[11]->text(), QStringLiteral("Auto#"));
    EXPECT_EQ(w->txtField[10]->text(), QString());
    EXPECT_EQ(w->txtPassword->text(), QString());
    EXPECT_EQ(w->cboField[4]->currentText(), QStringLiteral("(none)"));
    EXPECT_EQ(w->txtOwing->text(), QStringLiteral("$0.00"));
}

TEST_F(PaymentsWindow, HtmlReceiptsGoToTheReceiptPageWithoutTheOfficeCopyWhenItIsOff)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::AllowNegativePayments), 1);
    QVariantList given;
    ui::RegisterProcedure(QStringLiteral("mReports::ShowReceiptPage"),
                          [&](const QVariantList &args) {
                              given = args;
                              return QVariant();
                          });
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    owing(s, Currency(55));
    frmPayments *w = openOn(s);
    w->CoolButton1->click();
    w->cboField[4]->setCurrentText(QStringLiteral("Receipt Book"));
    w->txtField[11]->setText(QStringLiteral("A-17"));
    w->cmdOK->click();
    ASSERT_EQ(given.size(), 8);
    EXPECT_EQ(given[0].toString(), QStringLiteral("A-17"));
    EXPECT_EQ(given[2].toString(), QStringLiteral("Amy Ng"));
    EXPECT_EQ(given[3].toString(), QStringLiteral("Receipt Book"));
    EXPECT_EQ(given[4].value<Currency>(), Currency(55));
    EXPECT_EQ(given[5].value<Currency>(), Currency(5.5));
    EXPECT_EQ(given[6].toString(), QStringLiteral("Pat Kerr"));
    EXPECT_FALSE(given[7].toBool());
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmRptReceipt")), nullptr);
    EXPECT_EQ(w->grid->rows(), 1);
}

TEST_F(PaymentsWindow, RefusalsLeaveTheWindowAsItWas)
{
    addEmployee(QStringLiteral("Sam"), QStringLiteral("Ode"), QStringLiteral("SAM"),
                QStringLiteral("pw"));
    Global::CurrentUserName = QStringLiteral("Nobody Here");
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    owing(s, Currency(50));
    frmPayments *w = openOn(s);
    EXPECT_TRUE(w->cboField[6]->isEnabled());
    EXPECT_EQ(w->cboField[6]->currentText(), QStringLiteral("(none)"));
    type(w, 1, 6, QStringLiteral("10"));
    type(w, 1, 7, QStringLiteral("45"));
    w->cboField[4]->setCurrentText(QStringLiteral("Cash"));
    w->cboField[6]->setCurrentText(QStringLiteral("Sam Ode"));

    w->txtPassword->setText(QStringLiteral("wrong"));
    script->answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(titles(*script).last(), QStringLiteral("Access Denied"));
    EXPECT_EQ(w->txtPassword->text(), QString());

    w->txtPassword->setText(QStringLiteral("pw"));
    script->answer(ui::vbNo); // Overpay?
    w->cmdOK->click();
    EXPECT_EQ(titles(*script).last(), QStringLiteral("Overpay?"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE Type = 'P'")), 0);
    EXPECT_EQ(w->grid->rows(), 2);
    EXPECT_EQ(cell(w, 1, 7), QStringLiteral("$45.00"));
}

TEST_F(PaymentsWindow, AFailedWriteSaysSoAndWritesNothing)
{
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 9"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    owing(s, Currency(50));
    owing(s, Currency(20));
    frmPayments *w = openOn(s);
    w->CoolButton1->click();
    w->cboField[4]->setCurrentText(QStringLiteral("Cash"));
    runSqlite("CREATE TRIGGER FailSecond BEFORE INSERT ON Payments WHEN (SELECT Count(*) FROM "
              "Payments WHERE Type = 'P') >= 1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;");
    script->answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(titles(*script).last(),
              QStringLiteral("Oops, An Error Occurred While Processing Payment!"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when processing and finalising the payment. (Err#")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE Type = 'P'")), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).toInt(), 9);
    EXPECT_EQ(w->grid->rows(), 3);
}

#include "payments_window_test.moc"
