#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class frmAssess2;

// The sheet of one student's assessment in one class: the level, the criteria of
// it the student attained, the dates, notes and the certificate's comment. A new
// window per sheet; a save refreshes the class assessment window that opened it.
class frmAssess3 : public ui::Form
{
    Q_OBJECT
public:
    frmAssess3();

    // AssessmentID 0: a new assessment of the student intSID (the sheet closes at
    // once when that is below 1); otherwise the stored assessment.
    Q_INVOKABLE void LoadAssessment(qint32 AssessmentID, qint32 intEmpID, frmAssess2 *xf,
                                    qint32 intClassID, qint32 intSID);
    Q_INVOKABLE void cboField_Click(int index);
    // Saves; when saved, the sheet closes and the class window reloads its lists.
    Q_INVOKABLE void cmdOK_Click();

    QLabel *Image1;
    QLineEdit *txtAssessmentID;
    QLineEdit *txtEmpID;
    QLineEdit *txtName;
    // 1 StudentID (hidden), 2 date, 4 LevelID (hidden), 6 expiry.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    // 5 notes, 11 the comment for the certificate.
    ui::ControlArray<QPlainTextEdit> txtMemo{QStringLiteral("txtField")};
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    QListWidget *lst;
    QPushButton *cmdOK;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadCriteria();
    // Checks and writes the sheet, with its messages; true when saved.
    bool save();
    void refreshCaller();

    QPointer<frmAssess2> m_caller;
    qint32 m_classId = 0;
};
