#include "moneyfixture.h"

#include "money/imodmoney.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

#include <QComboBox>

namespace {

// Registers stand-ins under the window names; counts the windows made.
class Openers : public LedgerTest
{
protected:
    void registerPayments(bool withPickBox = true)
    {
        ui::RegisterWindow(QStringLiteral("frmPayments"), [this, withPickBox]() {
            ++made;
            payments = new PaymentsStandIn(withPickBox);
            return payments;
        });
    }
    void registerSummary()
    {
        ui::RegisterWindow(QStringLiteral("frmReceiptSummary"), [this]() {
            ++made;
            summary = new ReceiptSummaryStandIn;
            return summary;
        });
    }
    int made = 0;
    PaymentsStandIn *payments = nullptr;
    ReceiptSummaryStandIn *summary = nullptr;
};

} // namespace

TEST_F(Openers, PaymentsOpenOnAStudentWithBookings)
{
    registerPayments();
    const qint32 none = addStudent(QStringLiteral("Cy"), QStringLiteral("Ho"));
    imodMoney::ShowPaymentsForStudent(none);
    EXPECT_EQ(made, 0);

    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 s = addStudent(QStringLiteral("Anna"), QStringLiteral("O'Neil"));
    bookInProgram(s, p);
    bookInProgram(s, p);
    imodMoney::ShowPaymentsForStudent(s);
    ASSERT_EQ(made, 1);
    const QString pick = QStringLiteral("O'Neil, Anna (SID#%1)").arg(s);
    EXPECT_EQ(payments->added, QStringList{pick});
    EXPECT_EQ(static_cast<QComboBox *>(payments->cbo)->currentText(), pick);
    EXPECT_TRUE(payments->isVisible());

    // The one shared window is filled again.
    imodMoney::ShowPaymentsForStudent(s);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(payments->added, (QStringList{pick, pick}));
}

TEST_F(Openers, PaymentsStepsGoOnAfterAFailure)
{
    registerPayments(false); // no pick box to fill or focus
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    bookInProgram(s, addProgram(QStringLiteral("Term 1")));
    imodMoney::ShowPaymentsForStudent(s);
    ASSERT_EQ(made, 1);
    EXPECT_EQ(payments->added, QStringList{QStringLiteral("Ng, Amy (SID#%1)").arg(s)});
}

TEST_F(Openers, NothingOpensWhenNoWindowIsRegistered)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = bookInProgram(s, addProgram(QStringLiteral("Term 1")));
    const qint32 row = addRow({.booking = b, .student = s, .amount = vb::Currency(5)});
    EXPECT_NO_THROW(imodMoney::ShowPaymentsForStudent(s));
    EXPECT_NO_THROW(imodMoney::ShowReceiptSummary(row));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPayments")), nullptr);
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmReceiptSummary")), nullptr);
}

TEST_F(Openers, ReceiptSummaryShowsAChargeRow)
{
    registerSummary();
    imodMoney::ShowReceiptSummary(12345);
    EXPECT_EQ(made, 0);

    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = bookInProgram(s, addProgram(QStringLiteral("Term 1")));
    ASSERT_TRUE(imodMoney::AddCharge(QStringLiteral("C"), vb::Currency(100), vb::Currency(10),
                                     QStringLiteral("4-1000"), b, s, 0, QStringLiteral("GST"),
                                     QString()));
    const qint32 row = value(QStringLiteral("SELECT Max(PaymentID) FROM Payments")).toInt();
    imodMoney::ShowReceiptSummary(row);
    ASSERT_EQ(made, 1);
    const struct
    {
        int box;
        QString text;
    } boxes[] = {
        {0, QString::number(row)}, {1, QString::number(b)}, {3, QStringLiteral("$0.00")},
        {4, QString()},            {5, QStringLiteral("Amy Ng")}, {6, QStringLiteral("Ovix")},
        {8, QStringLiteral("0")},  {10, QString()},            {11, QStringLiteral("Charge")},
        {12, QStringLiteral("$0.00")}, {13, QStringLiteral("4-1000")},
        {14, QStringLiteral("$0.00")}, {15, QStringLiteral("$0.00")}, {16, QString()},
        {17, QStringLiteral("$0.00")},
    };
    for (const auto &k : boxes)
        EXPECT_EQ(summary->box(k.box), k.text) << "txtField(" << k.box << ")";
    EXPECT_FALSE(summary->box(2).isEmpty());
    // Date (7) and Type (9) have no box: filling them would have failed.
    EXPECT_EQ(summary->txtDiscNet->text(), QStringLiteral("$0.00"));
    EXPECT_TRUE(summary->isVisible());
}

TEST_F(Openers, ReceiptSummaryRefillsTheOneWindow)
{
    registerSummary();
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 noted = addRow({.student = s, .amount = vb::Currency(5),
                                 .notes = QStringLiteral("Cash at the desk")});
    const qint32 discounted = addRow({.student = s, .discount = vb::Currency(10),
                                      .discountTax = vb::Currency(1)});
    exec(QStringLiteral("UPDATE Payments SET Method = 'Cash', DepositAccount = '1-1100'"));
    exec(QStringLiteral("UPDATE Payments SET Method = Null, DepositAccount = Null, Amount = Null "
                        "WHERE PaymentID = %1")
             .arg(discounted));
    imodMoney::ShowReceiptSummary(noted);
    EXPECT_EQ(summary->box(10), QStringLiteral("Cash at the desk"));
    EXPECT_EQ(summary->box(3), QStringLiteral("$5.00"));
    EXPECT_EQ(summary->box(4), QStringLiteral("Cash"));

    imodMoney::ShowReceiptSummary(discounted);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(summary->box(10), QString());
    EXPECT_EQ(summary->box(4), QString());
    EXPECT_EQ(summary->box(16), QString());
    EXPECT_EQ(summary->box(3), QString());
    EXPECT_EQ(summary->box(12), QStringLiteral("$10.00"));
    EXPECT_EQ(summary->box(17), QStringLiteral("$1.00"));
    EXPECT_EQ(summary->txtDiscNet->text(), QStringLiteral("$11.00"));
}
