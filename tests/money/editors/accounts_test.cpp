#include "timetable/fixture/timetablefixture.h"

#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/sqlquote.h"
#include "money/editors/frmaccounts.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class AccountsWindow : public TimetableTest
{
protected:
    void TearDown() override
    {
        if (auto *w = ui::Forms::find(QStringLiteral("frmAccounts"));
            w && static_cast<frmAccounts *>(w)->cmdSave->isEnabled())
            script->answer(ui::vbNo);
        TimetableTest::TearDown();
    }
    frmAccounts *open()
    {
        auto *w = ui::Forms::shared<frmAccounts>();
        w->showForm();
        return w;
    }
    void addAccount(const QString &code, const QString &name, const QString &type = "Asset",
                    int bank = 1)
    {
        exec(QStringLiteral("INSERT INTO Accounts (AccountNo, [Name], Type, TaxCode, Bank) "
                            "VALUES (%1, %2, %3, 'GST', %4)")
                 .arg(Global::SqlText(code), Global::SqlText(name), Global::SqlText(type),
                      Global::SqlNumber(bank)));
    }
    static QStringList entries(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static void select(QListWidget *list, const QString &text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(text);
        list->setCurrentItem(found.first());
    }
    int accounts(const QString &code)
    {
        return count(QStringLiteral("SELECT * FROM Accounts WHERE AccountNo = ") +
                     Global::SqlText(code));
    }
    const ui::ShownDialog &lastBox() const { return script->shown().last(); }
    static QString app() { return Global::CentreSettings().ShortAppName(); }
};

TEST_F(AccountsWindow, ListsShowsAndBindsTheAccounts)
{
    addAccount(QStringLiteral("1-1100"), QStringLiteral("Cheque Account"), QStringLiteral("Asset"), 1);
    addAccount(QStringLiteral("4-1000"), QStringLiteral("Lessons"), QStringLiteral("Income"), 0);
    auto *w = open();
    EXPECT_EQ(w->caption(), "General Ledger Accounts");
    EXPECT_EQ(entries(w->lstUsers), QStringList({"1-1100 - Cheque Account", "4-1000 - Lessons"}));
    EXPECT_EQ(w->txtField[0]->text(), "1-1100");
    EXPECT_EQ(w->txtField[1]->text(), "Cheque Account");
    EXPECT_TRUE(w->chkAdmin->isChecked());
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    QStringList types;
    for (int i = 0; i < w->cboType->count(); ++i)
        types << w->cboType->itemText(i);
    EXPECT_EQ(types, QStringList({"Asset", "Liability", "Equity", "Income", "Cost of Sales",
                                  "Expense", "Other Income", "Other Expense"}));
    QStringList codes;
    for (int i = 0; i < w->cboTaxCode->count(); ++i)
        codes << w->cboTaxCode->itemText(i);
    EXPECT_EQ(codes, QStringList({"FRE", "GST", "N-T"}));
    EXPECT_EQ(w->chkAdmin->text(), "Include when Clearing Accounts?");
    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        captions << l->text();
    for (const char *c : {"Account ID:", "Name:", "Type:", "Tax Code:"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(c))) << c;
    ovix::test::saveScreenshot(w, QStringLiteral("frmAccounts"));

    // The frame only for the two clearing types.
    select(w->lstUsers, QStringLiteral("4-1000 - Lessons"));
    EXPECT_EQ(w->cboType->currentText(), "Income");
    const struct
    {
        const char *type;
        bool shown;
    } frames[] = {{"Asset", true}, {"Equity", false}, {"Liability", true}, {"Other Income", false}};
    for (const auto &f : frames) {
        w->cboType->setCurrentText(QString::fromLatin1(f.type));
        EXPECT_EQ(!w->Frame1->isHidden(), f.shown) << f.type;
    }
}

TEST_F(AccountsWindow, OddTextsAreSavedListedAndDeletedAsTyped)
{
    const QString code = QStringLiteral("O'N #1;");
    const QString name = QStringLiteral("Bob's \"<b>\" & Co; #2");
    auto *w = open();
    EXPECT_FALSE(w->cmdEdit->isEnabled()); // nothing to edit in an empty table
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    w->cmdNew_Click();
    EXPECT_EQ(w->cboType->currentText(), "Asset");
    EXPECT_EQ(w->cboTaxCode->currentText(), "FRE");
    EXPECT_FALSE(w->txtField[0]->isReadOnly());
    EXPECT_FALSE(w->lstUsers->isEnabled());
    w->txtField[0]->setText(code);
    w->txtField[1]->setText(name);
    w->cboType->setCurrentText(QStringLiteral("Liability"));
    w->chkAdmin->setChecked(true);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(entries(w->lstUsers), QStringList{code + " - " + name});
    EXPECT_EQ(w->txtField[1]->text(), name);
    EXPECT_EQ(value(QStringLiteral("SELECT Type FROM Accounts")).toString(), "Liability");
    // Bank is shown, never written.
    EXPECT_EQ(value(QStringLiteral("SELECT Bank FROM Accounts")).toInt(), 0);
    EXPECT_FALSE(w->chkAdmin->isChecked());

    // Edit after New updates the row shown.
    w->cmdEdit_Click();
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    EXPECT_FALSE(w->txtField[1]->isReadOnly());
    w->cboTaxCode->setCurrentText(QStringLiteral("N-T"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Accounts")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT TaxCode FROM Accounts")).toString(), "N-T");

    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, "Confirm Delete");
    EXPECT_EQ(lastBox().text, "Are you sure you wish to delete this general ledger account?");
    EXPECT_EQ(lastBox().icon, ui::vbQuestion);
    EXPECT_EQ(lastBox().buttons, ui::vbYesNo);
    EXPECT_EQ(accounts(code), 0);
    EXPECT_EQ(w->lstUsers->count(), 0);
    EXPECT_FALSE(w->cmdDelete->isEnabled());
}

