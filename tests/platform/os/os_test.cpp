#include "platform/os/capslock.h"
#include "platform/os/folders.h"
#include "platform/os/language.h"
#include "platform/os/settings.h"
#include "platform/vb/error.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

// Points an environment variable elsewhere for one test and puts it back.
class EnvGuard
{
public:
    EnvGuard(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }
    ovix::test::TempDir dir;
};

} // namespace

TEST_F(SettingsTest, ValuesReadBackAsWrittenWithoutTrailingSpaces)
{
    using os::Settings;
    Settings::save("Ovix", "Ovix", "WindowPos", "WindowLeft", 1200);
    Settings::save("Ovix", "Ovix", "WindowPos", "WindowTop", "  15  ");
    Settings::save("Microsoft", "Internet Explorer", "PageSetup", "footer", "   ");
    Settings::save("Ovix", "Ovix", "Other/Section", "Key=with;odd chars", "a/b\\c");

    EXPECT_EQ(Settings::get("Ovix", "Ovix", "WindowPos", "WindowLeft").toString(), "1200");
    EXPECT_EQ(Settings::get("Ovix", "Ovix", "WindowPos", "WindowTop").toString(), "  15");
    EXPECT_EQ(
        Settings::get("Microsoft", "Internet Explorer", "PageSetup", "footer", " ").toString(), "");
    EXPECT_EQ(Settings::get("Ovix", "Ovix", "Other/Section", "Key=with;odd chars").toString(),
              "a/b\\c");
    EXPECT_EQ(Settings::number("Ovix", "Ovix", "WindowPos", "WindowLeft", -1), 1200);
    EXPECT_EQ(Settings::number("Ovix", "Ovix", "WindowPos", "WindowTop", -1), 15);
}

TEST_F(SettingsTest, MissingOrUnreadableValuesGiveTheDefault)
{
    using os::Settings;
    Settings::save("Ovix", "Ovix", "WindowPos", "WindowWidth", "wide");
    EXPECT_EQ(Settings::get("Ovix", "Ovix", "WindowPos", "Nothing", "def").toString(), "def");
    EXPECT_EQ(Settings::get("Ovix", "Nope", "WindowPos", "WindowWidth", 7).toInt(), 7);
    EXPECT_FALSE(Settings::get("Ovix", "Ovix", "WindowPos", "Nothing").isValid());
    EXPECT_EQ(Settings::number("Ovix", "Ovix", "WindowPos", "WindowWidth", 42), 42);
    EXPECT_EQ(Settings::number("Ovix", "Ovix", "WindowPos", "Missing", 3), 3);
    // Companies and applications do not share values.
    Settings::save("Ovix", "Other", "WindowPos", "WindowWidth", "9");
    EXPECT_EQ(Settings::get("Ovix", "Ovix", "WindowPos", "WindowWidth").toString(), "wide");
}

TEST(Folders, AppDataFolderComesFromOvixianHomeAndIsCreated)
{
    ovix::test::TempDir dir;
    const QString home = dir.file("nested/home");
    EnvGuard guard("OVIXIAN_HOME", home.toUtf8());
    const QString folder = os::Folders::appData();
    EXPECT_EQ(folder, QDir::cleanPath(home) + "/");
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(Folders, AppDataFolderDefaultsToTheXdgDataFolder)
{
    ovix::test::TempDir dir;
    EnvGuard home("OVIXIAN_HOME", QByteArray());
    EnvGuard xdg("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(os::Folders::appData(), QDir::cleanPath(dir.path()) + "/Ovixian/");
    EXPECT_TRUE(QFileInfo(dir.file("Ovixian")).isDir());
}

TEST(Folders, AppDataFolderThatCannotBeCreatedRaisesAnError)
{
    ovix::test::TempDir dir;
    const QString file = dir.write("plain-file", "x");
    EnvGuard guard("OVIXIAN_HOME", (file + "/below").toUtf8());
    try {
        os::Folders::appData();
        FAIL() << "no error raised";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 75);
    }
}

TEST(Folders, ProgramAndTempFoldersHaveNoTrailingSlash)
{
    EXPECT_TRUE(QFileInfo(os::Folders::program()).isDir());
    EXPECT_FALSE(os::Folders::program().endsWith('/'));
    EXPECT_TRUE(QFileInfo(os::Folders::temp()).isDir());
    EXPECT_FALSE(os::Folders::temp().endsWith('/'));
}

TEST(Language, LocalesMapToWindowsLanguageIds)
{
    const struct
    {
        QLocale locale;
        int id;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::Australia), 3081},
        {QLocale(QLocale::English, QLocale::UnitedStates), 1033},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), 2057},
        {QLocale(QLocale::English, QLocale::NewZealand), 5129},
        {QLocale(QLocale::French, QLocale::Canada), 3084},
        {QLocale(QLocale::German, QLocale::Germany), 1031},
        {QLocale(QLocale::English, QLocale::Jamaica), 1033}, // language known, territory not
        {QLocale(QLocale::French, QLocale::Senegal), 1036},
        {QLocale(QLocale::Zulu, QLocale::SouthAfrica), 1033}, // language not in the table
        {QLocale::c(), 1033},
    };
    for (const auto &c : cases)
        EXPECT_EQ(os::Language::idFor(c.locale), c.id) << c.locale.name().toStdString();
}

TEST(System, CapsLockIsOffWithoutADisplayServer)
{
    EnvGuard guard("DISPLAY", QByteArray());
    EXPECT_FALSE(os::isCapsLockOn());
}
