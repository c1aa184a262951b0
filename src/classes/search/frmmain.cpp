#include "frmmain.h"

#include "access/permissions.h"
#include "classes/classsearch.h"
#include "classes/searchlists.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/modregistryapis.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/timer.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/error.h"
#include "reports/gridreport.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QResizeEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

using ui::twipsToPixels;

const QString kOops = QStringLiteral("Oops!");

QString errText(const core::ErrorInfo &e)
{
    return QStringLiteral("Err#") + QString::number(e.number) + QStringLiteral(" - ") +
           e.description + QStringLiteral(".");
}

QString shortApp()
{
    return Global::CentreSettings().ShortAppName();
}

QComboBox *newCombo(const char *name, bool sorted, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    if (sorted)
        core::setListSorted(c, true);
    return c;
}

QLabel *newLabel(const char *name, const char *text, QWidget *parent)
{
    auto *l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QFrame *newRule(const char *name, QWidget *parent)
{
    auto *r = new QFrame(parent);
    r->setObjectName(QString::fromLatin1(name));
    r->setFixedHeight(1);
    r->setAutoFillBackground(true);
    QPalette p = r->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    r->setPalette(p);
    return r;
}

// The selected entry's index, -1 when none.
int selected(const QComboBox *c)
{
    return c->currentIndex();
}

} // namespace

