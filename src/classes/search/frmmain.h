#pragma once

#include "platform/ui/form.h"

#include <QPoint>
#include <QSize>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

namespace ui {
class FlexGrid;
}

// The class search window, the program's home screen: the filters, the grid of
// the classes they find, and the bar that leads to the student search, the
// one-off enrolments, payments and the student quick launch. One shared
// instance, known by the name "Main".
class Main : public ui::Form
{
    Q_OBJECT
public:
    Main();

    // The filter lists; each selects its first entry (the programs: the default
    // program), which queues a search.
    Q_INVOKABLE void Load_Level_List();
    Q_INVOKABLE void Load_Inst_List();
    Q_INVOKABLE void Load_PoolArea_List();
    Q_INVOKABLE void Load_Activity_List();
    Q_INVOKABLE void Load_Program_List();
    Q_INVOKABLE void Load_AMPM();
    // Runs the search with the filters as they stand, once the window has been
    // activated; nothing before.
    Q_INVOKABLE void CheckBeforeFill();
    // Applies the layout the centre's settings ask for (simple or advanced).
    Q_INVOKABLE void SimpleOrComplexSearch();

    Q_INVOKABLE void lblSimpleSrch_Click();
    Q_INVOKABLE void lblAdvancedSrch_Click();
    Q_INVOKABLE void lblClassGroupSrch_Click();
    Q_INVOKABLE void lblReset_Click();
    // Every filter change: one search through the loading window's timer.
    Q_INVOKABLE void chkSpots_Click();
    Q_INVOKABLE void cmdSStudent_Click();
    Q_INVOKABLE void cmdOneOff_Click();
    Q_INVOKABLE void cmdMultPay_Click();
    Q_INVOKABLE void Command1_Click();
    Q_INVOKABLE void cmdReportView_Click();
    Q_INVOKABLE void grd_DblClick();
    // Keeps the window at least at its design size and never minimised or
    // maximised, and fits the grid's columns.
    Q_INVOKABLE void Form_Resize();
    // Enables each bar button while its window is registered.
    Q_INVOKABLE void RefreshBarButtons();

    bool FormActivated = false;

    QFrame *Shape1;
    QLabel *Image1;
    QLabel *Label2;
    QLabel *Image3;
    QLabel *Label7;
    QLabel *lblSimpleSrch;
    QLabel *lblClassGroupSrch;
    QLabel *lblAdvancedSrch;
    QLabel *lblReset;
    QFrame *Line2;
    QLabel *Label1;
    QComboBox *cboProgram;
    QLabel *Label3;
    QComboBox *cboDay;
    QLabel *Label5;
    QComboBox *cboLevel;
    QLabel *Label6;
    QComboBox *cboInstructor;
    QComboBox *cboLevel2;
    QLabel *Label9;
    QComboBox *cboLevel3;
    QLabel *Label8;
    QComboBox *cboAMPM;
    QLabel *Label11;
    QComboBox *cboPoolArea;
    QLabel *Label10;
    QComboBox *cboActivity;
    QCheckBox *chkSpots;
    QLabel *lblSR;
    QPushButton *cmdReportView;
    QLabel *Label4;
    QFrame *Line1;
    ui::FlexGrid *grd;
    QFrame *fraBottomButtons;
    QPushButton *cmdSStudent;
    QPushButton *cmdOneOff;
    QPushButton *cmdMultPay;
    QPushButton *Command1;

    // The window's design (and least) outer size, in twips.
    static constexpr int DesignWidth = 10650;
    static constexpr int DesignHeight = 7800;

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void LoadMainPicture();
    void loadStep(const std::function<void()> &step);
    // Puts the location box in the left column of the filter row of that index.
    void placePoolArea(int row);
    void applyStoredGeometry();
    void showSwitchError();
    // Puts the filters back to their first entries and searches once, when any
    // of them has another entry chosen.
    void resetToFirstEntries(const QList<QComboBox *> &filters);

    QGridLayout *m_filters = nullptr;
    // Where and how large the window's frame goes when it first shows (pixels).
    QPoint m_startPosition;
    QSize m_startSize;
    bool m_placed = false;
    bool m_resizing = false;
};
