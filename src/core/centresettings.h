#pragma once

#include "core/globalsettings.h"

#include <QString>

// The centre's settings of the open data file and the date format.
namespace Global {

// The one settings object, made on first use and kept for the life of the program.
GlobalSettings &CentreSettings();

// The pattern with which dates are shown: the language file's "DateFormat" for the
// user's language (set by LoadGlobalSettings).
inline QString DateFormat;

// Loads the centre's settings from the open data file and sets DateFormat.
void LoadGlobalSettings();

} // namespace Global