Main::Main()
{
    setObjectName(QStringLiteral("Main"));
    setCaption(QStringLiteral("Class Search"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(214, 223, 247));
    setPalette(pal);

    // The coloured band down the left edge stands behind the logo.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    QPalette band = Shape1->palette();
    band.setColor(QPalette::Window, QColor(107, 134, 222));
    Shape1->setPalette(band);

    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Class Search"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setFixedSize(twipsToPixels(2730), twipsToPixels(600));
    Image3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label7 = ui::sectionLabel(QStringLiteral("Search Criteria"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    auto link = [this](const char *name, const char *text) {
        QLabel *l = newLabel(name, text, this);
        QFont f = l->font();
        f.setPointSizeF(6.75);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 255));
        l->setPalette(p);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        return l;
    };
    lblSimpleSrch = link("lblSimpleSrch", "Simple");
    lblClassGroupSrch = link("lblClassGroupSrch", "Class Group");
    lblAdvancedSrch = link("lblAdvancedSrch", "Advanced");
    lblReset = link("lblReset", "Reset");
    Line2 = newRule("Line2", this);

    Label1 = newLabel("Label1", "Select Program:", this);
    cboProgram = newCombo("cboProgram", true, this);
    Label3 = newLabel("Label3", "Select Day:", this);
    cboDay = newCombo("cboDay", false, this);
    Label5 = newLabel("Label5", "Select Class Group:", this);
    cboLevel = newCombo("cboLevel", true, this);
    Label6 = newLabel("Label6", "Select Instructor:", this);
    cboInstructor = newCombo("cboInstructor", true, this);
    cboLevel2 = newCombo("cboLevel2", true, this);
    cboLevel2->hide();
    Label9 = newLabel("Label9", "Select Location:", this);
    cboLevel3 = newCombo("cboLevel3", true, this);
    cboLevel3->hide();
    Label8 = newLabel("Label8", "Show Classes:", this);
    cboAMPM = newCombo("cboAMPM", false, this);
    Label11 = newLabel("Label11", "Select Location:", this);
    Label11->hide();
    cboPoolArea = newCombo("cboPoolArea", true, this);
    Label10 = newLabel("Label10", "Select Activity:", this);
    Label10->hide();
    cboActivity = newCombo("cboActivity", true, this);
    cboActivity->hide();

    chkSpots = new QCheckBox(QStringLiteral("Only show classes with vacancies"), this);
    chkSpots->setObjectName(QStringLiteral("chkSpots"));
    lblSR = ui::sectionLabel(QStringLiteral("Search Results"), this);
    lblSR->setObjectName(QStringLiteral("lblSR"));
    cmdReportView = ui::namedButton(QString(), QStringLiteral("cmdReportView"), this);
    cmdReportView->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    cmdReportView->setToolTip(QStringLiteral("View or Print"));
    cmdReportView->setFixedSize(twipsToPixels(405), twipsToPixels(315));
    Label4 = newLabel("Label4", "", this);
    // The summary holds names from the data file: shown as written, never as markup.
    Label4->setTextFormat(Qt::PlainText);
    Line1 = newRule("Line1", this);
    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));

    fraBottomButtons = new QFrame(this);
    fraBottomButtons->setObjectName(QStringLiteral("fraBottomButtons"));
    fraBottomButtons->setFrameShape(QFrame::NoFrame);
    auto barButton = [this](const char *name, const char *caption, const char *tip,
                            QStyle::StandardPixmap icon) {
        QPushButton *b =
            ui::namedButton(QString::fromLatin1(caption), QString::fromLatin1(name), fraBottomButtons);
        b->setToolTip(QString::fromLatin1(tip));
        b->setIcon(style()->standardIcon(icon));
        b->setMinimumHeight(twipsToPixels(435));
        return b;
    };
    cmdSStudent = barButton("cmdSStudent", "Search Students",
                            "Search for students and view or edit their details",
                            QStyle::SP_FileDialogContentsView);
    cmdOneOff = barButton("cmdOneOff", "One-Off Enrolments",
                          "Go to the One-Off Enrolments centre to view or edit non-recurring lessons",
                          QStyle::SP_FileDialogNewFolder);
    cmdMultPay = barButton("cmdMultPay", "Receive Payments", "Process payments of class fees",
                           QStyle::SP_DialogApplyButton);
    Command1 = barButton("Command1", "Student Quick Launch",
                         "Quickly access student information and mark attendance.",
                         QStyle::SP_MediaPlay);
    auto *bar = new QHBoxLayout(fraBottomButtons);
    bar->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *b : {cmdSStudent, cmdOneOff, cmdMultPay, Command1})
        bar->addWidget(b);

    // Layout: the logo beside everything else; the filter rows in a grid whose
    // right column moves with the width.
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(twipsToPixels(195), twipsToPixels(120), twipsToPixels(285),
                              twipsToPixels(200));
    auto *logoColumn = new QVBoxLayout;
    logoColumn->addWidget(Image1);
    logoColumn->addStretch(1);
    outer->addLayout(logoColumn);
    outer->addSpacing(twipsToPixels(60));
    auto *main = new QVBoxLayout;
    outer->addLayout(main, 1);

    auto *head = new QHBoxLayout;
    head->addWidget(Label2);
    head->addStretch(1);
    head->addWidget(Image3);
    main->addLayout(head);
    auto *criteria = new QHBoxLayout;
    criteria->addWidget(Label7);
    criteria->addStretch(1);
    for (QLabel *l : {lblSimpleSrch, lblClassGroupSrch, lblAdvancedSrch, lblReset})
        criteria->addWidget(l);
    main->addLayout(criteria);
    main->addWidget(Line2);

    m_filters = new QGridLayout;
    m_filters->setColumnMinimumWidth(0, twipsToPixels(1560));
    m_filters->setColumnMinimumWidth(2, twipsToPixels(1560));
    m_filters->setColumnStretch(1, 1);
    m_filters->setColumnStretch(3, 1);
    m_filters->setHorizontalSpacing(twipsToPixels(225));
    m_filters->addWidget(Label1, 0, 0);
    m_filters->addWidget(cboProgram, 0, 1);
    m_filters->addWidget(Label3, 0, 2);
    m_filters->addWidget(cboDay, 0, 3);
    m_filters->addWidget(Label5, 1, 0);
    m_filters->addWidget(cboLevel, 1, 1);
    m_filters->addWidget(Label6, 1, 2);
    m_filters->addWidget(cboInstructor, 1, 3);
    m_filters->addWidget(cboLevel2, 1, 3);
    m_filters->addWidget(Label9, 2, 0);
    m_filters->addWidget(cboLevel3, 2, 1);
    m_filters->addWidget(Label8, 2, 2);
    m_filters->addWidget(cboAMPM, 2, 3);
    m_filters->addWidget(Label11, 3, 0);
    m_filters->addWidget(cboPoolArea, 2, 1);
    m_filters->addWidget(Label10, 3, 2);
    m_filters->addWidget(cboActivity, 3, 3);
    main->addLayout(m_filters);

    auto *results = new QHBoxLayout;
    results->addWidget(lblSR);
    results->addStretch(1);
    results->addWidget(chkSpots);
    results->addWidget(cmdReportView);
    main->addLayout(results);
    main->addWidget(Label4);
    main->addWidget(Line1);
    main->addWidget(grd, 1);
    auto *barRow = new QHBoxLayout;
    barRow->addStretch(1);
    barRow->addWidget(fraBottomButtons);
    barRow->addStretch(1);
    main->addLayout(barRow);

    for (QComboBox *c : {cboProgram, cboLevel, cboLevel2, cboLevel3, cboDay, cboInstructor, cboAMPM,
                         cboPoolArea, cboActivity})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { chkSpots_Click(); });
    connect(chkSpots, &QCheckBox::stateChanged, this, [this] { chkSpots_Click(); });
    connect(cmdSStudent, &QPushButton::clicked, this, &Main::cmdSStudent_Click);
    connect(cmdOneOff, &QPushButton::clicked, this, &Main::cmdOneOff_Click);
    connect(cmdMultPay, &QPushButton::clicked, this, &Main::cmdMultPay_Click);
    connect(Command1, &QPushButton::clicked, this, &Main::Command1_Click);
    connect(cmdReportView, &QPushButton::clicked, this, &Main::cmdReportView_Click);
    connect(grd, &ui::FlexGrid::dblClick, this, &Main::grd_DblClick);

    m_startSize = QSize(twipsToPixels(DesignWidth), twipsToPixels(DesignHeight));
    RefreshBarButtons();
}

