#include "fixture.h"

#include "platform/jet/convert.h"
#include "platform/jet/recordset.h"
#include "platform/vb/currency.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace jet;
using jet::test::DataFileTest;
using jet::test::errorNumber;

namespace {

class RecordsetTest : public DataFileTest
{
protected:
    int count(const char *where)
    {
        return scalar(QStringLiteral("SELECT Count(*) FROM Students WHERE ") +
                      QString::fromUtf8(where))
            .toInt();
    }
};

QDateTime date(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC);
}

} // namespace

TEST_F(RecordsetTest, ReadsFieldsByPositionAndByNameInAnyCase)
{
    Recordset rs(db,
                 QStringLiteral("SELECT StudentID, Surname, Born, Balance, Age, Flag FROM Students "
                                "ORDER BY StudentID"));
    EXPECT_EQ(rs.recordCount(), 3);
    ASSERT_EQ(rs.fieldCount(), 6);
    EXPECT_EQ(rs.field(1).name(), QStringLiteral("Surname"));
    EXPECT_EQ(rs.field(1).type(), JetType::Text);
    EXPECT_EQ(rs.field(1).size(), 50);
    EXPECT_EQ(rs.field(0).type(), JetType::Counter);
    EXPECT_EQ(rs.field(2).type(), JetType::Date);
    EXPECT_EQ(rs.field(3).type(), JetType::Currency);

    EXPECT_EQ(rs.value(0).toInt(), 1);
    EXPECT_EQ(rs.value(1).toString(), QStringLiteral("Smith"));
    EXPECT_EQ(rs.value(QStringLiteral("SURNAME")).toString(), QStringLiteral("Smith"));
    EXPECT_EQ(rs[QStringLiteral("surname")].value().toString(), QStringLiteral("Smith"));
    EXPECT_EQ(rs.value(QStringLiteral("born")), QVariant(date(2010, 1, 5)));
    EXPECT_EQ(rs.value(QStringLiteral("born")).toDateTime().timeSpec(), Qt::UTC);
    ASSERT_EQ(rs.value(3).typeId(), qMetaTypeId<vb::Currency>());
    EXPECT_EQ(rs.value(3).value<vb::Currency>(), vb::Currency::fromRaw(45000));
    EXPECT_EQ(rs.value(4).toInt(), 7);
    EXPECT_TRUE(rs.value(5).isNull());

    rs.moveNext();
    EXPECT_EQ(rs.value(1).toString(), QStringLiteral("Jones"));
    EXPECT_TRUE(rs.value(QStringLiteral("Born")).isNull());
    EXPECT_TRUE(rs.value(QStringLiteral("Balance")).isNull());

    EXPECT_EQ(errorNumber([&] { rs.value(QStringLiteral("Postcode")); }), err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { rs.value(6); }), err::ItemNotFound);
}

TEST_F(RecordsetTest, MovesThroughTheRows)
{
    Recordset rs(db, QStringLiteral("SELECT Surname FROM Students ORDER BY StudentID"));
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), 1);
    QStringList names;
    while (!rs.eof()) {
        names << rs.value(0).toString();
        rs.moveNext();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Smith"), QStringLiteral("Jones"),
                                  QStringLiteral("brown")}));
    EXPECT_EQ(rs.absolutePosition(), Recordset::PosEOF);
    EXPECT_EQ(errorNumber([&] { rs.value(0); }), err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs.moveNext(); }), err::NoCurrentRecord);

    rs.movePrevious();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("brown"));
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), Recordset::PosBOF);
    EXPECT_EQ(errorNumber([&] { rs.movePrevious(); }), err::NoCurrentRecord);
    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 3);
    rs.setAbsolutePosition(2);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("Jones"));
    EXPECT_EQ(errorNumber([&] { rs.setAbsolutePosition(4); }), err::InvalidArgument);

    Recordset none(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 0"));
    EXPECT_TRUE(none.eof());
    EXPECT_TRUE(none.bof());
    EXPECT_EQ(none.recordCount(), 0);
    EXPECT_EQ(none.fieldCount(), 6);
    none.moveFirst();
    EXPECT_TRUE(none.eof());

    rs.close();
    EXPECT_EQ(rs.state(), ObjectState::Closed);
    EXPECT_EQ(errorNumber([&] { rs.eof(); }), err::ClosedObject);
}

