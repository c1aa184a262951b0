// Enrolling a student, the waiting list's upgrade and over-fill, and deleting a booking.
#include "enrolling.h"

#include "attendance.h"
#include "classes/classsearch.h"
#include "core/dbtransaction.h"
#include "core/deletelog.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QPointer>

namespace imodEnrolments {

namespace {

const QString enrolFromAddBooking = QStringLiteral("Ovix.frmAddBooking");
const QString enrolFromClassView = QStringLiteral("Ovix.frmViewClass");

// The open windows of that name whose txtField(0) holds the record's number.
QList<QPointer<ui::Form>> enrolOpenRecordWindows(const QString &name, qint32 recordId)
{
    QList<QPointer<ui::Form>> out;
    const QString wanted = QString::number(recordId);
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == name && f->recordId().trimmed() == wanted)
            out << f;
    }
    return out;
}

QString enrolErrText(const core::ErrorInfo &e)
{
    return QStringLiteral("(Err#%1 - %2)").arg(e.number).arg(e.description);
}

// Shows the late-starter window on the booking when its class started on an
// earlier day; nothing while that window is not registered.
void enrolOfferLateStart(qint32 bookingId, qint32 classId)
{
    if (!ClassStartedBeforeToday(classId))
        return;
    ui::Form *window = ui::LoadWindowByName(QStringLiteral("frmAbsentRec"));
    if (!window)
        return;
    window->showForm();
    ui::callByName(window, QStringLiteral("Init"), {bookingId});
}

// A new double-booking window for a refusal, loaded by the member and shown.
void enrolOpenDoubleBook(const QString &member, const QVariantList &args)
{
    ui::Form *window = ui::CreateWindowByName(QStringLiteral("frmDoubleBook"));
    if (!window)
        return;
    ui::callByName(window, member, args);
    window->showForm();
}

bool enrolAsk(const QString &text)
{
    return ui::Dialogs::msgBox(text, ui::vbYesNo | ui::vbQuestion,
                               QStringLiteral("Please check this...")) == ui::vbYes;
}

} // namespace

bool ClassStartedBeforeToday(qint32 classId)
{
    return vb::DateDiff(QStringLiteral("d"), imodClasses::GetClassStartDate(classId), vb::Now()) >
           0;
}

void BookNow(const EnrolmentRequest &r)
{
    const QPointer<ui::Form> caller = r.caller;
    try {
        if (r.override == 0) {
            const qint32 noShows = imodStudents::CountNoShows(r.studentId);
            if (noShows > 0 && r.session == 0 &&
                !enrolAsk(QStringLiteral("This student [") + r.studentName +
                          QStringLiteral("] has ") + QString::number(noShows) +
                          QStringLiteral(" No Show bookings recorded against their name. Are you "
                                         "sure you wish to allow this student to enrol?")))
                return;
            const vb::Currency overdue = imodStudents::GetOverdueAmount(r.studentId);
            if (overdue > vb::Currency() &&
                !enrolAsk(QStringLiteral("This student [") + r.studentName +
                          QStringLiteral("] has ") +
                          vb::Format(QVariant::fromValue(overdue),
                                     QStringLiteral("$#,###,##0.00")) +
                          QStringLiteral(" in overdue fees recorded against their name. Are you "
                                         "sure you wish to allow this student to enrol?")))
                return;
            if (CountBookingsInClass(r.studentId, r.classId) > 0)
                RaiseEnrolmentError(EnrolmentErrorCode::AlreadyInClass, enrolFromAddBooking);
            if (r.waitList == 0 && r.session == 0 &&
                imodStudents::CountBookingsInProgram(r.studentId, r.programId) > 0)
                RaiseEnrolmentError(EnrolmentErrorCode::AlreadyInProgram, enrolFromAddBooking);
            if (r.session == 0 && CountWaitListInClass(r.studentId, r.classId) > 0)
                RaiseEnrolmentError(EnrolmentErrorCode::AlreadyWaiting, enrolFromAddBooking);
        }

        // The row and its charge stand or fall together; a failure of either has been
        // shown and leaves nothing, the caller open for another try.
        const bool charged = r.waitList == 0 && r.session == 0;
        qint32 bookingId = 0;
        {
            Global::DbTransaction transaction;
            bookingId = AddBookingRow(r.studentId, r.classId, r.waitList, r.session, r.userId);
            if (bookingId == 0)
                return;
            if (charged && ChargeBooking(bookingId, r.studentId, r.classId, r.programId) != 1)
                return;
            transaction.commit();
        }
        // No transaction stays open across a question.
        if (charged && OfferStudentCredit(bookingId, r.studentId, r.classId, r.programId) == 1)
            enrolOfferLateStart(bookingId, r.classId);

        if (caller)
            caller->unload();
        RefreshClassWindow(r.classId, r.session != 0 ? -1 : 0, r.waitList != 0 ? -1 : 0);
        if (r.session == 0)
            classsearch::CallMain(QStringLiteral("CheckBeforeFill"));
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (e.number == EnrolmentErrorCode::AlreadyInClass ||
            e.number == EnrolmentErrorCode::AlreadyInProgram) {
            enrolOpenDoubleBook(QStringLiteral("LoadMe"),
                                {r.studentId, r.studentName, r.programId, r.classId, r.waitList,
                                 QVariant::fromValue(r.price), int(e.number), r.session});
        } else if (e.number == EnrolmentErrorCode::AlreadyWaiting) {
            ui::Dialogs::msgBox(e.description, ui::vbInformation,
                                QStringLiteral("For Your Information"));
        } else {
            ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") +
                                    QString::number(e.number) + QLatin1Char(')'),
                                ui::vbExclamation, QStringLiteral("Error in BookNow"));
        }
    }
}

