#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace ui {

// A push button with its caption and its control name (the name other windows and
// tests reach it by: "cmdSave").
QPushButton *namedButton(const QString &caption, const QString &name, QWidget *parent);

} // namespace ui
