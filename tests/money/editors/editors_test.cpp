#include "timetable/fixture/timetablefixture.h"

#include "access/authorisation.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/sqlquote.h"
#include "money/editors/frmdiscounts.h"
#include "money/editors/frmpaymentmethods.h"
#include "money/editors/frmtaxcodes.h"
#include "money/editors/register.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void select(QListWidget *list, const QString &text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            list->setCurrentRow(i);
            return;
        }
    }
    ADD_FAILURE() << "no entry " << qPrintable(text);
}

QStringList labelTexts(QWidget *w)
{
    QStringList out;
    for (QLabel *l : w->findChildren<QLabel *>())
        out << l->text();
    return out;
}

class MoneyEditorsTest : public TimetableTest
{
protected:
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all()) {
            if (auto *editor = qobject_cast<LookupEditor *>(f); editor && editor->isEditing())
                script->answer(ui::vbNo);
        }
        TimetableTest::TearDown();
    }

    template <class T> T *open()
    {
        T *w = ui::Forms::shared<T>();
        w->showForm();
        return w;
    }
    const ui::ShownDialog &lastBox() const { return script->shown().last(); }
    static QString app() { return Global::CentreSettings().ShortAppName(); }
};

// --- Tax codes.

TEST_F(MoneyEditorsTest, TaxCodesListsAndShowsTheCodes)
{
    exec(QStringLiteral("INSERT INTO TaxCode (TaxCode, Description, TaxPercentage) VALUES "
                        "('abc', 'lower case', 5)"));
    exec(QStringLiteral("INSERT INTO TaxCode (TaxCode, TaxPercentage) VALUES ('NON', 7)"));
    auto *w = open<frmTaxCodes>();
    EXPECT_EQ(w->caption(), "Tax Codes");
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("Tax Code Information")));
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("%")));
    // Sorted without regard to case; the code without a name is left out.
    EXPECT_EQ(entries(w->lstUsers),
              QStringList({"abc - lower case", "FRE - GST Free", "GST - Goods and Services Tax",
                           "N-T - Not Reportable"}));
    EXPECT_EQ(w->txtField[0]->text(), "abc");
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->txtField[0]->maxLength(), 5);
    EXPECT_EQ(w->txtField[1]->maxLength(), 50);
    EXPECT_EQ(w->txtField[2]->maxLength(), 10);
    select(w->lstUsers, QStringLiteral("GST - Goods and Services Tax"));
    EXPECT_EQ(w->txtField[2]->text(), "10");
    ovix::test::saveScreenshot(w, QStringLiteral("frmTaxCodes"));
}

