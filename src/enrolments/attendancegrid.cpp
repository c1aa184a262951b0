// The attendance grid of a class and the labels of the attendance marks.
#include "attendance.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/tag.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"

#include <QHash>
#include <algorithm>

namespace imodEnrolments {

namespace {

constexpr int NameColumnFloor = 1000;

// The key colour of a status word; invalid for any other word.
QColor markColour(QWidget *host, const QString &status)
{
    static const QList<std::pair<QString, QString>> squares = {
        {AttendanceStatus::Attended, QStringLiteral("shpAttended")},
        {AttendanceStatus::DNA, QStringLiteral("shpDNA")},
        {AttendanceStatus::Sick, QStringLiteral("shpSick")},
        {AttendanceStatus::Absent, QStringLiteral("shpAbsent")},
        {AttendanceStatus::Other, QStringLiteral("shpCalled")},
    };
    for (const auto &[word, square] : squares) {
        if (word == status)
            return ui::squareFillColor(host, square);
    }
    return {};
}

void headerCell(ui::FlexGrid *grid, int row, int col, const QString &text)
{
    grid->setTextMatrix(row, col, text);
    grid->setCellAlignment(row, col, ui::flexAlignCenterCenter);
    grid->setCellBackColor(row, col, grid->backColorFixed());
}

void centred(ui::FlexGrid *grid, int row, int col, const QString &text)
{
    grid->setTextMatrix(row, col, text);
    grid->setCellAlignment(row, col, ui::flexAlignCenterCenter);
}

QString statusCondition()
{
    QStringList words;
    for (const QString &status :
         {BookingStatus::Confirmed, BookingStatus::Tentative, BookingStatus::CatchUp})
        words << QStringLiteral("(((Bookings.Status)=") + Global::SqlText(status) +
                     QStringLiteral("))");
    return words.join(QStringLiteral(" OR "));
}

// The first mark of each booking and session of the class (by AttendanceID).
QHash<QPair<qint32, int>, QString> classMarks(qint32 classId)
{
    QHash<QPair<qint32, int>, QString> marks;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Attend.BKID, Attend.[Session], Attend.Status FROM Attend INNER JOIN "
                       "Bookings ON Attend.BKID = Bookings.BookingID WHERE Bookings.ClassID = ") +
        Global::SqlNumber(classId) + QStringLiteral(" ORDER BY Attend.AttendanceID;"));
    for (; !rs->eof(); rs->moveNext()) {
        const QPair<qint32, int> key(vb::CLng(vb::Nz(rs->value(0), 0)),
                                     vb::CLng(vb::Nz(rs->value(1), 0)));
        if (!marks.contains(key))
            marks.insert(key, vb::CStr(vb::Nz(rs->value(2))));
    }
    return marks;
}

// What each booking of the class owes.
QHash<qint32, vb::Currency> classOwing(qint32 classId)
{
    QHash<qint32, vb::Currency> owing;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Payments.BookingID, Sum(Payments.ChargeAmount), Sum(Payments.Amount), "
                       "Sum(Payments.DiscountAmount), Sum(Payments.DiscountGST) FROM Payments INNER "
                       "JOIN Bookings ON Payments.BookingID = Bookings.BookingID WHERE "
                       "Bookings.ClassID = ") +
        Global::SqlNumber(classId) + QStringLiteral(" GROUP BY Payments.BookingID;"));
    const auto sum = [&rs](int column) { return vb::CCur(vb::Nz(rs->value(column), 0)); };
    for (; !rs->eof(); rs->moveNext())
        owing.insert(vb::CLng(rs->value(0)), imodMoney::NetOwing(sum(1), sum(2), sum(3), sum(4)));
    return owing;
}

} // namespace

