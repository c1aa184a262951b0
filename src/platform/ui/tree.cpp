#include "tree.h"

#include "platform/vb/error.h"

#include <QTreeWidgetItemIterator>

namespace ui {

namespace {
constexpr int KeyRole = Qt::UserRole + 1;
}

Tree::Tree(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
}

QTreeWidgetItem *Tree::addNode(const QString &parentKey, const QString &key, const QString &text)
{
    if (!key.isEmpty() && node(key))
        throw vb::Error(35602, QStringLiteral("Key is not unique in collection"));
    QTreeWidgetItem *parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = node(parentKey);
        if (!parent)
            throw vb::Error(35601, QStringLiteral("Element not found"));
    }
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    return item;
}

QTreeWidgetItem *Tree::node(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<Tree *>(this)); *it; ++it) {
        if ((*it)->data(0, KeyRole).toString() == key)
            return *it;
    }
    return nullptr;
}

QString Tree::key(const QTreeWidgetItem *node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QString Tree::selectedKey() const
{
    return key(currentItem());
}

} // namespace ui
