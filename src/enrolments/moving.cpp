// Moving a booking into another class and booking a student off the pre-enrolment list.
#include "moving.h"

#include "access/permissions.h"
#include "classes/classsearch.h"
#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/listfillers.h"
#include "core/sqlquote.h"
#include "enrolling.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QPointer>

namespace Global {

qint32 PendingMoveBookingID = 0;
qint32 PendingMoveClassID = 0;
vb::Currency PendingMoveCost;
QString PendingMoveOpener;
int PendingMoveFlag = 0;

qint32 PendingPreEnrolStudentID = 0;
qint32 PendingPreEnrolProgramID = 0;
QString PendingPreEnrolNotes;

} // namespace Global

namespace imodEnrolments {

namespace {

constexpr int moveOverfillRight = 27; // OverfillClasses

// Whether the class has no free place left.
bool moveClassIsFull(qint32 classId)
{
    return imodClasses::GetClassSpots(classId, imodClasses::GetClassMax(classId)) < 1;
}

enum class MoveFullAnswer { GoOn, Stop, Parked };

// The full-class question; without the right, the authorisation window is asked
// for the operation on behalf of the requester (none for a booking move).
MoveFullAnswer moveAskFullClass(const QString &operation, ui::Form *requester)
{
    if (ui::Dialogs::msgBox(
            QStringLiteral("This class is full. Are you sure you want to over-fill this class?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Full Class")) != ui::vbYes)
        return MoveFullAnswer::Stop;
    if (Global::CheckCurrentUserPermission(moveOverfillRight) == 1)
        return MoveFullAnswer::GoOn;
    if (ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"))) {
        password->showForm();
        ui::callByName(password, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(requester), operation, QString()});
    }
    return MoveFullAnswer::Parked;
}

// Adds a Bookings row on an empty selection with the columns given (the rest keep
// the database's defaults); gives its BookingID.
qint32 moveAddBooking(qint32 studentId, qint32 classId, const QString &status,
                      const QString *userCode, const QString *notes)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID, ClassID, Owing, [Status], EnrolledByUserID, "
                       "Notes FROM Bookings WHERE BookingID = 0;"));
    rs->addNew();
    rs->setValue(1, studentId);
    rs->setValue(2, classId);
    rs->setValue(3, QVariant::fromValue(vb::Currency()));
    rs->setValue(4, status);
    if (userCode)
        rs->setValue(5, *userCode);
    if (notes)
        rs->setValue(6, *notes);
    rs->update();
    const qint32 bookingId = vb::CLng(vb::Nz(rs->value(0), 0));
    rs->close();
    return bookingId;
}

void moveShowZeroBookingId()
{
    ui::Dialogs::msgBox(
        QStringLiteral("There was an error retrieving the new Booking ID as the data file "
                       "returned 0 for the New Booking ID. The student was not moved.\n"
                       "If this error persists, you should report it to ") +
            Global::CentreSettings().ShortAppName() + QLatin1Char('.'),
        ui::vbExclamation, QStringLiteral("New Booking ID was Zero"));
}

// A charge row of the amount on the booking with the program's tax rate, account
// and tax code; a charge that could not be written undoes the move.
void moveCharge(vb::Currency amount, qint32 programId, qint32 bookingId, qint32 studentId)
{
    const vb::Currency tax = amount * vb::Currency(imodPrograms::GetProgramGstRate(programId));
    if (!imodMoney::AddCharge(QStringLiteral("C"), amount, tax,
                              imodPrograms::GetProgramRevenueAccount(programId), bookingId,
                              studentId, 0, imodPrograms::GetProgramTaxCode(programId), QString()))
        throw vb::Error(vb::err::ApplicationDefined,
                        QStringLiteral("The charge of the new booking could not be written"));
}

bool moveChargesOnEnrolment(qint32 classId)
{
    return imodClasses::GetClassChargeMode(classId).contains(QLatin1String("Enrolment"));
}

