#pragma once

// A data file made from the template in a temporary folder, open as the
// program's data file, signed in as "i", dates shown as dd/mm/yyyy and the
// dialogs scripted. addTest writes a test row and gives its TestID.
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "datafile/templatedatafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/vb/datetime.h"
#include "support/tempdir.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>

class WaterTestsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("OVIXIAN_HOME", (dir.path() + "/home").toUtf8());
        ovix::test::OpenTemplateDataFile(dir.path());
        Global::CurrentUserId = QStringLiteral("i");
        m_dateFormat = Global::DateFormat;
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        script = std::make_unique<ui::DialogScript>();
    }
    void TearDown() override
    {
        ui::Forms::unloadAll(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        script.reset();
        Global::DateFormat = m_dateFormat;
        ovix::test::CloseTemplateDataFile();
    }

    struct Row
    {
        qint32 area = 1;
        QDateTime date;
        QTime time = QTime(9, 5);
        QString pH = QStringLiteral("7.4");
        QString comb = QStringLiteral("0.3");
        QString notes = QStringLiteral("'Clear'");
        QString temperature = QStringLiteral("27");
        qint32 id = 0; // 0: numbered by the database
    };
    qint32 addTest(const Row &r)
    {
        ovix::test::Exec(
            QStringLiteral("INSERT INTO WaterTesting (%1[Date], [Time], pH, [Free], Total, Comb, "
                           "Alkalinity, Hardness, Backwash, AcidIn, SaltCellChange, SodiumHypo, "
                           "CalciumChloride, [Name], Notes, PoolArea, Temperature) VALUES (%2%3, "
                           "%4, %5, 1.2, 1.5, %6, 100, 200, 'Yes', 0.5, 0, 1, 2, 'Sam', %7, %8, %9)")
                .arg(r.id ? QStringLiteral("TestID, ") : QString(),
                     r.id ? Global::SqlNumber(r.id) + QStringLiteral(", ") : QString(),
                     r.date.isValid() ? Global::SqlDate(r.date) : Global::SqlNull(),
                     Global::SqlTime(r.time), r.pH, r.comb, r.notes,
                     Global::SqlNumber(r.area), r.temperature));
        return r.id ? r.id : ovix::test::FirstValue(QStringLiteral("SELECT Max(TestID) FROM "
                                                                   "WaterTesting"))
                                 .toInt();
    }
    static QDateTime day(int y, int m, int d, int h = 0, int n = 0)
    {
        return vb::makeDateTime(y, m, d, h, n);
    }
    QVariant value(const QString &sql) { return ovix::test::FirstValue(sql); }
    int count(const QString &where = QStringLiteral("1=1"))
    {
        return value(QStringLiteral("SELECT Count(*) FROM WaterTesting WHERE ") + where).toInt();
    }
    // Makes every statement of that kind on WaterTesting fail.
    void block(const char *operation)
    {
        const QByteArray sql = QByteArray("CREATE TRIGGER Block") + operation +
                               " BEFORE " + operation +
                               " ON WaterTesting BEGIN SELECT RAISE(ABORT, 'blocked'); END;";
        ASSERT_EQ(sqlite3_exec(Global::DbConnection().handle(), sql.constData(), nullptr, nullptr,
                               nullptr),
                  SQLITE_OK);
    }

    ovix::test::TempDir dir;
    std::unique_ptr<ui::DialogScript> script;

private:
    QString m_dateFormat;
};
