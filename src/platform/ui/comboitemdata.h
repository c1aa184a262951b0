#pragma once

#include <QString>

class QComboBox;

namespace ui {

// The number kept beside each item of a drop-down combo (its item data; 0 when
// never set).
void addComboItem(QComboBox *combo, const QString &text, long data);
long comboItemData(const QComboBox *combo, int index);
void setComboItemData(QComboBox *combo, int index, long data);
// The first item carrying that number, or -1.
int findComboItemData(const QComboBox *combo, long data);

} // namespace ui
