#pragma once

#include <QString>

namespace core {

// The number in a list entry after its marker ("(ID#", "(SID#", "(AID" ...) up to
// the next ")": the last marker of the text counts, so a name holding the marker
// does not mislead it. 0 when the text has no marker or no number there.
qint32 NumberAfterMarker(const QString &text, const QString &marker);

} // namespace core
