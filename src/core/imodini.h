#pragma once

#include <QString>

// Reading one value from an INI-style text file.
namespace imodINI {

// The value of key in [section] of the file: the rest of the first line of the
// section that begins with the key directly followed by "=", exactly as written.
// Section and key match without regard to case; a line holding "[" ends the
// section and is never an entry. A missing file, section or key gives the empty
// text (a missing file is not created). A file that exists but cannot be read
// raises vb::Error 70.
QString ReadIniValue(const QString &filePath, const QString &section, const QString &key);

} // namespace imodINI
