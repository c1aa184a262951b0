#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/frmcentreinfo.h"
#include "access/frmdeclaration.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/ui/forms.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace Id = CentreSettingIds;

class CentreInfoTest : public AccessTest
{
protected:
    frmCentreInfo *open()
    {
        auto *w = ui::Forms::shared<frmCentreInfo>();
        w->showForm();
        return w;
    }
    QVariant stored(const char *column)
    {
        return value(QStringLiteral("SELECT [%1] FROM CentreInfo").arg(QLatin1String(column)));
    }
};

TEST_F(CentreInfoTest, ShowsAndSavesTheSettings)
{
    exec(QStringLiteral("UPDATE CentreInfo SET CentreName = 'Deep End', JoiningFee = 12.5, "
                        "OverdueDays = 14, DefaultStatus = 'Confirmed', EmailAuthentication = 0, "
                        "BackupLocation = Null, NextReceiptNo = 100, UserID = 'ann'"));
    Global::LoadGlobalSettings();
    frmCentreInfo *w = open();
    ovix::test::saveScreenshot(w, QStringLiteral("frmCentreInfo"));
    EXPECT_EQ(w->txtField[0]->text(), "Deep End");
    EXPECT_EQ(w->txtField[37]->text(), "$12.50");
    EXPECT_EQ(w->txtField[17]->text(), "14");
    EXPECT_EQ(w->txtField[41]->text(), frmCentreInfo::DefaultBackupText());
    EXPECT_EQ(w->combos.value("cboStatus")->currentText(), "Confirmed");
    EXPECT_FALSE(w->checks.value("chkSmtpAuthentication")->isChecked());
    EXPECT_FALSE(w->texts.value("txtEmailUsername")->isEnabled());

    w->txtField[0]->setText(QStringLiteral("Deep End's Pool"));
    w->txtField[17]->setText(QStringLiteral(" 2.6 "));
    w->txtField[37]->setText(QStringLiteral("$1,234.50"));
    w->checks.value("chkSimpleSearch")->setChecked(true);
    // Meanwhile a receipt is numbered and another user signs in elsewhere.
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 101, UserID = 'BOB'"));
    w->cmdOK_Click();
    flush();

    EXPECT_EQ(loaded(QStringLiteral("frmCentreInfo")), nullptr);
    EXPECT_EQ(stored("CentreName").toString(), "Deep End's Pool");
    EXPECT_EQ(stored("OverdueDays").toInt(), 3);
    EXPECT_DOUBLE_EQ(stored("JoiningFee").toDouble(), 1234.5);
    EXPECT_EQ(stored("SimpleSearch").toInt(), 1);
    EXPECT_EQ(stored("BackupLocation").toString(), QString());
    EXPECT_EQ(stored("NextReceiptNo").toInt(), 101);
    EXPECT_EQ(stored("UserID").toString(), "BOB");
    EXPECT_EQ(Global::CentreSettings().Settings(int(Id::CentreName)).toString(), "Deep End's Pool");
    EXPECT_TRUE(script->shown().isEmpty());
}

// A refused save keeps the window and what was typed, and stores nothing.
TEST_F(CentreInfoTest, NumberChecksKeepTheWindowOpen)
{
    struct Case
    {
        int field;
        const char *text;
        const char *message;
    } cases[] = {
        {17, "", "Fee Overdue day should be a number. Please try again."},
        {21, "abc", "Details Valid for X days should be a number. Please try again."},
        {37, "$12.x",
         "The currency amount you entered for the joining fee amount is invalid. "
         "Please try again."},
    };
    frmCentreInfo *w = open();
    w->txtField[0]->setText(QStringLiteral("Typed Name"));
    for (const Case &c : cases) {
        w->txtField[17]->setText(QStringLiteral("5"));
        w->txtField[21]->setText(QStringLiteral("12"));
        w->txtField[37]->setText(QStringLiteral("$0.00"));
        w->txtField[c.field]->setText(QString::fromLatin1(c.text));
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        EXPECT_EQ(script->shown().last().text, c.message);
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(loaded(QStringLiteral("frmCentreInfo")), w);
        EXPECT_EQ(w->txtField[c.field]->text(), c.text);
    }
    EXPECT_EQ(w->txtField[0]->text(), "Typed Name");
    EXPECT_NE(stored("CentreName").toString(), "Typed Name");
}

// A stored value that its list does not offer is not shown, and not blanked.
TEST_F(CentreInfoTest, ValuesOutsideTheirListsAreKept)
{
    exec(QStringLiteral("UPDATE CentreInfo SET DefaultStatus = 'Pending', DefaultProgramName = "
                        "'Gone', JoiningFeeTaxCode = 'ZZZ'"));
    Global::LoadGlobalSettings();
    frmCentreInfo *w = open();
    EXPECT_EQ(w->combos.value("cboStatus")->currentIndex(), -1);
    EXPECT_EQ(w->combos.value("cboProgram")->currentIndex(), -1);
    w->cmdOK_Click();
    EXPECT_EQ(stored("DefaultStatus").toString(), "Pending");
    EXPECT_EQ(stored("DefaultProgramName").toString(), "Gone");
    EXPECT_EQ(stored("JoiningFeeTaxCode").toString(), "ZZZ");
}

