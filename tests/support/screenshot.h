#pragma once

#include <QString>

class QWidget;

namespace ovix::test {

// Saves a picture of the window as <OVIXIAN_SCREENSHOTS>/<name>.png when that
// variable names a folder; does nothing otherwise. Gives whether it saved one.
bool saveScreenshot(QWidget *window, const QString &name);

} // namespace ovix::test
