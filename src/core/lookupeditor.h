#pragma once

#include "platform/ui/form.h"
#include "platform/ui/msgbox.h"

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

// What the editors of small tables share (the timetable's lookup tables, tax
// codes, payment methods, discounts): a list of the table's rows beside the fields
// of the row shown, New, Edit, Save and Delete, a browse state and an adding or
// editing state, the closing question and, for the timetable's editors, the
// refresh of the class search window when the editor closes. A window gives its
// list statement, how it shows, checks, writes and deletes a row, and its texts.
class LookupEditor : public ui::Form
{
    Q_OBJECT
public:
    // A refusal or failure the editor shows: a warning titled "Oops!" unless the
    // window gives its own title and icon, and the box that takes the focus first.
    struct Message
    {
        Message() = default;
        Message(const QString &text) : text(text) {}
        Message(const QString &text, const QString &title, int icon, QWidget *focus = nullptr)
            : text(text), title(title), icon(icon), focus(focus)
        {}
        bool isEmpty() const { return text.isEmpty(); }

        QString text;
        QString title = QStringLiteral("Oops!");
        int icon = ui::vbExclamation;
        QWidget *focus = nullptr;
    };

    // How the list is filled: leaving out empty entries and showing an "Oops!" box
    // on a failure (irecObjectCode::LoadListFromSql), or taking every row
    // (irecObjectCode::FillListFromSql).
    enum class ListFill { LoadListFromSql, FillListFromSql };

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
    // A control enabled only while adding or editing / only in browse. A painted
    // control takes the colours of the name boxes.
    void addEditControl(QWidget *control, bool painted = false);
    void addBrowseControl(QWidget *control);

    // Empties the list, fills it from the list statement, selects the first entry
    // and shows it; the fields are emptied first, so an empty table shows none.
    // Without selectFirst the list is left without a selection and the fields keep
    // what they show.
    void LoadList(bool selectFirst = true);
    void setListFill(ListFill fill) { m_fill = fill; }
    // Whether a successful save reloads the list showing its first entry (the
    // default) or without a selection, the fields keeping the saved row.
    void setSelectAfterSave(bool selectFirst) { m_selectAfterSave = selectFirst; }
    void SetEditMode(bool editing);
    // Shows the row of the selected entry; the handlers of the lists call it.
    void showSelected();
    // A warning titled "Oops!"; a message with its own title, icon and focus.
    static void warn(const QString &text);
    static void showMessage(const Message &message);
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
    // values, a duplicate name), or the empty text. An error raised here is
    // reported by saveError.
    virtual Message saveRefusal() = 0;
    // Writes the row: the empty text when stored, else the warning of a failure the
    // window detects itself. An error raised here is reported by saveError.
    virtual Message writeRow() = 0;
    // The message of an error raised while writing: "An unexpected error occurred
    // (number) when saving the <kind>.".
    virtual Message saveError(const core::ErrorInfo &error) const;
    // The warning that refuses a deletion (classes still use the row), or the
    // empty text.
    virtual Message deleteRefusal() { return {}; }
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
    QList<QWidget *> m_paintedControls;
    ListFill m_fill = ListFill::LoadListFromSql;
    bool m_selectAfterSave = true;
    QList<QWidget *> m_browseControls;
};
