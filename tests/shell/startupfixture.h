#pragma once

#include "core/envguard.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/form.h"
#include "support/tempdir.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include <ostream>

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (const QString &text : list)
        *os << ' ' << '"' << text.toStdString() << '"';
    *os << " }";
}

// Stands in for the main window in the start-up tests: a window of its own with a
// menu bar and an MDI area, registered under the main window's name.
class StartupMainWindow : public ui::Form
{
    Q_OBJECT
public:
    StartupMainWindow();
};

// Stands in for the class search window: counts its refills.
class StartupClassSearch : public ui::Form
{
    Q_OBJECT
public:
    StartupClassSearch() { setObjectName(QStringLiteral("Main")); }
    Q_INVOKABLE void CheckBeforeFill() { ++fills; }
    static inline int fills = 0;
};

// A fresh application data folder (OVIXIAN_HOME) and settings store, scripted
// dialogs, a printer, an empty command line, the main window's stand-in and a
// set-up wizard hook that counts its calls. Records every step text the progress
// window shows. Everything is unloaded and reset afterwards.
class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString home() const { return dir.path() + QStringLiteral("/home"); }
    QString homeFile(const QString &name) const { return home() + QLatin1Char('/') + name; }

    // A data file made from the template; unless centreName is "New Ovix User" the
    // file counts as set up. Gives its path.
    QString makeDataFile(const QString &path,
                         const QString &centreName = QStringLiteral("Swim Centre"),
                         int requireLogon = 0);
    void writeDataPath(const QString &folder, const QString &file, const QString &flag);
    QStringList dataPathLines() const;

    // The splash loaded and its timer run: the data-file window takes over.
    void startProgram();
    // Starts recording the steps of the (shared) progress window.
    void recordSteps();

    // The Computers rows of a data file: "Name=InUse".
    QStringList computers(const QString &path) const;
    // The titles of the boxes shown so far.
    QStringList boxTitles() const;

    ovix::test::TempDir dir;
    std::unique_ptr<ui::DialogScript> script;
    QStringList steps;
    int wizardCalls = 0;

private:
    EnvGuard m_home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};
