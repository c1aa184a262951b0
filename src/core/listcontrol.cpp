#include "listcontrol.h"

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
    if (auto *l = qobject_cast<QListWidget *>(list))
        l->addItem(text);
    else if (auto *c = qobject_cast<QComboBox *>(list)) {
        // Adding an item never selects it (a combo box selects its first item itself).
        const int selected = c->currentIndex();
        c->addItem(text);
        if (c->currentIndex() != selected)
            c->setCurrentIndex(selected);
    } else if (auto *s = qobject_cast<ui::SimpleCombo *>(list))
        s->addItem(text);
    else
        unsupported();
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
