#pragma once

#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

// "Things Coming Up...": the students' birthdays and the other alerts (expiring
// qualifications, events, renewal notices due) of this week, two weeks or the rest
// of the month, with a printable report, and the button that carries the start-up on.
class frmAlerts : public ui::Form
{
    Q_OBJECT
public:
    frmAlerts();

    QLabel *lblDate;
    QFrame *Picture1;
    QLabel *Label1;
    QListWidget *lstBirthdays;
    QFrame *Picture2;
    QLabel *Label2;
    QListWidget *lstAlerts;
    QRadioButton *opt7;
    QRadioButton *opt14;
    QRadioButton *optMonth;
    QPushButton *cmdContinue;
    QToolButton *Command1;

    // The length of the period in days, from the chosen option.
    qint16 DaysAhead = 7;

    void RefreshAlerts();
    void LoadBirthdays();
    void LoadOtherAlerts();
    void Command1_Click();
    void cmdContinue_Click();

protected:
    void onLoad() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool periodChosen() const;
};
