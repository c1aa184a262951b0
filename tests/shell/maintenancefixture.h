#pragma once

#include "core/envguard.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "support/tempdir.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A data file made from the template in a temporary data folder, open on the
// shared connection as the loader leaves it; a fresh application data folder
// (OVIXIAN_HOME); scripted dialogs; the maintenance windows registered by name and
// the end of the program counted instead of done. Everything is reset afterwards.
class MaintenanceTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString home() const { return dir.path() + QStringLiteral("/home"); }
    QString dataFolder() const { return dir.path() + QStringLiteral("/data"); }
    QString dataFile() const { return dataFolder() + QStringLiteral("/default.mdb"); }
    QString backupsFolder() const { return home() + QStringLiteral("/Backups"); }
    QString markerFile() const { return home() + QStringLiteral("/backup_in_progress.warn"); }

    // Makes a data file from the template with that centre name.
    static void makeDataFile(const QString &path, const QString &centreName);
    // Opens the data file on the shared connection and reads its settings.
    void openDataFile();
    // Runs a statement on a connection of its own and gives the first value it reads.
    static QVariant queryValue(const QString &path, const QString &sql);
    static void execute(const QString &path, const QString &sql);
    // Whether the file opens as a data file and passes the engine's check.
    static bool isReadableDataFile(const QString &path);
    static QByteArray readBytes(const QString &path);
    // The titles of the message boxes shown so far.
    QStringList boxTitles() const;

    ovix::test::TempDir dir;
    std::unique_ptr<ui::DialogScript> script;
    int endProgramCalls = 0;

private:
    EnvGuard m_home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};
