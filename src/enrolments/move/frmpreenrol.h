#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
namespace ui {
class FlexGrid;
}

// "Pre-Enrolments": the students on one program's pre-enrolment list with their
// preferences and last assessment; students are added, edited, taken off, looked
// at and booked into a class from here. One window.
class frmPreEnrol : public ui::Form
{
    Q_OBJECT
public:
    frmPreEnrol();

    // The grid's columns, shared with the add-booking window, which appends rows.
    enum Column { ColNumber, ColSid, ColName, ColPreferences, ColDate, ColLevel, ColResult };
    // The colour of the rows a search found.
    static QColor searchColour();

    QLabel *Label2, *Image1;
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QComboBox *cboProgram;
    QLineEdit *txtSearch;
    QPushButton *cmdSearch, *cmdReset;
    ui::FlexGrid *grd;
    QPushButton *cmdAdd, *cmdEdit, *cmdDelete, *cmdView, *cmdMove;
    QFrame *Frame1, *Shape1;
    QLabel *lblMsg;
    QProgressBar *prg;

    // Reloads the list of the selected program for the search text.
    Q_INVOKABLE void Load_PreEnrolments();

    Q_INVOKABLE void cboProgram_Click();
    Q_INVOKABLE void cmdSearch_Click();
    Q_INVOKABLE void cmdReset_Click();
    Q_INVOKABLE void cmdAdd_Click();
    Q_INVOKABLE void cmdEdit_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void cmdView_Click();
    Q_INVOKABLE void cmdMove_Click();

    // The resize rules, with the window's size in twips.
    void Form_Resize();

protected:
    void onLoad() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    qint32 selectedProgramId() const;
    // The current entry's row; 0 while the header row is current.
    int entryRow() const;
    bool m_loading = false;
};
