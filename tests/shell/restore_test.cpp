#include "maintenancefixture.h"

#include "platform/ui/forms.h"
#include "shell/frmrestore.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

class RestoreTest : public MaintenanceTest
{
protected:
    frmRestore *openRestoreWindow()
    {
        ui::Form *f = shell::LoadWindowByName(QStringLiteral("frmRestore"));
        f->showForm();
        return qobject_cast<frmRestore *>(f);
    }
    void chooseKind(frmRestore *w, int kind)
    {
        w->cboType->setCurrentIndex(kind);
        w->cboType_Click();
    }
    void selectFile(frmRestore *w, const QString &name)
    {
        const QList<QListWidgetItem *> items = w->flb->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        w->flb->setCurrentItem(items.first());
    }
    QStringList listed(frmRestore *w) const
    {
        QStringList names;
        for (int i = 0; i < w->flb->count(); ++i)
            names << w->flb->item(i)->text();
        return names;
    }
    // A backup of each kind in the application data folder's "Backups".
    void makeBackups()
    {
        QDir().mkpath(backupsFolder());
        makeDataFile(backupsFolder() + QStringLiteral("/ibackup20100105173012.mdb"),
                     QStringLiteral("From Backup"));
        makeDataFile(backupsFolder() + QStringLiteral("/autobackupdefaultmdb20100105173012.mdb"),
                     QStringLiteral("Before Upgrade"));
    }
};

TEST_F(RestoreTest, ListsEachKindOfBackup)
{
    frmRestore *w = openRestoreWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->cboType->count(), 2);
    EXPECT_EQ(w->cboType->currentIndex(), -1);

    // No backup made yet: the folder is missing and nothing is listed.
    chooseKind(w, 0);
    EXPECT_TRUE(listed(w).isEmpty());

    makeBackups();
    chooseKind(w, 0);
    EXPECT_EQ(listed(w), QStringList{QStringLiteral("ibackup20100105173012.mdb")});
    chooseKind(w, 1);
    EXPECT_EQ(listed(w), QStringList{QStringLiteral("autobackupdefaultmdb20100105173012.mdb")});
    ovix::test::saveScreenshot(w, QStringLiteral("frmRestore"));

    // Restore with nothing chosen does nothing.
    w->flb->setCurrentRow(-1);
    w->flb->clearSelection();
    w->cmdOK->click();
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(RestoreTest, RestoresAChosenBackupToANewPath)
{
    makeBackups();
    frmRestore *w = openRestoreWindow();
    chooseKind(w, 0);
    selectFile(w, QStringLiteral("ibackup20100105173012.mdb"));

    // Cancelling the Save dialog copies nothing and keeps the window.
    script->saveFile(QString());
    w->cmdOK->click();
    EXPECT_NE(ui::Forms::find(QStringLiteral("frmRestore")), nullptr);

    const QString target = dir.file(QStringLiteral("restored/swim.mdb"));
    QDir().mkpath(dir.file(QStringLiteral("restored")));
    script->saveFile(target).answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Done")});
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Copying complete"));
    EXPECT_TRUE(isReadableDataFile(target));
    EXPECT_EQ(queryValue(target, QStringLiteral("SELECT CentreName FROM CentreInfo")).toString(),
              QStringLiteral("From Backup"));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmRestore")), nullptr);
}

TEST_F(RestoreTest, NeverWritesOverTheOpenFileAndAsksBeforeReplacing)
{
    makeBackups();
    const QString other = dir.file(QStringLiteral("other.mdb"));
    makeDataFile(other, QStringLiteral("Other Centre"));

    frmRestore *w = openRestoreWindow();
    chooseKind(w, 1);
    selectFile(w, QStringLiteral("autobackupdefaultmdb20100105173012.mdb"));
    // The open data file is refused; another file is asked about: No asks for a
    // path again, and cancelling then leaves everything as it was.
    script->saveFile(dataFile())
        .answer(ui::vbOK)
        .saveFile(other)
        .answer(ui::vbNo)
        .saveFile(QString());
    w->cmdOK->click();
    EXPECT_EQ(boxTitles(), (QStringList{"File In Use", "Replace Existing File?"}));
    EXPECT_EQ(
        queryValue(dataFile(), QStringLiteral("SELECT CentreName FROM CentreInfo")).toString(),
        QStringLiteral("Swim Centre"));
    EXPECT_EQ(queryValue(other, QStringLiteral("SELECT CentreName FROM CentreInfo")).toString(),
              QStringLiteral("Other Centre"));

    // Yes replaces it.
    script->saveFile(other).answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(queryValue(other, QStringLiteral("SELECT CentreName FROM CentreInfo")).toString(),
              QStringLiteral("Before Upgrade"));
}

TEST_F(RestoreTest, AFailedCopySaysSoAndKeepsTheWindow)
{
    QDir().mkpath(backupsFolder());
    QFile broken(backupsFolder() + QStringLiteral("/ibackup20100101000000.mdb"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a data file");
    broken.close();

    frmRestore *w = openRestoreWindow();
    chooseKind(w, 0);
    selectFile(w, QStringLiteral("ibackup20100101000000.mdb"));
    const QString target = dir.file(QStringLiteral("new.mdb"));
    script->saveFile(target).answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Oops!")});
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when copying the data file - Err#")));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_NE(ui::Forms::find(QStringLiteral("frmRestore")), nullptr);
}
