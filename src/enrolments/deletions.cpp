#include "deletions.h"

#include "core/frmconfirmdelete.h"
#include "enrolling.h"
#include "platform/ui/dialogs.h"

namespace enrolments {

void RegisterDeletions()
{
    frmConfirmDelete::RegisterDeletion(
        QStringLiteral("Delete Booking"), [](const QString &userId, qint32 bookingId) {
            QString description;
            const qint32 number = imodEnrolments::DeleteBookingRecord(userId, bookingId,
                                                                      &description);
            if (number != 0)
                ui::Dialogs::msgBox(QStringLiteral("The booking could not be deleted.\r\n") +
                                        description + QStringLiteral(" (Err#") +
                                        QString::number(number) + QLatin1Char(')'),
                                    ui::vbExclamation, QStringLiteral("Oops!"));
        });
}

} // namespace enrolments
