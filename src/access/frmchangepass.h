#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Changes the password of an account whose current password the user knows.
class frmChangePass : public ui::Form
{
    Q_OBJECT
public:
    frmChangePass();

    QLabel *Image1;
    QComboBox *cboUsername;
    QLineEdit *txtPassword;
    QLineEdit *txtNew1;
    QLineEdit *txtNew2;
    QPushButton *cmdOK;
    QPushButton *cmdClose;

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

protected:
    void onLoad() override;

private:
    void FillUserCombo();
};