TEST_F(RecordsetTest, AddNewGivesTheNewCounterAndNeverReusesOne)
{
    Recordset rs(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 0"));
    rs.addNew();
    EXPECT_EQ(rs.editMode(), EditMode::Add);
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Green"));
    EXPECT_EQ(rs.value(QStringLiteral("Surname")).toString(), QStringLiteral("Green"));
    rs.update();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(rs.value(QStringLiteral("StudentID")).toInt(), 4);
    EXPECT_EQ(rs.value(QStringLiteral("Age")).toInt(), 0); // the column's default, as stored
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Surname FROM Students WHERE StudentID = 4")).toString(),
              QStringLiteral("Green"));

    // The highest key deleted: the next row still gets a new one.
    rs.deleteRecord();
    rs.addNew();
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("White"));
    rs.update();
    EXPECT_EQ(rs.value(QStringLiteral("StudentID")).toInt(), 5);

    // A cancelled row writes nothing and the previous row is current again.
    rs.addNew();
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Grey"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.value(QStringLiteral("Surname")).toString(), QStringLiteral("White"));
    EXPECT_EQ(count("Surname = 'Grey'"), 0);

    // A duplicate key is refused with the provider's general failure; the new row stays
    // pending until it is cancelled.
    Recordset classes(db, QStringLiteral("SELECT * FROM Classes"));
    classes.addNew();
    classes.setValue(QStringLiteral("ClassID"), 1);
    classes.setValue(QStringLiteral("ClassName"), QStringLiteral("Twin"));
    EXPECT_EQ(errorNumber([&] { classes.update(); }), err::Unspecified);
    EXPECT_EQ(classes.editMode(), EditMode::Add);
    classes.cancelUpdate();
    EXPECT_EQ(classes.recordCount(), 2);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Count(*) FROM Classes WHERE ClassName = 'Twin'")).toInt(), 0);
}

// Inside a transaction the new row is read back on its own: the same row as outside one,
// and a refused row leaves the transaction as it was.
TEST_F(RecordsetTest, AddNewInsideATransactionGivesTheRowAsStored)
{
    db.beginTrans();
    Recordset rs(db, QStringLiteral("SELECT Students.* FROM Students"));
    rs.addNew();
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Green"));
    rs.setValue(QStringLiteral("Balance"), QStringLiteral("$4.00"));
    rs.update();
    EXPECT_EQ(rs.value(QStringLiteral("StudentID")).toInt(), 4);
    EXPECT_EQ(rs.value(QStringLiteral("Age")).toInt(), 0);
    EXPECT_TRUE(rs.value(QStringLiteral("Born")).isNull());
    EXPECT_EQ(rs.value(QStringLiteral("Balance")).value<vb::Currency>(),
              vb::Currency::fromRaw(40000));

    Recordset classes(db, QStringLiteral("SELECT * FROM Classes"));
    classes.addNew();
    classes.setValue(QStringLiteral("ClassID"), 1);
    EXPECT_EQ(errorNumber([&] { classes.update(); }), err::Unspecified);
    classes.cancelUpdate();
    EXPECT_EQ(count("Surname = 'Green'"), 1);
    db.rollbackTrans();
    EXPECT_EQ(count("Surname = 'Green'"), 0);
}

