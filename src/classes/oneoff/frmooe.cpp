#include "frmooe.h"

#include "access/permissions.h"
#include "classes/view/frmviewclass.h"
#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/globalsettings.h"
#include "core/workingwindow.h"
#include "frmoinst.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/htmlview.h"
#include "platform/ui/labels.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/format.h"
#include "shell/frmreportviewer.h"
#include "timetable/classes.h"

#include <QApplication>
#include <QCalendarWidget>
#include <algorithm>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

namespace {

constexpr int AddEditOOE = 48;
constexpr int DeleteOOE = 49;
const QColor OneOffGrey(214, 215, 214);
const QColor RecurringBlue(57, 130, 247);
const QColor CentreBackground(214, 223, 247);

template <class F> void centreStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void placeTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(ui::twipsToPixels(left), ui::twipsToPixels(top), ui::twipsToPixels(width),
                   ui::twipsToPixels(height));
}

QLabel *boldCentreLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QString centreDateText(const QDate &date)
{
    return vb::Format(QDateTime(date, QTime()), QStringLiteral("dd mmm yyyy"));
}

} // namespace

frmOOE::frmOOE()
{
    setObjectName(QStringLiteral("frmOOE"));
    setCaption(QStringLiteral("One-Off Enrolments"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, CentreBackground);
    setPalette(p);

    Label2 = ui::headingLabel(QStringLiteral("One-Off Enrolments"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    placeTwips(Label2, 120, 120, 4335, 375);
    cmdPrint = ui::namedButton(QStringLiteral("View/Print Schedule"), QStringLiteral("cmdPrint"), this);
    placeTwips(cmdPrint, 5520, 120, 2085, 435);
    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));
    placeTwips(grd, 120, 600, 7365, 4695);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    placeTwips(Frame1, 7600, 0, 2685, 5415);
    cmdShowHide = ui::namedButton(QStringLiteral("Show/Hide Instructors"), QStringLiteral("cmdShowHide"), Frame1);
    placeTwips(cmdShowHide, 0, 120, 2535, 375);
    lblDate = boldCentreLabel(QString(), Frame1);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    placeTwips(lblDate, 0, 615, 2535, 375);
    MonthView1 = new QCalendarWidget(Frame1);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    placeTwips(MonthView1, 0, 975, 2535, 2310);
    // The month needs more room than its designed width in most fonts: the
    // panel grows to the left by what it lacks, so no weekday is cut off.
    m_calendarExtra = std::max(0, MonthView1->sizeHint().width() - MonthView1->width());
    MonthView1->resize(MonthView1->width() + m_calendarExtra, MonthView1->height());
    Frame1->resize(Frame1->width() + m_calendarExtra, Frame1->height());
    Shape1 = new QFrame(Frame1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    QPalette sp = Shape1->palette();
    sp.setColor(QPalette::Window, QColor(181, 199, 247));
    Shape1->setPalette(sp);
    placeTwips(Shape1, 0, 3375, 2535, 1920);
    Shape1->resize(Shape1->width() + m_calendarExtra, Shape1->height());
    Label1 = boldCentreLabel(QStringLiteral("Timeslot Details"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    placeTwips(Label1, 255, 3375, 2055, 255);
    const int tops[] = {3615, 3855, 4095, 4335, 5040};
    for (int i = 0; i < 5; ++i)
        placeTwips(lblDetails.add(i, new QLabel(Frame1)), i == 4 ? 120 : 135, tops[i], 2295, 255);
    cmdOpen = ui::namedButton(QStringLiteral("Open"), QStringLiteral("cmdOpen"), Frame1);
    placeTwips(cmdOpen, 240, 4620, 1005, 375);
    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), Frame1);
    placeTwips(cmdNew, 720, 4620, 1005, 375);
    cmdCancel = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdCancel"), Frame1);
    placeTwips(cmdCancel, 1320, 4620, 1005, 375);
    hideSlotButtons();
    resize(ui::twipsToPixels(10400) + m_calendarExtra, ui::twipsToPixels(5800));

    connect(grd, &ui::FlexGrid::click, this, &frmOOE::grd_Click);
    connect(grd, &ui::FlexGrid::dblClick, this, &frmOOE::grd_DblClick);
    connect(MonthView1, &QCalendarWidget::clicked, this, &frmOOE::MonthView1_DateClick);
    connect(cmdNew, &QPushButton::clicked, this, &frmOOE::cmdNew_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmOOE::cmdOpen_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOOE::cmdCancel_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmOOE::cmdPrint_Click);
    connect(cmdShowHide, &QPushButton::clicked, this, &frmOOE::cmdShowHide_Click);
}

void frmOOE::onLoad()
{
    centreStep([this] {
        if (QMdiArea *area = ui::MdiHost::area()) {
            resize(area->width() - ui::twipsToPixels(700),
                   area->height() - ui::twipsToPixels(900) - ui::twipsToPixels(800));
            // Centred at its full height, then 800 shorter: 400 above the middle.
            core::PlaceOnMainWindow(this, 400);
        }
    });
    m_shownDate = QDate::currentDate();
    lblDate->setText(centreDateText(m_shownDate));
    MonthView1->setSelectedDate(m_shownDate);
    Load_Grid();
    Load_Instructors();
}

void frmOOE::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    const int W = width(), H = height();
    if (W <= ui::twipsToPixels(2925) + m_calendarExtra || H <= ui::twipsToPixels(1200))
        return;
    grd->resize(W - ui::twipsToPixels(2925) - m_calendarExtra, H - ui::twipsToPixels(1200));
    Frame1->move(W - ui::twipsToPixels(2700) - m_calendarExtra, Frame1->y());
    cmdPrint->move(Frame1->x() - cmdPrint->width() - ui::twipsToPixels(50), cmdPrint->y());
}

void frmOOE::Load_Grid()
{
    grd->setFixedCols(0);
    grd->setFixedRows(0);
    grd->setRows(1);
    grd->setCols(2);
    grd->setFixedCols(1);
    grd->setRowHeightTwips(0, 500);
    grd->setColWidth(0, 1100);
    grd->setRows(oneoffcentre::SlotCount + 1);
    for (int r = 1; r <= oneoffcentre::SlotCount; ++r) {
        grd->setTextMatrix(r, 0, oneoffcentre::SlotText(oneoffcentre::SlotTime(r)));
        grd->setCellAlignment(r, 0, ui::flexAlignCenterCenter);
    }
    grd->setFixedRows(1);
    grd->setGridRow(0);
}

void frmOOE::Load_Instructors()
{
    grd->hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    centreStep([this] {
        grd->setFixedCols(0);
        grd->setCols(1);
        m_columnInstructors.clear();
        m_cells.clear();
        const QList<oneoffcentre::CentreInstructor> shown = oneoffcentre::ShownInstructors();
        for (const auto &i : shown)
            m_columnInstructors << i.id;
        m_cells = oneoffcentre::DayClasses(m_shownDate, m_columnInstructors);
        grd->setCols(int(shown.size()) + 1);
        for (int c = 0; c < shown.size(); ++c) {
            grd->setTextMatrix(0, c + 1, shown[c].name);
            grd->setColWidth(c + 1, 1800);
            grd->setCellAlignment(0, c + 1, ui::flexAlignCenterCenter);
            for (int s = 0; s < oneoffcentre::SlotCount; ++s) {
                const oneoffcentre::SlotClass &cls = m_cells[c][s];
                if (cls.isEmpty())
                    continue;
                grd->setTextMatrix(s + 1, c + 1, cls.cellText());
                grd->setCellAlignment(s + 1, c + 1, ui::flexAlignCenterCenter);
                grd->setCellBackColor(s + 1, c + 1, cls.oneOff ? OneOffGrey : RecurringBlue);
            }
        }
        if (grd->cols() > 1)
            grd->setFixedCols(1);
    });
    grd->show();
    QApplication::restoreOverrideCursor();
}

void frmOOE::hideSlotButtons()
{
    cmdNew->hide();
    cmdOpen->hide();
    cmdCancel->hide();
}

void frmOOE::ClearTimeslotDetails()
{
    for (QLabel *l : lblDetails)
        l->clear();
    lblDetails[1]->setText(QStringLiteral("Click New to Begin."));
    m_selectedClass = 0;
    m_selectedOneOff = false;
    cmdCancel->hide();
    cmdOpen->hide();
    cmdNew->show();
}

void frmOOE::ShowTimeslotDetails()
{
    const int row = grd->gridRow(), col = grd->gridCol();
    const oneoffcentre::SlotClass &cls = m_cells[col - 1][row - 1];
    lblDetails[0]->setText(QStringLiteral("Class: ") + cls.description);
    m_selectedClass = cls.classId;
    m_selectedOneOff = cls.oneOff;
    lblDetails[1]->setText(QStringLiteral("Date: ") + lblDate->text());
    lblDetails[2]->setText(QStringLiteral("Time: ") + grd->textMatrix(row, 0));
    lblDetails[3]->setText(QStringLiteral("Instructor: ") + grd->textMatrix(0, col));
    lblDetails[4]->setText(cls.oneOff ? QStringLiteral("This is a one-off class.")
                                      : QStringLiteral("This is a recurring class."));
    cmdCancel->setEnabled(cls.oneOff);
    cmdCancel->show();
    cmdOpen->show();
    cmdNew->hide();
}

void frmOOE::grd_Click()
{
    const int row = grd->gridRow(), col = grd->gridCol();
    // The header row and the time column choose nothing.
    if (row < 1 || col < 1 || col > m_cells.size())
        return;
    m_chosenRow = row;
    m_chosenCol = col;
    if (m_cells[col - 1][row - 1].isEmpty())
        ClearTimeslotDetails();
    else
        ShowTimeslotDetails();
}

void frmOOE::grd_DblClick()
{
    grd_Click();
    const int row = grd->gridRow(), col = grd->gridCol();
    if (row < 1 || col < 1 || col > m_cells.size())
        return;
    if (m_cells[col - 1][row - 1].isEmpty())
        cmdNew_Click();
    else
        cmdOpen_Click();
}

void frmOOE::MonthView1_DateClick(const QDate &date)
{
    m_shownDate = date;
    lblDate->setText(centreDateText(date));
    // The calendar and the shown date stay together.
    if (MonthView1->selectedDate() != date)
        MonthView1->setSelectedDate(date);
    hideSlotButtons();
    for (QLabel *l : lblDetails)
        l->clear();
    m_selectedClass = 0;
    m_chosenRow = m_chosenCol = 0;
    Load_Instructors();
}

void frmOOE::requestAuthorisation(const QString &operation, const QString &extra)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), operation, extra});
}

