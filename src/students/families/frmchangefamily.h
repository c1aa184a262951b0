#pragma once

#include "platform/ui/form.h"

#include <QPointer>

class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {
class SimpleCombo;
}

// The change-family window: the user picks a family from the list and the
// record window that opened it receives the choice by its ChangeFamily member.
// One window for the whole program.
class frmChangeFamily : public ui::Form
{
    Q_OBJECT
public:
    frmChangeFamily();

    // The record window that receives the choice.
    Q_INVOKABLE void Load_Up(QObject *xf);
    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Label2;
    QLabel *Label5;
    ui::SimpleCombo *cbo;
    QRadioButton *optLF;
    QRadioButton *optFL;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdClose;
    QLabel *Image1;

protected:
    void onLoad() override;
    void onActivate() override;

private:
    QPointer<QObject> m_xf;
};