void Main::loadStep(const std::function<void()> &step)
{
    try {
        step();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error loading up the class search screen.\r\n") +
                                errText(e) + QStringLiteral("\r\n") + shortApp() +
                                QStringLiteral(" will attempt to continue to load but some screen "
                                               "elements may not load correctly."),
                            ui::vbExclamation, QStringLiteral("Class Search Load Error"));
    }
}

void Main::onLoad()
{
    // 1. The centre's own heading picture, silently.
    LoadMainPicture();
    // 2. Where the window goes without a stored position: across the main
    // window's middle, 500 twips higher, never at a negative place.
    QPoint place;
    loadStep([&] {
        if (QMdiArea *area = ui::MdiHost::area()) {
            const QSize inner = area->viewport()->size();
            place = classsearch::DefaultPlace(
                QSize(ui::pixelsToTwips(inner.width()), ui::pixelsToTwips(inner.height())),
                QSize(DesignWidth, DesignHeight));
        }
    });
    // 3. The user name bar.
    loadStep([] {
        if (ui::Form *bar = ui::LoadWindowByName(QStringLiteral("frmNameBar")))
            bar->showForm();
    });
    // 4. The centre's logo.
    loadStep([this] {
        const QString logo =
            Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/barlogo.bmp");
        if (imodGlobalSubs::CheckFileExists(logo) == 0) {
            const QPixmap picture(logo);
            if (!picture.isNull())
                Image1->setPixmap(picture.scaled(Image1->size(), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation));
        }
    });
    // 5. to 8. Layout, grid and lists.
    loadStep([this] { SimpleOrComplexSearch(); });
    loadStep([this] { Global::SetupClassSearchGrid(grd, this); });
    loadStep([this] { imodGlobalSubs::FillDayCombo(cboDay, true, 0); });
    loadStep([this] { Load_Level_List(); });
    loadStep([this] { Load_Inst_List(); });
    loadStep([this] { Load_Program_List(); });
    loadStep([this] { Load_PoolArea_List(); });
    loadStep([this] { Load_Activity_List(); });
    loadStep([this] { Load_AMPM(); });
    // 9. The caption.
    loadStep([this] { setCaption(QStringLiteral("Class Search")); });
    // 10. Position and size as the user left them.
    loadStep([&] {
        const QRect stored =
            classsearch::StoredPlace(place, QSize(DesignWidth, DesignHeight));
        m_startPosition = QPoint(twipsToPixels(stored.x()), twipsToPixels(stored.y()));
        m_startSize = QSize(twipsToPixels(stored.width()), twipsToPixels(stored.height()));
        applyStoredGeometry();
    });
}

void Main::applyStoredGeometry()
{
    QWidget *f = frame();
    if (f == this) {
        resize(m_startSize);
        return;
    }
    f->setMinimumSize(twipsToPixels(DesignWidth), twipsToPixels(DesignHeight));
    f->resize(m_startSize);
    f->move(m_startPosition);
    m_placed = true;
}