void frmOOE::cmdNew_Click()
{
    if (m_chosenRow < 1 || m_chosenCol < 1)
        return;
    const QString name = Global::DayNameForNumber(m_shownDate.dayOfWeek() % 7 + 1);
    if (!oneoffcentre::DayIsSetUp(name)) {
        ui::Dialogs::msgBox(QStringLiteral("You do not have '") + name +
                                QStringLiteral("' as a day set up in the system.\r\nPlease add ") + name +
                                QStringLiteral(" to the list of Days on the Setup > Days screen."),
                            ui::vbInformation, QStringLiteral("No ") + name + QStringLiteral(" Set up"));
        return;
    }
    if (Global::CurrentUserRights().Permissions(AddEditOOE) == 1)
        CreateOOClass();
    else
        requestAuthorisation(QStringLiteral("New OO Class"), QString());
}

void frmOOE::CreateOOClass()
{
    if (m_chosenRow < 1 || m_chosenCol < 1 || m_chosenCol > m_columnInstructors.size())
        return;
    auto *view = ui::Forms::create<frmViewClass>();
    view->setViewClassMode(QStringLiteral("Add"));
    view->showForm();
    view->LoadNewO(grd->textMatrix(0, m_chosenCol), m_shownDate,
                   oneoffcentre::SlotTime(m_chosenRow), m_columnInstructors[m_chosenCol - 1]);
}