TEST_F(MoneyEditorsTest, TaxCodesAddEditAndRefuse)
{
    auto *w = open<frmTaxCodes>();
    select(w->lstUsers, QStringLiteral("GST - Goods and Services Tax"));

    // New keeps the rate shown; a code that exists is the critical duplicate.
    w->cmdNew_Click();
    EXPECT_EQ(w->txtField[0]->text(), "");
    EXPECT_EQ(w->txtField[2]->text(), "10");
    w->txtField[0]->setText(QStringLiteral("gst"));
    w->txtField[1]->setText(QStringLiteral("Again"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(lastBox().text, "A tax code with the name you entered already exists. This tax "
                              "code cannot be created.");
    EXPECT_EQ(lastBox().icon, ui::vbCritical);
    EXPECT_TRUE(w->isEditing());
    EXPECT_EQ(w->txtField[1]->text(), "Again");

    // Refusals before anything is written.
    const struct
    {
        const char *code, *rate, *text, *title;
    } refusals[] = {
        {"", "10", "You must enter a Tax Code", "Forgetting something?"},
        {"SP", "ten", "Please enter a proper number for the tax code percentage.", "Oops!"},
        {"SP", "", "Please enter a proper number for the tax code percentage.", "Oops!"},
    };
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.text);
        w->txtField[0]->setText(QString::fromLatin1(r.code));
        w->txtField[2]->setText(QString::fromLatin1(r.rate));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        EXPECT_EQ(lastBox().text, r.text);
        EXPECT_EQ(lastBox().title, r.title);
        EXPECT_EQ(lastBox().icon, ui::vbExclamation);
        EXPECT_TRUE(w->isEditing());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM TaxCode")), 3);

    // Stored as typed: a quote, signs of markup and a rate of 12.5.
    const QString name = QStringLiteral("O'Neil #1; <b>&");
    w->txtField[0]->setText(QStringLiteral("O'N"));
    w->txtField[1]->setText(name);
    w->txtField[2]->setText(QStringLiteral("12.5"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_FALSE(w->isEditing());
    EXPECT_EQ(value(QStringLiteral("SELECT TaxPercentage FROM TaxCode WHERE TaxCode = 'O''N'"))
                  .toDouble(),
              12.5);
    select(w->lstUsers, QStringLiteral("O'N - ") + name);
    EXPECT_EQ(w->txtField[1]->text(), name);
    EXPECT_EQ(w->txtField[2]->text(), "12.5");

    // Edit and save twice: one row.
    for (const char *rate : {"15", "17.5"}) {
        // A save shows the first entry again.
        select(w->lstUsers, QStringLiteral("O'N - ") + name);
        w->cmdEdit_Click();
        w->txtField[2]->setText(QString::fromLatin1(rate));
        ASSERT_TRUE(w->cmdSave_Click());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM TaxCode WHERE TaxCode = 'O''N'")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT TaxPercentage FROM TaxCode WHERE TaxCode = 'O''N'"))
                  .toDouble(),
              17.5);

    // A code changed on edit finds no row: nothing written.
    select(w->lstUsers, QStringLiteral("O'N - ") + name);
    w->cmdEdit_Click();
    w->txtField[0]->setText(QStringLiteral("ZZ"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(lastBox().text, "An unexpected error occurred (3021) when saving the tax code.");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM TaxCode WHERE TaxCode = 'ZZ'")), 0);
    EXPECT_TRUE(w->isEditing());
}

TEST_F(MoneyEditorsTest, TaxCodeDeleteChecks)
{
    addIncomeAccount(); // names GST
    addProgram(QStringLiteral("Term 1"));
    const qint32 term2 = addProgram(QStringLiteral("Term 2"));
    exec(QStringLiteral("UPDATE Programs SET TaxCode = 'FRE' WHERE ProgramID = %1").arg(term2));
    exec(QStringLiteral("UPDATE Accounts SET TaxCode = 'GST'"));
    auto *w = open<frmTaxCodes>();

    const struct
    {
        const char *entry, *text, *title;
    } refusals[] = {
        {"N-T - Not Reportable", "You cannot delete the N-T Tax Code.", "Oops!"},
        {"GST - Goods and Services Tax",
         "This tax code is linked to 1 accounts in %1. You cannot delete it without first "
         "reassigning different tax codes to these accounts.",
         "Sorry"},
        {"FRE - GST Free",
         "This tax code is linked to 1 programs in %1. You cannot delete it without first "
         "reassigning different tax codes to these programs.",
         "Sorry"},
    };
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.entry);
        select(w->lstUsers, QString::fromLatin1(r.entry));
        script->answer(ui::vbOK);
        w->cmdDelete_Click();
        EXPECT_EQ(lastBox().text, QString::fromLatin1(r.text).replace(QStringLiteral("%1"), app()));
        EXPECT_EQ(lastBox().title, r.title);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM TaxCode")), 3);
    EXPECT_FALSE(std::any_of(script->shown().cbegin(), script->shown().cend(),
                             [](const ui::ShownDialog &b) { return b.title == "Confirm Delete"; }));

    // Only the exact "N-T" is kept; No still reloads the list.
    exec(QStringLiteral("UPDATE TaxCode SET TaxCode = 'n-t' WHERE TaxCode = 'N-T'"));
    w->LoadTaxCodeList();
    select(w->lstUsers, QStringLiteral("n-t - Not Reportable"));
    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, "Confirm Delete");
    EXPECT_EQ(lastBox().text, "Are you sure you wish to delete this tax code?");
    EXPECT_EQ(w->lstUsers->currentRow(), 0);
    select(w->lstUsers, QStringLiteral("n-t - Not Reportable"));
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM TaxCode WHERE TaxCode = 'n-t'")), 0);
}

// --- Payment methods.

TEST_F(MoneyEditorsTest, PaymentMethodsFromAnEmptyTable)
{
    addIncomeAccount(QStringLiteral("4-2000"));
    addIncomeAccount(QStringLiteral("1-1100"));
    exec(QStringLiteral("UPDATE Accounts SET Name = AccountNo"));
    auto *w = open<frmPaymentMethods>();
    EXPECT_EQ(w->caption(), "Payment Methods");
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("Payment Method Information")));
    EXPECT_EQ(w->lstUsers->count(), 0);
    EXPECT_EQ(w->txtField[1]->text(), "");
    EXPECT_FALSE(w->chkAdmin->isEnabled());
    // The accounts in table order (by their key).
    ASSERT_EQ(w->cboAccount->count(), 2);
    EXPECT_EQ(w->cboAccount->itemText(0), "1-1100");

    const QString name = QStringLiteral("Card #1; <b>&");
    w->cmdNew_Click();
    EXPECT_EQ(w->cboAccount->currentText(), "1-1100");
    w->txtField[1]->setText(name);
    w->cboAccount->setCurrentIndex(1);
    w->chkAdmin->setChecked(true);
    ASSERT_TRUE(w->cmdSave_Click());
    const QVariant id = value(QStringLiteral("SELECT BankLinkID FROM BankLink"));
    EXPECT_EQ(w->txtField[0]->text(), id.toString()) << "the new number shows";
    EXPECT_EQ(w->lstUsers->currentRow(), -1) << "the list has no selection after a save";
    EXPECT_EQ(w->txtField[1]->text(), name);
    EXPECT_EQ(value(QStringLiteral("SELECT Account FROM BankLink")).toString(), "4-2000");
    EXPECT_EQ(value(QStringLiteral("SELECT Exclude FROM BankLink")).toInt(), 1);

    // Edit and save twice: one row; choosing the entry shows it again.
    for (const char *account : {"1-1100", "4-2000"}) {
        w->cmdEdit_Click();
        w->cboAccount->setCurrentText(QString::fromLatin1(account));
        ASSERT_TRUE(w->cmdSave_Click());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM BankLink")), 1);
    w->txtField[1]->clear();
    select(w->lstUsers, name + QStringLiteral(" (ID#") + id.toString() + QLatin1Char(')'));
    EXPECT_EQ(w->txtField[1]->text(), name);
    EXPECT_EQ(w->cboAccount->currentText(), "4-2000");
    EXPECT_TRUE(w->chkAdmin->isChecked());
}

