#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

// The new-family window: makes a family row for the person whose record window
// opened it and hands the new family to that window's family panel. One window
// for the whole program; the user leaves it by Save or Cancel.
class frmFamily : public ui::Form
{
    Q_OBJECT
public:
    frmFamily();

    // The record window that receives the new family.
    Q_INVOKABLE void LoadUp(QObject *xf);
    // Gives whether the family was made.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void txtField_GotFocus(int index);

    QLabel *Label1;
    QLabel *Label2;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QLineEdit *txtSID;
    QPushButton *cmdSave;
    QPushButton *cmdCancel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QObject> m_xf;
};
