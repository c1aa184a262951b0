#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// How the program starts on this computer: always with one data file, or with
// the data-file window; and the customer ID and password kept for this computer.
class frmWorkstation : public ui::Form
{
    Q_OBJECT
public:
    explicit frmWorkstation(QWidget *parent = nullptr);

    QLabel *Label2 = nullptr;
    ui::ControlArray<QLabel> lblField;
    QLabel *Label5 = nullptr;
    QRadioButton *optSingle = nullptr;
    QRadioButton *optMultiple = nullptr;
    QLineEdit *txtPath = nullptr;
    QPushButton *cmdFind = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtUserID = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdClose = nullptr;

public slots:
    void optSingle_Click();
    void cmdFind_Click();
    void cmdOK_Click();
    void cmdClose_Click();

protected:
    void onLoad() override;
};
