#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {
class SimpleCombo;
}

// The add-to-family window, opened by a family window: puts the chosen current
// pupil into that family (asking first when the pupil belongs to a family), and
// opens a new or the chosen student's record. One window for the whole program.
class frmAddToFamily : public ui::Form
{
    Q_OBJECT
public:
    frmAddToFamily();

    // The family the students go into.
    Q_INVOKABLE void LoadUp(qint32 FamID);
    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdAddStudent_Click();
    Q_INVOKABLE void cmdEdit_Click();
    Q_INVOKABLE void cmdClose_Click();

    qint32 familyId() const { return m_famId; }

    QLabel *Label2;
    QLabel *Label5;
    QLabel *Label1;
    ui::SimpleCombo *cbo;
    QRadioButton *optLF;
    QRadioButton *optFL;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdClose;
    QPushButton *cmdAddStudent;
    QPushButton *cmdEdit;
    QLabel *Image1;

protected:
    void onLoad() override;

private:
    // The text of the list item chosen, empty when none.
    QString chosenText() const;
    void requestAuthorisation(const QString &text);

    qint32 m_famId = 0;
};