TEST_F(RecordsetTest, UpdatesAndDeletesTheCurrentRow)
{
    Recordset rs(db,
                 QStringLiteral("SELECT StudentID, Surname, Age FROM Students ORDER BY StudentID"));
    rs.moveNext();
    rs.setValue(QStringLiteral("Age"), 10);
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);
    rs.update();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Age FROM Students WHERE StudentID = 2")).toInt(), 10);

    // A move writes a pending change, as ADO does.
    rs.setValue(QStringLiteral("Age"), 11);
    rs.moveFirst();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Age FROM Students WHERE StudentID = 2")).toInt(), 11);

    // CancelUpdate drops the change.
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Changed"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.value(QStringLiteral("Surname")).toString(), QStringLiteral("Smith"));
    EXPECT_EQ(count("Surname = 'Changed'"), 0);

    rs.deleteRecord();
    EXPECT_EQ(count("StudentID = 1"), 0);
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(errorNumber([&] { rs.value(0); }), err::NoCurrentRecord);
    rs.moveNext();
    EXPECT_EQ(rs.value(QStringLiteral("Surname")).toString(), QStringLiteral("Jones"));
    EXPECT_EQ(rs.absolutePosition(), 1);

    // A computed field cannot be written.
    Recordset computed(db, QStringLiteral("SELECT Age + 1 AS NextAge FROM Students"));
    EXPECT_EQ(errorNumber([&] { computed.setValue(0, 3); }), err::NotUpdatable);
}

