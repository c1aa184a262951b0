#pragma once

#include <QString>

class QLabel;
class QWidget;

// The labels the windows share.
namespace ui {

// A label whose text wraps at the window's width.
QLabel *wrappedLabel(const QString &text, QWidget *parent);
// A window's large bold heading.
QLabel *headingLabel(const QString &text, QWidget *parent);
// A bold heading of the normal size, above one part of a window.
QLabel *sectionLabel(const QString &text, QWidget *parent);

} // namespace ui
