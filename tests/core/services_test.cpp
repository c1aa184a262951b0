#include "core/globalpaths.h"
#include "core/imodini.h"
#include "core/imodlanguage.h"
#include "core/imodprint.h"
#include "core/imodvista.h"
#include "core/modregistryapis.h"
#include "envguard.h"
#include "platform/os/language.h"
#include "platform/ui/printers.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <gtest/gtest.h>

using ovix::test::TempDir;

TEST(GlobalPaths, StripTrailingSlashAndParentFolder)
{
    EXPECT_EQ(Global::StripTrailingSlash("/data/swim/"), "/data/swim");
    EXPECT_EQ(Global::StripTrailingSlash("/data/swim"), "/data/swim");
    EXPECT_EQ(Global::StripTrailingSlash(""), "");
    EXPECT_EQ(Global::StripTrailingSlash("/"), "");

    const struct
    {
        const char *path;
        const char *parent;
    } cases[] = {
        {"/data/swim.mdb", "/data"},
        {"/data/centre/", "/data/centre"},
        {"/swim.mdb", ""},
        {"//server/share/f.mdb", "//server/share"},
        {"swim.mdb", ""},
        {"", ""},
        {"a b/c.d/e.mdb", "a b/c.d"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Global::GetParentFolder(c.path), c.parent) << c.path;
}

class IniTest : public ::testing::Test
{
protected:
    QString write(const char *text) { return dir.write("test.ini", text); }
    TempDir dir;
};

TEST_F(IniTest, ReadsTheFirstMatchingEntryOfTheSection)
{
    const QString ini = write("Postcode=outside any section\n"
                              "[1033]\n"
                              "Postcode=Zip Code\n"
                              "[3081]\r\n"
                              "Mobile =with a space\r\n"
                              "postcode=Post Code  \r\n"
                              "Postcode=second\r\n"
                              "Centre=Cen[tre\r\n"
                              "Cheque=after the bracket line\r\n"
                              "[Other]\n"
                              "Cheque=other\n");
    const struct
    {
        const char *section;
        const char *key;
        const char *value;
    } cases[] = {
        {"3081", "Postcode", "Post Code  "}, // the first line, as written
        {"3081", "POSTCODE", "Post Code  "},
        {"1033", "Postcode", "Zip Code"},
        {"other", "cheque", "other"},
        {"3081", "Mobile", ""}, // a space before "=" is no match
        {"3081", "Centre", ""}, // a line holding "[" is no entry
        {"3081", "Cheque", ""}, // ... and ends the section
        {"3081", "Missing", ""},
        {"9999", "Postcode", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imodINI::ReadIniValue(ini, c.section, c.key), c.value) << c.section << c.key;
}

TEST_F(IniTest, MissingFileGivesNothingAndIsNotCreated)
{
    const QString missing = dir.file("Language.ini");
    EXPECT_EQ(imodINI::ReadIniValue(missing, "3081", "DateFormat"), "");
    EXPECT_FALSE(QFile::exists(missing));
}

class AppDataTest : public ::testing::Test
{
protected:
    TempDir dir;
    EnvGuard home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};

TEST_F(AppDataTest, AppDataFolderIsCreatedAndEndsInASlash)
{
    EXPECT_EQ(imodVista::GetWindowsVersion(), 8);
    const QString folder = imodVista::GetAppDataFolder();
    EXPECT_EQ(folder, dir.path() + "/home/");
    EXPECT_TRUE(QDir(folder).exists());
}

TEST_F(AppDataTest, LanguageFileIsInstalledWithADateFormat)
{
    const QString id = imodLanguage::GetUserLanguageId();
    EXPECT_EQ(id, os::Language::userLanguageId());
    EXPECT_EQ(imodLanguage::GetLocaleText(imodLanguage::LOCALE_ILANGUAGE),
              QString::number(id.toInt(), 16).rightJustified(4, '0'));
    EXPECT_EQ(imodLanguage::GetLocaleText(9999), "");

    // Whatever the user's language, the shipped file has its date pattern.
    const QString format = imodLanguage::Translate("DateFormat");
    EXPECT_NE(format, "DateFormat");
    EXPECT_TRUE(QFile::exists(dir.path() + "/home/Language.ini"));
    const QString file = imodLanguage::LanguageFile();
    EXPECT_EQ(imodINI::ReadIniValue(file, "3081", "DateFormat"), "dd/mm/yyyy");
    EXPECT_EQ(imodINI::ReadIniValue(file, "1033", "DateFormat"), "mm/dd/yyyy");
    EXPECT_EQ(imodLanguage::Translate("Postcode"), "Postcode");
}

TEST_F(AppDataTest, TranslateReadsTheUsersSectionOfAnExistingFile)
{
    const QString id = imodLanguage::GetUserLanguageId();
    dir.write("home/Language.ini", ("[" + id +
                                    "]\nPostcode=Zip Code\ncentre=Center\n"
                                    "Mobile =Cell\n")
                                       .toUtf8());
    EXPECT_EQ(imodLanguage::Translate("Postcode"), "Zip Code");
    EXPECT_EQ(imodLanguage::Translate("Centre"), "Center");
    EXPECT_EQ(imodLanguage::Translate("Mobile"), "Mobile");
    EXPECT_EQ(imodLanguage::Translate("DateFormat"), "DateFormat"); // a file of the user's own
}

TEST(Registry, ValuesReadBackWithoutTrailingSpaces)
{
    TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    using namespace modRegistryAPIs;
    SaveRegValue("HKCU", "Ovix", "Ovix", "WindowPos", "WindowLeft", 1200);
    SaveRegValue("HKCU", "Microsoft", "Internet Explorer", "PageSetup", "footer", "   ");
    SaveRegValue("HKCU", "Microsoft", "Internet Explorer", "PageSetup", "header", "&w  ");
    EXPECT_EQ(GetRegValue("HKCU", "Ovix", "Ovix", "WindowPos", "WindowLeft", 0).toString(), "1200");
    EXPECT_EQ(GetRegValue("HKCU", "Microsoft", "Internet Explorer", "PageSetup", "footer", " "),
              "");
    EXPECT_EQ(GetRegValue("HKCU", "Microsoft", "Internet Explorer", "PageSetup", "header", ""),
              "&w");
    EXPECT_EQ(
        GetRegValue("HKCU", "Microsoft", "Internet Explorer", "Main", "Print_Background", "no"),
        "no");
    EXPECT_EQ(QueryRegValue(HKEY_CURRENT_USER, "Software\\Ovix\\Ovix\\WindowPos", "WindowLeft", 0)
                  .toString(),
              "1200");
    EXPECT_EQ(SetRegString(HKEY_CURRENT_USER, "Software\\Ovix\\Ovix\\WindowPos", "WindowTop", "15"),
              0);
    EXPECT_EQ(GetRegValue("HKCU", "Ovix", "Ovix", "WindowPos", "WindowTop", 0).toString(), "15");
    EXPECT_EQ(TrimAtNull(QString("abc") + QChar(0) + "def"), "abc");
    EXPECT_EQ(TrimAtNull("abc"), "abc");
}

TEST(Vista, SafeSetFocusReportsInsteadOfFailing)
{
    QWidget window;
    auto *box = new QLineEdit(&window);
    EXPECT_EQ(imodVista::SafeSetFocus(box), 5); // its window is hidden
    EXPECT_EQ(imodVista::SafeSetFocus(nullptr), 5);
    window.show();
    EXPECT_EQ(imodVista::SafeSetFocus(box), 0);
    box->setEnabled(false);
    EXPECT_EQ(imodVista::SafeSetFocus(box), 5);
}

TEST(Print, UnknownPrinterNamesChangeNothing)
{
    const QString before = ui::Printers::currentName();
    imodPrint::SetPrinterByName("No Such Printer");
    EXPECT_EQ(ui::Printers::currentName(), before);
    const QString defaultName = imodPrint::GetDefaultPrinterName();
    if (ui::Printers::names().contains(ui::Printers::defaultName()))
        EXPECT_EQ(defaultName, ui::Printers::defaultName());
    else
        EXPECT_EQ(defaultName, "");
}