qint32 AddBookingRow(qint32 studentId, qint32 classId, int waitList, int session,
                     const QString &userId)
{
    try {
        // Opened on no row: it only adds one.
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT BookingID, ClassID, StudentID, Owing, [Status], SessionNo, "
                           "EnrolledByUserID FROM Bookings WHERE BookingID = 0;"));
        rs->addNew();
        rs->setValue(2, studentId);
        rs->setValue(1, classId);
        if (waitList != 0) {
            rs->setValue(4, BookingStatus::Waiting);
            rs->setValue(5, 0);
        } else if (session != 0) {
            rs->setValue(4, BookingStatus::CatchUp);
            rs->setValue(5, session);
        } else {
            rs->setValue(4, vb::CStr(vb::Nz(Global::CentreSettings().Settings(
                                int(CentreSettingIds::DefaultStatus)))));
            rs->setValue(5, 0);
        }
        rs->setValue(3, QVariant::fromValue(vb::Currency()));
        rs->setValue(6, userId.isEmpty() ? Global::CurrentUserId : userId);
        rs->update();
        const qint32 bookingId = vb::CLng(rs->value(0));
        rs->close();
        return bookingId;
    } catch (...) {
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when creating the new booking ") +
                                enrolErrText(core::currentError()),
                            ui::vbExclamation, QStringLiteral("Add New Booking Error"));
        return 0;
    }
}

void OpenAddBooking(const QString &, qint32 classId, const QString &enrollingUserId)
{
    ui::Form *window = ui::LoadWindowByName(QStringLiteral("frmAddBooking"));
    if (!window)
        return;
    window->showForm();
    ui::callByName(window, QStringLiteral("LoadUp"),
                   {1, classId, 0, enrollingUserId, QVariant::fromValue<QObject *>(nullptr)});
}

int AddToPreEnrolList(qint32 studentId, qint32 programId, const QString &preferences)
{
    return imodData::ExecSQL(
        QStringLiteral("INSERT INTO PreEnrol (StudentID, ProgramID, Preferences, ListedAt) "
                       "VALUES (") +
            Global::SqlNumber(studentId) + QLatin1Char(',') + Global::SqlNumber(programId) +
            QLatin1Char(',') + Global::SqlText(preferences) + QStringLiteral(", ") +
            Global::SqlDate(vb::Now()) + QStringLiteral(");"),
        false);
}

