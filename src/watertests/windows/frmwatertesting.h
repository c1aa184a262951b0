#pragma once

#include "platform/ui/form.h"
#include "register.h"

class QComboBox;
class QLabel;
class QPushButton;
namespace ui {
class FlexGrid;
}

// The water tests of one pool area in one month, with New, Edit, Delete and
// Print Records. One shared window; the month list is built when it opens.
class frmWaterTesting : public ui::Form
{
    Q_OBJECT
public:
    frmWaterTesting();

    static void SetGridPrinter(watertests::GridPrinter printer);

    // Reloads the grid for the chosen pool area and month.
    Q_INVOKABLE void LoadList();
    // Deletes the test that was selected when Delete was clicked, then reloads.
    Q_INVOKABLE void DeleteTest();

    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    Q_INVOKABLE void cmdDelTest_Click();
    Q_INVOKABLE void Command3_Click();

    QLabel *Label2;
    QLabel *Label1;
    QComboBox *cboMonth;
    QLabel *Label9;
    QComboBox *cboPoolArea;
    ui::FlexGrid *grd;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdDelTest;
    QPushButton *Command3;
    QLabel *Image1;

protected:
    void onLoad() override;

private:
    void SetupGrid();
    void LoadMonthList();
    qint32 chosenAreaId() const;
    void openEditWindow(qint32 testId);

    qint32 m_testToDelete = 0;
};
