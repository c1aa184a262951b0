#include "core/csupercollection.h"

#include "platform/vb/error.h"

#include <QObject>
#include <QSharedPointer>
#include <gtest/gtest.h>

namespace {

// Runs f and gives the number of the vb::Error it raised (0 when none).
template <typename F> long errorOf(F &&f, QString *description = nullptr)
{
    try {
        f();
    } catch (const vb::Error &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

// The items in position order, as texts.
QStringList itemsOf(const CSuperCollection &c)
{
    QStringList out;
    for (int i = 0; i < c.Count(); ++i)
        out << c.Item(c.BaseIndex() + i).toString();
    return out;
}

// A, B, C, D ... under the keys kA, kB, ...
void fill(CSuperCollection &c, const QString &letters)
{
    for (const QChar letter : letters)
        c.Add(QString(letter), QStringLiteral("k") + letter);
}

QStringList walk(cEnumerationObject &e)
{
    QStringList out;
    QVariant v;
    while (e.Next(v))
        out << v.toString();
    return out;
}

} // namespace

TEST(CSuperCollection, NewCollectionDefaults)
{
    CSuperCollection c;
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.BaseIndex(), 1);
    EXPECT_EQ(c.CompareMode(), 0);
    EXPECT_FALSE(c.AllowItemAsignments());
}

TEST(CSuperCollection, PositionsAndKeys)
{
    CSuperCollection c;
    c.Add(QStringLiteral("Swim Centre"), QStringLiteral("CentreName"));
    c.Add(10, QStringLiteral("5"));
    c.Add(QStringLiteral("no key"));
    c.Add(QStringLiteral("four"), QStringLiteral("k4"));
    c.Add(QStringLiteral("five"), QStringLiteral("k5"));
    c.Add(QStringLiteral("six"), QStringLiteral("k6"));

    // A text is always a key, a number a position (halves to even).
    const struct
    {
        QVariant at;
        QVariant expected;
    } reads[] = {
        {QStringLiteral("CentreName"), QStringLiteral("Swim Centre")},
        {QStringLiteral("5"), 10},
        {5, QStringLiteral("five")},
        {short(5), QStringLiteral("five")},
        {5.5, QStringLiteral("six")},
        {4.5, QStringLiteral("four")},
        {4.51f, QStringLiteral("five")},
        {3, QStringLiteral("no key")},
    };
    for (const auto &r : reads)
        EXPECT_EQ(c.Item(r.at), r.expected) << r.at.toString().toStdString();

    EXPECT_EQ(c.Key(1), "CentreName");
    EXPECT_EQ(c.Key(3), "");
    EXPECT_EQ(c.KeyExists(QStringLiteral("k5")), 5);
    EXPECT_EQ(c.KeyExists(QStringLiteral("missing")), 268435457);
    EXPECT_EQ(c.KeyExists(QString()), CSuperCollection::NoPosition);
}

TEST(CSuperCollection, ErrorsWithTheirNumbers)
{
    CSuperCollection c;
    c.Add(QStringLiteral("Swim Centre"), QStringLiteral("CentreName"));
    c.Add(QStringLiteral("x"));
    const QVariant date = QDate(2009, 7, 1);

    QString text;
    EXPECT_EQ(errorOf([&] { c.Item(QStringLiteral("centrename")); }, &text), -2147482367);
    EXPECT_EQ(text, "Key not found.");
    EXPECT_EQ(errorOf([&] { c.Item(QString()); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { c.Item(3); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { c.Item(0); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { c.Remove(3); }), 9);
    EXPECT_EQ(errorOf([&] { c.Remove(QStringLiteral("nope")); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { c.Key(3); }), 9);
    EXPECT_EQ(errorOf([&] { c.Add(QStringLiteral("again"), QStringLiteral("CentreName")); }), 457);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(errorOf([&] { c.Add(QStringLiteral("y"), {}, 2); }, &text), -2147482364);
    EXPECT_EQ(text, "No position supplied.");
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(errorOf([&] { c.Add(QStringLiteral("y"), {}, 1, 3); }), 9);

    // Dates, booleans, the empty value and objects are neither positions nor keys.
    for (const QVariant &wrong : {date, QVariant(true), QVariant(),
                                  QVariant::fromValue(QSharedPointer<QObject>::create())}) {
        EXPECT_EQ(errorOf([&] { c.Item(wrong); }, &text), -2147482365);
        EXPECT_EQ(text, "Invalid datatype");
        EXPECT_EQ(errorOf([&] { c.Remove(wrong); }), CSuperCollection::ErrInvalidDatatype);
        EXPECT_EQ(errorOf([&] { c.MoveItem(wrong, 1); }), CSuperCollection::ErrInvalidDatatype);
    }

    EXPECT_EQ(errorOf([&] { c.setItem(1, QStringLiteral("z")); }), 438);
    c.setAllowItemAsignments(true);
    EXPECT_EQ(errorOf([&] { c.setItem(7, QStringLiteral("z")); }, &text), -2147482367);
    EXPECT_EQ(text, "Key 7 not found.");
    EXPECT_EQ(errorOf([&] { c.setItem(QStringLiteral("Pool"), 1); }, &text), -2147482367);
    EXPECT_EQ(text, "Key Pool not found.");
    EXPECT_EQ(c.Item(1), "Swim Centre");
}

TEST(CSuperCollection, ItemAssignmentKeepsKeyAndPosition)
{
    CSuperCollection c;
    c.setAllowItemAsignments(true);
    fill(c, QStringLiteral("ABC"));
    c.setItem(QStringLiteral("kB"), 20);
    c.setItem(3.0, QStringLiteral("see"));
    EXPECT_EQ(itemsOf(c), (QStringList{"A", "20", "see"}));
    EXPECT_EQ(c.KeyExists(QStringLiteral("kB")), 2);
    EXPECT_EQ(c.Key(3), "kC");
}

TEST(CSuperCollection, CompareModeText)
{
    CSuperCollection c;
    c.setCompareMode(1);
    c.Add(QStringLiteral("Swim Centre"), QStringLiteral("CentreName"));
    EXPECT_EQ(c.Item(QStringLiteral("centrename")), "Swim Centre");
    EXPECT_EQ(errorOf([&] { c.Add(1, QStringLiteral("CENTRENAME")); }), 457);

    CSuperCollection binary;
    binary.Add(1, QStringLiteral("CentreName"));
    binary.Add(2, QStringLiteral("centrename"));
    EXPECT_EQ(binary.KeyExists(QStringLiteral("centrename")), 2);
}

TEST(CSuperCollection, SettingsFixedOnceItemsExist)
{
    CSuperCollection c;
    EXPECT_EQ(errorOf([&] { c.setCompareMode(2); }), 9);
    c.Add(1);
    QString text;
    EXPECT_EQ(errorOf([&] { c.setBaseIndex(0); }, &text), -2147482368);
    EXPECT_EQ(text, "Collection already initialized");
    EXPECT_EQ(errorOf([&] { c.setCompareMode(1); }), CSuperCollection::ErrAlreadyInitialized);
    c.Clear();
    c.setBaseIndex(0);
    c.setCompareMode(1);
    EXPECT_EQ(c.BaseIndex(), 0);
    EXPECT_EQ(c.CompareMode(), 1);

    // Clear keeps the settings; removing the last item frees them as well.
    c.setAllowItemAsignments(true);
    c.Add(1, QStringLiteral("a"));
    c.Clear();
    EXPECT_TRUE(c.AllowItemAsignments());
    EXPECT_EQ(c.BaseIndex(), 0);
    c.Add(1);
    c.Remove(0);
    c.setBaseIndex(5);
    EXPECT_EQ(c.BaseIndex(), 5);
}

TEST(CSuperCollection, BaseIndexZero)
{
    CSuperCollection c;
    c.setBaseIndex(0);
    fill(c, QStringLiteral("ABC"));
    EXPECT_EQ(c.Item(0), "A");
    EXPECT_EQ(c.Item(2), "C");
    EXPECT_EQ(errorOf([&] { c.Item(3); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { c.Remove(3); }), 9);
    EXPECT_EQ(c.KeyExists(QStringLiteral("kA")), 0);
}

TEST(CSuperCollection, RemoveRenumbersTheKeys)
{
    CSuperCollection c;
    fill(c, QStringLiteral("ABCDE"));
    c.Remove(2);
    EXPECT_EQ(itemsOf(c), (QStringList{"A", "C", "D", "E"}));
    EXPECT_EQ(c.KeyExists(QStringLiteral("kC")), 2);
    EXPECT_EQ(c.KeyExists(QStringLiteral("kE")), 4);
    EXPECT_EQ(c.KeyExists(QStringLiteral("kB")), CSuperCollection::NoPosition);
    c.Remove(QStringLiteral("kA"));
    EXPECT_EQ(itemsOf(c), (QStringList{"C", "D", "E"}));
    EXPECT_EQ(c.KeyExists(QStringLiteral("kD")), 2);
}

TEST(CSuperCollection, MoveItem)
{
    const struct
    {
        QVariant from;
        QVariant to;
        int result;
        const char *order;
    } cases[] = {
        {1, 3, 3, "BCAD"},
        {4, 2, 2, "ADBC"},
        {2, 2, 2, "ABCD"},
        {QStringLiteral("kD"), QStringLiteral("kA"), 1, "DABC"},
        {1.5, QStringLiteral("kC"), 3, "ACBD"},
    };
    for (const auto &m : cases) {
        CSuperCollection c;
        fill(c, QStringLiteral("ABCD"));
        EXPECT_EQ(c.MoveItem(m.from, m.to), m.result);
        EXPECT_EQ(itemsOf(c).join(QString()), QString::fromLatin1(m.order));
        for (int p = 1; p <= 4; ++p)
            EXPECT_EQ(c.KeyExists(QStringLiteral("k") + c.Item(p).toString()), p);
    }
    CSuperCollection c;
    fill(c, QStringLiteral("AB"));
    EXPECT_EQ(errorOf([&] { c.MoveItem(1, 3); }), 9);
    EXPECT_EQ(errorOf([&] { c.MoveItem(QStringLiteral("kZ"), 1); }),
              CSuperCollection::ErrKeyNotFound);
}

TEST(CSuperCollection, AddPlacements)
{
    const struct
    {
        int code;
        int position;
        const char *order;
    } cases[] = {
        {1, 1, "XABC"}, // before the first: first
        {1, 2, "AXBC"},
        {2, 2, "ABXC"},
        {2, 3, "ABCX"}, // after the last: last
        {3, CSuperCollection::NoPosition, "XABC"},
        {4, CSuperCollection::NoPosition, "ABCX"},
        {9, CSuperCollection::NoPosition, "ABCX"},
        {3, 2, "XABC"},
    };
    for (const auto &a : cases) {
        CSuperCollection c;
        fill(c, QStringLiteral("ABC"));
        c.Add(QStringLiteral("X"), QStringLiteral("kX"), a.code, a.position);
        EXPECT_EQ(itemsOf(c).join(QString()), QString::fromLatin1(a.order)) << a.code;
        EXPECT_EQ(c.Item(QStringLiteral("kX")), "X");
        // KeyExists gives the item's position, which follows the placement.
        EXPECT_EQ(c.KeyExists(QStringLiteral("kX")),
                  c.BaseIndex() + int(itemsOf(c).indexOf(QStringLiteral("X"))))
            << a.code;
        EXPECT_EQ(c.Item(c.KeyExists(QStringLiteral("kC"))), "C");
    }
    // An empty collection takes its base position only.
    CSuperCollection empty;
    empty.Add(QStringLiteral("A"), {}, 2, 1);
    EXPECT_EQ(itemsOf(empty), QStringList{"A"});
    CSuperCollection other;
    EXPECT_EQ(errorOf([&] { other.Add(QStringLiteral("A"), {}, 1, 2); }), 9);
}

TEST(CSuperCollection, ChangeKey)
{
    CSuperCollection c;
    fill(c, QStringLiteral("ABCD"));
    EXPECT_EQ(errorOf([&] { c.ChangeKey(QStringLiteral("kA"), QStringLiteral("kA")); }), 457);
    EXPECT_EQ(errorOf([&] { c.ChangeKey(QStringLiteral("kA"), QStringLiteral("kB")); }), 457);
    EXPECT_EQ(errorOf([&] { c.ChangeKey(QStringLiteral("kZ"), QStringLiteral("new")); }),
              CSuperCollection::ErrKeyNotFound);

    c.ChangeKey(QStringLiteral("kA"), QStringLiteral("zz"));
    EXPECT_EQ(c.KeyExists(QStringLiteral("zz")), 1);
    EXPECT_EQ(c.KeyExists(QStringLiteral("kA")), CSuperCollection::NoPosition);

    c.ChangeKey(QStringLiteral("kB"), QString());
    EXPECT_EQ(c.Key(2), "");
    for (const char *key : {"zz", "kC", "kD"})
        EXPECT_NE(c.KeyExists(QString::fromLatin1(key)), CSuperCollection::NoPosition) << key;

    // By position: out of range is ignored; an unkeyed item gains a key.
    c.ChangeKeyForIndex(9, QStringLiteral("ignored"));
    c.ChangeKeyForIndex(2, QStringLiteral("b"));
    EXPECT_EQ(c.Item(QStringLiteral("b")), "B");
    EXPECT_EQ(errorOf([&] { c.ChangeKeyForIndex(1, QStringLiteral("kC")); }), 457);
    c.ChangeKeyForIndex(4, QString());
    EXPECT_EQ(c.Keys()->Count(), 3);

    // Keys walk in key order, not position order.
    auto keys = c.Keys();
    QStringList names;
    cKey key;
    while (keys->Next(key))
        names << key.Name() + QLatin1Char('@') + QString::number(key.AssociatedIndex());
    EXPECT_EQ(names, (QStringList{"b@2", "kC@3", "zz@1"}));
}

TEST(CSuperCollection, ObjectsAreSharedReferences)
{
    auto pool = QSharedPointer<QObject>::create();
    QWeakPointer<QObject> watch = pool;
    {
        CSuperCollection c;
        c.Add(QVariant::fromValue(pool), QStringLiteral("Pool"));
        EXPECT_EQ(CSuperCollection::objectOf(c.Item(1)), pool.data());
        c.ChangeKey(QStringLiteral("Pool"), QStringLiteral("Main pool"));
        EXPECT_EQ(pool->property("Key").toString(), "Main pool");
        pool.reset();
        EXPECT_FALSE(watch.isNull()); // the collection holds it
        auto walker = c.NewEnum();
        c.Remove(1);
        EXPECT_TRUE(watch.isNull()); // released on removal, though a walk still runs
    }

    auto kept = QSharedPointer<QObject>::create();
    QWeakPointer<QObject> watchKept = kept;
    std::unique_ptr<cEnumerationObject> walker;
    {
        CSuperCollection c;
        c.Add(QVariant::fromValue(kept));
        kept.reset();
        walker = c.NewEnum();
    }
    EXPECT_TRUE(watchKept.isNull()); // destroying the collection releases its objects
    QVariant v;
    EXPECT_FALSE(walker->Next(v)); // and its walks yield nothing more
}

TEST(CSuperCollection, WalkSkipsRemovalsAndSeesAppends)
{
    CSuperCollection c;
    fill(c, QStringLiteral("ABCDE"));
    auto e = c.NewEnum();
    QStringList seen;
    QVariant v;
    while (e->Next(v)) {
        seen << v.toString();
        if (v == "B")
            c.Remove(QStringLiteral("kD"));
    }
    EXPECT_EQ(seen, (QStringList{"A", "B", "C", "E"}));

    CSuperCollection appends;
    fill(appends, QStringLiteral("ABC"));
    e = appends.NewEnum();
    seen.clear();
    while (e->Next(v)) {
        seen << v.toString();
        if (v == "A")
            appends.Add(QStringLiteral("X"));
        if (v == "X")
            appends.Add(QStringLiteral("Y")); // appended while the last item is visited
    }
    EXPECT_EQ(seen, (QStringList{"A", "B", "C", "X", "Y"}));

    CSuperCollection empty;
    auto none = empty.NewEnum();
    empty.Add(1);
    EXPECT_FALSE(none->Next(v));
}

TEST(CSuperCollection, MoveRefusedWhileAWalkIsLive)
{
    CSuperCollection c;
    fill(c, QStringLiteral("ABC"));
    {
        auto e = c.NewEnum();
        QString text;
        EXPECT_EQ(errorOf([&] { c.MoveItem(1, 2); }, &text), -2147482366);
        EXPECT_EQ(text, "Move not allowed while in For...Each loop.");
        auto clone = e->Clone();
        e.reset();
        EXPECT_EQ(errorOf([&] { c.MoveItem(1, 2); }), CSuperCollection::ErrMoveInWalk);
        // Add with a placement is a move: the item is then already appended.
        EXPECT_EQ(errorOf([&] { c.Add(QStringLiteral("X"), {}, 3); }),
                  CSuperCollection::ErrMoveInWalk);
        EXPECT_EQ(itemsOf(c), (QStringList{"A", "B", "C", "X"}));
    }
    EXPECT_EQ(c.MoveItem(1, 2), 2);
    EXPECT_EQ(itemsOf(c), (QStringList{"B", "A", "C", "X"}));
}

TEST(CSuperCollection, EnumeratorOperations)
{
    CSuperCollection c;
    fill(c, QStringLiteral("ABCDE"));
    auto e = c.NewEnum();
    QList<QVariant> batch;
    EXPECT_EQ(e->Next(2, batch), 2);
    EXPECT_EQ(batch, (QList<QVariant>{"A", "B"}));
    e->Skip(1);
    auto clone = e->Clone();
    EXPECT_EQ(walk(*e), (QStringList{"D", "E"}));
    EXPECT_EQ(e->Next(3, batch), 0);
    EXPECT_TRUE(batch.isEmpty());
    EXPECT_EQ(walk(*clone), (QStringList{"D", "E"}));
    e->Reset();
    EXPECT_EQ(e->Next(9, batch), 5);
}

TEST(CSuperCollection, KeyListIsItsOwnEnumerator)
{
    CSuperCollection c;
    auto emptyKeys = c.Keys();
    EXPECT_EQ(emptyKeys->Count(), 0);
    cKey key;
    EXPECT_FALSE(emptyKeys->Next(key));

    c.Add(QStringLiteral("x"), QStringLiteral("b"));
    c.Add(QStringLiteral("y"));
    c.Add(QStringLiteral("z"), QStringLiteral("a"));
    auto keys = c.Keys();
    EXPECT_EQ(keys->Count(), 2);
    QList<cKey> batch;
    EXPECT_EQ(keys->NewEnum().Next(5, batch), 2);
    EXPECT_EQ(batch[0].Name(), "a");
    EXPECT_EQ(batch[0].AssociatedIndex(), 3);
    EXPECT_EQ(keys->NewEnum().Next(5, batch), 0); // a second walk goes on where the first ended
    keys->Reset();
    EXPECT_TRUE(keys->Next(key));
    EXPECT_EQ(c.Keys()->Count(), 2);

    std::unique_ptr<CKeys> orphan;
    {
        CSuperCollection gone;
        gone.Add(1, QStringLiteral("k"));
        orphan = gone.Keys();
    }
    EXPECT_EQ(orphan->Count(), 0);
    EXPECT_FALSE(orphan->Next(key));
}
