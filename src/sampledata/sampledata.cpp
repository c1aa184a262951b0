#include "sampledata.h"

#include "core/sqlquote.h"
#include "core/structure.h"
#include "generator.h"
#include "platform/jet/connection.h"

#include <QDir>
#include <QFile>

namespace SampleData {

namespace detail {

Plan Plan::of(Size size)
{
    if (size == Size::Big)
        return {40, 1000, 32000, 14000, 60, 12, 40, 1.5};
    return {2, 40, 260, 110, 8, 2, 2, 1.0};
}

TableWriter::TableWriter(jet::Connection &db, const QString &table, const QStringList &columns)
    : m_db(db)
    , m_columns(int(columns.size()))
{
    QStringList names;
    for (const QString &c : columns)
        names << QLatin1Char('[') + c + QLatin1Char(']');
    m_prefix = QStringLiteral("INSERT INTO [%1] (%2) VALUES (")
                   .arg(table, names.join(QStringLiteral(", ")));
}

void TableWriter::add(const QStringList &values)
{
    Q_ASSERT(values.size() == m_columns);
    m_db.execute(m_prefix + values.join(QStringLiteral(", ")) + QLatin1Char(')'));
    ++m_rows;
}

QString text(const QString &value)
{
    return Global::SqlText(value);
}

QString number(qint64 value)
{
    return Global::SqlNumber(value);
}

QString number(double value)
{
    return Global::SqlNumber(value);
}

QString money(vb::Currency value)
{
    return Global::SqlNumber(value);
}

QString date(const QDate &value)
{
    return Global::SqlDate(value);
}

QString dateTime(const QDate &day, const QTime &time)
{
    return Global::SqlDate(QDateTime(day, time));
}

QString time(const QTime &value)
{
    return Global::SqlTime(value);
}

QString null()
{
    return Global::SqlNull();
}

vb::Currency dollars(int cents)
{
    return vb::Currency::fromRaw(qint64(cents) * 100);
}

Generator::Generator(jet::Connection &db, const Options &options)
    : db(db)
    , options(options)
    , plan(Plan::of(options.size))
    , rng(options.seed)
{}

int Generator::between(int low, int high)
{
    const quint32 span = quint32(high - low) + 1;
    return low + int(rng() % span);
}

bool Generator::chance(double p)
{
    return double(rng() % 1000000) < p * 1000000.0;
}

QString Generator::pickName(const char *const *names, int count)
{
    return QString::fromLatin1(names[between(0, count - 1)]);
}

QString Generator::phone()
{
    return QStringLiteral("0%1 %2 %3")
        .arg(between(2, 8))
        .arg(between(4000, 9999))
        .arg(between(1000, 9999));
}

void Generator::run()
{
    centreAndUsers();
    staff();
    timetable();
    studentsAndFamilies();
    enrolmentsAndLedger();
    attendanceAndAssessments();
    waterTests();
    finishCentre();
}

} // namespace detail

void Generate(const QString &path, const Options &options)
{
    imodStructure::WriteDataFile(path, [&options](jet::Connection &db) {
        imodStructure::FillTemplate(db);
        detail::Generator(db, options).run();
    });
}

QString InstallSampleFile(const QString &appDataFolder)
{
    const QString path = QDir(appDataFolder).filePath(SampleFileName);
    if (QFile::exists(path))
        return path;
    try {
        QDir().mkpath(appDataFolder);
        Options options;
        options.today = QDate::currentDate();
        Generate(path, options);
        return path;
    } catch (...) {
        return {};
    }
}

} // namespace SampleData
