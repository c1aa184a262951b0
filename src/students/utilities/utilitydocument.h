#pragma once

#include <QStringList>

namespace students {

// Writes the lines, each ended by CR LF, into a new temporary report file and
// shows it in the report viewer, which deletes the file when it closes. A file
// that cannot be written raises vb::Error 75 and shows nothing.
void ShowUtilityDocument(const QStringList &lines);

} // namespace students
