#pragma once

#include <QString>
#include <QVariant>

// Text and number values kept per user under "Software\company\application\section",
// in the settings store that stands in for the registry.
namespace modRegistryAPIs {

// Root keys. Every root reaches the same per-user store.
constexpr long HKEY_CLASSES_ROOT = 0x80000000L;
constexpr long HKEY_CURRENT_USER = 0x80000001L;
constexpr long HKEY_LOCAL_MACHINE = 0x80000002L;

// Writes the value as text under "Software\company\application\section".
void SaveRegValue(const QString &root, const QString &company, const QString &application,
                  const QString &section, const QString &valueName, const QVariant &value);

// The stored text without its trailing spaces, or the default when there is none.
QVariant GetRegValue(const QString &root, const QString &company, const QString &application,
                     const QString &section, const QString &valueName,
                     const QVariant &defaultValue);

// Writes a text value under a key path such as "Software\Ovix\Ovix\WindowPos";
// 0 (success).
long SetRegString(long rootKey, const QString &keyPath, const QString &valueName,
                  const QString &text);

// Reads a value under a key path; the default when there is none.
QVariant QueryRegValue(long rootKey, const QString &keyPath, const QString &valueName,
                       const QVariant &defaultValue);

// The text up to its first NUL character; the whole text when it has none.
QString TrimAtNull(const QString &text);

} // namespace modRegistryAPIs
