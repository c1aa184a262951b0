#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class QCheckBox;
class QLabel;
class QWidget;

namespace ui {
class DatePicker;
}

// Pick lists of students, families and award levels, the counts behind the
// start-up alerts, and small helpers around controls, files and the keyboard.
namespace imodGlobalSubs {

// Refills the list with students as "Last, First (SID#n)" (firstNameFirst:
// "First Last (SID#n)") and sets the label to "<count> students on file". The
// query is the current students unless sql is given (used as it is; its first
// three columns are the StudentID, first and last name). The text shown before
// is put back; when it matches no item and the index selected before was above
// 0, that index is selected again while the list is long enough. Every failure
// is skipped and the next step goes on.
void FillStudentList(QWidget *list, bool firstNameFirst, QLabel *countLabel,
                     const QString &sql = {});
// The same for families: "(ID#n)" and "<count> families on file".
void FillFamilyList(QWidget *list, bool firstNameFirst, QLabel *countLabel);
// Adds the names of the active levels after the items already there.
void FillLevelList(QWidget *list);

// The bookings whose cancellation date has passed and that are neither
// cancelled nor moved.
int CountDueCancellations();
// The recurring charges due today or earlier that have not been run. The
// ChargeDate table is created when it is missing (the count is then 0). Any other
// failure is shown in an "Oops!" box and gives no value.
std::optional<int> CountDueCharges();

// The colour of a booking status as the decimal text of its colour number
// (0x00BBGGRR): "Confirmed" white, "Moved" light green ... any other status,
// "Catch Up" included, dark red "192". The status is matched exactly.
QString GetStatusColour(const QString &status);
// "COMPETENT" gives "C", "ACHIEVED" "Pass", "NOT YET COMPETENT" "NYC" (in any
// case); any other word comes back unchanged.
QString NormaliseResultWord(const QString &word);

// Shifts every character's code (in the 8-bit Windows code page) by the key:
// lowered by it when down is true, raised when false, so the two directions undo
// each other. A code pushed outside 0 to 255 raises vb::Error 5.
QString ShiftString(const QString &text, bool down, int key);

// Select an item (-1 none): 0, or the number of the error the control raised
// (380 for an index outside the list), the selection then unchanged.
int SetListIndex(QWidget *list, int index);
int SetComboIndex(QWidget *combo, int index);
// 0 when a file exists at the path, -1 when none does (a folder does not count).
int CheckFileExists(const QString &path);
bool IsCapsLockOn();
// The day shown by the picker, without a time. A failure (an empty picker) is
// shown in a "Date Error" box and gives the zero date.
QDateTime GetPickerDate(ui::DatePicker *picker);

} // namespace imodGlobalSubs

namespace Global {

// Unloads every loaded window of that name (exact case); how many went.
int UnloadFormsByName(const QString &formName);
// Whether the check box is checked (grey is not).
bool IsChecked(const QCheckBox *checkBox);
// The offset plus the place of a single letter A to Z (any case) counted from A as
// 0: "c" with offset 1 gives 3; 0 for any other text.
int ColumnNumberForLetter(const QString &letter, int offset);
// The state of a membership: type 0 "<n> visits left.", type 1 its expiry date
// (StartDate plus Duration days) as a short date, 2 "No Expiry Date", else
// "Expiry Unknown".
QString GetMembershipStatusText(qint32 memType, const QDateTime &startDate, int duration,
                                int visitsUsed);

} // namespace Global
