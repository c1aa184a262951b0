#include "maintenancefixture.h"

#include "core/globaldata.h"
#include "platform/ui/forms.h"
#include "shell/frmsetupwiz.h"
#include "shell/startupservices.h"
#include "support/screenshot.h"

#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class SetupWizTest : public MaintenanceTest
{
protected:
    void SetUp() override
    {
        MaintenanceTest::SetUp();
        Global::DropDbConnection();
        makeDataFile(dataFile(), QStringLiteral("New Ovix User"));
        execute(dataFile(), QStringLiteral("UPDATE CentreInfo SET ABN = '12 345', City = 'Perth'"));
        writeDeclaration("I declare that the details are true.");
        openDataFile();
    }

    QString declarationFile() const
    {
        return dataFolder() + QStringLiteral("/DetailsDeclaration.txt");
    }
    void writeDeclaration(const QByteArray &text)
    {
        QFile f(declarationFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QString column(const QString &name) const
    {
        return queryValue(dataFile(), QStringLiteral("SELECT %1 FROM CentreInfo").arg(name))
            .toString();
    }

    // The wizard as the loader shows it.
    frmSetupWiz *showWizard()
    {
        shell::ShowSetupWizard();
        return qobject_cast<frmSetupWiz *>(ui::Forms::find(QStringLiteral("frmSetupWiz")));
    }
};

TEST_F(SetupWizTest, TheLoaderShowsTheWizardWithTheTemplatesDetails)
{
    frmSetupWiz *w = showWizard();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->txtCentreInfo[0]->text(), QString());
    EXPECT_EQ(w->txtCentreInfo[1]->text(), QStringLiteral("12 345"));
    EXPECT_EQ(w->txtCentreInfo[3]->text(), QStringLiteral("Perth"));
    EXPECT_EQ(w->txtCentreInfo[4]->maxLength(), 3);
    EXPECT_EQ(w->txtCentreInfo[5]->maxLength(), 10);
    EXPECT_EQ(w->txtDeclaration->toPlainText(),
              QStringLiteral("I declare that the details are true."));
    EXPECT_FALSE(w->cmdBack->isVisible());
    EXPECT_TRUE(w->shp[0]->styleSheet().contains(QStringLiteral("rgb(0, 255, 0)")));
    EXPECT_TRUE(script->shown().isEmpty());
    ovix::test::saveScreenshot(w, QStringLiteral("frmSetupWiz-welcome"));
}

TEST_F(SetupWizTest, NextWritesEachPageAndFinishGoesBackToTheDataFileWindow)
{
    frmSetupWiz *w = showWizard();
    w->cmdNext->click();
    EXPECT_EQ(w->page(), 1);
    EXPECT_TRUE(w->cmdBack->isVisible());
    w->txtCentreInfo[0]->setText(QStringLiteral("Splash Swim School"));
    w->txtCentreInfo[6]->setText(QStringLiteral("08 9999 0000"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmSetupWiz-centre"));
    w->cmdNext->click();
    EXPECT_EQ(column(QStringLiteral("CentreName")), QStringLiteral("Splash Swim School"));
    EXPECT_EQ(column(QStringLiteral("Phone")), QStringLiteral("08 9999 0000"));
    EXPECT_EQ(column(QStringLiteral("ABN")), QStringLiteral("12 345"));

    w->txtCentreInfo[12]->setText(QStringLiteral("Jo Manager"));
    w->txtCentreInfo[13]->setText(QStringLiteral("Owner"));
    w->cmdNext->click();
    EXPECT_EQ(column(QStringLiteral("Manager1")), QStringLiteral("Jo Manager"));
    EXPECT_EQ(column(QStringLiteral("Position1")), QStringLiteral("Owner"));
    EXPECT_EQ(w->page(), 3);
    EXPECT_EQ(w->cmdNext->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(w->shp[3]->styleSheet().contains(QStringLiteral("rgb(0, 255, 0)")));
    EXPECT_TRUE(w->shp[0]->styleSheet().contains(QStringLiteral("white")));
    ovix::test::saveScreenshot(w, QStringLiteral("frmSetupWiz-declaration"));

    // Finish with an empty declaration leaves one space in the file.
    w->txtDeclaration->clear();
    script->answer(ui::vbOK);
    w->cmdNext->click();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Yay!")});
    EXPECT_EQ(readBytes(declarationFile()), QByteArray(" "));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmSetupWiz")), nullptr);
    EXPECT_NE(ui::Forms::find(QStringLiteral("frmOpen")), nullptr);
    EXPECT_EQ(endProgramCalls, 0);
}

TEST_F(SetupWizTest, BackSavesThePageItLeaves)
{
    frmSetupWiz *w = showWizard();
    for (int i = 0; i < 3; ++i)
        w->cmdNext->click();
    w->txtDeclaration->setPlainText(QStringLiteral("New declaration"));
    w->cmdBack->click();
    EXPECT_EQ(readBytes(declarationFile()), QByteArray("New declaration"));
    EXPECT_EQ(w->cmdNext->text(), QStringLiteral("Next >"));
    w->cmdNext->click();
    w->txtDeclaration->clear();
    w->cmdBack->click();
    EXPECT_EQ(readBytes(declarationFile()), QByteArray());

    w->cmdBack->click();
    w->cmdBack->click();
    EXPECT_EQ(w->page(), 0);
    EXPECT_FALSE(w->cmdBack->isVisible());
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(SetupWizTest, CancelKeepsThePagesLeftButNotThePageOnScreen)
{
    frmSetupWiz *w = showWizard();
    w->cmdNext->click();
    w->txtCentreInfo[0]->setText(QStringLiteral("Splash"));
    w->cmdNext->click();
    w->txtCentreInfo[12]->setText(QStringLiteral("Not Saved"));
    w->cmdClose->click();
    EXPECT_EQ(endProgramCalls, 1);
    EXPECT_EQ(column(QStringLiteral("CentreName")), QStringLiteral("Splash"));
    EXPECT_NE(column(QStringLiteral("Manager1")), QStringLiteral("Not Saved"));
}

TEST_F(SetupWizTest, AMissingDeclarationFileEndsTheProgram)
{
    QFile::remove(declarationFile());
    script->answer(ui::vbOK);
    showWizard();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Oops!")});
    EXPECT_TRUE(script->shown().first().text.startsWith(
        QStringLiteral("The details and declaration file could not be found.")));
    EXPECT_EQ(endProgramCalls, 1);
}