TEST_F(MoneyEditorsTest, PaymentMethodRefusals)
{
    exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account, Exclude) VALUES ('Cash', "
                        "'', 0)"));
    auto *w = open<frmPaymentMethods>();
    w->cmdNew_Click();
    const struct
    {
        const char *name, *text;
        int icon;
    } cases[] = {
        {"", "Sorry, you cannot have a blank payment method name.", ui::vbExclamation},
        {"Bob's card", "You cannot have a ' character in the payment method name.",
         ui::vbExclamation},
        {"cash",
         "An payment method with the name you entered already exists. This payment method "
         "cannot be created.",
         ui::vbCritical},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        w->txtField[1]->setText(QString::fromLatin1(c.name));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        EXPECT_EQ(lastBox().text, c.text);
        EXPECT_EQ(lastBox().icon, c.icon);
        EXPECT_TRUE(w->isEditing());
        EXPECT_EQ(w->txtField[1]->text(), c.name);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM BankLink")), 1);
}

TEST_F(MoneyEditorsTest, PaymentMethodDeleteCountsTheLedger)
{
    exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account, Exclude) VALUES ('Cash', "
                        "'', 0)"));
    exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account, Exclude) VALUES ('Cheque', "
                        "'', 0)"));
    for (int banked : {0, 1, 1, 2})
        exec(QStringLiteral("INSERT INTO Payments (BookingID, Method, Banked, Type) VALUES (0, "
                            "'cash', %1, 'P')")
                 .arg(banked));
    auto *w = open<frmPaymentMethods>();
    ASSERT_EQ(entries(w->lstUsers), QStringList({"Cash (ID#1)", "Cheque (ID#2)"}));
    EXPECT_EQ(w->txtField[1]->text(), "Cash");

    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, "Sorry");
    EXPECT_EQ(lastBox().text,
              QStringLiteral("This payment method is linked to 3 uncleared transactions in ") +
                  app() +
                  QStringLiteral(". You cannot delete these payment methods until the clear "
                                 "accounts utility has been run."));

    select(w->lstUsers, QStringLiteral("Cheque (ID#2)"));
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().text, "Are you sure you wish to delete this payment method?");
    EXPECT_EQ(entries(w->lstUsers), QStringList({"Cash (ID#1)"}));
    EXPECT_EQ(w->lstUsers->currentRow(), 0);
    EXPECT_EQ(w->txtField[1]->text(), "Cash");
}

// --- Discounts.