void Main::showEvent(QShowEvent *event)
{
    ui::Form::showEvent(event);
    if (!m_placed && frame() != this) {
        applyStoredGeometry();
        frame()->installEventFilter(this);
    }
    // Showing brings the window to the front: it counts as its activation, so a
    // search asked for right after the showing runs.
    FormActivated = true;
}

void Main::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    // The band runs down the whole left edge, however the window is held.
    Shape1->setGeometry(0, 0, twipsToPixels(975), height() + twipsToPixels(1000));
    Shape1->lower();
}

void Main::onActivate()
{
    FormActivated = true;
    RefreshBarButtons();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == lblSimpleSrch)
            lblSimpleSrch_Click();
        else if (watched == lblAdvancedSrch)
            lblAdvancedSrch_Click();
        else if (watched == lblClassGroupSrch)
            lblClassGroupSrch_Click();
        else if (watched == lblReset)
            lblReset_Click();
    } else if (watched == frame() && watched != this &&
               (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
        Form_Resize();
    }
    return ui::Form::eventFilter(watched, event);
}

void Main::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    const QWidget *f = frame();
    try {
        classsearch::SavePlace(QRect(ui::pixelsToTwips(f->x()), ui::pixelsToTwips(f->y()),
                                     ui::pixelsToTwips(f->width()), ui::pixelsToTwips(f->height())));
    } catch (...) {
    }
    cancel = false;
}

void Main::Form_Resize()
{
    if (m_resizing)
        return;
    m_resizing = true;
    try {
        QWidget *f = frame();
        if (f->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
            f->setWindowState(Qt::WindowNoState);
        const int minW = twipsToPixels(DesignWidth);
        const int minH = twipsToPixels(DesignHeight);
        if (f->width() < minW || f->height() < minH)
            f->resize(std::max(f->width(), minW), std::max(f->height(), minH));
        Global::ResizeClassSearchGrid(grd, this);
    } catch (...) {
    }
    m_resizing = false;
}

void Main::LoadMainPicture()
{
    try {
        const QString file = imodVista::GetAppDataFolder() + QStringLiteral("main.gif");
        if (!QFile::exists(file))
            return;
        const QPixmap picture(file);
        if (!picture.isNull())
            Image3->setPixmap(picture.scaled(Image3->size(), Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation));
    } catch (...) {
    }
}

// --- The filter lists ---------------------------------------------------------

void Main::Load_Inst_List()
{
    classsearch::FillFilterList(cboInstructor, classsearch::InstructorListSql,
                                {QStringLiteral("Error loading instructor list"),
                                 QStringLiteral("There was an error when loading the instructor list."),
                                 QStringLiteral("The instructors may not display correctly.")});
}

void Main::Load_PoolArea_List()
{
    classsearch::FillFilterList(cboPoolArea, classsearch::PoolAreaListSql,
                                {QStringLiteral("Error loading location list"),
                                 QStringLiteral("There was an error when loading the list of locations."),
                                 QStringLiteral("The locations may not display correctly.")});
}

void Main::Load_Activity_List()
{
    classsearch::FillFilterList(cboActivity, classsearch::ActivityListSql,
                                {QStringLiteral("Error loading activity list"),
                                 QStringLiteral("There was an error when loading the list of activities."),
                                 QStringLiteral("The list may not display correctly.")});
}

void Main::Load_Level_List()
{
    classsearch::FillLevelLists({cboLevel, cboLevel2, cboLevel3});
}

void Main::Load_Program_List()
{
    classsearch::FillProgramList(cboProgram);
}

void Main::CheckBeforeFill()
{
    if (!FormActivated)
        return;
    try {
        classsearch::SearchWithFiltersOf(this);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(
            QStringLiteral("There was an error when preparing to fill the grid with search "
                           "results.\r\n") +
                errText(e) + QStringLiteral("\r\nThe search results may not display correctly."),
            ui::vbExclamation, QStringLiteral("Error loading search results"));
    }
}

// --- Searching after a change -------------------------------------------------

void Main::chkSpots_Click()
{
    // However many filters one operation changes, the loading window's timer
    // fires once, after the operation, and runs one search.
    try {
        ui::Form *loading = ui::LoadWindowByName(QStringLiteral("frmLoading"));
        if (!loading)
            return;
        loading->showForm();
        if (auto *timer = loading->findChild<ui::Timer *>())
            timer->setEnabled(true);
    } catch (...) {
    }
}

// --- The bar -----------------------------------------------------------------

void Main::RefreshBarButtons()
{
    cmdSStudent->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmFindStudent")));
    cmdOneOff->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmOOE")));
    cmdMultPay->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmPayments")));
    Command1->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmBarcode")));
}

namespace {

void requestAuthorisation(ui::Form *requester, const QString &operation)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(requester), operation, QString()});
}

