#pragma once

#include "platform/ui/form.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The day patterns: the list of patterns in their order beside the pattern
// shown (its name and run weekdays), with New, Edit, Save and Delete and two
// arrows that move a pattern up or down the list. The order is written when the
// window closes, and the class search's day filter is refilled then.
class frmDays : public ui::Form
{
    Q_OBJECT
public:
    frmDays();

    Q_INVOKABLE void lst_Click();
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the pattern was stored; a refusal or failure keeps the entries.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void cmdUp_Click();
    Q_INVOKABLE void cmdDown_Click();

    QLabel *Image1;
    QListWidget *lst;
    QLineEdit *txtDayName;
    QCheckBox *chkMonday;
    QCheckBox *chkTuesday;
    QCheckBox *chkWednesday;
    QCheckBox *chkThursday;
    QCheckBox *chkFriday;
    QCheckBox *chkSaturday;
    QCheckBox *chkSunday;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QPushButton *cmdUp;
    QPushButton *cmdDown;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void LoadList();
    void SetEditMode(bool editing);
    void ClearFields();
    bool IsValidDaySetup() const;
    void SaveSequence();
    void moveEntry(int by);

    std::array<QCheckBox *, 7> m_weekdays{};
};
