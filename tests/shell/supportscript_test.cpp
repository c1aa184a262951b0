#include "maintenancefixture.h"

#include "platform/ui/forms.h"
#include "shell/frmsql.h"
#include "shell/supportscript.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

TEST(SupportScriptRules, SplitsAtSemicolonsOutsideQuotedText)
{
    struct Case
    {
        const char *text;
        QStringList statements;
    };
    const Case cases[] = {
        {"UPDATE A SET B = 1;\r\nDELETE FROM C;\r\n", {"UPDATE A SET B = 1;", "\nDELETE FROM C;"}},
        {"UPDATE A SET B = 'x;y';", {"UPDATE A SET B = 'x;y';"}},
        {"UPDATE A SET B = \"it's;\";", {"UPDATE A SET B = \"it's;\";"}},
        {"UPDATE A SET B = 'O''Brien; Jr';", {"UPDATE A SET B = 'O''Brien; Jr';"}},
        {"DELETE FROM A;\nDELETE FROM B", {"DELETE FROM A;"}},
        {"DELETE FROM A;;", {"DELETE FROM A;", ";"}},
        {"", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(shell::SplitStatements(QString::fromUtf8(c.text)), c.statements);
    }
}

TEST(SupportScriptRules, RecognisesSelectInAnyCase)
{
    struct Case
    {
        const char *statement;
        bool select;
    };
    const Case cases[] = {
        {"SELECT * FROM A;", true},
        {"select * from A;", true},
        {"\n  Select Name FROM A;", true},
        {"(SELECT 1);", true},
        {"UPDATE A SET B = 1;", false},
        {"INSERT INTO A SELECT * FROM B;", false},
        {";", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shell::IsSelectStatement(QString::fromUtf8(c.statement)), c.select)
            << c.statement;
}

TEST(SupportScriptRules, QuotesExportedValuesAsCsvDoes)
{
    EXPECT_EQ(shell::ExportLine({QStringLiteral("plain"), 12, QVariant(), QStringLiteral("a,b"),
                                 QStringLiteral("say \"hi\""), QStringLiteral("two\nlines")}),
              QStringLiteral("plain,12,,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\""));
}

TEST(SupportScriptRules, ReadsTheAccessCodeFromLineTwo)
{
    const QByteArray file = "Support script for Splash\r\n" +
                            shell::ScrambleAccessCode(QStringLiteral("Open Sesame")).toUtf8() +
                            "\r\nUPDATE A SET B = 1;\r\n";
    const shell::SupportScript script = shell::ParseSupportScript(file);
    EXPECT_EQ(script.accessCode, QStringLiteral("Open Sesame"));
    EXPECT_NE(shell::ScrambleAccessCode(QStringLiteral("Open Sesame")),
              QStringLiteral("Open Sesame"));
    EXPECT_EQ(script.statements, QStringList{QStringLiteral("UPDATE A SET B = 1;")});
}

class SupportScriptTest : public MaintenanceTest
{
protected:
    void SetUp() override
    {
        MaintenanceTest::SetUp();
        frmSQL::setOpenExportHook([this](const QString &path) { opened << path; });
    }
    void TearDown() override
    {
        frmSQL::setOpenExportHook({});
        MaintenanceTest::TearDown();
    }

    QString writeScript(const QString &code, const QByteArray &statements)
    {
        return dir.write(QStringLiteral("fix.ovixsql"),
                         "Fix for the Computers table\r\n" +
                             shell::ScrambleAccessCode(code).toUtf8() + "\r\n" + statements);
    }
    frmSQL *openWindowWithScript(const QString &path)
    {
        ui::Form *f = shell::LoadWindowByName(QStringLiteral("frmSQL"));
        f->showForm();
        auto *w = qobject_cast<frmSQL *>(f);
        script->openFile(path);
        w->btnFile_Click();
        return w;
    }
    QString exportFile() const { return home() + QStringLiteral("/support_export.ovixsql"); }

    QStringList opened;
};

TEST_F(SupportScriptTest, AWrongAccessCodeKeepsImportDisabled)
{
    const QString path = writeScript(QStringLiteral("Swim2010"), "DELETE FROM Computers;\r\n");
    ui::Form *f = shell::LoadWindowByName(QStringLiteral("frmSQL"));
    f->showForm();
    auto *w = qobject_cast<frmSQL *>(f);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->txtPass->isReadOnly());
    EXPECT_FALSE(w->cmdNow->isEnabled());

    script->openFile(path);
    w->btnFile_Click();
    EXPECT_EQ(w->txtFilePath->text(), path);
    EXPECT_FALSE(w->txtPass->isReadOnly());
    w->txtPass->setText(QStringLiteral("Swim2011"));
    EXPECT_FALSE(w->cmdNow->isEnabled());
    w->txtPass->setText(QStringLiteral("Swim201"));
    EXPECT_FALSE(w->cmdNow->isEnabled());
    w->txtPass->setText(QStringLiteral("sWIM2010"));
    EXPECT_TRUE(w->cmdNow->isEnabled());
    w->txtPass->setText(QStringLiteral("Swim2010x"));
    EXPECT_FALSE(w->cmdNow->isEnabled());
    ovix::test::saveScreenshot(w, QStringLiteral("frmSQL"));
    EXPECT_TRUE(script->shown().size() == 1); // the Open dialog only
}

TEST_F(SupportScriptTest, AGoodScriptRunsUpdatesAndExportsItsLastSelect)
{
    const QString path =
        writeScript(QStringLiteral("Swim2010"),
                    "INSERT INTO Computers (Name, InUse) VALUES ('Desk; front', '1');\r\n"
                    "INSERT INTO Computers (Name, InUse) VALUES ('Office, \"back\"', '0');\r\n"
                    "select Name FROM Computers WHERE InUse = '1';\r\n"
                    "UPDATE Computers SET InUse = '1' WHERE Name LIKE 'Office*';\r\n"
                    "DROP TABLE NoSuchTable;\r\n"
                    "SELECT Name, InUse, NULL FROM Computers ORDER BY ComputerID;\r\n"
                    "DELETE FROM Computers");
    frmSQL *w = openWindowWithScript(path);
    w->txtPass->setText(QStringLiteral("swim2010"));
    script->answer(ui::vbOK);
    w->cmdNow->click();

    ASSERT_EQ(boxTitles(), QStringList{QStringLiteral("Done")});
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The file was processed with no errors. The Output of SELECT "
                             "statements was saved to ") +
                  exportFile());
    EXPECT_EQ(readBytes(exportFile()),
              QByteArray("Desk; front,1,\r\n\"Office, \"\"back\"\"\",1,\r\n"));
    EXPECT_EQ(opened, QStringList{exportFile()});
    // The text after the last ";" was not run.
    EXPECT_EQ(queryValue(dataFile(), QStringLiteral("SELECT COUNT(*) FROM Computers")).toInt(), 2);
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmSQL")), nullptr);
}

TEST_F(SupportScriptTest, FailuresAreCountedAndReported)
{
    const QString path = writeScript(QStringLiteral("x"), "UPDATE NoSuchTable SET A = 1;;\r\n"
                                                          "DROP TABLE NoSuchTable;\r\n");
    frmSQL *w = openWindowWithScript(path);
    w->txtPass->setText(QStringLiteral("X"));
    script->answer(ui::vbOK);
    w->cmdNow->click();
    ASSERT_EQ(boxTitles(), QStringList{QStringLiteral("Oops!")});
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("There were 2 errors. Some rows may not have been imported."));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(QFile::exists(exportFile()));
}
