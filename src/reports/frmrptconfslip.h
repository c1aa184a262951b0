#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;

// The confirmation slip of a booking: the centre's name and contact details above
// the booking's lines. One shared window: FillPage fills it, Print prints it.
class frmRptConfSlip : public ui::Form
{
    Q_OBJECT
public:
    frmRptConfSlip();

    // Writes the slip's lines; the location follows the class in brackets when the
    // centre has two or more. The pictures show when their files are in the data
    // folder. Every failing step is skipped.
    Q_INVOKABLE void FillPage(const QString &AmountOwing, const QString &Class,
                              const QString &Dates, const QString &Instructor, const QString &Name,
                              const QString &Status, qint32 BKID, const QString &Program,
                              const QString &PoolArea);
    // Prints the slip without its button on the default printer; a failure is shown
    // in an "Oops!" box.
    Q_INVOKABLE void Command1_Click();

    QLabel *lblCentre, *lblAddress, *lblContact;
    QLabel *lblAmountOwing, *lblClass, *lblDates, *lblBKID, *lblInstructor, *lblName, *lblProgram,
        *lblPrinted, *lblStatus;
    QLabel *imgLogo, *imgFooter;
    QPushButton *Command1;

protected:
    void onLoad() override;
};