void moveShowFailure(const QString &first)
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(first + QStringLiteral("\nErr#") + QString::number(e.number) +
                            QStringLiteral(" - ") + e.description +
                            QStringLiteral(".\nThe move may not have been completed successfully."),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

void moveCloseMoveWindows()
{
    Global::UnloadFormsByName(QStringLiteral("frmMoveStudent"));
}

} // namespace

void MoveBookingToClass(qint32 bookingId, bool overfillAuthorised, qint32 classId,
                        vb::Currency cost, const QString &opener, int waitingBookingId)
{
    try {
        qint32 studentId = 0;
        qint32 oldClassId = 0;
        QString status;
        {
            auto old = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT BookingID, StudentID, ClassID, Owing, [Status] FROM "
                               "Bookings WHERE BookingID=") +
                Global::SqlNumber(bookingId) + QLatin1Char(';'));
            if (old->eof()) {
                old->close();
                ui::Dialogs::msgBox(QStringLiteral("The student's current booking could not be "
                                                   "found."),
                                    ui::vbExclamation, QStringLiteral("Oops!"));
                moveCloseMoveWindows();
                return;
            }
            studentId = vb::CLng(vb::Nz(old->value(1), 0));
            oldClassId = vb::CLng(vb::Nz(old->value(2), 0));
            status = vb::CStr(vb::Nz(old->value(4)));
            old->close();
        }

        // The question and the authorisation come before anything is written.
        if (!overfillAuthorised && moveClassIsFull(classId)) {
            switch (moveAskFullClass(MoveToFullClassOperation, nullptr)) {
            case MoveFullAnswer::GoOn:
                break;
            case MoveFullAnswer::Stop:
                return;
            case MoveFullAnswer::Parked:
                Global::PendingMoveBookingID = bookingId;
                Global::PendingMoveClassID = classId;
                Global::PendingMoveCost = cost;
                Global::PendingMoveOpener = opener;
                Global::PendingMoveFlag = waitingBookingId;
                return;
            }
        }

        {
            Global::DbTransaction transaction;
            const qint32 newId = moveAddBooking(studentId, classId, status, nullptr, nullptr);
            if (newId == 0) {
                transaction.rollback();
                moveShowZeroBookingId();
                moveCloseMoveWindows();
                return;
            }
            const QString newKey = Global::SqlNumber(newId);
            const QString oldKey = Global::SqlNumber(bookingId);
            Global::DbConnection().execute(QStringLiteral("UPDATE Payments SET BookingID = ") +
                                           newKey + QStringLiteral(" WHERE BookingID = ") +
                                           oldKey + QLatin1Char(';'));
            if (vb::CLng(vb::Nz(Global::CentreSettings().Settings(
                                    int(CentreSettingIds::AllowOverfill)),
                                0)) == 1)
                Global::DbConnection().execute(QStringLiteral("UPDATE Attend SET BKID = ") +
                                               newKey + QStringLiteral(" WHERE BKID = ") +
                                               oldKey + QLatin1Char(';'));
            Global::DbConnection().execute(
                QStringLiteral("UPDATE Bookings SET [Status] = ") +
                Global::SqlText(BookingStatus::Moved) + QStringLiteral(", Owing = 0 WHERE "
                                                                       "BookingID = ") +
                oldKey + QLatin1Char(';'));

            const vb::Currency difference = imodClasses::GetClassPrice(classId) -
                                            imodClasses::GetClassPrice(GetBookingClassID(bookingId));
            if (difference != vb::Currency() && moveChargesOnEnrolment(classId))
                moveCharge(difference, imodClasses::GetClassProgramId(classId), newId, studentId);

            // The student now has a place in the class: the waiting booking goes.
            if (waitingBookingId != 0 && waitingBookingId != bookingId &&
                GetBookingStudentID(waitingBookingId) == studentId &&
                GetBookingClassID(waitingBookingId) == classId &&
                GetBookingStatus(waitingBookingId) == BookingStatus::Waiting) {
                QString description;
                const qint32 failed =
                    DeleteBookingRecord(Global::CurrentUserId, waitingBookingId, &description);
                if (failed != 0)
                    throw vb::Error(failed, description);
            }
            transaction.commit();
        }

        if (opener == QLatin1String("View Class")) {
            RefreshClassWindow(oldClassId, 0, 0);
            RefreshClassWindow(classId, 0, 0);
        } else if (opener == QLatin1String("View Students")) {
            RefreshStudentWindow(studentId);
        }
        classsearch::CallMain(QStringLiteral("CheckBeforeFill"));
        ui::Dialogs::msgBox(QStringLiteral("Student has been successfully moved."),
                            ui::vbInformation, QStringLiteral("Success!"));
        moveCloseMoveWindows();
    } catch (...) {
        moveShowFailure(QStringLiteral("An error occurred when processing the move."));
    }
}