void frmOOE::cmdOpen_Click()
{
    if (Global::CurrentUserRights().Permissions(AddEditOOE) == 1)
        OpenOOClass();
    else
        requestAuthorisation(QStringLiteral("Open OO Class"), QString());
}

void frmOOE::OpenOOClass()
{
    if (m_selectedClass == 0)
        return;
    auto *view = ui::Forms::create<frmViewClass>();
    view->setViewClassMode(QStringLiteral("Edit"));
    view->showForm();
    view->LoadOps(m_selectedClass, imodClasses::IsOneOffClass(m_selectedClass));
}

void frmOOE::cmdCancel_Click()
{
    if (m_selectedClass == 0 || lblDetails[4]->text() != QLatin1String("This is a one-off class."))
        return;
    const qint32 classId = m_selectedClass;
    if (oneoffcentre::HasActiveBookings(classId)) {
        ui::Dialogs::msgBox(QStringLiteral("You cannot delete this class unless there are no confirmed "
                                           "or tentative students enrolled in the class."),
                            ui::vbExclamation, QStringLiteral("Sorry"));
        return;
    }
    if (Global::CurrentUserRights().Permissions(DeleteOOE) == 1) {
        imodClasses::DeleteClassRecord(classId);
        Load_Instructors();
    } else {
        requestAuthorisation(QStringLiteral("Delete OO Class"), QString::number(classId));
    }
}

void frmOOE::cmdPrint_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    centreStep([this] {
        QList<QStringList> rows;
        for (int r = 0; r < grd->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < grd->cols(); ++c)
                cells << grd->textMatrix(r, c);
            rows << cells;
        }
        const QString html = oneoffcentre::ScheduleHtml(
            m_shownDate, rows, Global::CentreSettings().ApplicationName(),
            vb::Format(QDateTime::currentDateTime()));
        const QString path = Global::TempReportFile();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(html.toUtf8());
        file.close();
        m_scheduleFile = path;
        // Not the viewer's temporary file: the backup's cleanup removes it.
        auto *viewer = ui::Forms::shared<frmReportViewer>();
        viewer->load();
        viewer->brw->navigate(path);
        viewer->showForm();
    });
    QApplication::restoreOverrideCursor();
}

void frmOOE::cmdShowHide_Click()
{
    auto *list = ui::Forms::shared<frmOInst>();
    list->showForm();
    list->raise();
}
