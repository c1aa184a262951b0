#pragma once

#include "core/cenumerationobject.h"
#include "core/ckeys.h"
#include "core/supercollectiondata.h"

#include <QString>
#include <QVariant>
#include <memory>

class QObject;

// The program's ordered, keyed collection. Items stand at gapless positions
// from BaseIndex on; each may have a key, unique under CompareMode (0 binary,
// 1 text). A position argument is a number (a floating one rounded half to
// even), a key argument is a text, even one of digits; anything else is refused.
//
// An object is kept as a shared reference: put it in as
// QVariant::fromValue(QSharedPointer<QObject>(...)), and the collection and the
// caller see the same object. Any other value is kept as a copy.
//
// Misuse raises vb::Error with the numbers below (and 9, 438, 457).
class CSuperCollection
{
public:
    static constexpr long ErrAlreadyInitialized = -2147482368; // 0x80000500
    static constexpr long ErrKeyNotFound = -2147482367;        // 0x80000501
    static constexpr long ErrMoveInWalk = -2147482366;         // 0x80000502
    static constexpr long ErrInvalidDatatype = -2147482365;    // 0x80000503
    static constexpr long ErrNoPosition = -2147482364;         // 0x80000504
    static constexpr long ErrDuplicateKey = 457;

    // "No position": the default of Add's position and KeyExists' answer for a missing key.
    static constexpr int NoPosition = 268435457; // 0x10000001

    // Placement codes of Add: before nPosition, after it, first, last.
    static constexpr int InsertBefore = 1;
    static constexpr int InsertAfter = 2;
    static constexpr int InsertFirst = 3;
    static constexpr int InsertLast = 4;

    CSuperCollection();
    ~CSuperCollection();
    CSuperCollection(const CSuperCollection &) = delete;
    CSuperCollection &operator=(const CSuperCollection &) = delete;

    int CompareMode() const;
    void setCompareMode(int eNewVal);
    bool AllowItemAsignments() const;
    void setAllowItemAsignments(bool bNewVal);
    int BaseIndex() const;
    void setBaseIndex(int nNewVal);

    std::unique_ptr<CKeys> Keys() const;
    QString Key(int nIndex) const;
    int KeyExists(const QString &sKey) const;
    void ChangeKey(const QString &sOldKey, const QString &sNewKey);
    void ChangeKeyForIndex(int nIndex, const QString &sNewKey);

    void Add(const QVariant &vItem, const QString &sKey = {}, int eInsert = InsertLast,
             int nPosition = NoPosition);
    int Count() const;
    void Remove(const QVariant &vIndexKey);
    QVariant Item(const QVariant &vIndexKey) const;
    void setItem(const QVariant &vIndexKey, const QVariant &vNewItem);
    std::unique_ptr<cEnumerationObject> NewEnum() const;
    void Clear();
    int MoveItem(const QVariant &vMovedItem, const QVariant &vTargetPosition);

    // The object an item value refers to, or null when the value is no object.
    static QObject *objectOf(const QVariant &value);

private:
    struct Place
    {
        bool isKey = false;
        QString key;
        qint64 position = 0;
    };
    static Place readIndexKey(const QVariant &vIndexKey);
    // The 0-based place of an item by key or position, or -1.
    qint64 find(const Place &place) const;
    bool inRange(qint64 position) const;
    // Binary search of the key index: the place of the key, and whether it is there.
    std::pair<size_t, bool> searchKey(const QString &key) const;
    void renumber();
    void setKeyOf(core::detail::ItemPtr item, const QString &newKey);
    int move(qint64 from, qint64 to);
    void releaseAll();

    std::shared_ptr<core::detail::SuperCollectionData> d;
};
