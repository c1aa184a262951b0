// Marking attendance by clicks on an attendance grid: the status cycle of a
// session cell, a whole session from the header row, and the passport cycle.
#include "attendance.h"

#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/form.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCheckBox>

namespace imodEnrolments {

namespace {

const QString AttendanceMode = QStringLiteral("Attendance");
const QString DiscountAbsenceMode = QStringLiteral("Enrolment (discount absence)");

// An error of this file's own: a ledger row that could not be written (the money
// services have said why), so that the change it belongs to is undone.
[[noreturn]] void ledgerNotWritten()
{
    throw vb::Error(vb::err::ApplicationDefined,
                    QStringLiteral("The session's ledger row could not be written"));
}

// What marking a session needs to know of its booking.
struct SessionContext
{
    qint32 bookingId = 0;
    qint32 studentId = 0;
    qint32 programId = 0;
    QString mode;
    vb::Currency charge;
};

SessionContext contextOf(qint32 bookingId)
{
    SessionContext s;
    s.bookingId = bookingId;
    const qint32 classId = GetBookingClassID(bookingId);
    s.studentId = imodStudents::GetStudentIDFromBooking(bookingId);
    s.programId = imodClasses::GetClassProgramId(classId);
    s.mode = imodClasses::GetClassChargeMode(classId);
    s.charge = imodClasses::GetClassSessionCharge(classId);
    return s;
}

vb::Currency chargeAmountOf(qint32 paymentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PaymentID, ChargeAmount FROM Payments WHERE PaymentID = %1;")
            .arg(paymentId));
    return rs->eof() ? vb::Currency() : vb::CCur(vb::Nz(rs->value(1), 0));
}

// The session's ledger row ends at the amount: the row found for the session is
// set to it, else a new row is added with the attendance row's ID.
void postSessionRow(const SessionContext &s, int session, vb::Currency amount, qint32 attendanceId)
{
    const qint32 paymentId = Global::SessionPaymentExists(s.bookingId, session);
    if (paymentId != 0) {
        // SetChargeAmount adds: the difference brings the row to the amount.
        imodMoney::SetChargeAmount(paymentId, amount - chargeAmountOf(paymentId));
        return;
    }
    const double rate = imodPrograms::GetProgramGstRate(s.programId);
    if (!imodMoney::AddCharge(imodMoney::PaymentRowType::Charge, amount,
                              amount * vb::Currency(rate),
                              imodPrograms::GetProgramRevenueAccount(s.programId), s.bookingId,
                              s.studentId, attendanceId, imodPrograms::GetProgramTaxCode(s.programId),
                              QString()))
        ledgerNotWritten();
}

// Removes the session's ledger row, if any.
void removeSessionRow(const SessionContext &s, int session)
{
    const qint32 paymentId = Global::SessionPaymentExists(s.bookingId, session);
    if (paymentId == 0)
        return;
    imodMoney::DeletePaymentRow(paymentId);
    // The delete reports nothing: a row still there is a failure.
    if (Global::SessionPaymentExists(s.bookingId, session) == paymentId)
        ledgerNotWritten();
}

// Writes the status word into the booking's first Attend row of the session, or
// deletes that row when the word is empty; false when there is no such row.
bool changeMark(qint32 bookingId, int session, const QString &status)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Attend.* FROM Attend WHERE BKID=%1;").arg(bookingId));
    for (; !rs->eof(); rs->moveNext()) {
        if (vb::CLng(vb::Nz(rs->value(2), 0)) != session)
            continue;
        if (status.isEmpty()) {
            rs->deleteRecord();
        } else {
            rs->setValue(4, status);
            rs->update();
        }
        return true;
    }
    return false;
}

struct KeyColours
{
    QColor attended, dna, sick, absent, called;
};

KeyColours keyColours(QWidget *host)
{
    return {ui::squareFillColor(host, QStringLiteral("shpAttended")),
            ui::squareFillColor(host, QStringLiteral("shpDNA")),
            ui::squareFillColor(host, QStringLiteral("shpSick")),
            ui::squareFillColor(host, QStringLiteral("shpAbsent")),
            ui::squareFillColor(host, QStringLiteral("shpCalled"))};
}

// The last column of the block whose header row is given: its "Owing" column, the
// last header cell that holds a text.
int owingColumnOf(ui::FlexGrid *grid, int headerRow)
{
    for (int c = grid->cols() - 1; c > 0; --c) {
        if (!grid->textMatrix(headerRow, c).isEmpty())
            return c;
    }
    return grid->cols() - 1;
}

