// The calculator's arithmetic and its window.
#include "mainwin_fixture.h"

#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "shell/calculator.h"
#include "shell/frmcalc.h"
#include "shell/frmparent.h"
#include "support/screenshot.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Keys a sequence into a calculator: digits and "." are keyed, "+ - * / =" operate.
Calculator run(const QString &operation, qint32 total, const QString &keys)
{
    Calculator c;
    c.Start(operation, total, QString());
    for (const QChar k : keys) {
        if (k.isDigit() || k == QLatin1Char('.'))
            c.Key(k);
        else
            c.Operate(k == QLatin1Char('=') ? QStringLiteral("Equals") : QString(k));
    }
    return c;
}

} // namespace

TEST(MainWindowCalculator, Arithmetic)
{
    struct Case
    {
        const char *operation;
        qint32 total;
        const char *keys;
        qint32 result;
        const char *pending;
    };
    const Case cases[] = {
        {"+", 25, "10=", 35, "Equals"},
        {"+", 10, "2.5=", 12, "Equals"}, // 12.5 rounds to the even 12
        {"+", 10, "3.5=", 14, "Equals"}, // 13.5 rounds to 14
        {"-", 10, "4=", 6, "Equals"},
        {"/", 7, "2=", 4, "Equals"}, // 3.5 rounds to 4
        {"/", 5, "2=", 2, "Equals"}, // 2.5 rounds to 2
        {"", 99, "7=", 7, "Equals"},
        {"+", 10, "+*", 10, "*"}, // nothing keyed: the pending operation meets 0
        {"+", 10, "**", 0, "*"},
        {"Equals", 10, "5=", 10, "Equals"}, // no arithmetic for other texts
        {"+", 2, "3*4-1=", 19, "Equals"},
    };
    for (const Case &c : cases) {
        const Calculator calc =
            run(QString::fromLatin1(c.operation), c.total, QString::fromLatin1(c.keys));
        EXPECT_EQ(calc.Total(), c.result) << c.operation << c.total << c.keys;
        EXPECT_EQ(calc.Pending(), QString::fromLatin1(c.pending)) << c.keys;
        EXPECT_TRUE(calc.Entry().isEmpty());
    }
    EXPECT_EQ(run("+", 25, "10=").Tape(), QStringLiteral("10\r\nEquals\r\n"));
    EXPECT_EQ(run("+", 1, "+").Tape(), QStringLiteral("0\r\n+\r\n"));
}

// Nothing the user keys can end the program: a division by 0, a result beyond the
// 32-bit range and an entry that is no number leave the total and say "Error".
TEST(MainWindowCalculator, FaultsLeaveTheTotal)
{
    struct Case
    {
        const char *operation;
        qint32 total;
        const char *keys;
    };
    const Case cases[] = {{"/", 10, "0="},
                          {"*", 2000000000, "2="},
                          {"-", -2147483647, "5="},
                          {"+", 10, "1.2.3="},
                          {"+", 10, ".="}};
    for (const Case &c : cases) {
        const Calculator calc =
            run(QString::fromLatin1(c.operation), c.total, QString::fromLatin1(c.keys));
        EXPECT_EQ(calc.Total(), c.total) << c.keys;
        EXPECT_TRUE(calc.Tape().endsWith(QStringLiteral("Equals\r\nError\r\n"))) << c.keys;
    }
}

// Keyed on the keyboard: Equals writes the total into the target and closes; Esc
// closes and leaves the target as it was.
TEST_F(MainWindowTest, CalculatorWindowFillsItsTarget)
{
    showMain();
    QLineEdit amount;
    amount.setText(QStringLiteral("25"));
    EXPECT_FALSE(Global::CalculatorOpen);
    auto *calc = ui::Forms::create<frmCalc>();
    calc->showForm();
    EXPECT_TRUE(Global::CalculatorOpen);
    calc->LoadCalc(&amount, QStringLiteral("+"), 25, QStringLiteral("25\r\n+\r\n"));
    QTest::keyClicks(calc->cmdNum[3], QStringLiteral("10"));
    EXPECT_EQ(calc->txtW->text(), QStringLiteral("10"));
    calc->cmdNum[11]->click();
    QTest::keyClicks(calc->cmdNum[0], QStringLiteral("7"));
    ovix::test::saveScreenshot(calc->frame(), QStringLiteral("frmCalc"));
    QTest::keyClick(calc->txtW, Qt::Key_Return);
    EXPECT_EQ(amount.text(), QStringLiteral("42"));
    const QStringList tape = calc->txtC->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(tape, QStringList({"25", "+", "10", "+", "7", "Equals"}));
    EXPECT_FALSE(calc->isLoaded());
    EXPECT_FALSE(Global::CalculatorOpen);
    MainWindowTest::flush();

    calc = ui::Forms::create<frmCalc>();
    calc->showForm();
    calc->LoadCalc(&amount, QStringLiteral("+"), 42, QString());
    QTest::keyClicks(calc->txtC, QStringLiteral("5"));
    QTest::keyClick(calc->txtC, Qt::Key_Escape);
    EXPECT_EQ(amount.text(), QStringLiteral("42"));
    EXPECT_FALSE(calc->isLoaded());
    EXPECT_FALSE(Global::CalculatorOpen);
}
