#pragma once

#include <QString>

class QObject;

namespace ui {

// The free text every control carries for the program's own use (its "Tag"),
// kept as the dynamic property "Tag".
QString tag(const QObject *control);
void setTag(QObject *control, const QString &text);

} // namespace ui
