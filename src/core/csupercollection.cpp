#include "csupercollection.h"

#include "platform/vb/error.h"

#include <QObject>
#include <QSharedPointer>
#include <cmath>
#include <limits>

using core::detail::ItemPtr;
using core::detail::SuperCollectionData;
using core::detail::SuperCollectionItem;

namespace {

[[noreturn]] void raise(long number, const QString &description = {})
{
    throw vb::Error(number, description);
}

[[noreturn]] void raiseKeyNotFound()
{
    raise(CSuperCollection::ErrKeyNotFound, QStringLiteral("Key not found."));
}

[[noreturn]] void raiseDuplicateKey()
{
    raise(CSuperCollection::ErrDuplicateKey,
          QStringLiteral("This key is already associated with an element of this collection"));
}

qint64 toPosition(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding: halves to even
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<int>::min() ||
        rounded > std::numeric_limits<int>::max())
        raise(vb::err::Overflow);
    return static_cast<qint64>(rounded);
}

} // namespace

CSuperCollection::CSuperCollection()
    : d(std::make_shared<SuperCollectionData>())
{}

CSuperCollection::~CSuperCollection()
{
    releaseAll();
}

int CSuperCollection::CompareMode() const
{
    return d->compareMode;
}

void CSuperCollection::setCompareMode(int eNewVal)
{
    if (!d->items.empty())
        raise(ErrAlreadyInitialized, QStringLiteral("Collection already initialized"));
    if (eNewVal != 0 && eNewVal != 1)
        raise(vb::err::SubscriptOutOfRange);
    d->compareMode = eNewVal;
}

bool CSuperCollection::AllowItemAsignments() const
{
    return d->allowItemAssignments;
}

void CSuperCollection::setAllowItemAsignments(bool bNewVal)
{
    d->allowItemAssignments = bNewVal;
}

int CSuperCollection::BaseIndex() const
{
    return d->baseIndex;
}

void CSuperCollection::setBaseIndex(int nNewVal)
{
    if (!d->items.empty())
        raise(ErrAlreadyInitialized, QStringLiteral("Collection already initialized"));
    d->baseIndex = nNewVal;
}

std::unique_ptr<CKeys> CSuperCollection::Keys() const
{
    return std::make_unique<CKeys>(d);
}

QString CSuperCollection::Key(int nIndex) const
{
    if (!inRange(nIndex))
        raise(vb::err::SubscriptOutOfRange);
    return d->items[static_cast<size_t>(nIndex - d->baseIndex)]->key;
}

int CSuperCollection::KeyExists(const QString &sKey) const
{
    const auto [place, found] = searchKey(sKey);
    return found ? d->keys[place]->index + d->baseIndex : NoPosition;
}

void CSuperCollection::ChangeKey(const QString &sOldKey, const QString &sNewKey)
{
    if (searchKey(sNewKey).second)
        raiseDuplicateKey();
    const auto [place, found] = searchKey(sOldKey);
    if (!found)
        raiseKeyNotFound();
    setKeyOf(d->keys[place], sNewKey);
}

void CSuperCollection::ChangeKeyForIndex(int nIndex, const QString &sNewKey)
{
    if (!inRange(nIndex))
        return;
    if (searchKey(sNewKey).second)
        raiseDuplicateKey();
    setKeyOf(d->items[static_cast<size_t>(nIndex - d->baseIndex)], sNewKey);
}

void CSuperCollection::Add(const QVariant &vItem, const QString &sKey, int eInsert, int nPosition)
{
    int code = eInsert;
    const qint64 base = d->baseIndex;
    if (nPosition != NoPosition) {
        const qint64 last = d->items.empty() ? base : base + Count() - 1;
        if (nPosition < base || nPosition > last)
            raise(vb::err::SubscriptOutOfRange);
        if (nPosition == base && code == InsertBefore)
            code = InsertFirst;
        if (nPosition == last && code == InsertAfter)
            code = InsertLast;
    } else if (code == InsertBefore || code == InsertAfter) {
        raise(ErrNoPosition, QStringLiteral("No position supplied."));
    }

    size_t keyPlace = 0;
    if (!sKey.isEmpty()) {
        const auto [place, found] = searchKey(sKey);
        if (found)
            raiseDuplicateKey();
        keyPlace = place;
    }

    auto item = std::make_shared<SuperCollectionItem>();
    item->value = vItem;
    item->key = sKey;
    item->index = Count();
    d->items.push_back(item);
    if (!sKey.isEmpty())
        d->keys.insert(d->keys.begin() + static_cast<qint64>(keyPlace), item);
    ++d->additions;

    const qint64 appended = Count() - 1;
    switch (code) {
    case InsertBefore: move(appended, nPosition - base); break;
    case InsertAfter: move(appended, nPosition + 1 - base); break;
    case InsertFirst: move(appended, 0); break;
    default: break;
    }
}

int CSuperCollection::Count() const
{
    return static_cast<int>(d->items.size());
}

