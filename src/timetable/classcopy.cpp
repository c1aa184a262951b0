// Deleting a class and copying a class's instructors and bookings into another.
#include "classes.h"

#include "classes/classsearch.h"
#include "core/dbtransaction.h"
#include "core/deletelog.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "deletions.h"
#include "enrolments/imodenrolments.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "programs.h"

#include <QPointer>

namespace imodClasses {

namespace {

// The first open class view of the class (its txtField(0) read as a number).
ui::Form *classWindow(qint32 classId)
{
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() != QLatin1String("frmViewClass"))
            continue;
        bool ok = false;
        if (f->recordId().trimmed().toDouble(&ok) == classId && ok)
            return f;
    }
    return nullptr;
}

} // namespace

void DeleteClassRecord(qint32 classId)
{
    QPointer<ui::Form> window = classWindow(classId);
    bool deleted = false;
    {
        Global::DbTransaction transaction;
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Classes.* FROM Classes WHERE ClassID=%1;").arg(classId));
        for (; !rs->eof(); rs->moveNext()) {
            if (vb::CLng(rs->value(0)) != classId)
                continue;
            Global::WriteDeleteLog(QStringLiteral("Class #%1").arg(classId),
                                   QStringLiteral("Delete Class"));
            rs->deleteRecord();
            deleted = true;
            break;
        }
        rs->close();
        Global::DbConnection().execute(Global::AdaptSql(
            QStringLiteral("DELETE * FROM InstructorLink WHERE ClassID = %1;").arg(classId)));
        transaction.commit();
    }
    if (deleted && window)
        window->unload(ui::CloseReason::ControlMenu);
    // The class is gone whatever the class search makes of it: a refresh that fails is no
    // failure of the deletion.
    classsearch::RefreshAfterChange();
}

void CopyClassInstructors(qint32 fromClassId, qint32 toClassId)
{
    Global::DbTransaction transaction;
    auto target = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT InstructorLinkID, InstructorID, ClassID FROM InstructorLink WHERE "
                       "InstructorLinkID = 0;"));
    auto source = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT InstructorLinkID, InstructorID, ClassID FROM InstructorLink WHERE "
                       "ClassID = %1;")
            .arg(fromClassId));
    for (; !source->eof(); source->moveNext()) {
        target->addNew();
        target->setValue(1, source->value(1));
        target->setValue(2, toClassId);
        target->update();
    }
    transaction.commit();
}

void CopyClassBookings(qint32 fromClassId, qint32 toClassId, bool withWaiting)
{
    const qint32 programId = GetClassProgramId(toClassId);
    Global::DbTransaction transaction;
    auto target = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID, [Status], Owing, ClassID, SessionNo FROM "
                       "Bookings WHERE BookingID = 0;"));
    auto source = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID, [Status], ClassID FROM Bookings WHERE ClassID "
                       "= %1 AND (([Status] = 'Confirmed') OR ([Status] = 'Tentative')%2) ORDER "
                       "BY BookingID;")
            .arg(fromClassId)
            .arg(withWaiting ? QStringLiteral(" OR ([Status] = 'Waiting')") : QString()));
    for (; !source->eof(); source->moveNext()) {
        const qint32 studentId = vb::CLng(vb::Nz(source->value(1), 0));
        const QString status = vb::CStr(vb::Nz(source->value(2)));
        target->addNew();
        target->setValue(1, studentId);
        target->setValue(2, status);
        target->setValue(3, QVariant::fromValue(vb::Currency()));
        target->setValue(4, toClassId);
        target->setValue(5, 0);
        target->update();
        const qint32 bookingId = vb::CLng(target->value(0));
        if (status == QLatin1String("Waiting"))
            continue;
        if (imodEnrolments::ChargeBooking(bookingId, studentId, toClassId, programId) != 1)
            throw vb::Error(vb::err::ApplicationDefined,
                            QStringLiteral("The copied booking could not be charged"));
    }
    transaction.commit();
}

} // namespace imodClasses

namespace timetable {

void RegisterDeletions()
{
    frmConfirmDelete::RegisterDeletion(
        QStringLiteral("Delete Class"),
        [](const QString &, qint32 id) { imodClasses::DeleteClassRecord(id); });
    frmConfirmDelete::RegisterDeletion(
        QStringLiteral("Delete Program"),
        [](const QString &, qint32 id) { imodPrograms::DeleteProgramCascade(id); });
}

} // namespace timetable
