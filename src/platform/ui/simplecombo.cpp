#include "simplecombo.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

// List items sorted without regard to case; equal texts keep their order.
class SortedItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override
    {
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};

constexpr int DataRole = Qt::UserRole;

} // namespace

SimpleCombo::SimpleCombo(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_list(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list);
    m_list->setSortingEnabled(true);
    setFocusProxy(m_edit);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_choosing)
            follow(t);
        emit change();
    });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_choosing = true;
        m_edit->setText(item->text());
        m_choosing = false;
        emit click();
    });
}

int SimpleCombo::addItem(const QString &text, long data)
{
    auto *item = new SortedItem(text);
    item->setData(DataRole, qlonglong(data));
    m_list->addItem(item);
    m_list->sortItems();
    return m_list->row(item);
}

void SimpleCombo::addItems(const QList<QPair<QString, long>> &items)
{
    m_list->setSortingEnabled(false);
    if (m_list->count() == 0) {
        // An empty list takes the items already in order: sorting the texts here
        // is far cheaper than sorting the list's items, each compare of which
        // copies both texts out of the items.
        QList<QPair<QString, long>> sorted = items;
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        for (const auto &[text, data] : sorted) {
            auto *item = new SortedItem(text);
            item->setData(DataRole, qlonglong(data));
            m_list->addItem(item);
        }
        m_list->setSortingEnabled(true);
        return;
    }
    for (const auto &[text, data] : items) {
        auto *item = new SortedItem(text);
        item->setData(DataRole, qlonglong(data));
        m_list->addItem(item);
    }
    m_list->setSortingEnabled(true);
    m_list->sortItems();
}

void SimpleCombo::clear()
{
    m_list->clear();
}

int SimpleCombo::count() const
{
    return m_list->count();
}

QString SimpleCombo::list(int index) const
{
    const QListWidgetItem *item = m_list->item(index);
    return item ? item->text() : QString();
}

long SimpleCombo::itemData(int index) const
{
    const QListWidgetItem *item = m_list->item(index);
    return item ? long(item->data(DataRole).toLongLong()) : 0;
}

void SimpleCombo::setItemData(int index, long data)
{
    if (QListWidgetItem *item = m_list->item(index))
        item->setData(DataRole, qlonglong(data));
}

QString SimpleCombo::text() const
{
    return m_edit->text();
}

void SimpleCombo::setText(const QString &text)
{
    m_edit->setText(text);
}

int SimpleCombo::listIndex() const
{
    const QString t = m_edit->text();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().compare(t, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void SimpleCombo::setListIndex(int index)
{
    QListWidgetItem *item = m_list->item(index);
    m_choosing = true;
    m_list->setCurrentItem(item);
    m_edit->setText(item ? item->text() : QString());
    m_choosing = false;
    if (item)
        m_list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void SimpleCombo::follow(const QString &typed)
{
    if (typed.isEmpty()) {
        m_list->setCurrentItem(nullptr);
        return;
    }
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        if (item->text().startsWith(typed, Qt::CaseInsensitive)) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
    // No item begins with the text: the mark stays where it was.
}

} // namespace ui
