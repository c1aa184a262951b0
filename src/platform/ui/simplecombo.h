#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace ui {

// A simple combo: an edit line over a list that is always open. The list is kept
// sorted (without regard to case); as the user types, the list scrolls to and
// marks the first item that begins with the text, while the typed text stays as
// typed. Choosing an item puts its text into the line. Each item carries a
// number beside its text (its item data).
class SimpleCombo : public QWidget
{
    Q_OBJECT
public:
    explicit SimpleCombo(QWidget *parent = nullptr);

    // Adds an item in its sorted place and gives its index.
    int addItem(const QString &text, long data = 0);
    // Adds many items and sorts the list once (a long list fills in one pass).
    void addItems(const QList<QPair<QString, long>> &items);
    void clear();
    int count() const;
    QString list(int index) const;
    long itemData(int index) const;
    void setItemData(int index, long data);

    QString text() const;
    void setText(const QString &text);
    // The item whose text equals the line's text (without regard to case), or -1.
    int listIndex() const;
    // Selects an item and puts its text into the line; -1 clears both.
    void setListIndex(int index);

    QLineEdit *lineEdit() const { return m_edit; }
    QListWidget *listWidget() const { return m_list; }

signals:
    // The text changed, by typing or by code.
    void change();
    // An item was chosen in the list.
    void click();

private:
    void follow(const QString &typed);

    QLineEdit *m_edit;
    QListWidget *m_list;
    bool m_choosing = false;
};

} // namespace ui