TEST_F(CentreInfoTest, ImportedLogoIsFittedAndWrittenAtOnce)
{
    const QString jpeg = dir.file(QStringLiteral("wide.jpg"));
    QImage wide(600, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(jpeg, "JPG"));
    const QString notPicture = dir.file(QStringLiteral("notes.jpg"));
    QFile text(notPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    frmCentreInfo *w = open();
    const QString logo = dir.file(QStringLiteral("bwlogo.bmp"));
    const QString bar = dir.file(QStringLiteral("barlogo.bmp"));

    script->openFile(notPicture).answer(ui::vbOK);
    w->btnLoadPic_Click();
    EXPECT_EQ(script->shown().last().text,
              "This file is not a valid picture file. Please try again.");
    EXPECT_FALSE(QFile::exists(logo));

    script->openFile(jpeg).answer(ui::vbYes);
    w->btnLoadPic_Click();
    EXPECT_EQ(script->shown().last().title, "Display Logo in Ovix");
    const QImage written(logo);
    ASSERT_FALSE(written.isNull());
    const QRect inner = w->picLogoContainer->contentsRect();
    EXPECT_EQ(written.width(), inner.width());
    EXPECT_EQ(written.height(), qRound(inner.width() / 6.0));
    const QImage barLogo(bar);
    EXPECT_EQ(barLogo.size(), QSize(95, 95));
    EXPECT_EQ(QColor(barLogo.pixel(47, 47)).red() > 200, true) << "the logo fills the square";
    EXPECT_FALSE(QFile::exists(logo + QStringLiteral(".new")));

    // Cancelling the dialog changes nothing; Delete writes the built-in pictures.
    script->openFile(QString());
    w->btnLoadPic_Click();
    EXPECT_EQ(QImage(logo).size(), written.size());
    w->btnDelPic_Click();
    EXPECT_EQ(QImage(logo).size(), QSize(75, 75));
    EXPECT_EQ(QImage(bar).pixel(47, 47), frmCentreInfo::DefaultBarLogo().pixel(47, 47));
}

TEST_F(CentreInfoTest, DeclarationIsEditedInItsFile)
{
    frmCentreInfo *w = open();
    w->cmdDeclaration_Click();
    auto *declaration = qobject_cast<frmDeclaration *>(loaded(QStringLiteral("frmDeclaration")));
    ASSERT_NE(declaration, nullptr);
    EXPECT_TRUE(declaration->txtDeclaration->toPlainText().isEmpty());
    declaration->txtDeclaration->setPlainText(QStringLiteral("I agree – to swim."));
    declaration->cmdOK_Click();
    flush();
    QFile file(dir.file(QStringLiteral("DetailsDeclaration.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("I agree – to swim."));

    w->cmdDeclaration_Click();
    declaration = qobject_cast<frmDeclaration *>(loaded(QStringLiteral("frmDeclaration")));
    EXPECT_EQ(declaration->txtDeclaration->toPlainText(), QStringLiteral("I agree – to swim."));
    declaration->txtDeclaration->setPlainText(QStringLiteral("changed"));
    declaration->cmdCancel_Click();
    file.seek(0);
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("I agree – to swim."));
}

// Every caption, heading and note the window shows, word for word.
TEST_F(CentreInfoTest, CaptionsAreTheWindowsOwnWords)
{
    frmCentreInfo *w = open();
    QStringList shown;
    for (QLabel *label : w->findChildren<QLabel *>())
        shown << label->text();
    for (QCheckBox *box : w->findChildren<QCheckBox *>())
        shown << box->text();
    for (QGroupBox *frame : w->findChildren<QGroupBox *>())
        shown << frame->title();
    const char *expected[] = {
        "Centre Information", "Address Details", "Other Contact Details", "Management Details",
        "Fees and Payments", "Passports", "Defaults", "Attendance",
        "Alternative Attendance Status Text", "Bank Account Information", "Other Settings",
        "Backup Settings", "Send Email Configuration", "Settings for Slips", "Authentication",
        "Invoices can be paid by:", "Fees are considered Overdue", "days after starting date",
        "Details and Declaration Forms are valid for ", "months",
        "You have the option of setting a default backup location. Please specify a drive or "
        "folder:",
        "Example C:\\My Backups\\",
        "The cost of the passport is charged when it is issued.",
        "Please specify the default tax code and revenue account to use when a link is broken.",
        "The following information will appear on invoices to allow customers to pay into your "
        "bank account.",
        "These are the same settings used to set up your email account. You can find them in "
        "your email program (Microsoft Outlook, Outlook Express, Windows Mail, Eudora, "
        "Thunderbird etc) or by looking at the information supplied by your internet service "
        "provider when you established your account.",
        "Centre Name:", "Postcode:", "Cost of Passport:", "Called:", "Account No:",
        "Connect using a username and password", "Use HTML Forms",
    };
    for (const char *text : expected)
        EXPECT_TRUE(shown.contains(QString::fromLatin1(text))) << text;
    EXPECT_EQ(shown.count(QStringLiteral("Attendance")), 1) << "a heading, not a tab's label";
}

// The default backup folder shown is the one the backup writes into.
TEST_F(CentreInfoTest, DefaultBackupFolderIsWhereBackupsAreWritten)
{
    frmCentreInfo *w = open();
    const QString shown = w->txtField[41]->text();
    ASSERT_TRUE(imodData::AutoBackup());
    const QStringList written =
        QDir(shown).entryList({QStringLiteral("autobackup*.mdb")}, QDir::Files);
    EXPECT_EQ(written.size(), 1) << qPrintable(shown);
}