TEST_F(RecordsetTest, ConvertsValuesOnWriteAsJetDoes)
{
    const struct
    {
        const char *field;
        QVariant input;
        QVariant expected;
    } cases[] = {
        {"Age", QStringLiteral("12"), 12},
        {"Age", 12.5, 12},
        {"Age", true, -1},
        {"Balance", QStringLiteral("$4.00"), QVariant::fromValue(vb::Currency(4))},
        {"Balance", 0.1 + 0.2, QVariant::fromValue(vb::Currency::fromRaw(3000))},
        {"Born", QStringLiteral("5/01/2010"), date(2010, 1, 5)},
        {"Born", QStringLiteral("05-Jan-2010"), date(2010, 1, 5)},
        {"Born", QDate(2011, 3, 4), date(2011, 3, 4)},
        {"Born", QStringLiteral("5/01/2010 4:30 PM"),
         QDateTime(QDate(2010, 1, 5), QTime(16, 30), Qt::UTC)},
        {"Flag", true, true},
        {"Flag", 0, false},
        {"Surname", 42, QStringLiteral("42")},
        {"Surname", QVariant(), QVariant()},
    };
    for (const auto &c : cases) {
        const QString field = QString::fromUtf8(c.field);
        const QString what = field + QLatin1Char(' ') + c.input.toString();
        try {
            Recordset rs(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 2"));
            rs.setValue(field, c.input);
            rs.update();
            if (c.input.isNull())
                ADD_FAILURE() << "a required field took Null";
            Recordset check(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 2"));
            EXPECT_EQ(check.value(field), c.expected) << what.toStdString();
        } catch (const Error &e) {
            EXPECT_TRUE(c.input.isNull())
                << what.toStdString() << ": " << e.description().toStdString();
        }
    }
    // The stored forms: dates as text that sorts as time does, currency to four decimals.
    EXPECT_EQ(count("Born = #2010-01-05 16:30:00#"), 1);
    EXPECT_EQ(count("Balance = 0.3"), 1);
}

TEST_F(RecordsetTest, AValueThatCannotBeConvertedWritesNothing)
{
    const struct
    {
        const char *field;
        QVariant input;
    } cases[] = {
        {"Age", QStringLiteral("abc")},
        {"Age", QString()},
        {"Age", 1e12},
        {"Balance", QStringLiteral("four dollars")},
        {"Born", QStringLiteral("not a date")},
        {"Born", QStringLiteral("31/02/2010")},
    };
    for (const auto &c : cases) {
        Recordset rs(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 1"));
        EXPECT_EQ(errorNumber([&] { rs.setValue(QString::fromUtf8(c.field), c.input); }),
                  err::TypeMismatch)
            << c.field << " " << c.input.toString().toStdString();
        EXPECT_EQ(rs.editMode(), EditMode::None);
        rs.update();
    }
    Recordset rs(db, QStringLiteral("SELECT * FROM Students WHERE StudentID = 1"));
    EXPECT_EQ(rs.value(QStringLiteral("Age")).toInt(), 7);
    EXPECT_EQ(rs.value(QStringLiteral("Balance")).value<vb::Currency>(),
              vb::Currency::fromRaw(45000));
    EXPECT_EQ(rs.value(QStringLiteral("Born")), QVariant(date(2010, 1, 5)));

    // One bad value among good ones: the good ones stay pending, the bad one is not taken.
    rs.setValue(QStringLiteral("Age"), 8);
    EXPECT_EQ(errorNumber([&] { rs.setValue(QStringLiteral("Age"), QStringLiteral("x")); }),
              err::TypeMismatch);
    EXPECT_EQ(rs.value(QStringLiteral("Age")).toInt(), 8);
}

TEST_F(RecordsetTest, ARowChangedByAnotherConnectionIsNotOverwritten)
{
    Connection other;
    openSecond(other);
    Recordset mine(db, QStringLiteral("SELECT * FROM Students ORDER BY StudentID"));
    EXPECT_EQ(mine.value(QStringLiteral("Age")).toInt(), 7);

    // Changed elsewhere since it was read: neither update nor delete goes through.
    other.execute(QStringLiteral("UPDATE Students SET Age = 20 WHERE StudentID = 1"));
    mine.setValue(QStringLiteral("Surname"), QStringLiteral("Mine"));
    EXPECT_EQ(errorNumber([&] { mine.update(); }), err::WriteConflict);
    mine.cancelUpdate();
    EXPECT_EQ(errorNumber([&] { mine.deleteRecord(); }), err::WriteConflict);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Surname & '/' & Age FROM Students WHERE StudentID = 1"))
                  .toString(),
              QStringLiteral("Smith/20"));

    // Deleted elsewhere.
    mine.moveNext();
    EXPECT_EQ(mine.value(QStringLiteral("Surname")).toString(), QStringLiteral("Jones"));
    other.execute(QStringLiteral("DELETE FROM Students WHERE StudentID = 2"));
    mine.setValue(QStringLiteral("Age"), 1);
    EXPECT_EQ(errorNumber([&] { mine.update(); }), err::WriteConflict);
    mine.cancelUpdate();
    EXPECT_EQ(count("StudentID = 2"), 0);

    // A row nobody else touched is written; after a requery the changed rows are too.
    mine.moveNext();
    mine.setValue(QStringLiteral("Age"), 6);
    mine.update();
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Age FROM Students WHERE StudentID = 3"), &other).toInt(), 6);
    mine.requery();
    EXPECT_EQ(mine.recordCount(), 2);
    mine.setValue(QStringLiteral("Surname"), QStringLiteral("Mine"));
    mine.update();
    EXPECT_EQ(count("Surname = 'Mine' AND Age = 20"), 1);
}

TEST_F(RecordsetTest, WritesThroughAJoinChangeOnlyTheRowOfTheSelectedKey)
{
    Recordset rs(db, QStringLiteral("SELECT AssessmentID, Processed, ClassName FROM Assessments "
                                    "INNER JOIN Classes ON Assessments.ClassID = Classes.ClassID "
                                    "ORDER BY AssessmentID"));
    ASSERT_EQ(rs.recordCount(), 2);
    rs.setValue(QStringLiteral("Processed"), 1);
    rs.update();
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = 1")).toInt(),
        1);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = 2")).toInt(),
        0);

    // The joined table's key is not selected: its fields cannot be written.
    rs.setValue(QStringLiteral("ClassName"), QStringLiteral("Renamed"));
    EXPECT_EQ(errorNumber([&] { rs.update(); }), err::NotUpdatable);
    rs.cancelUpdate();
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Count(*) FROM Classes WHERE ClassName = 'Renamed'")).toInt(),
        0);

    rs.deleteRecord();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Assessments")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes")).toInt(), 2);
}

TEST_F(RecordsetTest, ATableWithoutPrimaryKeyIsWrittenByRowIdentity)
{
    // Two rows alike: only the one the recordset stands on changes.
    db.execute(
        QStringLiteral("INSERT INTO CentreInfo (CentreName, NextReceiptNo) VALUES ('Pool', 100)"));
    Recordset rs(db, QStringLiteral("SELECT * FROM CentreInfo"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.fieldCount(), 2);
    rs.moveLast();
    rs.setValue(QStringLiteral("NextReceiptNo"), 101);
    rs.update();
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT Count(*) FROM CentreInfo WHERE NextReceiptNo = 101")).toInt(),
        1);
    rs.deleteRecord();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM CentreInfo")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).toInt(), 100);
}

