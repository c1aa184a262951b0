#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// One recorded assessment of a student, read-only, with the criteria attained
// and not yet attained; deleting it needs the password of the employee who made
// it. One window for the whole program.
class frmPastAssessment : public ui::Form
{
    Q_OBJECT
public:
    frmPastAssessment();

    // Shows the assessment; the window is emptied first.
    Q_INVOKABLE void Load_Assessment(qint32 AssessmentID);
    // Deletes the shown assessment; when deleted, the student's record windows
    // reload their history and this window closes.
    Q_INVOKABLE void DeleteAssessment();
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdDelete_Click();

    QLabel *Image1;
    QLineEdit *txtName;
    // 0 AssessmentID and 1 StudentID (hidden), 2 date, 3 employee, 4 level,
    // 5 notes, 6 expiry.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QLineEdit *txtComplete;
    QListWidget *lst;
    QListWidget *lst2;
    QFrame *shpWarning;
    QLabel *lblWarning;
    QPushButton *cmdOK;
    QPushButton *cmdDelete;

    // The height the window has without the warning band.
    static constexpr int DesignedHeight = 450;

protected:
    void onLoad() override;

private:
    void clear();

    qint32 m_instructorId = 0;
};