TEST_F(MoneyEditorsTest, DiscountsShowAndSaveAmounts)
{
    auto *w = open<frmDiscounts>();
    EXPECT_EQ(w->caption(), "Discounts");
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("Discount Information")));
    ASSERT_EQ(w->lstDiscounts->count(), 7);
    EXPECT_EQ(w->lstDiscounts->item(0)->text(), "4 week block (ID#2)");
    EXPECT_EQ(w->txtAmount->text(), "-$0.50");
    EXPECT_FALSE(w->chkPool->isEnabled());
    EXPECT_FALSE(w->chkPerSession->isEnabled());
    EXPECT_TRUE(w->txtDiscountID->isReadOnly());
    ovix::test::saveScreenshot(w, QStringLiteral("frmDiscounts"));

    // Added with markup signs and "-$4.00" as typed; the list shows its first entry.
    const QString name = QStringLiteral("Kids #1; <b>&");
    w->cmdNew_Click();
    EXPECT_TRUE(w->isAdding());
    EXPECT_EQ(w->txtDiscountID->text(), "");
    EXPECT_TRUE(w->txtDiscountID->isReadOnly());
    w->txtName->setText(name);
    w->txtAmount->setText(QStringLiteral("-$4.00"));
    w->chkPerSession->setChecked(true);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_FALSE(w->isAdding());
    EXPECT_EQ(w->lstDiscounts->currentRow(), 0);
    const QString where = QStringLiteral(" FROM Discounts WHERE DiscountName = ") +
                          Global::SqlText(name);
    EXPECT_EQ(value(QStringLiteral("SELECT Amount") + where).toDouble(), -4.0);
    EXPECT_EQ(value(QStringLiteral("SELECT PerSession") + where).toInt(), 1);
    QString entry = name + QStringLiteral(" (ID#") +
                          value(QStringLiteral("SELECT DiscountID") + where).toString() +
                          QLatin1Char(')');
    select(w->lstDiscounts, entry);
    EXPECT_EQ(w->txtAmount->text(), "-$4.00");

    // Saved twice without touching the amount: one row, the amount unchanged; the
    // name of another discount is accepted when editing.
    for (const char *newName : {"Kids", "Staff discount"}) {
        // A save shows the first discount again.
        select(w->lstDiscounts, entry);
        entry = QString::fromLatin1(newName) + entry.mid(entry.indexOf(QStringLiteral(" (ID#")));
        w->cmdEdit_Click();
        w->txtName->setText(QString::fromLatin1(newName));
        ASSERT_TRUE(w->cmdSave_Click());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Discounts WHERE DiscountName = 'Staff "
                                   "discount' AND Amount = -4 AND PerSession = 1")),
              2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Discounts")), 8);
}

TEST_F(MoneyEditorsTest, DiscountRefusals)
{
    auto *w = open<frmDiscounts>();
    w->cmdNew_Click();
    const struct
    {
        const char *name, *amount, *text;
    } cases[] = {
        {"", "-$1.00", "You must enter a discount name."},
        {"Mum's", "-$1.00", "You cannot have a ' character in the discount name."},
        {"STAFF DISCOUNT", "-$1.00", "There is already a discount with this name."},
        {"Late", "four", "An unexpected error occurred (-2147217913) when saving the discount."},
        {"Late", "", "An unexpected error occurred (-2147217913) when saving the discount."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        w->txtName->setText(QString::fromLatin1(c.name));
        w->txtAmount->setText(QString::fromLatin1(c.amount));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        EXPECT_EQ(lastBox().text, c.text);
        EXPECT_TRUE(w->isAdding());
        EXPECT_EQ(w->txtName->text(), c.name);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Discounts")), 7);
}

TEST_F(MoneyEditorsTest, DiscountDeleteLeavesTheLedger)
{
    exec(QStringLiteral("INSERT INTO Payments (BookingID, Method, Notes, Type, DiscountAmount) "
                        "VALUES (0, '4 week block', '4 week block', 'P', 0.5)"));
    auto *w = open<frmDiscounts>();
    ASSERT_EQ(w->txtName->text(), "4 week block");
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().text, "Are you sure you wish to delete this discount?");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Discounts WHERE DiscountID = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 1);
    EXPECT_EQ(w->txtName->text(), "Call sick discount") << "the first remaining is shown";
}

// --- What the three share: closing while editing.