TEST_F(AccountsWindow, SaveRefusals)
{
    addAccount(QStringLiteral("1-1100"), QStringLiteral("Cheque Account"));
    auto *w = open();
    const struct
    {
        const char *code, *name, *text;
        int icon;
    } refusals[] = {
        {"", "Nothing", "You must enter an Account ID", ui::vbExclamation},
        {"1-1100", "Another", "An account with the Account Code you entered already exists. "
                              "This account cannot be created.", ui::vbCritical},
        {"1-1101", "Cheque Account", "An error occurred when saving the record.",
         ui::vbExclamation},
    };
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.text);
        w->cmdNew_Click();
        w->txtField[0]->setText(QString::fromLatin1(r.code));
        w->txtField[1]->setText(QString::fromLatin1(r.name));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        EXPECT_EQ(lastBox().text, r.text);
        EXPECT_EQ(lastBox().title, "Oops!");
        EXPECT_EQ(lastBox().icon, r.icon);
        EXPECT_TRUE(w->cmdSave->isEnabled());
        EXPECT_FALSE(w->txtField[0]->isReadOnly());
        EXPECT_EQ(w->txtField[1]->text(), r.name);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Accounts")), 1);

    // A window that cannot reach its table closes.
    runSqlite("DROP TABLE Accounts");
    script->answer(ui::vbOK);
    w->txtField[0]->setText(QStringLiteral("9-9999"));
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(lastBox().title, "Something went wrong");
    EXPECT_TRUE(lastBox().text.startsWith(QStringLiteral("An unexpected error occurred (")));
    EXPECT_TRUE(lastBox().text.endsWith(
        QStringLiteral("). The General Ledger Accounts window will be closed.")));
    EXPECT_EQ(lastBox().icon, ui::vbCritical);
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAccounts")), nullptr);
}

