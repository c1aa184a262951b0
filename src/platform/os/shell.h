#pragma once

#include <QString>

namespace os {

// Opens a file (a path) or a web address with the desktop's associated program.
// Gives false when the desktop could not open it.
bool shellOpen(const QString &pathOrAddress);

} // namespace os
