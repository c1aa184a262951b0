#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;
namespace ui {
class SimpleCombo;
}

// Dropouts: the students of one program who are not booked in the next, with
// their records, a printable list and a letter for each. One window for the
// whole program; it opens collapsed and expands at the first calculation.
class frmDropouts : public ui::Form
{
    Q_OBJECT
public:
    frmDropouts();

    Q_INVOKABLE void cmdCalculate_Click();
    Q_INVOKABLE void lstDropouts_DblClick();
    Q_INVOKABLE void cmdPrint_Click();
    // Export for Mail Merge: the data file, then the letters merged from a template.
    Q_INVOKABLE void Command1_Click();
    // The data line of a list item ("" when the student no longer matches it).
    Q_INVOKABLE QString GetDropoutCsvLine(const QString &item) const;

    QLabel *Image1;
    QComboBox *cboProgram1;
    QComboBox *cboProgram2;
    QPushButton *cmdCalculate;
    ui::SimpleCombo *lstDropouts;
    QLabel *lblStatus;
    QPushButton *Command1;
    QPushButton *cmdPrint;
    QWidget *fraList; // the list and the count, below the collapsed height

protected:
    void onLoad() override;

private:
    void Load_Program_List();
    QStringList items() const;
    void setExpanded(bool expanded);
};
