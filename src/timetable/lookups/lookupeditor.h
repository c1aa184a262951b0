#pragma once

#include "platform/ui/form.h"

#include <QList>
#include <QString>
#include <memory>

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace jet {
class Recordset;
}

namespace core {
struct ErrorInfo;
}

// What the editors of the timetable's lookup tables share: a list of the table's
// rows beside the fields of the row shown, New, Edit, Save and Delete, a browse
// state and an adding or editing state, the closing question and the refresh of
// the class search window when the editor closes. A window gives its list
// statement, how it shows, checks, writes and deletes a row, and its texts.
class LookupEditor : public ui::Form
{
    Q_OBJECT
public:
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the row was stored; a refused or failed save keeps the window
    // editing with what was typed.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();

    // Adding or editing (the Save button is enabled).
    bool isEditing() const;
    // The add marker: the Save button's tag holds "Add" from New until a save succeeds.
    bool isAdding() const;

    QLabel *Image1;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;

protected:
    // The window's name, caption and the kind of record as its messages name it
    // ("class group", "location" ...); the list gets the name listName.
    LookupEditor(const QString &name, const QString &caption, const QString &kind,
                 const QString &listName);

    QListWidget *listBox() const { return m_list; }
    // Where a window puts its fields, and what goes under its list.
    QFormLayout *fieldsLayout() const { return m_fields; }
    QVBoxLayout *listColumn() const { return m_listColumn; }
    // A name box: editable while adding or editing, read-only in browse.
    void addNameBox(QLineEdit *box);
    // A box that is always read-only (the ID boxes).
    void addReadOnlyBox(QLineEdit *box);
    // A control enabled only while adding or editing / only in browse.
    void addEditControl(QWidget *control);
    void addBrowseControl(QWidget *control);

    // Empties the list, fills it from the list statement, selects the first entry
    // and shows it; the fields are emptied first, so an empty table shows none.
    void LoadList();
    void SetEditMode(bool editing);
    // Shows the row of the selected entry; the handlers of the lists call it.
    void showSelected();
    // A warning titled "Oops!".
    static void warn(const QString &text);
    // The key in a read-only ID box as a number; a box without one raises
    // vb::Error 13, so that a save or delete with no row shown fails.
    static qint32 idOf(const QLineEdit *box);
    // Opens a recordset on the statement (passed through Global::AdaptSql).
    static std::unique_ptr<jet::Recordset> open(const QString &sql);

    // The statement of the list: one text per row.
    virtual QString listSql() const = 0;
    // Looks the row of the entry up and shows it; every field is emptied before
    // it is filled. A row that is not found leaves the fields as they were.
    virtual void showEntry(const QString &entry) = 0;
    // Empties every field.
    virtual void ClearFields() = 0;
    // What New empties; every field unless the window keeps some.
    virtual void clearForNew() { ClearFields(); }
    // The warning that refuses the entries at Save (checks of the names and
    // values, a duplicate name), or the empty text.
    virtual QString saveRefusal() = 0;
    // Writes the row: the empty text when stored, else the warning of a failure the
    // window detects itself. An error raised here is reported as "An unexpected
    // error occurred (number) when saving the <kind>.".
    virtual QString writeRow() = 0;
    // The warning that refuses a deletion (classes still use the row), or the
    // empty text.
    virtual QString deleteRefusal() { return {}; }
    // The statement that opens the row shown for deleting it.
    virtual QString deleteSql() const = 0;
    // The warning shown when deleting failed.
    virtual QString deleteError(const core::ErrorInfo &error) const;
    // Refreshes what the class search window shows of the table.
    virtual void refreshClassSearch() {}

    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;

private:
    QString m_kind;
    QListWidget *m_list;
    QFormLayout *m_fields;
    QVBoxLayout *m_listColumn;
    QList<QLineEdit *> m_nameBoxes;
    QList<QLineEdit *> m_readOnlyBoxes;
    QList<QWidget *> m_editControls;
    QList<QWidget *> m_browseControls;
};