void showToFront(const char *window)
{
    if (ui::Form *f = ui::LoadWindowByName(QString::fromLatin1(window)))
        f->showForm();
}

} // namespace

void Main::cmdSStudent_Click()
{
    if (Global::CurrentUserRights().Permissions(33) == 1) {
        if (ui::Form *find = ui::LoadWindowByName(QStringLiteral("frmFindStudent"))) {
            find->showForm();
            ui::callByName(find, QStringLiteral("LoadUp"), {1, QString()});
            find->showForm();
        }
    } else {
        requestAuthorisation(this, QStringLiteral("Search Students"));
    }
}

void Main::cmdOneOff_Click()
{
    if (Global::CheckPermissionByName(Global::CurrentUserId, QStringLiteral("ViewOOE"), true) == 1)
        showToFront("frmOOE");
    else
        requestAuthorisation(this, QStringLiteral("Open OOE"));
}

void Main::cmdMultPay_Click()
{
    showToFront("frmPayments");
}

void Main::Command1_Click()
{
    if (Global::CurrentUserRights().Permissions(3) == 1)
        showToFront("frmBarcode");
    else
        requestAuthorisation(this, QStringLiteral("DDForm"));
}

void Main::cmdReportView_Click()
{
    grd->hide();
    try {
        // The summary holds names from the data file: escaped for the page.
        Global::ShowGridAsHtmlReport(grd, QStringLiteral("Class Search Results"),
                                     Label4->text().toHtmlEscaped());
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error when exporting the grid to a "
                                           "report.\r\n") +
                                errText(e),
                            ui::vbExclamation, QStringLiteral("Grid Export Error"));
    }
    grd->show();
}

void Main::grd_DblClick()
{
    if (grd->rowSel() == 0)
        return;
    ui::Hourglass::show();
    try {
        const QString id = grd->textMatrix(grd->gridRow(), 0);
        if (ui::Form *open = ui::Forms::findByRecord(QStringLiteral("frmViewClass"), id)) {
            open->showForm();
            ui::Hourglass::reset();
            return;
        }
        bool ok = false;
        const qint32 classId = id.toInt(&ok);
        if (!ok)
            throw vb::Error(13); // Type mismatch
        if (ui::Form *view = ui::CreateWindowByName(QStringLiteral("frmViewClass"))) {
            view->showForm();
            view->setProperty("ViewClassMode", QStringLiteral("Edit"));
            ui::callByName(view, QStringLiteral("LoadOps"), {classId});
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when preparing to load the class.\r\n"
                                           "Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QStringLiteral("\r\nThe class could not be displayed."),
                            ui::vbExclamation, QStringLiteral("Error"));
        return;
    }
    ui::Hourglass::reset();
}

// --- The three layouts --------------------------------------------------------

void Main::SimpleOrComplexSearch()
{
    try {
        const QVariant v = Global::CentreSettings().Settings(int(CentreSettingIds::SimpleSearch));
        bool ok = false;
        const int value = v.toInt(&ok);
        if (!v.isNull() && ok && value == 1)
            lblSimpleSrch_Click();
        else
            lblAdvancedSrch_Click();
    } catch (...) {
        try {
            lblSimpleSrch_Click();
        } catch (...) {
        }
    }
}

void Main::placePoolArea(int row)
{
    m_filters->removeWidget(cboPoolArea);
    m_filters->addWidget(cboPoolArea, row, 1);
}

void Main::showSwitchError()
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(QStringLiteral("An error occurred when switching search modes.\r\n") +
                            errText(e) + QStringLiteral("\r\n") + shortApp() +
                            QStringLiteral(" will attempt to continue but the class search screen "
                                           "may not display correctly."),
                        ui::vbExclamation, kOops);
}

