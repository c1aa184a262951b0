#pragma once

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The photograph window: imports a picture file as a person's photograph. One
// window for the whole program: the caller shows it and puts the person's
// StudentID into txtID. Save writes the photograph and shows it in the person's
// open student, family and employee windows.
class frmPhoto : public ui::Form
{
    Q_OBJECT
public:
    frmPhoto();

    Q_INVOKABLE void cmdChange_Click();
    // Gives whether the photograph was stored (and the window closed).
    Q_INVOKABLE bool cmdCapture_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Label2;
    QLineEdit *txtFrom;
    QPushButton *cmdChange;
    QLabel *lblCurrent;
    QLabel *Picture1;
    QPushButton *cmdCapture;
    QPushButton *cmdClose;
    QLineEdit *txtID;

protected:
    void onLoad() override;

private:
    void txtID_Change();
    // Brings the person's open record windows forward showing the new photograph.
    void showInRecordWindows(const QString &studentId, const QString &photo);
};
