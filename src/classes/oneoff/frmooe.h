#pragma once

#include "oneoffcentre.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QDate>

class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;

namespace ui {
class FlexGrid;
}

// The one-off enrolment centre: one day as half-hour slots by instructor. From it a
// one-off class is made in a free slot, any class shown is opened, a one-off class
// without active bookings is deleted and the day's schedule is printed. One window.
class frmOOE : public ui::Form
{
    Q_OBJECT
public:
    frmOOE();

    Q_INVOKABLE void Load_Grid();
    Q_INVOKABLE void Load_Instructors();
    Q_INVOKABLE void CreateOOClass();
    Q_INVOKABLE void OpenOOClass();

    Q_INVOKABLE void grd_Click();
    Q_INVOKABLE void grd_DblClick();
    Q_INVOKABLE void MonthView1_DateClick(const QDate &date);
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdOpen_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void cmdPrint_Click();
    Q_INVOKABLE void cmdShowHide_Click();

    QDate shownDate() const { return m_shownDate; }
    // The chosen class (0 for none) and the InstructorID of each instructor column.
    qint32 selectedClass() const { return m_selectedClass; }
    QList<qint32> columnInstructors() const { return m_columnInstructors; }
    // The schedule file last written by View/Print Schedule.
    QString scheduleFile() const { return m_scheduleFile; }

    QLabel *Label2, *lblDate, *Label1;
    QPushButton *cmdPrint, *cmdShowHide, *cmdOpen, *cmdNew, *cmdCancel;
    ui::FlexGrid *grd;
    QFrame *Frame1, *Shape1;
    QCalendarWidget *MonthView1;
    ui::ControlArray<QLabel> lblDetails{QStringLiteral("lblDetails")};

protected:
    void onLoad() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ClearTimeslotDetails();
    void ShowTimeslotDetails();
    void hideSlotButtons();
    void requestAuthorisation(const QString &operation, const QString &extra);

    QDate m_shownDate;
    int m_calendarExtra = 0; // pixels the calendar needs beyond its designed width
    QList<qint32> m_columnInstructors;
    QVector<QVector<oneoffcentre::SlotClass>> m_cells;
    qint32 m_selectedClass = 0;
    bool m_selectedOneOff = false;
    int m_chosenRow = 0, m_chosenCol = 0;
    QString m_scheduleFile;
};
