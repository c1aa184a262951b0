#pragma once

#include <QString>

// The print header, footer and background setting of the program's HTML
// printing, in the settings store. The splash saves them and sets its own; the
// way out puts the saved ones back.
namespace imodGlobalSubs {

// Where the settings are kept (modRegistryAPIs: root, company, application,
// then the section and value names below).
inline const QString PageSetupRoot = QStringLiteral("HKCU");
inline const QString PageSetupCompany = QStringLiteral("Ovixian");
inline const QString PageSetupApplication = QStringLiteral("HtmlPrinting");
inline const QString PageSetupSection = QStringLiteral("PageSetup");
inline const QString MainSection = QStringLiteral("Main");

// Reads the three settings into Global::SavedPageFooter, SavedPageHeader and
// SavedPrintBackground (an empty or blank footer becomes "&u &b&bPage &p of &P",
// header "&w") and sets footer and header to " " and backgrounds to "yes".
void SavePageSetup();

// Writes the saved settings back; nothing when SavePageSetup did not run.
void RestorePageSetup();

// Whether SavePageSetup has run since the program started (or since ForgetPageSetup).
bool PageSetupSaved();
// Forgets a save, so that RestorePageSetup writes nothing: the start of every
// splash load, before it saves.
void ForgetPageSetup();

} // namespace imodGlobalSubs