bool RefreshClassWindow(qint32 classId, int catchUp, int waitList)
{
    try {
        for (const QPointer<ui::Form> &view :
             enrolOpenRecordWindows(QStringLiteral("frmViewClass"), classId)) {
            if (!view)
                continue;
            if (waitList != 0) {
                ui::callByName(view, QStringLiteral("Load_Waitlist"));
            } else if (catchUp == 0) {
                ui::callByName(view, QStringLiteral("Load_Students"));
                ui::callByName(view, QStringLiteral("Load_Assessment_Grid"));
                auto *grid = view->findChild<ui::FlexGrid *>(QStringLiteral("agrd"));
                const auto *showAll = view->findChild<QCheckBox *>(QStringLiteral("Check2"));
                if (!grid)
                    throw vb::Error(vb::err::ObjectDoesNotSupport);
                LoadAttendanceGrid(vb::CLng(view->recordId()), grid, view,
                                   showAll && showAll->isChecked() ? 1 : 0, -1);
            } else {
                ui::callByName(view, QStringLiteral("Load_CatchUp_Students"));
            }
        }
        return true;
    } catch (...) {
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when refreshing class details ") +
                                enrolErrText(core::currentError()),
                            ui::vbExclamation, QStringLiteral("Refresh Error"));
        return false;
    }
}

bool RefreshStudentWindow(qint32 studentId)
{
    try {
        for (const QPointer<ui::Form> &record :
             enrolOpenRecordWindows(QStringLiteral("frmStudentDetails"), studentId)) {
            if (record)
                ui::callByName(record, QStringLiteral("Load_LTS_History"));
        }
        return true;
    } catch (...) {
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when refreshing student class history ") +
                enrolErrText(core::currentError()),
            ui::vbExclamation, QStringLiteral("Refresh Error"));
        return false;
    }
}

void UpgradeFromWaitList(qint32 bookingId, int skipChecks, vb::Currency price,
                         const QString &userId)
{
    qint32 studentId = 0;
    qint32 programId = 0;
    try {
        const qint32 classId = GetBookingClassID(bookingId);
        studentId = GetBookingStudentID(bookingId);
        programId = imodClasses::GetClassProgramId(classId);
        if (skipChecks == 0) {
            if (CountBookingsInClass(studentId, classId) > 0)
                RaiseEnrolmentError(EnrolmentErrorCode::AlreadyInClass, enrolFromClassView);
            if (imodStudents::CountBookingsInProgram(studentId, programId) > 0)
                RaiseEnrolmentError(EnrolmentErrorCode::AlreadyInProgram, enrolFromClassView);
        }
        const vb::Currency tax = price * vb::Currency(imodPrograms::GetProgramGstRate(programId));

        {
            // The charge and the status change together: a charge that cannot be
            // written (shown by AddCharge) leaves the booking waiting.
            Global::DbTransaction transaction;
            auto rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT * FROM Bookings WHERE BookingID=%1;").arg(bookingId));
            if (rs->eof())
                throw vb::Error(3021, QStringLiteral("No current record."));
            if (imodClasses::GetClassChargeMode(classId) != QLatin1String("Attendance") &&
                !imodMoney::AddCharge(QStringLiteral("C"), price, tax,
                                      imodPrograms::GetProgramRevenueAccount(programId), bookingId,
                                      studentId, 0, imodPrograms::GetProgramTaxCode(programId),
                                      QString()))
                return;
            rs->setValue(4, vb::CStr(vb::Nz(Global::CentreSettings().Settings(
                                int(CentreSettingIds::DefaultStatus)))));
            if (!userId.isEmpty())
                rs->setValue(QStringLiteral("EnrolledByUserID"), userId);
            rs->update();
            rs->close();
            transaction.commit();
        }

        for (const QPointer<ui::Form> &view :
             enrolOpenRecordWindows(QStringLiteral("frmViewClass"), classId)) {
            if (view)
                ui::callByName(view, QStringLiteral("Load_Students"));
            if (view)
                ui::callByName(view, QStringLiteral("Load_Waitlist"));
        }
        enrolOfferLateStart(bookingId, classId);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (e.number == EnrolmentErrorCode::AlreadyInClass ||
            e.number == EnrolmentErrorCode::AlreadyInProgram) {
            enrolOpenDoubleBook(QStringLiteral("LoadMeUWL"),
                                {int(e.number), bookingId, studentId, programId,
                                 QVariant::fromValue(price), 0});
        } else {
            ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") +
                                    QString::number(e.number) + QLatin1Char(')'),
                                ui::vbExclamation, QStringLiteral("Error"));
        }
    }
}

