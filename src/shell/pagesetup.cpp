#include "pagesetup.h"

#include "core/modregistryapis.h"
#include "startupstate.h"

namespace imodGlobalSubs {

namespace {
bool g_saved = false;

QString get(const QString &section, const QString &name, const QString &defaultValue)
{
    return modRegistryAPIs::GetRegValue(PageSetupRoot, PageSetupCompany, PageSetupApplication,
                                        section, name, defaultValue)
        .toString();
}

void put(const QString &section, const QString &name, const QString &value)
{
    modRegistryAPIs::SaveRegValue(PageSetupRoot, PageSetupCompany, PageSetupApplication, section,
                                  name, value);
}
} // namespace

void SavePageSetup()
{
    const QString blank = QStringLiteral(" ");
    Global::SavedPageFooter = get(PageSetupSection, QStringLiteral("footer"), blank);
    Global::SavedPageHeader = get(PageSetupSection, QStringLiteral("header"), blank);
    Global::SavedPrintBackground =
        get(MainSection, QStringLiteral("Print_Background"), QStringLiteral("no"));
    if (Global::SavedPageFooter == blank || Global::SavedPageFooter.isEmpty())
        Global::SavedPageFooter = QStringLiteral("&u &b&bPage &p of &P");
    if (Global::SavedPageHeader == blank || Global::SavedPageHeader.isEmpty())
        Global::SavedPageHeader = QStringLiteral("&w");
    put(PageSetupSection, QStringLiteral("footer"), blank);
    put(PageSetupSection, QStringLiteral("header"), blank);
    put(MainSection, QStringLiteral("Print_Background"), QStringLiteral("yes"));
    g_saved = true;
}

void RestorePageSetup()
{
    if (!g_saved)
        return;
    put(PageSetupSection, QStringLiteral("footer"), Global::SavedPageFooter);
    put(PageSetupSection, QStringLiteral("header"), Global::SavedPageHeader);
    put(MainSection, QStringLiteral("Print_Background"), Global::SavedPrintBackground);
}

void ForgetPageSetup()
{
    g_saved = false;
}

bool PageSetupSaved()
{
    return g_saved;
}

} // namespace imodGlobalSubs
