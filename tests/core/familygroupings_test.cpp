#include "core/centresettings.h"
#include "core/familygroupings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"

#include <QFile>
#include <sqlite3.h>

using imodDataMaint::CreateFamilyGroupings;
using imodDataMaint::SplitParentsName;

TEST(FamilyGroupings, SplitsParentsNamesAtTheirSeparators)
{
    const struct
    {
        const char *parents, *first, *last;
    } cases[] = {
        {"John & Mary Smith", "John & Mary", "Smith"},
        {"John and Mary Smith", "John & Mary", "Smith"},
        {"John AND Mary Smith", "John & Mary", "Smith"},
        {"Ann Or Bob Lee", "Ann & Bob", "Lee"},
        {"Mr Smith", "Mr", "Smith"},
        {"Smith", "Smith", ""},
        {"John Smith / Mary Jones", "John", "Smith & Mary Jones"},
        {"Andrew Orr", "Andrew", "Orr"},
        {"Jo aNd Al Ng", "Jo", "aNd Al Ng"},
    };
    for (const auto &c : cases) {
        const auto [first, last] = SplitParentsName(QString::fromUtf8(c.parents));
        EXPECT_EQ(first, QString::fromUtf8(c.first)) << c.parents;
        EXPECT_EQ(last, QString::fromUtf8(c.last)) << c.parents;
    }
}

class FamilyGroupingsFile : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        Global::DbConnection().execute(
            imodStructure::CreateTableSql(*imodStructure::FindTable("Students")));
    }

    void addStudent(const QString &first, const QVariant &phone, const QString &parents,
                    int family = 0)
    {
        jet::Recordset rs(Global::DbConnection(), "SELECT Students.* FROM Students WHERE "
                                                  "StudentID = 0");
        rs.addNew();
        rs.setValue("First Name", first);
        rs.setValue("Last Name", "Last");
        rs.setValue("Home Phone", phone);
        rs.setValue("Parents Name", parents.isEmpty() ? QVariant() : QVariant(parents));
        rs.setValue("City", "Brisbane");
        if (family != 0)
            rs.setValue("Family", family);
        rs.update();
    }

    int familyOf(int id)
    {
        jet::Recordset rs(Global::DbConnection(),
                          QString("SELECT Family FROM Students WHERE StudentID = %1").arg(id));
        return rs.value(0).toInt();
    }

    int families()
    {
        jet::Recordset rs(Global::DbConnection(),
                          "SELECT COUNT(*) FROM Students WHERE Vendor = 'Y'");
        return rs.value(0).toInt();
    }
};

TEST_F(FamilyGroupingsFile, GroupsStudentsWhoShareAHomePhone)
{
    addStudent("Tom", "555", "Ann & Bob Lee"); // 1
    addStudent("Sue", "555", "");              // 2: grouped with Tom
    addStudent("Kim", "777", "");              // 3: first of its phone has no parents' name
    addStudent("Joe", "777", "Somebody");      // 4
    addStudent("Liz", "", "Empty Phone");      // 5
    addStudent("Ned", QVariant(), "No Phone"); // 6
    addStudent("Ros", "555", "Had One", 9);    // 7: already in a family
    addStudent("Al", "a\"b'c", "Al's Mum");    // 8: quotes in the phone number

    QStringList captions;
    ui::DialogScript script;
    EXPECT_EQ(CreateFamilyGroupings([&](const QString &c) { captions << c; },
                                    Global::DbConnection().connectionString()),
              0);
    EXPECT_TRUE(script.shown().isEmpty());
    EXPECT_EQ(families(), 2);
    const int lee = familyOf(1);
    EXPECT_GT(lee, 8);
    EXPECT_EQ(familyOf(2), lee);
    EXPECT_EQ(familyOf(3), 0);
    EXPECT_EQ(familyOf(4), 0);
    EXPECT_EQ(familyOf(5), 0);
    EXPECT_EQ(familyOf(6), 0);
    EXPECT_EQ(familyOf(7), 9);
    EXPECT_GT(familyOf(8), 8);

    jet::Recordset row(Global::DbConnection(),
                       QString("SELECT * FROM Students WHERE StudentID = %1").arg(lee));
    EXPECT_EQ(row.value("First Name").toString(), "Ann & Bob");
    EXPECT_EQ(row.value("Last Name").toString(), "Lee");
    EXPECT_EQ(row.value("Parents Name").toString(), "Ann & Bob Lee");
    EXPECT_EQ(row.value("Home Phone").toString(), "555");
    EXPECT_EQ(row.value("City").toString(), "Brisbane");
    EXPECT_EQ(row.value("Student").toString(), "N");
    EXPECT_EQ(row.value("Vendor").toString(), "Y");
    EXPECT_EQ(row.value("Family").toInt(), 0);

    EXPECT_EQ(captions.first(), "Creating Family Groupings...");
    EXPECT_EQ(captions.last(), "Creating Family Groupings (3 of 3)...");
}

TEST_F(FamilyGroupingsFile, AFailureShowsABoxAndKeepsWhatWasDone)
{
    Global::CentreSettings().setShortAppName("Ovix");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    addStudent("Tom", "555", "Ann Lee"); // 1: grouped first
    addStudent("Kim", "777", "Bea Cho"); // 2: its grouping fails
    addStudent("Joe", "888", "Cy Dunn"); // 3: never reached
    // The data file refuses to put Kim into a family, after Tom's family was made.
    ASSERT_EQ(sqlite3_exec(Global::DbConnection().handle(),
                           "CREATE TRIGGER refuse BEFORE UPDATE OF Family ON Students "
                           "WHEN NEW.Family <> 0 AND OLD.\"First Name\" = 'Kim' "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_NE(CreateFamilyGroupings({}, Global::DbConnection().connectionString()), 0);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Small problem");
    EXPECT_TRUE(
        script.shown()[0].text.startsWith("An error occurred when creating families (Err#"));
    EXPECT_TRUE(script.shown()[0].text.endsWith(
        "). Ovix will continue with the upgrade process but not all families may have been "
        "created successfully."));
    // What was done before the failure stays; nothing after it was done.
    EXPECT_NE(familyOf(1), 0);
    EXPECT_EQ(familyOf(2), 0);
    EXPECT_EQ(familyOf(3), 0);
}
