#pragma once

#include "core/envguard.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/form.h"
#include "support/tempdir.h"

#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class frmParent;

// Stands in for a working window of a later subsystem, under the name given.
class MainWinFakeWindow : public ui::Form
{
    Q_OBJECT
public:
    explicit MainWinFakeWindow(const QString &name) { setObjectName(name); }
};

// Stands in for the student search: records the modes it is loaded with.
class MainWinFakeFind : public ui::Form
{
    Q_OBJECT
public:
    MainWinFakeFind() { setObjectName(QStringLiteral("frmFindStudent")); }
    Q_INVOKABLE void LoadUp(int mode, const QString &userId)
    {
        calls << QStringLiteral("%1:%2").arg(mode).arg(userId);
    }
    static inline QStringList calls;
};

// Stands in for the class window: a new one at every request, in the mode its
// ViewClassMode box holds when LoadOps runs.
class MainWinFakeClass : public ui::Form
{
    Q_OBJECT
public:
    MainWinFakeClass();
    Q_INVOKABLE void LoadOps(int classId, bool oneOff)
    {
        loads << QStringLiteral("%1:%2:%3").arg(mode()).arg(classId).arg(oneOff);
    }
    QString mode() const;
    static inline QStringList loads;
};

// Stands in for the authorisation window: records what it is handed.
class MainWinFakePassword : public ui::Form
{
    Q_OBJECT
public:
    MainWinFakePassword() { setObjectName(QStringLiteral("frmPassword")); }
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &strMode, const QString &strExtraInfo)
    {
        requests << strMode;
        callers << (xf ? xf->name() : QString());
        extras << strExtraInfo;
    }
    static inline QStringList requests;
    static inline QStringList callers;
    static inline QStringList extras;
};

// Stands in for the backup window: records every OnClose it is given.
class MainWinFakeBackup : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(int OnClose READ onClose WRITE setOnClose)
public:
    MainWinFakeBackup()
    {
        setObjectName(QStringLiteral("frmBackup"));
        setMdiChild(false);
    }
    int onClose() const { return m_onClose; }
    void setOnClose(int v)
    {
        m_onClose = v;
        onCloses << v;
    }
    static inline QList<int> onCloses;

private:
    int m_onClose = -1;
};

// A data file made from the template in a temporary folder, open and signed in as
// the default user "i" (every right), this computer registered in use, the
// application data folder in the temporary folder, the main window's windows
// registered and the dialogs scripted. Everything is unloaded afterwards.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The main window, loaded and shown.
    frmParent *showMain();
    // Runs a statement on the data file (no rows).
    void exec(const QString &sql);
    // "Name=InUse" of every Computers row, in order.
    QStringList computers();
    // Registers a stand-in window under the name.
    void registerFake(const QString &name);
    // Deletes the windows that were unloaded.
    static void flush();

    ovix::test::TempDir dir;
    std::unique_ptr<ui::DialogScript> script;
    QStringList registered;

private:
    EnvGuard m_home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};
