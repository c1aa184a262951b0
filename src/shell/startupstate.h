#pragma once

#include <QString>

// State of the start-up that lives for the whole run.
namespace Global {

// Set by the data-file loader at the start of every load and never cleared: the
// data-file window then no longer loads the remembered file by itself.
inline bool DataFileLoaded = false;

// The print settings of our HTML printing as they were when the program started;
// written back on the way out (imodGlobalSubs::RestorePageSetup).
inline QString SavedPageFooter;
inline QString SavedPageHeader;
inline QString SavedPrintBackground;

} // namespace Global