void Main::resetToFirstEntries(const QList<QComboBox *> &filters)
{
    // Only a filter away from its first entry makes the switch search again.
    if (std::none_of(filters.begin(), filters.end(), [](QComboBox *c) { return selected(c) > 0; }))
        return;
    for (QComboBox *c : filters)
        imodGlobalSubs::SetComboIndex(c, 0);
    chkSpots_Click();
}

void Main::lblSimpleSrch_Click()
{
    Label8->hide();
    Label9->hide();
    Label3->setText(QStringLiteral("Select Day:"));
    Label6->setText(QStringLiteral("Select Instructor:"));
    Label8->setText(QStringLiteral("Show Classes:"));
    Label9->setText(QStringLiteral("Select Location:"));
    cboDay->show();
    cboInstructor->show();
    for (QWidget *w : std::initializer_list<QWidget *>{cboLevel2, cboLevel3, cboPoolArea, cboActivity,
                                                       cboAMPM, Label10, Label11})
        w->hide();
    placePoolArea(2);
    Label7->setText(QStringLiteral("Search Criteria - Simple Search"));
    resetToFirstEntries({cboAMPM, cboPoolArea, cboLevel2, cboLevel3, cboActivity});
}

void Main::lblAdvancedSrch_Click()
{
    try {
        Label3->setText(QStringLiteral("Select Day:"));
        Label3->show();
        Label6->setText(QStringLiteral("Select Instructor:"));
        Label6->show();
        Label8->setText(QStringLiteral("Show Classes:"));
        Label8->show();
        Label9->setText(QStringLiteral("Select Location:"));
        Label9->show();
        for (QWidget *w :
             std::initializer_list<QWidget *>{Label10, Label11, cboActivity, cboLevel2, cboLevel3})
            w->hide();
        placePoolArea(2);
        cboPoolArea->show();
        cboAMPM->show();
        Label7->setText(QStringLiteral("Search Criteria - Advanced Search"));
        cboDay->show();
        cboInstructor->show();
        imodGlobalSubs::SetComboIndex(cboLevel2, 0);
        imodGlobalSubs::SetComboIndex(cboLevel3, 0);
        resetToFirstEntries({cboActivity, cboLevel2, cboLevel3});
    } catch (...) {
        showSwitchError();
    }
}

void Main::lblClassGroupSrch_Click()
{
    try {
        const bool extraRow = Global::CountActivities() >= 2 || Global::CountPoolAreas() >= 2;
        Label10->setVisible(extraRow);
        Label11->setVisible(extraRow);
        placePoolArea(3);
        cboPoolArea->setVisible(extraRow);
        cboActivity->setVisible(extraRow);
        Label3->setText(QStringLiteral("Select Day:"));
        Label3->show();
        Label6->setText(QStringLiteral("Select Class Group:"));
        Label6->show();
        Label8->setText(QStringLiteral("Show Classes:"));
        Label8->show();
        Label9->setText(QStringLiteral("Select Class Group:"));
        Label9->show();
        cboDay->show();
        cboInstructor->hide();
        cboAMPM->show();
        Label7->setText(QStringLiteral("Search Criteria - Multiple Class Group Search"));
        cboLevel->show();
        cboLevel2->show();
        cboLevel3->show();
        // Location and "Show Classes" go back to their first entries with the
        // instructor, although this layout still shows them.
        resetToFirstEntries({cboPoolArea, cboInstructor, cboAMPM});
    } catch (...) {
        showSwitchError();
    }
}

void Main::lblReset_Click()
{
    auto step = [](const std::function<void()> &f) {
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(QStringLiteral("There was an error when resetting the search.\r\n") +
                                    errText(e) + QStringLiteral("\r\n") + shortApp() +
                                    QStringLiteral(" will attempt to continue but the class search "
                                                   "screen may not display correctly."),
                                ui::vbExclamation, QStringLiteral("Reset Error"));
        }
    };
    for (QComboBox *c :
         {cboDay, cboLevel, cboInstructor, cboPoolArea, cboAMPM, cboLevel2, cboLevel3})
        step([c] { imodGlobalSubs::SetComboIndex(c, 0); });
    step([this] { chkSpots->setCheckState(Qt::Unchecked); });
    step([this] { chkSpots_Click(); });
}

void Main::Load_AMPM()
{
    try {
        for (const QString &mode : classsearch::TimeModes())
            core::listAddItem(cboAMPM, mode);
        imodGlobalSubs::SetComboIndex(cboAMPM, 0);
    } catch (...) {
    }
}
