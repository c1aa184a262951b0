#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// The storage that a keyed collection shares with its enumerators and key lists.
// They hold it only weakly, so that they never keep a collection alive.
namespace core::detail {

struct SuperCollectionItem
{
    QVariant value;
    QString key;   // empty: no key
    int index = 0; // current place, from 0
    bool alive = true;
};

using ItemPtr = std::shared_ptr<SuperCollectionItem>;

struct SuperCollectionData
{
    std::vector<ItemPtr> items; // in position order
    std::vector<ItemPtr> keys;  // the keyed items, sorted by key under compareMode
    int compareMode = 0;
    bool allowItemAssignments = false;
    int baseIndex = 1;
    int liveEnumerators = 0;
    quint64 additions = 0; // grows with every Add, so that a walk sees appended items

    int compareKeys(const QString &a, const QString &b) const
    {
        return QString::compare(a, b, compareMode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
};

} // namespace core::detail
