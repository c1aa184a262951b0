#pragma once

#include "core/ienumvariantredef.h"
#include "core/supercollectiondata.h"

#include <QVariant>
#include <memory>

// Walks a collection's items in position order over a snapshot taken when it
// was made. Items removed since are skipped; items appended since are picked
// up. While it exists it counts as a live walk, which forbids moving items.
// It never keeps its collection alive; once the collection is gone it yields
// nothing.
class cEnumerationObject : public IEnumVARIANTReDef<QVariant>
{
public:
    explicit cEnumerationObject(const std::shared_ptr<core::detail::SuperCollectionData> &data);
    ~cEnumerationObject() override;
    cEnumerationObject(const cEnumerationObject &) = delete;
    cEnumerationObject &operator=(const cEnumerationObject &) = delete;

    using IEnumVARIANTReDef<QVariant>::Next;
    bool Next(QVariant &item) override;
    void Skip(int count) override;
    void Reset() override;
    // A second walk at the same place over the same snapshot; also live.
    std::unique_ptr<cEnumerationObject> Clone() const;

private:
    cEnumerationObject(const cEnumerationObject &other, bool);
    void renewIfAppended(core::detail::SuperCollectionData &data);

    std::weak_ptr<core::detail::SuperCollectionData> m_data;
    std::vector<core::detail::ItemPtr> m_snapshot;
    quint64 m_snapshotAdditions = 0;
    size_t m_current = 0; // place in the snapshot; the start is always the first
};
