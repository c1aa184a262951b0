#include "centresettings.h"

#include "core/imodlanguage.h"

namespace Global {

GlobalSettings &CentreSettings()
{
    static GlobalSettings instance;
    return instance;
}

void LoadGlobalSettings()
{
    CentreSettings().LoadSettingsFromDb();
    DateFormat = imodLanguage::Translate(QStringLiteral("DateFormat"));
}

} // namespace Global
