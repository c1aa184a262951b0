#include "watertest.h"

#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"

namespace {

const char *const columnNames[WaterTest::FieldCount] = {
    "TestID",     "Date",     "Time",           "pH",         "Free",
    "Total",      "Comb",     "Alkalinity",     "Hardness",   "Backwash",
    "AcidIn",     "SaltCellChange", "SodiumHypo", "CalciumChloride", "Name",
    "Notes",      "PoolArea", "Temperature"};

// The text columns: Backwash, Name, Notes.
bool isTextColumn(int ordinal)
{
    return ordinal == 9 || ordinal == 14 || ordinal == 15;
}

QString selectTest(qint32 testId)
{
    return QStringLiteral("SELECT * FROM WaterTesting WHERE TestID = ") +
           Global::SqlNumber(testId) + QLatin1Char(';');
}

} // namespace

WaterTest::WaterTest()
{
    InitFieldNames();
}

WaterTest::~WaterTest() = default;

void WaterTest::InitFieldNames()
{
    m_fieldNames.clear();
    for (const char *name : columnNames)
        m_fieldNames << QString::fromLatin1(name);
}

CSuperCollection &WaterTest::values() const
{
    if (!m_values)
        m_values = std::make_unique<CSuperCollection>();
    return *m_values;
}

void WaterTest::newValueSet()
{
    m_values = std::make_unique<CSuperCollection>();
    m_values->setAllowItemAsignments(true);
    m_values->setBaseIndex(0);
}

void WaterTest::LoadTestFromDb(qint32 testId)
{
    auto rs = irecObjectCode::OpenRecordset(selectTest(testId));
    auto loaded = std::make_unique<CSuperCollection>();
    loaded->setAllowItemAsignments(true);
    loaded->setBaseIndex(0);
    for (int i = 0; i < FieldCount; ++i)
        loaded->Add(rs->value(m_fieldNames.at(i)), m_fieldNames.at(i));
    rs->close();
    m_values = std::move(loaded);
}

void WaterTest::InitFromRecord(jet::Recordset &record)
{
    newValueSet();
    for (int i = 0; i < FieldCount; ++i) {
        const QVariant v = record.value(m_fieldNames.at(i));
        m_values->Add(v.isNull() ? QVariant(QString()) : v, m_fieldNames.at(i));
    }
}

void WaterTest::SaveTestToDb()
{
    auto rs = irecObjectCode::OpenRecordset(selectTest(TestID()));
    if (rs->eof())
        throw vb::Error(3021, QStringLiteral("Either BOF or EOF is True, or the current record "
                                             "has been deleted."));
    for (int i = 1; i < FieldCount; ++i) {
        const QVariant v = values().Item(m_fieldNames.at(i));
        const bool emptyText = v.typeId() == QMetaType::QString && v.toString().isEmpty();
        rs->setValue(m_fieldNames.at(i), emptyText && !isTextColumn(i) ? QVariant() : v);
    }
    rs->update();
    rs->close();
}

int WaterTest::GetFieldIdForKey(const QString &key) const
{
    for (int i = 0; i < FieldCount; ++i)
        if (m_fieldNames.at(i) == key)
            return i;
    return -1;
}

QString WaterTest::GetFieldKeyForId(int id) const
{
    return id >= 0 && id < FieldCount ? m_fieldNames.at(id) : QString();
}

QVariant WaterTest::Fields(const QVariant &key) const
{
    return values().Item(key);
}

void WaterTest::setFields(const QVariant &key, const QVariant &value)
{
    values().setItem(key, value);
}

QString WaterTest::text(const char *column) const
{
    return vb::CStr(values().Item(QString::fromLatin1(column)));
}

double WaterTest::number(const char *column) const
{
    return vb::CDbl(values().Item(QString::fromLatin1(column)));
}

void WaterTest::put(const char *column, const QVariant &value)
{
    values().setItem(QString::fromLatin1(column), value);
}

qint32 WaterTest::TestID() const
{
    return vb::CLng(values().Item(QStringLiteral("TestID")));
}
void WaterTest::setTestID(qint32 value) { put("TestID", value); }
QString WaterTest::Name() const { return text("Name"); }
void WaterTest::setName(const QString &value) { put("Name", value); }
QString WaterTest::TestDate() const { return text("Date"); }
void WaterTest::setTestDate(const QString &value) { put("Date", value); }
QString WaterTest::TestTime() const { return text("Time"); }
void WaterTest::setTestTime(const QString &value) { put("Time", value); }
double WaterTest::pH() const { return number("pH"); }
void WaterTest::setpH(double value) { put("pH", value); }
double WaterTest::FreeChlorine() const { return number("Free"); }
void WaterTest::setFreeChlorine(double value) { put("Free", value); }
double WaterTest::TotalChlorine() const { return number("Total"); }
void WaterTest::setTotalChlorine(double value) { put("Total", value); }
double WaterTest::CombChlorine() const { return number("Comb"); }
void WaterTest::setCombChlorine(double value) { put("Comb", value); }
double WaterTest::Alkalinity() const { return number("Alkalinity"); }
void WaterTest::setAlkalinity(double value) { put("Alkalinity", value); }
double WaterTest::Hardness() const { return number("Hardness"); }
void WaterTest::setHardness(double value) { put("Hardness", value); }
QString WaterTest::Backwash() const { return text("Backwash"); }
void WaterTest::setBackwash(const QString &value) { put("Backwash", value); }
double WaterTest::AcidIn() const { return number("AcidIn"); }
void WaterTest::setAcidIn(double value) { put("AcidIn", value); }
double WaterTest::SaltCellChange() const { return number("SaltCellChange"); }
void WaterTest::setSaltCellChange(double value) { put("SaltCellChange", value); }
double WaterTest::SodiumHypo() const { return number("SodiumHypo"); }
void WaterTest::setSodiumHypo(double value) { put("SodiumHypo", value); }
double WaterTest::CalciumChloride() const { return number("CalciumChloride"); }
void WaterTest::setCalciumChloride(double value) { put("CalciumChloride", value); }
QString WaterTest::Notes() const { return text("Notes"); }
void WaterTest::setNotes(const QString &value) { put("Notes", value); }

qint16 WaterTest::PoolAreaID() const
{
    const int area = vb::CInt(values().Item(QStringLiteral("PoolArea")));
    if (area < -32768 || area > 32767)
        throw vb::Error(vb::err::Overflow);
    return qint16(area);
}
void WaterTest::setPoolAreaID(qint16 value) { put("PoolArea", int(value)); }
double WaterTest::Temperature() const { return number("Temperature"); }
void WaterTest::setTemperature(double value) { put("Temperature", value); }
