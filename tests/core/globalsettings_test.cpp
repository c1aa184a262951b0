#include "core/centresettings.h"
#include "core/csupercollection.h"
#include "core/globaldata.h"
#include "datafile.h"

#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/currency.h"
#include "platform/vb/error.h"
#include <functional>

namespace {

long errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const vb::Error &e) {
        return e.number();
    }
    return 0;
}

QVariant column(const QString &sql, const QString &name)
{
    jet::Recordset rs(Global::DbConnection(), sql);
    return rs.value(name);
}

} // namespace

TEST(GlobalSettingsNames, IdsAndNames)
{
    GlobalSettings s;
    EXPECT_EQ(s.Count(), 66);
    EXPECT_EQ(s.GetFieldKeyForId(66), "CentreName");
    EXPECT_EQ(s.GetFieldKeyForId(1), "ABN");
    EXPECT_EQ(s.GetFieldKeyForId(37), "JoiningFee");
    for (int id : {0, 67, -1})
        EXPECT_EQ(s.GetFieldKeyForId(id), "") << id;
    EXPECT_EQ(s.GetFieldIdForKey("CentreName"), 66);
    EXPECT_EQ(s.GetFieldIdForKey("centrename"), -1);
    EXPECT_EQ(s.GetFieldIdForKey("Nothing"), -1);
    for (int id = 1; id <= 66; ++id)
        EXPECT_EQ(s.GetFieldIdForKey(s.GetFieldKeyForId(id)), id);
    EXPECT_EQ(CentreSettingIds::EmailAuthentication, 65);
    EXPECT_EQ(s.GetFieldKeyForId(CentreSettingIds::ShowPayEFT), "ShowPayEFT");
    // Nothing is there before the first load.
    EXPECT_EQ(errorNumberOf([&] { s.Settings(66); }), CSuperCollection::ErrKeyNotFound);
}

using GlobalSettingsTest = DataFileTest;

TEST_F(GlobalSettingsTest, ReadByIdOrByExactName)
{
    createCentreInfo();
    GlobalSettings s;
    s.LoadSettingsFromDb();
    EXPECT_EQ(s.Count(), 66);
    EXPECT_EQ(s.Settings(66), "Centre 1");
    EXPECT_EQ(s.Settings("CentreName"), s.Settings(CentreSettingIds::CentreName));
    EXPECT_EQ(s.Settings(CentreSettingIds::OverdueDays).toInt(), 21);
    EXPECT_EQ(s.Settings("JoiningFee").value<vb::Currency>(), vb::Currency::fromRaw(125000));
    EXPECT_TRUE(s.Settings("EmailServer").isNull());
    EXPECT_EQ(errorNumberOf([&] { s.Settings("centrename"); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorNumberOf([&] { s.Settings(67); }), CSuperCollection::ErrKeyNotFound);
    try {
        s.setSettings("Pool", 1);
        FAIL();
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), CSuperCollection::ErrKeyNotFound);
        EXPECT_EQ(e.description(), "Key Pool not found.");
    }
}

TEST_F(GlobalSettingsTest, AssignedValuesLiveUntilTheNextLoad)
{
    createCentreInfo();
    GlobalSettings s;
    s.LoadSettingsFromDb();
    s.setSettings(17, 30);
    EXPECT_EQ(s.Settings("OverdueDays").toInt(), 30);
    s.LoadSettingsFromDb();
    EXPECT_EQ(s.Settings(17).toInt(), 21);
}

TEST_F(GlobalSettingsTest, SaveWritesEverySettingIntoTheFirstRow)
{
    createCentreInfo(2);
    GlobalSettings s;
    s.setDataFilesDirectory("/data");
    s.setApplicationName("Ovixian Swim School Manager");
    s.setShortAppName("Ovixian");
    s.LoadSettingsFromDb();
    EXPECT_EQ(s.Settings("CentreName"), "Centre 1");

    s.setSettings("CentreName", "O'Brien's \"Swim\" School; #1");
    s.setSettings(CentreSettingIds::OverdueDays, 14);
    s.setSettings("JoiningFee", QVariant::fromValue(vb::Currency::fromRaw(99995)));
    s.setSettings("EmailServer", "smtp.example.com");
    s.setSettings("ABN", QVariant()); // Null
    s.SaveSettingsToDb();

    EXPECT_EQ(
        column("SELECT * FROM CentreInfo WHERE CentreName = 'Centre 2'", "OverdueDays").toInt(),
        21);

    GlobalSettings fresh;
    fresh.LoadSettingsFromDb();
    EXPECT_EQ(fresh.Settings(66), "O'Brien's \"Swim\" School; #1");
    EXPECT_EQ(fresh.Settings(17).toInt(), 14);
    EXPECT_EQ(fresh.Settings("JoiningFee").value<vb::Currency>(), vb::Currency::fromRaw(99995));
    EXPECT_EQ(fresh.Settings("EmailServer"), "smtp.example.com");
    EXPECT_TRUE(fresh.Settings("ABN").isNull());
    EXPECT_EQ(fresh.Settings("DataVersion"), "6.2");

    // The program's own values are no part of the data file and survive loads.
    s.LoadSettingsFromDb();
    EXPECT_EQ(s.DataFilesDirectory(), "/data");
    EXPECT_EQ(s.ApplicationName(), "Ovixian Swim School Manager");
    EXPECT_EQ(s.ShortAppName(), "Ovixian");
}

TEST_F(GlobalSettingsTest, DatabaseErrorsReachTheCaller)
{
    GlobalSettings s;
    EXPECT_THROW(s.LoadSettingsFromDb(), jet::Error); // no CentreInfo table
    Global::DbConnection().execute("CREATE TABLE CentreInfo (CentreName NVARCHAR(255), "
                                   "ABN NVARCHAR(255))");
    Global::DbConnection().execute("INSERT INTO CentreInfo (CentreName, ABN) VALUES ('C', '1')");
    EXPECT_THROW(s.LoadSettingsFromDb(), jet::Error); // a missing column
    EXPECT_EQ(s.Settings(1), "1");                    // what was read before the failure stays
    EXPECT_EQ(errorNumberOf([&] { s.Settings(2); }), CSuperCollection::ErrKeyNotFound);
}

TEST_F(GlobalSettingsTest, LoadGlobalSettingsSetsTheDateFormat)
{
    createCentreInfo();
    Global::DateFormat.clear();
    Global::LoadGlobalSettings();
    EXPECT_EQ(Global::CentreSettings().Settings(66), "Centre 1");
    EXPECT_NE(Global::DateFormat, "DateFormat"); // the shipped language file has one
    EXPECT_FALSE(Global::DateFormat.isEmpty());

    // A language file of the user's own without the entry: the word itself.
    dir.write("home/Language.ini", "[0]\nDateFormat=x\n");
    Global::LoadGlobalSettings();
    EXPECT_EQ(Global::DateFormat, "DateFormat");
}