void OverfillFromWaitList(const QString &userId, qint32 bookingId,
                          const QString &enrollingUserId)
{
    const qint32 classId = GetBookingClassID(bookingId);
    Global::WriteDeleteLog(QStringLiteral("Class #%1").arg(classId),
                           QStringLiteral("Overfill Class"), userId);
    UpgradeFromWaitList(bookingId, 0, imodClasses::GetClassPrice(classId), enrollingUserId);
}

qint32 DeleteBookingRecord(const QString &userId, qint32 bookingId, QString *description)
{
    try {
        qint32 classId = 0;
        bool deleted = false;
        {
            Global::DbTransaction transaction;
            auto rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT Bookings.* FROM Bookings WHERE BookingID=%1;")
                    .arg(bookingId));
            for (; !rs->eof(); rs->moveNext()) {
                if (vb::CLng(rs->value(0)) != bookingId)
                    continue;
                classId = vb::CLng(vb::Nz(rs->value(2), 0));
                const qint32 studentId = vb::CLng(vb::Nz(rs->value(1), 0));
                Global::WriteDeleteLog(imodStudents::GetStudentName(studentId) +
                                           QStringLiteral(" from Class #%1").arg(classId),
                                       QStringLiteral("Delete"), userId);
                const qint32 programId = imodClasses::GetClassProgramId(classId);
                const vb::Currency owing = GetBookingOwing(bookingId);
                const vb::Currency tax =
                    owing * vb::Currency(imodPrograms::GetProgramGstRate(programId));
                if (!imodMoney::AddCharge(QStringLiteral("C"), -owing, -tax,
                                          imodPrograms::GetProgramRevenueAccount(programId),
                                          bookingId, studentId, 0,
                                          imodPrograms::GetProgramTaxCode(programId), QString()))
                    throw vb::Error(vb::err::ApplicationDefined,
                                    QStringLiteral("The balancing charge of the booking could "
                                                   "not be written."));
                rs->deleteRecord();
                deleted = true;
                break;
            }
            rs->close();
            transaction.commit();
        }
        if (deleted)
            classsearch::RefreshAfterChange();
        QPointer<ui::Form> view;
        if (deleted) {
            const auto views = enrolOpenRecordWindows(QStringLiteral("frmViewClass"), classId);
            if (!views.isEmpty())
                view = views.first();
        }
        for (const QPointer<ui::Form> &booking :
             enrolOpenRecordWindows(QStringLiteral("frmBooking"), bookingId)) {
            if (booking)
                booking->unload();
        }
        if (view)
            ui::callByName(view, QStringLiteral("Load_Students"));
        return 0;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (description)
            *description = e.description;
        return e.number != 0 ? qint32(e.number) : qint32(vb::err::ApplicationDefined);
    }
}

QList<ProgramEnrolment> ListProgramEnrolments(qint32 studentId, qint32 programId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.BookingID, Bookings.StudentID, Bookings.ClassID, "
                       "Classes.Description, Classes.Day, Classes.Time, Programs.Program, "
                       "Bookings.Status FROM (Bookings INNER JOIN Classes ON Bookings.ClassID = "
                       "Classes.ClassID) INNER JOIN Programs ON Classes.ProgramID = "
                       "Programs.ProgramID WHERE (Bookings.Status = 'Confirmed' OR "
                       "Bookings.Status = 'Tentative') AND Bookings.StudentID = ") +
        Global::SqlNumber(studentId) + QStringLiteral(" AND Classes.ProgramID = ") +
        Global::SqlNumber(programId) + QLatin1Char(';'));
    QList<ProgramEnrolment> out;
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 bookingId = vb::CLng(rs->value(0));
        out.append({bookingId, vb::CStr(vb::Nz(rs->value(4))) + QLatin1Char(' ') +
                                   vb::Format(rs->value(5), QStringLiteral("h:mm AMPM")) +
                                   QLatin1Char(' ') + vb::CStr(vb::Nz(rs->value(3))) +
                                   QStringLiteral(" (BKID#%1)").arg(bookingId)});
    }
    rs->close();
    return out;
}

} // namespace imodEnrolments
