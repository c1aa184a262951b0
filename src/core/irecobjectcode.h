#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace jet {
class Recordset;
}

// Recordset helpers, single fields by key, lists filled from SQL and the binding
// of a window's controls to the columns of one row.
//
// Binding: a control takes part when its tag (ui::tag), trimmed and in upper
// case, is not empty. The text before the first "/" names the row's column
// (without regard to case); a second part "E" makes the control editable (copied
// into the row when the window saves); "/R" anywhere makes it read-only (left
// alone when the controls are enabled). A control whose name contains "cmd" is
// never copied: buttons use their tag for the window's own state.
namespace irecObjectCode {

// Gives a recordset the program's settings: a static, optimistic recordset on
// Global::DbConnection() (the engine's recordsets are always static and optimistic).
void PrepareRecordset(jet::Recordset &recordset);

// A recordset with the program's settings, open on the statement (passed through
// Global::AdaptSql unless adapt is false). Errors of the engine reach the caller.
std::unique_ptr<jet::Recordset> OpenRecordset(const QString &sql, bool adapt = true);

// The field of the first row whose key column holds the key: as a whole number
// (rounded half to even) or as text; 0 or the empty text when no row has the key.
// Any failure (a bad name, a Null, a value out of range) is shown in an
// "Unexpected Error" box and gives 0 or the empty text.
int GetIntegerField(const QString &table, const QString &keyColumn, qint32 keyValue,
                    const QString &field);
QString GetStringField(const QString &table, const QString &keyColumn, qint32 keyValue,
                       const QString &field);

// Refills a list box or combo box with the first column of the query's rows,
// leaving out empty and Null values, and selects the item that was selected
// before (the first item when the list is now shorter). A failure is shown in an
// "Oops!" box; the list keeps what it held when the failure came. The window
// argument is not used.
void LoadListFromSql(QWidget *form, QWidget *list, const QString &sql);

// Adds the first column of every row of the query to a list box or combo box,
// after clearing it unless keepItems is nonzero. The selection is not touched.
// Failures (a bad statement, a Null value) reach the caller.
void FillListFromSql(QWidget *list, const QString &sql, int keepItems);

// enable true: every bound control whose tag has no "/R" is enabled and gets the
// system's window background colour. enable false: every bound control gets the
// colour (a colour number as text: "12632256", "&HC0C0C0"), or the window's own
// background colour when it is empty; Enabled is not changed. Always 0.
int EnableBoundControls(QWidget *form, bool enable, const QString &colour);

// Copies the value of every editable bound control ("/E") into its column of the
// recordset's current row (an existing row or one just added), in the window's
// control order: the text of a text box or combo box, 0, 1 or 2 of a check box.
// 0, or the number of the error that stopped it (9 for a tag without "/" on a
// control that is not a "cmd" button); the columns copied before then stay
// changed in the pending row. Results are 16-bit: an error number outside that
// range raises vb::Error 6 (Overflow) instead, so that it cannot pass as success.
int SaveFormToRecord(QWidget *form, jet::Recordset &recordset);

// Writes the recordset's pending change: 0, or the error number, 16-bit as above.
int SaveRecordset(jet::Recordset &recordset);

} // namespace irecObjectCode