TEST_F(AccountsWindow, DeleteChecksInTheirOrder)
{
    addIncomeAccount(QStringLiteral("4-1000")); // two programs name it
    addProgram(QStringLiteral("Term 1"));
    addProgram(QStringLiteral("Term 2"));
    addAccount(QStringLiteral("GST"), QStringLiteral("Tax"));
    addAccount(QStringLiteral("1-1100"), QStringLiteral("Bank"));
    exec(QStringLiteral("INSERT INTO Payments (DepositAccount, [Type]) VALUES ('1-1100', 'P')"));
    exec(QStringLiteral("INSERT INTO Payments (DepositAccount, [Type]) VALUES ('1-1100', 'P')"));
    exec(QStringLiteral("INSERT INTO Payments (RevenueAccount, [Type]) VALUES ('1-1100', 'P')"));
    addAccount(QStringLiteral("2-2000"), QStringLiteral("Cleared"));
    exec(QStringLiteral("INSERT INTO ClearAccListing (Account) VALUES ('2-2000')"));
    exec(QStringLiteral("INSERT INTO ClearAccDetail (Account) VALUES ('2-2000')"));
    exec(QStringLiteral("INSERT INTO ClearAccDetail (Account) VALUES ('2-2000')"));
    auto *w = open();

    const QString warning = QStringLiteral(
        "WARNING - this account is linked to %1 clear account operations in %2. Deleting it may "
        "have very serious implications including the loss of transactions. It is highly "
        "recommended that you do not delete this account. Are you completely sure you want to "
        "continue?");
    const struct
    {
        const char *entry;
        QList<int> answers;
        QStringList texts;
        bool deleted;
    } cases[] = {
        {"GST - Tax", {ui::vbOK}, {"You cannot delete the GST Account"}, false},
        {"4-1000 - Lessons 4-1000",
         {ui::vbOK},
         {QStringLiteral("This account is linked to 2 programs in %1. You cannot delete it "
                         "without first reassigning different revenue accounts to these programs.")
              .arg(app())},
         false},
        {"1-1100 - Bank",
         {ui::vbOK},
         {QStringLiteral("This account is linked to 3 payment/refund transactions in %1. You "
                         "cannot delete it as these transaction records will be lost.")
              .arg(app())},
         false},
        {"2-2000 - Cleared", {ui::vbNo}, {warning.arg(1).arg(app())}, false},
        {"2-2000 - Cleared",
         {ui::vbYes, ui::vbNo},
         {warning.arg(1).arg(app()), warning.arg(2).arg(app())},
         false},
        {"2-2000 - Cleared",
         {ui::vbYes, ui::vbYes, ui::vbNo},
         {warning.arg(1).arg(app()), warning.arg(2).arg(app()),
          "Are you sure you wish to delete this general ledger account?"},
         false},
        {"2-2000 - Cleared",
         {ui::vbYes, ui::vbYes, ui::vbYes},
         {warning.arg(1).arg(app()), warning.arg(2).arg(app()),
          "Are you sure you wish to delete this general ledger account?"},
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        select(w->lstUsers, QString::fromLatin1(c.entry));
        const qsizetype before = script->shown().size();
        for (int answer : c.answers)
            script->answer(answer);
        w->cmdDelete_Click();
        QStringList texts;
        for (qsizetype i = before; i < script->shown().size(); ++i)
            texts << script->shown()[i].text;
        EXPECT_EQ(texts, c.texts);
        const QString code = QString::fromLatin1(c.entry).section(QStringLiteral(" - "), 0, 0);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Accounts WHERE AccountNo = ") +
                        Global::SqlText(code) + QStringLiteral(" AND [Name] = ") +
                        Global::SqlText(QString::fromLatin1(c.entry).section(" - ", 1))),
                  c.deleted ? 0 : 1);
    }

    // Only the code in capitals is protected.
    exec(QStringLiteral("UPDATE Accounts SET AccountNo = 'gst' WHERE AccountNo = 'GST'"));
    ASSERT_TRUE(w->unload());
    w = open();
    select(w->lstUsers, QStringLiteral("gst - Tax"));
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, "Confirm Delete");
    EXPECT_EQ(accounts(QStringLiteral("gst")), 0);
}

TEST_F(AccountsWindow, ClosingWhileEditingAsks)
{
    const struct
    {
        int answer;
        bool valid, closes, saved;
    } cases[] = {
        {ui::vbCancel, true, false, false},
        {ui::vbYes, false, false, false}, // a refused save keeps the window and the entries
        {ui::vbNo, true, true, false},
        {ui::vbYes, true, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        exec(QStringLiteral("DELETE FROM Accounts"));
        auto *w = open();
        w->cmdNew_Click();
        w->txtField[0]->setText(c.valid ? QStringLiteral("3-3000") : QString());
        w->txtField[1]->setText(QStringLiteral("Equity"));
        script->answer(c.answer);
        if (!c.valid)
            script->answer(ui::vbOK);
        EXPECT_EQ(w->unload(ui::CloseReason::ControlMenu), c.closes);
        const auto question = std::find_if(
            script->shown().cbegin(), script->shown().cend(),
            [](const ui::ShownDialog &b) { return b.title == QLatin1String("Wait a minute"); });
        ASSERT_NE(question, script->shown().cend());
        EXPECT_EQ(question->text, c.valid ? "Do you want to save changes to Account 3-3000's data?"
                                          : "Do you want to save changes to Account 's data?");
        EXPECT_EQ(question->icon, ui::vbQuestion);
        EXPECT_EQ(question->buttons, ui::vbYesNoCancel);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Accounts")), c.saved ? 1 : 0);
        if (!c.closes) {
            EXPECT_TRUE(w->cmdSave->isEnabled());
            EXPECT_EQ(w->txtField[1]->text(), "Equity");
            script->answer(ui::vbNo);
            ASSERT_TRUE(w->unload());
        }
        flush();
        script.reset();
        script = std::make_unique<ui::DialogScript>();
    }
}

} // namespace