// The passport cycle None -> In -> Out -> None, with the fee offered on the way to In.
void stepPassport(ui::FlexGrid *grid, int row)
{
    const qint32 bookingId = vb::CLng(grid->textMatrix(row, 1));
    const qint32 studentId = GetBookingStudentID(bookingId);
    QString code;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT StudentID, Issued FROM Students WHERE StudentID=") +
            Global::SqlNumber(studentId) + QLatin1Char(';'));
        if (rs->eof())
            return;
        const int issued = vb::CLng(vb::Nz(rs->value(1), 0));
        const int next = issued == 2 ? 0 : (issued == 1 ? 2 : 1);
        rs->setValue(1, next);
        rs->update();
        code = imodStudents::PassportCodeFor(next);
    }
    grid->setText(code);

    GlobalSettings &settings = Global::CentreSettings();
    const vb::Currency fee = vb::CCur(vb::Nz(settings.Settings(CentreSettingIds::JoiningFee), 0));
    if (code != QLatin1String("In") || fee == vb::Currency())
        return;
    const QString prompt =
        QStringLiteral("You have just issued a passport for this student. Would you like to "
                       "charge the ") +
        vb::Format(QVariant::fromValue(fee), QStringLiteral("$#,###,##0.00;-#,###,##0.00")) +
        QStringLiteral(" passport fee now?");
    if (ui::Dialogs::msgBox(prompt, ui::vbYesNo | ui::vbQuestion, QStringLiteral("Charge Fee?")) !=
        ui::vbYes)
        return;
    const QString taxCode =
        vb::CStr(vb::Nz(settings.Settings(CentreSettingIds::JoiningFeeTaxCode)));
    const vb::Currency rate(Global::GetTaxRate(taxCode));
    // The fee includes its tax.
    const vb::Currency tax = fee - fee / (vb::Currency(1) + rate);
    imodMoney::AddCharge(imodMoney::PaymentRowType::Charge, fee, tax,
                         vb::CStr(vb::Nz(settings.Settings(CentreSettingIds::JoiningFeeAccount))),
                         0, studentId, 0, taxCode, imodMoney::PassportFeeNotes);
}

// Marks every unmarked booking of the block "Attended" in the column's session,
// all rows or none.
void markWholeSession(QWidget *host, ui::FlexGrid *grid, int headerRow, int column)
{
    QList<int> painted;
    bool failed = false;
    {
        Global::DbTransaction transaction;
        int row = headerRow;
        while (row < grid->rows() - 1 && !grid->mergeRow(row)) {
            ++row;
            if (grid->hasCellBackColor(row, column))
                continue;
            grid->setGridRow(row);
            const SessionContext s = contextOf(vb::CLng(grid->textMatrix(row, 1)));
            if (!WriteAttendRow(s.bookingId, column - 1, grid, s.mode, s.programId, s.studentId,
                                host, column, s.charge)) {
                failed = true;
                break;
            }
            painted << row;
        }
        if (!failed)
            transaction.commit();
    }
    if (failed) {
        for (int row : painted)
            grid->setCellBackColor(row, column, QColor());
    }
}

// One step of a booking's mark in a session, with the ledger row it carries.
void stepMark(QWidget *host, ui::FlexGrid *grid, int row, int column, int &phase)
{
    phase = 7;
    const SessionContext s = contextOf(vb::CLng(grid->textMatrix(row, 1)));
    const int session = column - 1;
    const KeyColours key = keyColours(host);
    if (!grid->hasCellBackColor(row, column)) {
        phase = 8;
        WriteAttendRow(s.bookingId, session, grid, s.mode, s.programId, s.studentId, host, column,
                       s.charge);
        return;
    }

    const QColor colour = grid->cellBackColor(row, column);
    QString next;
    QColor after;
    bool changed = false;
    Global::DbTransaction transaction;
    if (colour == key.attended) {
        phase = 9;
        next = AttendanceStatus::DNA;
        after = key.dna;
        changed = changeMark(s.bookingId, session, next);
        phase = 10;
        if (s.mode == AttendanceMode) {
            removeSessionRow(s, session);
        } else if (s.mode == DiscountAbsenceMode) {
            // A missed session is credited one session's charge.
            postSessionRow(s, session, -s.charge, Global::GetAttendanceId(s.bookingId, session));
        }
    } else if (colour == key.dna) {
        phase = 11;
        next = AttendanceStatus::Sick;
        after = key.sick;
        changed = changeMark(s.bookingId, session, next);
    } else if (colour == key.sick) {
        phase = 12;
        next = AttendanceStatus::Absent;
        after = key.absent;
        changed = changeMark(s.bookingId, session, next);
    } else if (colour == key.absent) {
        phase = 13;
        next = AttendanceStatus::Other;
        after = key.called;
        changed = changeMark(s.bookingId, session, next);
        if (s.mode == DiscountAbsenceMode)
            removeSessionRow(s, session);
    } else if (colour == key.called) {
        phase = 14;
        changed = changeMark(s.bookingId, session, QString());
    } else {
        return; // a heading or any other colour
    }
    transaction.commit();
    // Without a mark to change the cell keeps its colour (the ledger step still ran).
    if (changed)
        grid->setCellBackColor(row, column, after);
}

