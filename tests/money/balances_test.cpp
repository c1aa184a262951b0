#include "moneyfixture.h"

#include "money/imodmoney.h"
#include "platform/vb/error.h"

#include <functional>

using Balances = LedgerTest;

namespace {
vb::Currency cents(qint64 c)
{
    return vb::Currency::fromRaw(c * 100);
}
} // namespace

TEST_F(Balances, PaidForBookingIsPaymentsAndDiscountsWithoutCharges)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = bookInProgram(s, addProgram(QStringLiteral("Term 1")));
    addRow({.booking = b, .student = s, .type = QStringLiteral("C"), .charge = vb::Currency(100)});
    addRow({.booking = b, .student = s, .amount = vb::Currency(60)});
    addRow({.booking = b, .student = s, .discount = vb::Currency(10),
            .discountTax = vb::Currency(1)});
    EXPECT_EQ(imodMoney::GetPaidForBooking(b), vb::Currency(71));
    EXPECT_EQ(imodMoney::GetPaidForBooking(b + 1), vb::Currency());
}

TEST_F(Balances, PassportFeeTotalsCountOnlyMarkedRows)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    addRow({.student = s, .type = QStringLiteral("C"), .charge = vb::Currency(40)});
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency());
    addRow({.student = s, .amount = vb::Currency(25), .passportFee = 1});
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency(-25));
}

// Rows of the contact, a family member, and a student of no family; the rows
// dated 8 March count as at 10 March, those dated 9 March do not.
TEST_F(Balances, AccountBalancesCountTheFamilyOnlyWhenAsked)
{
    const qint32 contact = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 member = addStudent(QStringLiteral("Ben"), QStringLiteral("Lee"));
    const qint32 stranger = addStudent(QStringLiteral("Cy"), QStringLiteral("Ho"));
    setFamily(member, contact);
    const QDate counted(2026, 3, 8), late(2026, 3, 9), asAt(2026, 3, 10);
    auto charge = [this](qint32 s, int amount, const QDate &day) {
        addRow({.student = s, .type = QStringLiteral("C"), .charge = vb::Currency(amount),
                .chargeTax = vb::Currency(amount) / vb::Currency(10), .date = day});
    };
    charge(contact, 10, counted);
    charge(contact, 1000, late);
    charge(member, 20, counted);
    charge(member, 2000, late);
    charge(stranger, 40, counted);
    addRow({.student = contact, .amount = vb::Currency(3), .taxCollected = cents(30),
            .date = counted});

    const struct
    {
        const char *what;
        std::function<vb::Currency(qint32, bool)> balance;
        vb::Currency own;
        vb::Currency family;
    } cases[] = {
        {"as at", [&](qint32 id, bool f) { return imodMoney::GetBalanceAsAt(id, asAt, f); },
         vb::Currency(7), vb::Currency(27)},
        {"total", [](qint32 id, bool f) { return imodMoney::GetTotalBalance(id, f); },
         vb::Currency(1007), vb::Currency(3027)},
        {"tax as at", [&](qint32 id, bool f) { return imodMoney::GetGstOwingAsAt(id, asAt, f); },
         cents(70), cents(270)},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(k.balance(contact, false), k.own);
        EXPECT_EQ(k.balance(contact, true), k.family);
        // A student of no family gets the same with either flag.
        EXPECT_EQ(k.balance(stranger, true), k.balance(stranger, false));
        EXPECT_NE(k.balance(stranger, false), vb::Currency());
        EXPECT_EQ(k.balance(stranger + 100, true), vb::Currency());
    }
}

TEST_F(Balances, ProgramBalanceSplitsTheRowsByTheirBookingsProgram)
{
    const qint32 contact = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 member = addStudent(QStringLiteral("Ben"), QStringLiteral("Lee"));
    setFamily(member, contact);
    const qint32 two = addProgram(QStringLiteral("Two"));
    const qint32 three = addProgram(QStringLiteral("Three"));
    const qint32 five = addProgram(QStringLiteral("Five"));
    auto charge = [this](qint32 s, qint32 booking, int amount) {
        addRow({.booking = booking, .student = s, .type = QStringLiteral("C"),
                .charge = vb::Currency(amount)});
    };
    charge(contact, bookInProgram(contact, two), 10);
    const qint32 inThree = bookInProgram(contact, three);
    charge(contact, inThree, 20);
    addRow({.booking = inThree, .student = contact, .amount = vb::Currency(5)});
    charge(contact, bookInProgram(contact, five), 40);
    charge(contact, 0, 80); // no booking, no program
    charge(member, bookInProgram(member, two), 100);
    charge(member, bookInProgram(member, three), 200);
    charge(member, 0, 800);

    EXPECT_EQ(imodMoney::GetProgramBalance(contact, three, QStringLiteral("<>")),
              vb::Currency(10 + 40 + 100));
    EXPECT_EQ(imodMoney::GetProgramBalance(contact, three, QStringLiteral("=")),
              vb::Currency(15 + 200));
    // The member alone: the family part finds no one whose Family is the member.
    EXPECT_EQ(imodMoney::GetProgramBalance(member, three, QStringLiteral("<>")),
              vb::Currency(100));
}

TEST_F(Balances, ProgramBalanceRefusesAnyOtherComparison)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    for (const char *op : {"<", ">=", "", "= 1 OR 1", "=="}) {
        SCOPED_TRACE(op);
        try {
            imodMoney::GetProgramBalance(s, 3, QString::fromLatin1(op));
            ADD_FAILURE() << "accepted";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), 5);
        }
    }
}

TEST_F(Balances, NetsAreExactToTheCent)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    addRow({.student = s, .type = QStringLiteral("C"), .charge = cents(30)});
    addRow({.student = s, .amount = cents(10)});
    addRow({.student = s, .discount = cents(20)});
    EXPECT_EQ(imodMoney::GetTotalBalance(s, true), vb::Currency());
    EXPECT_EQ(imodMoney::NetOwing(cents(30), cents(10), cents(20), vb::Currency()),
              vb::Currency());
}

// The row that clears a booking's balance nets it, and its tax, to exactly 0.
TEST_F(Balances, AClearingChargeNetsTheBookingToZero)
{
    const imodMoney::ChargeAndTax clear = imodMoney::ClearingCharge(vb::Currency(55), 0.1);
    EXPECT_EQ(clear.charge, vb::Currency(-55));
    EXPECT_EQ(clear.tax, cents(-550));

    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = bookInProgram(s, addProgram(QStringLiteral("Term 1")));
    addRow({.booking = b, .student = s, .type = QStringLiteral("C"), .charge = vb::Currency(100),
            .chargeTax = vb::Currency(10)});
    addRow({.booking = b, .student = s, .amount = vb::Currency(45), .taxCollected = cents(450)});
    const vb::Currency net = imodMoney::GetTotalBalance(s, false);
    ASSERT_EQ(net, vb::Currency(55));
    const imodMoney::ChargeAndTax row = imodMoney::ClearingCharge(net, 0.1);
    addRow({.booking = b, .student = s, .type = QStringLiteral("C"), .charge = row.charge,
            .chargeTax = row.tax});
    EXPECT_EQ(imodMoney::GetTotalBalance(s, false), vb::Currency());
    EXPECT_EQ(imodMoney::GetGstOwingAsAt(s, QDate(2026, 12, 31), false), vb::Currency());
}
