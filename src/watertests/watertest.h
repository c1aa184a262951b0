#pragma once

#include "core/csupercollection.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace jet {
class Recordset;
}

// One row of WaterTesting as an object: the 18 values of the row kept under their
// column names (and, once loaded, their ordinals 0 to 17), with typed properties
// over them. Values are stored as the database gave them; the typed properties
// convert when they are read (Type mismatch on an empty text that should be a
// number; "Key not found." before a load). Writes need a loaded record: a new
// one refuses them with error 438. Nothing is trapped: errors reach the caller.
class WaterTest : public QObject
{
    Q_OBJECT
public:
    static constexpr int FieldCount = 18;

    WaterTest();
    ~WaterTest() override;

    void InitFieldNames();
    // Loads the row of that key; a Null stays Null. Fails when no row has the key.
    void LoadTestFromDb(qint32 testId);
    // Loads the current row of a recordset the caller keeps open; a Null becomes
    // an empty text. The recordset is neither moved nor closed.
    void InitFromRecord(jet::Recordset &record);
    // Writes the values back into the row of the record's TestID. The key itself
    // is not written (the database numbers it), and an empty text goes into a
    // column that is not text as Null, as it was read.
    void SaveTestToDb();

    // The ordinal of a column name (exact letter case), else -1.
    int GetFieldIdForKey(const QString &key) const;
    // The column name of an ordinal, else the empty text.
    QString GetFieldKeyForId(int id) const;
    // The value under a column name (text) or ordinal (number), unconverted.
    QVariant Fields(const QVariant &key) const;
    void setFields(const QVariant &key, const QVariant &value);
    int Count() const { return FieldCount; }

    qint32 TestID() const;
    void setTestID(qint32 value);
    QString Name() const;
    void setName(const QString &value);
    QString TestDate() const;
    void setTestDate(const QString &value);
    QString TestTime() const;
    void setTestTime(const QString &value);
    double pH() const;
    void setpH(double value);
    double FreeChlorine() const;
    void setFreeChlorine(double value);
    double TotalChlorine() const;
    void setTotalChlorine(double value);
    double CombChlorine() const;
    void setCombChlorine(double value);
    double Alkalinity() const;
    void setAlkalinity(double value);
    double Hardness() const;
    void setHardness(double value);
    QString Backwash() const;
    void setBackwash(const QString &value);
    double AcidIn() const;
    void setAcidIn(double value);
    double SaltCellChange() const;
    void setSaltCellChange(double value);
    double SodiumHypo() const;
    void setSodiumHypo(double value);
    double CalciumChloride() const;
    void setCalciumChloride(double value);
    QString Notes() const;
    void setNotes(const QString &value);
    qint16 PoolAreaID() const;
    void setPoolAreaID(qint16 value);
    double Temperature() const;
    void setTemperature(double value);

private:
    CSuperCollection &values() const;
    void newValueSet();
    QString text(const char *column) const;
    double number(const char *column) const;
    void put(const char *column, const QVariant &value);

    QStringList m_fieldNames;
    mutable std::unique_ptr<CSuperCollection> m_values;
};