void refreshClassView(QWidget *host, ui::FlexGrid *grid)
{
    auto *view = qobject_cast<ui::Form *>(host);
    if (!view || view->name() != QLatin1String("frmViewClass"))
        return;
    ui::callByName(view, QStringLiteral("Load_Students"));
    const auto *showAll = view->findChild<QCheckBox *>(QStringLiteral("Check2"));
    LoadAttendanceGrid(vb::CLng(view->recordId()), grid, host,
                       showAll && showAll->isChecked() ? 1 : 0, -1);
}

} // namespace

bool WriteAttendRow(qint32 bookingId, int session, ui::FlexGrid *grid, const QString &chargeMode,
                    qint32 programId, qint32 studentId, QWidget *host, int column,
                    vb::Currency sessionCharge)
{
    double phase = 0.1;
    try {
        const QColor attended = ui::squareFillColor(host, QStringLiteral("shpAttended"));
        Global::DbTransaction transaction;
        phase = 0.2;
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT * FROM Attend WHERE BKID = %1;").arg(bookingId));
        phase = 0.3;
        rs->addNew();
        phase = 0.4;
        rs->setValue(QStringLiteral("BKID"), bookingId);
        phase = 0.5;
        rs->setValue(QStringLiteral("Session"), session);
        phase = 0.6;
        rs->setValue(QStringLiteral("Status"), AttendanceStatus::Attended);
        phase = 0.7;
        rs->update();
        phase = 0.8;
        const qint32 attendanceId = vb::CLng(rs->value(QStringLiteral("AttendanceID")));
        phase = 0.9;
        rs.reset();

        phase = 2;
        if (chargeMode == AttendanceMode) {
            phase = 3;
            SessionContext s;
            s.bookingId = bookingId;
            s.studentId = studentId;
            s.programId = programId;
            phase = Global::SessionPaymentExists(bookingId, session) != 0 ? 5 : 4;
            postSessionRow(s, session, sessionCharge, attendanceId);
        }
        transaction.commit();
        phase = 1;
        grid->setGridCol(column);
        grid->setCellBackColor(grid->gridRow(), column, attended);
        return true;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when marking the attendance.\r\n"
                                           "Phase#") +
                                QString::number(phase) + QStringLiteral(" / Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QStringLiteral(".\r\nThe attendance may not have been recorded "
                                               "successfully."),
                            ui::vbExclamation, QStringLiteral("Marking Attendance"));
        return false;
    }
}

void MarkGridAttendance(QWidget *host, ui::FlexGrid *grid, int headerRow)
{
    int phase = 1;
    try {
        const int row = grid->gridRow(), column = grid->gridCol();
        if (grid->hasCellBackColor(row, column) &&
            grid->cellBackColor(row, column) == NotASessionColor)
            return;
        if (grid->text().size() > 10)
            return;
        // The block's own last columns: cells right of its "Owing" are no cells of it.
        const int owingColumn = owingColumnOf(grid, headerRow);
        if (column >= owingColumn)
            return;
        phase = 2;
        if (column == owingColumn - 1 && row == headerRow)
            return;

        phase = 3;
        phase = 4;
        if (column == owingColumn - 1) {
            phase = 5;
            stepPassport(grid, row);
        } else if (row == headerRow) {
            if (column > 1) {
                phase = 6;
                markWholeSession(host, grid, headerRow, column);
            }
        } else if (column > 1) {
            stepMark(host, grid, row, column, phase);
        }

        phase = 15;
        refreshClassView(host, grid);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred in MarkAttendance.\r\nPhase#") +
                                QString::number(phase) + QStringLiteral("/Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QLatin1Char('.'),
                            ui::vbExclamation, QStringLiteral("Unexpected error"));
    }
}

} // namespace imodEnrolments
