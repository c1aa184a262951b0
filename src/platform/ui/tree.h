#pragma once

#include <QTreeWidget>

namespace ui {

// The tree with its nodes found by a key text, as the report tree and the
// mail-merge sources use it. Keys are unique; a node's key is kept in its data, so nodes may
// be removed or cleared with QTreeWidget's own calls.
class Tree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit Tree(QWidget *parent = nullptr);

    // Adds a node below the node with the parent key (at the top when the parent
    // key is empty). Error 35602 when the key is already used, 35601 when the
    // parent key is not found.
    QTreeWidgetItem *addNode(const QString &parentKey, const QString &key, const QString &text);
    QTreeWidgetItem *node(const QString &key) const;
    static QString key(const QTreeWidgetItem *node);
    // The key of the selected node, or the empty text.
    QString selectedKey() const;
};

} // namespace ui
