#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace core {

// The list operations the program uses, the same on its three kinds of list
// control: a list box (QListWidget), a combo box (QComboBox) and the simple
// combo (ui::SimpleCombo). Any other widget raises vb::Error 438.
int listCount(QWidget *list);
void listClear(QWidget *list);
// Adds an item at the end, or in its place in a sorted list; the selection stays
// as it was (none in an empty list).
void listAddItem(QWidget *list, const QString &text);
// The same with a number kept beside the item (its item data); gives the index at
// which the item was placed.
int listAddItem(QWidget *list, const QString &text, qint32 data);
// Adds many items with their numbers as listAddItem does one by one; the simple
// combo sorts them once.
void listAddItems(QWidget *list, const QList<QPair<QString, qint32>> &items);
// The number kept beside an item (0 when none was given); an index outside the
// list raises vb::Error 381.
qint32 listItemData(QWidget *list, int index);
// A sorted list places every added item in the order of the texts, compared
// without regard to case (a list box or combo box; the simple combo is never sorted).
void setListSorted(QWidget *list, bool sorted);
QString listItem(QWidget *list, int index);

// The selected item, -1 when none.
int listIndex(QWidget *list);
// Selects an item; -1 selects nothing. An index outside the list raises
// vb::Error 380 and leaves the selection as it was.
void setListIndex(QWidget *list, int index);

// A combo box's text (a list box's selected item).
QString listText(QWidget *list);
// Puts text into a combo box: the item of that text (without regard to case)
// becomes the selected one, or none is selected when no item has it. A list box
// selects the item of that text when there is one and keeps its selection else.
void setListText(QWidget *list, const QString &text);

} // namespace core
