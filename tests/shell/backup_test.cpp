#include "maintenancefixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/forms.h"
#include "shell/backup.h"
#include "shell/frmbackup.h"
#include "shell/frmloadup.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.copy"), QStringLiteral("*.part")},
                                  QDir::Files);
}

} // namespace

class BackupTest : public MaintenanceTest
{
protected:
    // The backup window as the main window opens it on the way out.
    frmBackup *openBackupWindow(int onClose)
    {
        ui::Form *f = shell::LoadWindowByName(QStringLiteral("frmBackup"));
        f->showForm();
        f->setProperty("OnClose", onClose);
        return qobject_cast<frmBackup *>(f);
    }

    // Records the step texts of the progress window, and whether the marker file
    // was there at each.
    void recordSteps()
    {
        QObject::connect(ui::Forms::shared<frmLoadUp>(), &frmLoadUp::stepShown,
                         [this](const QString &text) {
                             steps << text;
                             markerAt << QFile::exists(markerFile());
                         });
    }
    bool markerDuring(const QString &step) const
    {
        const qsizetype i = steps.indexOf(step);
        return i >= 0 && markerAt.at(i);
    }

    QStringList steps;
    QList<bool> markerAt;
};

TEST_F(BackupTest, NamesTheBackupAfterTheMomentAndTheCentresFolder)
{
    const QDateTime at(QDate(2010, 1, 5), QTime(17, 30, 12));
    EXPECT_EQ(shell::BackupFileName(QStringLiteral("/safe"), at),
              QStringLiteral("/safe/ibackup20100105173012.mdb"));

    // No BackupLocation: "Backups" of the application data folder, made when missing.
    EXPECT_EQ(shell::BackupFolder(), backupsFolder());
    EXPECT_TRUE(QDir(backupsFolder()).exists());

    // A BackupLocation is used as it stands, without its trailing "/", and not created.
    Global::CentreSettings().setSettings(int(CentreSettingIds::BackupLocation),
                                         dir.path() + QStringLiteral("/safe/"));
    EXPECT_EQ(shell::BackupFolder(), dir.path() + QStringLiteral("/safe"));
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/safe")).exists());
}

