#pragma once

#include <QString>

class QLabel;
class QWidget;

// The labels the maintenance windows share.
namespace shell {

// A label whose text wraps at the window's width.
QLabel *WrappedLabel(const QString &text, QWidget *parent);
// A window's large bold heading.
QLabel *HeadingLabel(const QString &text, QWidget *parent);

} // namespace shell