TEST_F(MoneyEditorsTest, ClosingWhileEditingAsks)
{
    struct Editor
    {
        const char *kind;
        LookupEditor *(*open)();
        void (*fill)(LookupEditor *, bool valid);
        const char *rows;
    } editors[] = {
        {"tax code",
         [] { return static_cast<LookupEditor *>(ui::Forms::shared<frmTaxCodes>()); },
         [](LookupEditor *e, bool valid) {
             auto *w = static_cast<frmTaxCodes *>(e);
             w->txtField[0]->setText(valid ? QStringLiteral("OT") : QString());
             w->txtField[1]->setText(QStringLiteral("Otters"));
         },
         "SELECT * FROM TaxCode WHERE TaxCode = 'OT'"},
        {"payment method",
         [] { return static_cast<LookupEditor *>(ui::Forms::shared<frmPaymentMethods>()); },
         [](LookupEditor *e, bool valid) {
             static_cast<frmPaymentMethods *>(e)->txtField[1]->setText(
                 valid ? QStringLiteral("Otters") : QString());
         },
         "SELECT * FROM BankLink WHERE PaymentType = 'Otters'"},
        {"discount",
         [] { return static_cast<LookupEditor *>(ui::Forms::shared<frmDiscounts>()); },
         [](LookupEditor *e, bool valid) {
             auto *w = static_cast<frmDiscounts *>(e);
             w->txtName->setText(valid ? QStringLiteral("Otters") : QString());
             w->txtAmount->setText(QStringLiteral("-$1.00"));
         },
         "SELECT * FROM Discounts WHERE DiscountName = 'Otters'"},
    };
    const struct
    {
        int answer;
        bool valid, closes, saved;
    } cases[] = {
        {ui::vbYes, false, false, false}, // a refused save keeps the window and the entries
        {ui::vbCancel, true, false, false},
        {ui::vbNo, true, true, false},
        {ui::vbYes, true, true, true},
    };
    for (const Editor &e : editors) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(e.kind) + " " + std::to_string(c.answer));
            LookupEditor *w = e.open();
            w->showForm();
            w->cmdNew_Click();
            e.fill(w, c.valid);
            script->answer(c.answer);
            if (!c.valid)
                script->answer(ui::vbOK);
            EXPECT_EQ(w->unload(ui::CloseReason::ControlMenu), c.closes);
            const auto question = std::find_if(
                script->shown().cbegin(), script->shown().cend(),
                [](const ui::ShownDialog &b) { return b.title == QLatin1String("Wait a minute"); });
            ASSERT_NE(question, script->shown().cend());
            EXPECT_EQ(question->text, QStringLiteral("Do you want to save changes to this %1?")
                                          .arg(QLatin1String(e.kind)));
            EXPECT_EQ(count(QString::fromLatin1(e.rows)), c.saved ? 1 : 0);
            if (!c.closes) {
                EXPECT_TRUE(w->isEditing());
                script->answer(ui::vbNo);
                ASSERT_TRUE(w->unload());
            }
            flush();
            script.reset();
            script = std::make_unique<ui::DialogScript>();
        }
    }
}

TEST_F(MoneyEditorsTest, RegisteredByNameWithTheirOperations)
{
    money::RegisterMoneyWindows();
    for (const char *name :
         {"frmTaxCodes", "frmPaymentMethods", "frmDiscounts", "frmDiscountPickList", "frmAccounts"})
        EXPECT_TRUE(ui::IsWindowRegistered(QString::fromLatin1(name))) << name;
    const struct
    {
        const char *text;
        int index;
    } operations[] = {
        {"Tax Codes", 25}, {"Payment Methods", 30}, {"Discounts", 72}, {"GL Accounts", 24}};
    for (const auto &o : operations) {
        const auto *op = useraccess::FindAuthorisedOperation(QString::fromLatin1(o.text));
        ASSERT_NE(op, nullptr) << o.text;
        EXPECT_EQ(op->index, o.index) << o.text;
    }
    EXPECT_EQ(useraccess::FindAuthorisedOperation(QStringLiteral("Discounts"))->check,
              useraccess::PermissionCheck::ByName);
    // A new pick list for each opener.
    ui::Form *a = ui::CreateWindowByName(QStringLiteral("frmDiscountPickList"));
    ui::Form *b = ui::CreateWindowByName(QStringLiteral("frmDiscountPickList"));
    EXPECT_NE(a, b);
    for (const char *name :
         {"frmTaxCodes", "frmPaymentMethods", "frmDiscounts", "frmDiscountPickList", "frmAccounts"})
        ui::RegisterWindow(QString::fromLatin1(name), {});
}

} // namespace