TEST_F(BackupTest, CopiesAnOpenFileWhileAnotherConnectionWritesToIt)
{
    const auto count = [](const QString &path, const QString &where) {
        return queryValue(path, QStringLiteral("SELECT COUNT(*) FROM Computers WHERE ") + where)
            .toInt();
    };
    jet::Connection writer(QStringLiteral("Data Source=") + dataFile());
    writer.open();
    writer.beginTrans();
    for (int i = 0; i < 200; ++i)
        writer.execute(
            QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('before%1', '0')").arg(i));
    writer.commitTrans();

    // Another connection keeps committing rows on a thread of its own during the copy.
    std::atomic<bool> stop = false;
    std::atomic<int> written = 0;
    std::thread busy([&] {
        jet::Connection db(QStringLiteral("Data Source=") + dataFile());
        db.open();
        while (!stop) {
            try {
                db.execute(
                    QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('during', '0')"));
                ++written;
            } catch (const jet::Error &) {
                // Kept waiting too long by the copy: try again.
            }
            // A busy workstation's pace: it leaves the file free between its commits.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    while (written < 20)
        std::this_thread::yield();
    const QString first = dir.file(QStringLiteral("first.mdb"));
    EXPECT_NO_THROW(shell::CopyDataFile(dataFile(), first));
    stop = true;
    busy.join();
    ASSERT_TRUE(isReadableDataFile(first));
    EXPECT_EQ(count(first, QStringLiteral("Name LIKE 'before*'")), 200);
    EXPECT_GE(count(first, QStringLiteral("Name = 'during'")), 20);
    EXPECT_LE(count(first, QStringLiteral("Name = 'during'")), written.load());

    // A change not yet committed is not in the copy; the open transaction goes on.
    writer.beginTrans();
    writer.execute(
        QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('uncommitted', '1')"));
    const QString second = dir.file(QStringLiteral("second.mdb"));
    EXPECT_NO_THROW(shell::CopyDataFile(dataFile(), second));
    writer.commitTrans();
    ASSERT_TRUE(isReadableDataFile(second));
    EXPECT_EQ(count(second, QStringLiteral("Name LIKE 'before*'")), 200);
    EXPECT_EQ(count(second, QStringLiteral("Name = 'uncommitted'")), 0);
    EXPECT_EQ(count(dataFile(), QStringLiteral("Name = 'uncommitted'")), 1);
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}

TEST_F(BackupTest, AFailedCopyLeavesTheExistingTargetAsItWas)
{
    const QString target = dir.write(QStringLiteral("ibackup.mdb"), "the previous backup");
    const QString notADataFile = dir.write(QStringLiteral("broken.mdb"), "no data file at all");
    struct Case
    {
        const char *what;
        QString source;
        QString target;
    };
    const Case cases[] = {
        {"the source is missing", dir.file(QStringLiteral("missing.mdb")), target},
        {"the source is not a data file", notADataFile, target},
        {"the target folder is missing", dataFile(), dir.file(QStringLiteral("none/x.mdb"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(shell::CopyDataFile(c.source, c.target), jet::Error);
        EXPECT_EQ(readBytes(target), QByteArray("the previous backup"));
        EXPECT_TRUE(leftovers(dir.path()).isEmpty());
    }

    // A copy that turns out unreadable is not moved over the target either.
    shell::setCopyObserver([](const QString &partial) {
        QFile f(partial);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(1024);
    });
    EXPECT_THROW(shell::CopyDataFile(dataFile(), target), jet::Error);
    shell::setCopyObserver({});
    EXPECT_EQ(readBytes(target), QByteArray("the previous backup"));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}

TEST_F(BackupTest, RunNowMaintainsCopiesAndEndsTheProgram)
{
    for (const char *name : {"temp1.htm", "tempReport.htm", "keep.htm"})
        QFile(dataFolder() + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly);

    frmBackup *w = openBackupWindow(1);
    ASSERT_NE(w, nullptr);
    const QString target = w->lblBackupTarget->text();
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(
                                       QRegularExpression::escape(backupsFolder()) +
                                       QStringLiteral("/ibackup\\d{14}\\.mdb")))
                    .match(target)
                    .hasMatch())
        << target.toStdString();
    EXPECT_EQ(w->lst->count(), 2);
    EXPECT_EQ(w->lst->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(w->lst->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(w->lst->currentRow(), 0);
    EXPECT_TRUE(w->optBackup->isChecked());
    EXPECT_EQ(w->MaintenanceIntro->text(),
              QStringLiteral("These options help to validate and correctly format your data and "
                             "will improve the performance of Ovix and your data file."));
    ovix::test::saveScreenshot(w, QStringLiteral("frmBackup"));

    recordSteps();
    w->cmdOK->click();

    EXPECT_EQ(steps, (QStringList{"Preparing Data File...", "Validating Database Tables...",
                                  "Deleting Report Temporary Files...", "Closing Data File...",
                                  "Copying Data File to Backup Location...", "Cleaning Up..."}));
    EXPECT_TRUE(markerDuring(QStringLiteral("Copying Data File to Backup Location...")));
    EXPECT_FALSE(QFile::exists(markerFile()));
    EXPECT_TRUE(boxTitles().isEmpty()) << boxTitles().join(", ").toStdString();
    EXPECT_TRUE(isReadableDataFile(target));
    EXPECT_EQ(QDir(dataFolder()).entryList({QStringLiteral("*.htm")}, QDir::Files),
              QStringList{QStringLiteral("keep.htm")});
    EXPECT_FALSE(Global::DbConnection().isOpen());
    EXPECT_EQ(endProgramCalls, 1);
}

TEST_F(BackupTest, AFailedCopySaysSoOffersToTryAgainAndKeepsTheOldBackup)
{
    const QString target = dir.write(QStringLiteral("ibackup-old.mdb"), "the previous backup");
    frmBackup *w = openBackupWindow(1);
    // Change... onto the existing file: No asks again, Yes takes it.
    script->saveFile(target).answer(ui::vbNo).saveFile(target).answer(ui::vbYes);
    w->lblChangeTarget_Click();
    ASSERT_EQ(w->lblBackupTarget->text(), target);
    EXPECT_EQ(boxTitles(), (QStringList{"Replace Existing File?", "Replace Existing File?"}));

    // The data file the copy reads from has gone.
    Global::CurrentDataFile = QStringLiteral("gone.mdb");
    recordSteps();
    script->answer(ui::vbRetry).answer(ui::vbCancel);
    w->cmdOK->click();

    QList<ui::ShownDialog> shown;
    for (const ui::ShownDialog &box : script->shown())
        if (box.kind == ui::DialogKind::MessageBox)
            shown << box;
    ASSERT_EQ(shown.size(), 4);
    for (int i : {2, 3}) {
        EXPECT_TRUE(shown[i].title.startsWith(QStringLiteral("Backup failed - Error #")));
        EXPECT_EQ(shown[i].buttons, ui::vbRetryCancel);
        EXPECT_TRUE(shown[i].text.contains(
            QStringLiteral("Copying of this file did not complete successfully.")));
    }
    EXPECT_EQ(steps.count(QStringLiteral("Copying Data File to Backup Location...")), 1);
    EXPECT_TRUE(markerDuring(QStringLiteral("Copying Data File to Backup Location...")));
    EXPECT_FALSE(QFile::exists(markerFile()));
    EXPECT_EQ(readBytes(target), QByteArray("the previous backup"));
    EXPECT_EQ(endProgramCalls, 1);
}

TEST_F(BackupTest, DontBackupAndDontRunDeleteNothing)
{
    const QString target = dir.write(QStringLiteral("chosen.mdb"), "keep me");
    {
        frmBackup *w = openBackupWindow(1);
        w->lblBackupTarget->setText(target);
        w->lst->item(0)->setCheckState(Qt::Unchecked);
        w->lst->item(1)->setCheckState(Qt::Unchecked);
        w->optNoBackup->setChecked(true);
        recordSteps();
        w->cmdOK->click();
        EXPECT_EQ(steps, (QStringList{"Preparing Data File...", "Cleaning Up..."}));
        EXPECT_EQ(readBytes(target), QByteArray("keep me"));
        EXPECT_TRUE(Global::DbConnection().isOpen());
        EXPECT_FALSE(QFile::exists(markerFile()));
        EXPECT_EQ(endProgramCalls, 1);
        w->unload();
    }
    // Don't Run with the data-file window to come back: no copy, the window goes.
    frmBackup *w = openBackupWindow(0);
    w->lblBackupTarget->setText(target);
    QFile(markerFile()).open(QIODevice::WriteOnly);
    w->cmdClose->click();
    EXPECT_EQ(readBytes(target), QByteArray("keep me"));
    EXPECT_FALSE(QFile::exists(markerFile()));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmBackup")), nullptr);
    EXPECT_NE(ui::Forms::find(QStringLiteral("frmOpen")), nullptr);
    EXPECT_EQ(endProgramCalls, 1);
}

TEST_F(BackupTest, OtherWorkstationsAreNamedBeforeTheRun)
{
    execute(dataFile(), QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('A', '1')"));
    execute(dataFile(), QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('B', '1')"));
    frmBackup *w = openBackupWindow(1);
    script->answer(ui::vbNo);
    w->cmdOK->click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Just making sure..."));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("There appears to be 2 other workstations connected")));
    EXPECT_TRUE(w->cmdOK->isEnabled());
    EXPECT_EQ(endProgramCalls, 0);
}

TEST_F(BackupTest, MaintenanceClearsInUseMarksAndAFailingStageStopsTheRest)
{
    execute(dataFile(), QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('A', '1')"));
    execute(dataFile(),
            QStringLiteral("INSERT INTO Accounts (AccountNo, Name) VALUES ('1-100', 'Bank')"));
    EXPECT_FALSE(
        shell::RunDataMaintenance(QStringLiteral("Data Source=") + dataFile()).has_value());
    EXPECT_EQ(queryValue(dataFile(), QStringLiteral("SELECT InUse FROM Computers WHERE Name = 'A'"))
                  .toString(),
              QStringLiteral("0"));
    EXPECT_EQ(queryValue(dataFile(), QStringLiteral("SELECT TaxCode FROM Accounts")).toString(),
              QStringLiteral("N-T"));

    // Without Students the run stops there: the tax codes are left alone.
    execute(dataFile(), QStringLiteral("UPDATE Accounts SET TaxCode = NULL"));
    execute(dataFile(), QStringLiteral("DROP TABLE Students"));
    const std::optional<shell::MaintenanceFailure> failure =
        shell::RunDataMaintenance(QStringLiteral("Data Source=") + dataFile());
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->stage, QStringLiteral("Students"));
    EXPECT_TRUE(queryValue(dataFile(), QStringLiteral("SELECT TaxCode FROM Accounts")).isNull());

    frmBackup *w = openBackupWindow(1);
    w->optNoBackup->setChecked(true);
    script->answer(ui::vbOK);
    w->cmdOK->click();
    ASSERT_EQ(boxTitles(), QStringList{QStringLiteral("Students Validation Failed")});
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred while validating Students.\r\nErr#")));
    EXPECT_EQ(endProgramCalls, 1);
}
