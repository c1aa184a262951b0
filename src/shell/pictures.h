#pragma once

#include <QPixmap>

// The start-up windows' built-in pictures, drawn by the program itself.
namespace shell::pictures {

// The splash picture: water, the product's name and a line under it.
QPixmap Splash(const QString &productName, const QSize &size = QSize(480, 260));
// The small picture of the progress window.
QPixmap Progress(const QSize &size = QSize(64, 64));
// One of the six pictures of the wait window (index 0 to 5).
QPixmap Waiting(int index, const QSize &size = QSize(64, 64));
// The picture beside the data-file window's buttons.
QPixmap Welcome(const QSize &size = QSize(180, 240));

} // namespace shell::pictures