int SetUpAttendanceGrid(ui::FlexGrid *grid, int reset, int sessions)
{
    try {
        grid->hide();
        const int cols = sessions + 4;
        if (reset == -1) {
            // Emptied first, so that changing the fixed rows has no cells to keep.
            grid->setRows(grid->fixedRows());
            grid->setFixedRows(0);
            grid->setFixedCols(0);
            grid->setRows(0);
            grid->setRows(1);
            grid->setCols(cols);
            grid->setGridRow(0);
        } else {
            // Below what the grid holds: its fixed rows and columns stay as they are.
            grid->setRows(grid->rows() + 1);
            grid->setCols(std::max(grid->cols(), cols));
            grid->setGridRow(grid->rows() - 1);
        }
        const int row = grid->gridRow();
        headerCell(grid, row, 0, QStringLiteral("Name"));
        headerCell(grid, row, 1, QStringLiteral("BKID"));
        grid->setColWidth(1, 600);
        for (int i = 1; i <= sessions; ++i) {
            headerCell(grid, row, i + 1, QString::number(i));
            grid->setColWidth(i + 1, 400);
        }
        headerCell(grid, row, cols - 1, QStringLiteral("Owing"));
        grid->setColWidth(cols - 1, 750);
        headerCell(grid, row, cols - 2, QStringLiteral("PP"));
        grid->setColWidth(cols - 2, 500);

        int nameWidth = ui::pixelsToTwips(grid->width()) - sessions * 400 - 2250;
        if (nameWidth < NameColumnFloor) {
            nameWidth = NameColumnFloor;
            grid->setScrollBars(1);
        }
        grid->setColWidth(0, nameWidth);
        return 0;
    } catch (...) {
        ui::Hourglass::reset();
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when Setting Up Attendance Grid (Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Set Up Error"));
        return int(e.number);
    }
}

void LoadAttendanceGrid(qint32 classId, ui::FlexGrid *grid, QWidget *host, int showAll, int reset)
{
    ui::Hourglass::show();
    if (classId < 1) {
        ui::Hourglass::reset();
        return;
    }
    try {
        const int sessions = imodClasses::GetClassSessionCount(classId);
        if (SetUpAttendanceGrid(grid, reset, sessions) != 0)
            return;
        const int owingColumn = sessions + 3, passportColumn = sessions + 2;

        QString sql = QStringLiteral(
            "SELECT Bookings.BookingID, Bookings.StudentID, Students.[First Name], "
            "Students.[Last Name], Bookings.ClassID, Bookings.Status, Bookings.SessionNo, "
            "Students.Issued FROM Bookings INNER JOIN Students ON Bookings.StudentID = "
            "Students.StudentID ");
        if (showAll == 1)
            sql += QStringLiteral("WHERE (ClassID=") + Global::SqlNumber(classId) +
                   QStringLiteral(") ORDER BY [First Name], [Last Name];");
        else
            sql += QStringLiteral("WHERE ((ClassID=") + Global::SqlNumber(classId) +
                   QStringLiteral(") AND (") + statusCondition() +
                   QStringLiteral(")) ORDER BY Students.[First Name], Students.[Last Name];");

        const QHash<QPair<qint32, int>, QString> marks = classMarks(classId);
        const QHash<qint32, vb::Currency> owing = classOwing(classId);
        QHash<QString, QColor> colours;
        const auto colourOf = [&](const QString &status) {
            auto it = colours.find(status);
            if (it == colours.end())
                it = colours.insert(status, markColour(host, status));
            return *it;
        };

        auto rs = irecObjectCode::OpenRecordset(sql);
        for (; !rs->eof(); rs->moveNext()) {
            const qint32 bookingId = vb::CLng(rs->value(0));
            const QString status = vb::CStr(vb::Nz(rs->value(5)));
            const int sessionNo = vb::CLng(vb::Nz(rs->value(6), 0));
            grid->setRows(grid->rows() + 1);
            const int row = grid->rows() - 1;
            grid->setTextMatrix(row, 0,
                                vb::CStr(vb::Nz(rs->value(2))) + QLatin1Char(' ') +
                                    vb::CStr(vb::Nz(rs->value(3))));
            centred(grid, row, 1, QString::number(bookingId));

            QString letter;
            if (status == BookingStatus::NoShow || status == BookingStatus::Cancelled ||
                status == BookingStatus::Moved)
                letter = status.left(1);
            for (int i = 1; i <= sessions; ++i) {
                const int col = i + 1;
                if (status == BookingStatus::CatchUp && sessionNo != i)
                    grid->setCellBackColor(row, col, NotASessionColor);
                const auto mark = marks.constFind({bookingId, i});
                if (mark != marks.constEnd()) {
                    const QColor colour = colourOf(*mark);
                    if (colour.isValid())
                        grid->setCellBackColor(row, col, colour);
                }
                if (!letter.isEmpty())
                    centred(grid, row, col, letter);
            }
            centred(grid, row, owingColumn,
                    vb::Format(QVariant::fromValue(owing.value(bookingId)),
                               QStringLiteral("$#,###,##0.00;-$#,###,##0.00")));
            centred(grid, row, passportColumn, imodStudents::PassportCodeFor(rs->value(7)));
        }

        grid->setRows(grid->rows() + 1);
        const int closing = grid->rows() - 1;
        grid->setRowHeightTwips(closing, 0);
        for (int col = 0; col < grid->cols(); ++col)
            grid->setCellBackColor(closing, col, NotASessionColor);

        ui::Hourglass::reset();
        ui::setTag(grid, QStringLiteral("Loaded"));
        grid->show();
    } catch (...) {
        ui::Hourglass::reset();
        const core::ErrorInfo e = core::currentError();
        QString caption;
        try {
            caption = imodClasses::GetClassCaption(classId);
        } catch (...) {
        }
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the attendance grid. \r\n"
                                           "Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QStringLiteral(".\r\nThe ") + caption +
                                QStringLiteral(" class may not display correctly."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

QString GetAttendanceLabel(const QString &status)
{
    int id = 0;
    if (status == AttendanceStatus::Attended)
        id = CentreSettingIds::Attended;
    else if (status == AttendanceStatus::DNA)
        id = CentreSettingIds::DNA;
    else if (status == AttendanceStatus::Sick)
        id = CentreSettingIds::Sick;
    else if (status == AttendanceStatus::Absent)
        id = CentreSettingIds::Absent;
    else if (status == AttendanceStatus::Other)
        id = CentreSettingIds::Contacted;
    else
        return status;
    return vb::CStr(vb::Nz(Global::CentreSettings().Settings(id)));
}

QString GetSessionStatusHtml(qint32 bookingId, int session)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Attend.* FROM Attend WHERE ((BKID = %1) AND ([Session] = %2));")
            .arg(bookingId)
            .arg(session));
    if (rs->eof())
        return QStringLiteral("&nbsp;");
    return GetAttendanceLabel(vb::CStr(vb::Nz(rs->value(QStringLiteral("Status"))))).toHtmlEscaped();
}

} // namespace imodEnrolments
