#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace ui {
class DatePicker;
}

namespace programrules {
struct ProgramEntries;
}

// The programs (terms): lists them, shows one, creates and edits them, and acts
// on all classes of the program shown (delete the program, fix the class dates,
// reset their prices or their charge mode, open the payment plan).
class frmPrograms : public ui::Form
{
    Q_OBJECT
public:
    frmPrograms();

    // Refills the program list (all programs unless "Hide inactive" is ticked);
    // nothing is selected afterwards and the fields keep the program shown.
    Q_INVOKABLE void Load_Program_List();
    Q_INVOKABLE void Load_Account_List();
    Q_INVOKABLE void Load_TaxCode_List();

    Q_INVOKABLE void lstUsers_Click();
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the program was stored; a refused or failed save keeps the
    // window editing with the entries.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cboField_Click(int index);
    Q_INVOKABLE void chkPSession_Click();
    Q_INVOKABLE void txtField_LostFocus(int index);

    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void cmdFixAllDates_Click();
    Q_INVOKABLE void cmdFixPrice_Click();
    Q_INVOKABLE void cmdUpdateChargeMode_Click();
    Q_INVOKABLE void cmdPaymentPlan_Click();

    bool isEditing() const;

    QLabel *Image1;
    QPushButton *cmdNew;
    QPushButton *cmdDelete;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QListWidget *lstUsers;
    QCheckBox *Check1;
    QTabWidget *tabs;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QCheckBox *chkInactive;
    QCheckBox *chkPSession;
    ui::DatePicker *dtFeesDue;
    ui::DatePicker *dtStartDate;
    ui::DatePicker *dtEndDate;
    QGroupBox *fraCost;
    // "not applicable", seen in place of the cost per session / the full cost.
    QLabel *lblNotApplicable[2];
    QPushButton *cmdFixAllDates;
    QPushButton *cmdFixPrice;
    QPushButton *cmdUpdateChargeMode;
    QPushButton *cmdPaymentPlan;

    bool boolNewProgram = false;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showProgram(qint32 programId);
    void clearFields();
    void selectChargeMode(int index);
    void setViewing();
    programrules::ProgramEntries entries() const;
    // The program shown, from the Program ID box; nothing while it is empty.
    std::optional<qint32> shownProgramId() const;
    // Sets a box's text the way a user's typing would (marking it changed), only
    // when the text differs.
    void setBoxText(int index, const QString &text);
    void reformat(int index);
};
