#pragma once

#include <QString>

class QLabel;

namespace ui {

// The picture loader of picture boxes (labels that show a picture). LoadPicture
// reads the file into the box: a missing file raises vb::Error 53 (File not found),
// a file that is not a picture of a kind Qt reads raises vb::Error 481 (Invalid
// picture); the box then keeps what it showed.
void LoadPicture(QLabel *box, const QString &path);

} // namespace ui
