#pragma once

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The log-in window: a window of its own, outside the main window.
class frmLogin : public ui::Form
{
    Q_OBJECT
public:
    frmLogin();

    QLabel *Image1;
    QLineEdit *txtUserID;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *CoolButton1;
    QPushButton *cmdClose;

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void CoolButton1_Click();
    Q_INVOKABLE void cmdClose_Click();

protected:
    void onLoad() override;
    void onActivate() override;

private:
    void loginFailure(const std::exception &e);
};