// A recordset reads its rows' values in place, without the raw QVariant the general
// conversion takes: each kind of stored value, in a field of each type, gives what the
// general conversion gives, also where the value does not suit the type.
TEST(RecordsetValues, ReadInPlaceAsTheGeneralConversion)
{
    const JetType types[] = {JetType::Counter, JetType::Long,   JetType::Short,
                             JetType::Byte,    JetType::Single, JetType::Double,
                             JetType::Currency, JetType::Date,  JetType::Text,
                             JetType::Memo,    JetType::YesNo,  JetType::Unknown};
    const qint64 integers[] = {0, -1, 7, 3000000000LL, 40000};
    const double reals[] = {0.0, 12.5, -0.1, 40179.75, 1e10};
    const QByteArray texts[] = {"",
                                "Smith",
                                "2010-01-05",
                                "2012-03-04 09:30:00",
                                "2012-03-04T09:30",
                                "2012-13-04",
                                "0099-01-01",
                                "2010-01-05 ",
                                "12.5",
                                "$4.00",
                                "Zoë",
                                "2010-01-0\xc3\xa9",
                                "a text longer than any date: 2010-01-05 09:30:00"};
    for (const JetType type : types) {
        SCOPED_TRACE(int(type));
        for (const qint64 n : integers)
            EXPECT_EQ(detail::fromStorageInteger(n, type),
                      detail::fromStorage(QVariant(qlonglong(n)), type))
                << n;
        for (const double d : reals)
            EXPECT_EQ(detail::fromStorageReal(d, type), detail::fromStorage(QVariant(d), type))
                << d;
        for (const QByteArray &t : texts) {
            const QVariant inPlace = detail::fromStorageText(t.constData(), t.size(), type);
            const QVariant general = detail::fromStorage(QVariant(QString::fromUtf8(t)), type);
            EXPECT_EQ(inPlace, general) << t.constData();
            EXPECT_EQ(inPlace.typeId(), general.typeId()) << t.constData();
        }
    }
}

// Rows read in one go are changed, deleted and added to; each read afterwards gives the
// row as it now is, whether the row was changed or not.
TEST_F(RecordsetTest, ASnapshotReadsItsChangedAndItsAddedRows)
{
    Recordset rs(db, QStringLiteral("SELECT StudentID, Surname, Born, Balance FROM Students "
                                    "ORDER BY StudentID"));
    rs.moveNext();
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Jonés"));
    rs.setValue(QStringLiteral("Born"), date(2011, 2, 3));
    rs.update();
    rs.moveNext();
    rs.deleteRecord();
    rs.addNew();
    rs.setValue(QStringLiteral("Surname"), QStringLiteral("Green"));
    rs.setValue(QStringLiteral("Balance"), 12.25);
    rs.update();
    const qint32 added = rs.value(0).toInt();

    rs.moveFirst();
    const struct
    {
        QString surname;
        QVariant born;
        QVariant balance;
    } expected[] = {
        {QStringLiteral("Smith"), date(2010, 1, 5), QVariant::fromValue(vb::Currency::fromRaw(45000))},
        {QStringLiteral("Jonés"), date(2011, 2, 3), QVariant()},
        {QStringLiteral("Green"), QVariant(), QVariant::fromValue(vb::Currency::fromRaw(122500))},
    };
    for (const auto &row : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(1).toString(), row.surname);
        EXPECT_EQ(rs.value(2), row.born) << row.surname.toStdString();
        EXPECT_EQ(rs.value(3), row.balance) << row.surname.toStdString();
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
    // Empty text read first is empty text, and the values after it are read as they are.
    Recordset blank(db, QStringLiteral("SELECT '' AS Blank, Surname FROM Students ORDER BY StudentID"));
    EXPECT_EQ(blank.value(0), QVariant(QString()));
    EXPECT_FALSE(blank.value(0).toString().isNull());
    EXPECT_EQ(blank.value(1).toString(), QStringLiteral("Smith"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Surname FROM Students WHERE StudentID = %1").arg(added))
                  .toString(),
              QStringLiteral("Green"));
}
