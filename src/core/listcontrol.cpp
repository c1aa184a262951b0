#include "listcontrol.h"

#include "platform/ui/comboitemdata.h"
#include "platform/ui/simplecombo.h"
#include "platform/vb/error.h"

#include <QComboBox>
#include <QListWidget>

namespace core {

namespace {

[[noreturn]] void unsupported()
{
    throw vb::Error(vb::err::ObjectDoesNotSupport);
}

void checkIndex(int index, int count)
{
    if (index < -1 || index >= count)
        throw vb::Error(380);
}

const char *const SortedProperty = "ovixSortedList";

bool isSorted(const QWidget *list)
{
    return list->property(SortedProperty).toBool();
}

// Where a new item of that text goes in a sorted list: after every item whose
// text does not come later.
template <class Text> int sortedPosition(int count, Text itemText, const QString &text)
{
    int position = count;
    while (position > 0 && itemText(position - 1).compare(text, Qt::CaseInsensitive) > 0)
        --position;
    return position;
}

// Adds the item and gives its index; the selection stays as it was.
int addItem(QWidget *list, const QString &text, const QVariant &data)
{
    if (auto *l = qobject_cast<QListWidget *>(list)) {
        const int position = isSorted(list)
                                 ? sortedPosition(
                                       l->count(), [l](int i) { return l->item(i)->text(); }, text)
                                 : l->count();
        auto *item = new QListWidgetItem(text);
        if (data.isValid())
            item->setData(Qt::UserRole, data);
        l->insertItem(position, item);
        return position;
    }
    if (auto *c = qobject_cast<QComboBox *>(list)) {
        // Adding an item never selects it (a combo box selects its first item itself).
        const int selected = c->currentIndex();
        const int position = isSorted(list)
                                 ? sortedPosition(
                                       c->count(), [c](int i) { return c->itemText(i); }, text)
                                 : c->count();
        const bool blocked = c->blockSignals(true);
        c->insertItem(position, text, data);
        c->setCurrentIndex(selected >= position && selected >= 0 ? selected + 1 : selected);
        c->blockSignals(blocked);
        return position;
    }
    if (auto *s = qobject_cast<ui::SimpleCombo *>(list)) {
        return s->addItem(text, long(data.toLongLong()));
    }
    unsupported();
}

} // namespace

int listCount(QWidget *list)
{
    if (auto *l = qobject_cast<QListWidget *>(list))
        return l->count();
    if (auto *c = qobject_cast<QComboBox *>(list))
        return c->count();
    if (auto *s = qobject_cast<ui::SimpleCombo *>(list))
        return s->count();
    unsupported();
}

void listClear(QWidget *list)
{
    if (auto *l = qobject_cast<QListWidget *>(list))
        l->clear();
    else if (auto *c = qobject_cast<QComboBox *>(list))
        c->clear();
    else if (auto *s = qobject_cast<ui::SimpleCombo *>(list))
        s->clear();
    else
        unsupported();
}

void listAddItem(QWidget *list, const QString &text)
{
    addItem(list, text, QVariant());
}

int listAddItem(QWidget *list, const QString &text, qint32 data)
{
    return addItem(list, text, QVariant::fromValue(qlonglong(data)));
}

void listAddItems(QWidget *list, const QList<QPair<QString, qint32>> &items)
{
    if (auto *s = qobject_cast<ui::SimpleCombo *>(list)) {
        QList<QPair<QString, long>> all;
        all.reserve(items.size());
        for (const auto &[text, data] : items)
            all.append({text, long(data)});
        s->addItems(all);
        return;
    }
    for (const auto &[text, data] : items)
        listAddItem(list, text, data);
}

qint32 listItemData(QWidget *list, int index)
{
    if (index < 0 || index >= listCount(list))
        throw vb::Error(381, QStringLiteral("Invalid property array index"));
    if (auto *l = qobject_cast<QListWidget *>(list))
        return qint32(l->item(index)->data(Qt::UserRole).toLongLong());
    if (auto *c = qobject_cast<QComboBox *>(list))
        return qint32(ui::comboItemData(c, index));
    return qint32(static_cast<ui::SimpleCombo *>(list)->itemData(index));
}

void setListSorted(QWidget *list, bool sorted)
{
    list->setProperty(SortedProperty, sorted);
}

QString listItem(QWidget *list, int index)
{
    checkIndex(index, listCount(list));
    if (index < 0)
        return {};
    if (auto *l = qobject_cast<QListWidget *>(list))
        return l->item(index)->text();
    if (auto *c = qobject_cast<QComboBox *>(list))
        return c->itemText(index);
    return static_cast<ui::SimpleCombo *>(list)->list(index);
}

int listIndex(QWidget *list)
{
    if (auto *l = qobject_cast<QListWidget *>(list))
        return l->currentRow();
    if (auto *c = qobject_cast<QComboBox *>(list))
        return c->currentIndex();
    if (auto *s = qobject_cast<ui::SimpleCombo *>(list))
        return s->listIndex();
    unsupported();
}

void setListIndex(QWidget *list, int index)
{
    checkIndex(index, listCount(list));
    if (auto *l = qobject_cast<QListWidget *>(list)) {
        l->setCurrentRow(index);
        if (index < 0)
            l->clearSelection();
    } else if (auto *c = qobject_cast<QComboBox *>(list)) {
        c->setCurrentIndex(index);
    } else {
        static_cast<ui::SimpleCombo *>(list)->setListIndex(index);
    }
}

QString listText(QWidget *list)
{
    if (auto *l = qobject_cast<QListWidget *>(list))
        return l->currentItem() && l->currentRow() >= 0 ? l->currentItem()->text() : QString();
    if (auto *c = qobject_cast<QComboBox *>(list))
        return c->currentText();
    if (auto *s = qobject_cast<ui::SimpleCombo *>(list))
        return s->text();
    unsupported();
}

void setListText(QWidget *list, const QString &text)
{
    if (auto *l = qobject_cast<QListWidget *>(list)) {
        for (int i = 0; i < l->count(); ++i) {
            if (l->item(i)->text().compare(text, Qt::CaseInsensitive) == 0) {
                l->setCurrentRow(i);
                return;
            }
        }
    } else if (auto *c = qobject_cast<QComboBox *>(list)) {
        c->setCurrentIndex(c->findText(text, Qt::MatchFixedString));
        if (c->isEditable())
            c->setEditText(text);
    } else if (auto *s = qobject_cast<ui::SimpleCombo *>(list)) {
        s->setText(text);
    } else {
        unsupported();
    }
}

} // namespace core
