#pragma once

#include "core/envguard.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/form.h"
#include "support/tempdir.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Stands in for a window of another subsystem, under the name given.
class AccessFakeWindow : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(int OnClose MEMBER onClose)
public:
    explicit AccessFakeWindow(const QString &name, bool mdi = true)
    {
        setObjectName(name);
        setMdiChild(mdi);
    }
    int onClose = -1;
};

// A data file made from the template in a temporary folder, open, with the users
// "i" (every right), "ANN" (password "Secret", name "Ann Lee", a few rights) and the
// dialogs scripted. The access windows get a window registry of their own in which
// frmParent, Main, frmAlerts, frmLoadUp and frmBackup are stand-ins; the progress
// steps are recorded.
class AccessTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void exec(const QString &sql);
    QVariant value(const QString &sql);
    // The loaded window of that name, or nullptr.
    static ui::Form *loaded(const QString &name);
    static void flush();

    ovix::test::TempDir dir;
    std::unique_ptr<ui::DialogScript> script;
    QHash<QString, std::function<ui::Form *()>> makers;
    QStringList steps;
    QString dataFile;

private:
    EnvGuard m_home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};