void ResumeMoveBooking()
{
    MoveBookingToClass(Global::PendingMoveBookingID, true, Global::PendingMoveClassID,
                       Global::PendingMoveCost, Global::PendingMoveOpener,
                       Global::PendingMoveFlag);
}

void MovePreEnrolToClass(qint32 studentId, qint32 programId, bool overfillAuthorised,
                         qint32 classId, const QString &preferences, const QString &userCode)
{
    try {
        if (!overfillAuthorised && moveClassIsFull(classId)) {
            switch (moveAskFullClass(PreEnrolIntoFullClassOperation,
                                     ui::Forms::find(QStringLiteral("frmPreEnrol")))) {
            case MoveFullAnswer::GoOn:
                break;
            case MoveFullAnswer::Stop:
                return;
            case MoveFullAnswer::Parked:
                Global::PendingPreEnrolStudentID = studentId;
                Global::PendingPreEnrolProgramID = programId;
                Global::PendingMoveClassID = classId;
                Global::PendingPreEnrolNotes = preferences;
                return;
            }
        }

        {
            Global::DbTransaction transaction;
            const qint32 newId = moveAddBooking(studentId, classId, BookingStatus::Tentative,
                                                &userCode, &preferences);
            if (newId == 0) {
                transaction.rollback();
                moveShowZeroBookingId();
                moveCloseMoveWindows();
                return;
            }
            // Charged with the class's own program, whichever entry is taken off.
            if (moveChargesOnEnrolment(classId))
                moveCharge(imodClasses::GetClassPrice(classId),
                           imodClasses::GetClassProgramId(classId), newId, studentId);
            Global::DbConnection().execute(
                QStringLiteral("DELETE * FROM PreEnrol WHERE StudentID = ") +
                Global::SqlNumber(studentId) + QStringLiteral(" AND ProgramID = ") +
                Global::SqlNumber(programId) + QLatin1Char(';'));
            transaction.commit();
        }

        QList<QPointer<ui::Form>> lists;
        for (ui::Form *f : ui::Forms::all()) {
            if (f->name() == QLatin1String("frmPreEnrol"))
                lists << f;
        }
        for (const QPointer<ui::Form> &list : lists) {
            if (list)
                ui::callByName(list, QStringLiteral("Load_PreEnrolments"));
        }
        classsearch::CallMain(QStringLiteral("CheckBeforeFill"));
        ui::Dialogs::msgBox(QStringLiteral("Student has been successfully moved into the class."),
                            ui::vbInformation, QStringLiteral("Success!"));
        moveCloseMoveWindows();
    } catch (...) {
        moveShowFailure(QStringLiteral("An error occurred when processing the move off the "
                                       "pre-enrolment list into the class."));
    }
}

void ResumePreEnrolMove()
{
    MovePreEnrolToClass(Global::PendingPreEnrolStudentID, Global::PendingPreEnrolProgramID, true,
                        Global::PendingMoveClassID, Global::PendingPreEnrolNotes,
                        QStringLiteral("I"));
}

} // namespace imodEnrolments