void CSuperCollection::Remove(const QVariant &vIndexKey)
{
    const Place place = readIndexKey(vIndexKey);
    if (!place.isKey && !inRange(place.position))
        raise(vb::err::SubscriptOutOfRange);
    const qint64 at = find(place);
    if (at < 0)
        raiseKeyNotFound();

    const ItemPtr item = d->items[static_cast<size_t>(at)];
    if (!item->key.isEmpty()) {
        const auto [keyPlace, found] = searchKey(item->key);
        if (found)
            d->keys.erase(d->keys.begin() + static_cast<qint64>(keyPlace));
    }
    d->items.erase(d->items.begin() + at);
    item->alive = false;
    item->value = QVariant(); // releases an object it held
    renumber();
}

QVariant CSuperCollection::Item(const QVariant &vIndexKey) const
{
    const qint64 at = find(readIndexKey(vIndexKey));
    if (at < 0)
        raiseKeyNotFound();
    return d->items[static_cast<size_t>(at)]->value;
}

void CSuperCollection::setItem(const QVariant &vIndexKey, const QVariant &vNewItem)
{
    if (!d->allowItemAssignments)
        raise(vb::err::ObjectDoesNotSupport);
    const Place place = readIndexKey(vIndexKey);
    const qint64 at = find(place);
    if (at < 0)
        raise(ErrKeyNotFound,
              QStringLiteral("Key ") + vIndexKey.toString() + QStringLiteral(" not found."));
    d->items[static_cast<size_t>(at)]->value = vNewItem;
}

std::unique_ptr<cEnumerationObject> CSuperCollection::NewEnum() const
{
    return std::make_unique<cEnumerationObject>(d);
}

void CSuperCollection::Clear()
{
    releaseAll();
}

int CSuperCollection::MoveItem(const QVariant &vMovedItem, const QVariant &vTargetPosition)
{
    if (d->liveEnumerators > 0)
        raise(ErrMoveInWalk, QStringLiteral("Move not allowed while in For...Each loop."));
    auto resolve = [this](const QVariant &argument) {
        const Place place = readIndexKey(argument);
        if (!place.isKey && !inRange(place.position))
            raise(vb::err::SubscriptOutOfRange);
        const qint64 at = find(place);
        if (at < 0)
            raiseKeyNotFound();
        return at;
    };
    const qint64 from = resolve(vMovedItem);
    const qint64 to = resolve(vTargetPosition);
    return move(from, to);
}

QObject *CSuperCollection::objectOf(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QSharedPointer<QObject>>())
        return value.value<QSharedPointer<QObject>>().data();
    if (value.metaType().flags() & QMetaType::PointerToQObject)
        return value.value<QObject *>();
    return nullptr;
}

CSuperCollection::Place CSuperCollection::readIndexKey(const QVariant &vIndexKey)
{
    Place place;
    switch (vIndexKey.typeId()) {
    case QMetaType::QString:
        place.isKey = true;
        place.key = vIndexKey.toString();
        return place;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: place.position = toPosition(vIndexKey.toDouble()); return place;
    default: break;
    }
    raise(ErrInvalidDatatype, QStringLiteral("Invalid datatype"));
}

qint64 CSuperCollection::find(const Place &place) const
{
    if (place.isKey) {
        const auto [keyPlace, found] = searchKey(place.key);
        return found ? d->keys[keyPlace]->index : -1;
    }
    return inRange(place.position) ? place.position - d->baseIndex : -1;
}

bool CSuperCollection::inRange(qint64 position) const
{
    return position >= d->baseIndex && position < qint64(d->baseIndex) + Count();
}

std::pair<size_t, bool> CSuperCollection::searchKey(const QString &key) const
{
    if (key.isEmpty())
        return {0, false};
    size_t low = 0;
    size_t high = d->keys.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        const int order = d->compareKeys(key, d->keys[middle]->key);
        if (order == 0)
            return {middle, true};
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return {low, false};
}

void CSuperCollection::renumber()
{
    for (size_t i = 0; i < d->items.size(); ++i)
        d->items[i]->index = static_cast<int>(i);
}

void CSuperCollection::setKeyOf(ItemPtr item, const QString &newKey)
{
    if (!item->key.isEmpty()) {
        const auto [place, found] = searchKey(item->key);
        if (found && d->keys[place] == item)
            d->keys.erase(d->keys.begin() + static_cast<qint64>(place));
    }
    item->key = newKey;
    if (QObject *object = objectOf(item->value))
        object->setProperty("Key", newKey);
    if (!newKey.isEmpty()) {
        const size_t place = searchKey(newKey).first;
        d->keys.insert(d->keys.begin() + static_cast<qint64>(place), item);
    }
}

int CSuperCollection::move(qint64 from, qint64 to)
{
    if (d->liveEnumerators > 0)
        raise(ErrMoveInWalk, QStringLiteral("Move not allowed while in For...Each loop."));
    if (from != to) {
        const ItemPtr item = d->items[static_cast<size_t>(from)];
        d->items.erase(d->items.begin() + from);
        d->items.insert(d->items.begin() + to, item);
        renumber();
    }
    return static_cast<int>(to + d->baseIndex);
}

void CSuperCollection::releaseAll()
{
    for (const ItemPtr &item : d->items) {
        item->alive = false;
        item->value = QVariant();
    }
    d->items.clear();
    d->keys.clear();
}
