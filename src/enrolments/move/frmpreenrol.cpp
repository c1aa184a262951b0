#include "frmpreenrol.h"

#include "access/permissions.h"
#include "assessments/imodassessments.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolments/preenrol.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "timetable/programs.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

using ui::pixelsToTwips;
using ui::twipsToPixels;

// Places a control at a position and size given in twips.
void preEnrolPlace(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                   twipsToPixels(height));
}

constexpr int preEnrolMinWidth = 9270;
constexpr int preEnrolButtonHeight = 375;

} // namespace

QColor frmPreEnrol::searchColour()
{
    return QColor(192, 192, 255);
}

frmPreEnrol::frmPreEnrol()
{
    setObjectName(QStringLiteral("frmPreEnrol"));
    setCaption(QStringLiteral("Pre-Enrolments"));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    Shape1->setStyleSheet(QStringLiteral("background-color: rgb(0, 64, 128);"));
    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Pre-Enrolments"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    const char *fields[] = {"Select Program:", "Search Last Name:",
                            "The following students are on the list to enrol in a future program."};
    for (int i = 0; i < 3; ++i)
        lblField.add(i, new QLabel(QString::fromLatin1(fields[i]), this));
    cboProgram = new QComboBox(this);
    cboProgram->setObjectName(QStringLiteral("cboProgram"));
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    cmdSearch = ui::namedButton(QStringLiteral("Search"), QStringLiteral("cmdSearch"), this);
    cmdReset = ui::namedButton(QStringLiteral("Show All"), QStringLiteral("cmdReset"), this);
    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));
    cmdAdd = ui::namedButton(QStringLiteral("Add Student"), QStringLiteral("cmdAdd"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit Preferences"), QStringLiteral("cmdEdit"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdDelete"), this);
    cmdView = ui::namedButton(QStringLiteral("View Student Details"), QStringLiteral("cmdView"),
                              this);
    cmdMove = ui::namedButton(QStringLiteral("Enrol into Class"), QStringLiteral("cmdMove"), this);
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    lblMsg = ui::wrappedLabel(QStringLiteral("Please wait while the Pre Enrolments are loaded... "
                                             "This may take a few moments..."),
                              Frame1);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    prg = new QProgressBar(Frame1);
    prg->setObjectName(QStringLiteral("prg"));
    auto *wait = new QVBoxLayout(Frame1);
    wait->addWidget(lblMsg);
    wait->addWidget(prg);
    Frame1->hide();

    // Design places, in twips; the resize rules move the rest.
    preEnrolPlace(Image1, 180, 120, 1425, 1425);
    preEnrolPlace(Label2, 1800, 200, 6000, 450);
    preEnrolPlace(lblField[0], 1620, 760, 1605, 300);
    preEnrolPlace(lblField[1], 1620, 1160, 1605, 300);
    preEnrolPlace(lblField[2], 1800, 1520, 7000, 260);
    preEnrolPlace(cboProgram, 3225, 720, 5685, 330);
    preEnrolPlace(txtSearch, 3225, 1120, 3765, 330);
    preEnrolPlace(cmdSearch, 7110, 1110, 900, 350);
    preEnrolPlace(cmdReset, 8070, 1110, 900, 350);
    preEnrolPlace(grd, 1800, 1800, 7195, 3000);
    preEnrolPlace(Frame1, 2800, 2400, 5000, 1200);
    resize(twipsToPixels(11895), twipsToPixels(7200));

    connect(cboProgram, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading)
            cboProgram_Click();
    });
    connect(cmdSearch, &QPushButton::clicked, this, &frmPreEnrol::cmdSearch_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmPreEnrol::cmdReset_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmPreEnrol::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPreEnrol::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmPreEnrol::cmdDelete_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmPreEnrol::cmdView_Click);
    connect(cmdMove, &QPushButton::clicked, this, &frmPreEnrol::cmdMove_Click);
}

void frmPreEnrol::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    grd->setCols(7);
    grd->setFixedCols(0);
    grd->setRows(1);
    grd->setFixedRows(1);
    const struct
    {
        const char *header;
        int width;
    } columns[] = {{"", 500},          {"SID", 0},     {"Name", 2000}, {"Preferences", 2000},
                   {"Date", 1500},     {"Level", 1500}, {"Result", 1500}};
    for (int c = 0; c < 7; ++c) {
        grd->setTextMatrix(0, c, QString::fromLatin1(columns[c].header));
        grd->setColWidth(c, columns[c].width);
    }

    m_loading = true;
    try {
        core::listClear(cboProgram);
        irecObjectCode::FillListFromSql(
            cboProgram,
            QStringLiteral("SELECT Programs.Program From Programs WHERE (((Programs.Inactive)=0));"),
            0);
        if (core::listCount(cboProgram) > 0)
            core::setListIndex(cboProgram, 0);
        const int wanted = cboProgram->findText(
            vb::CStr(vb::Nz(Global::CentreSettings().Settings(
                int(CentreSettingIds::DefaultProgramName)))),
            Qt::MatchFixedString);
        if (wanted >= 0)
            core::setListIndex(cboProgram, wanted);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error when loading the program list.\r\n"
                                           "Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QStringLiteral(".\r\nThe list of programs may not display "
                                               "correctly."),
                            ui::vbExclamation, QStringLiteral("Error loading program list"));
    }
    m_loading = false;
    Load_PreEnrolments();
    Form_Resize();
}

qint32 frmPreEnrol::selectedProgramId() const
{
    return imodPrograms::GetProgramIdForName(cboProgram->currentText());
}

int frmPreEnrol::entryRow() const
{
    const int row = grd->gridRow();
    return row > 0 && row < grd->rows() ? row : 0;
}

void frmPreEnrol::Load_PreEnrolments()
{
    ui::Hourglass::show();
    Frame1->show();
    Frame1->raise();
    prg->setMaximum(1);
    prg->setValue(1);
    grd->hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString search = txtSearch->text();
    const QColor colour = search.isEmpty() ? palette().color(QPalette::Base) : searchColour();
    grd->setRows(1);
    QList<imodEnrolments::PreEnrolEntry> entries;
    QString failure;
    try {
        entries = imodEnrolments::ReadPreEnrolList(cboProgram->currentText(), search);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        failure = QStringLiteral("Err#") + QString::number(e.number) + QStringLiteral(" - ") +
                  e.description;
    }
    prg->setMaximum(int(entries.size()) + 1);
    for (const auto &entry : entries) {
        // A row that cannot be completed keeps what it has; the next rows still load.
        const int r = grd->rows();
        grd->setRows(r + 1);
        prg->setValue(prg->value() + 1);
        try {
            grd->setTextMatrix(r, ColNumber, QString::number(r));
            grd->setTextMatrix(r, ColSid, QString::number(entry.studentId));
            grd->setTextMatrix(r, ColName,
                               entry.firstName.isEmpty() && entry.lastName.isEmpty()
                                   ? QString()
                                   : entry.firstName + QLatin1Char(' ') + entry.lastName);
            grd->setTextMatrix(r, ColPreferences, entry.preferences);
            const qint32 last = imodAssessments::GetLastAssessmentID(0, entry.studentId);
            const bool assessed = last != 0;
            grd->setTextMatrix(r, ColDate,
                               assessed ? imodAssessments::GetAssessmentDate(last) : QStringLiteral("-"));
            grd->setTextMatrix(r, ColLevel, assessed ? imodAssessments::GetAssessmentLevelName(last)
                                                     : QStringLiteral("-"));
            grd->setTextMatrix(r, ColResult, assessed ? imodAssessments::GetAssessmentResult(last)
                                                      : QStringLiteral("-"));
        } catch (...) {
            if (failure.isEmpty()) {
                const core::ErrorInfo e = core::currentError();
                failure = QStringLiteral("Err#") + QString::number(e.number) +
                          QStringLiteral(" - ") + e.description;
            }
        }
        for (int c = ColSid; c <= ColResult; ++c)
            grd->setCellBackColor(r, c, colour);
    }
    grd->setGridRow(grd->rows() > 1 ? 1 : 0);
    grd->setGridCol(1);
    grd->setColSel(grd->cols() - 1);
    Frame1->hide();
    grd->show();
    ui::Hourglass::reset();
    if (!failure.isEmpty())
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the pre-enrolments "
                                           "list.\r\n") +
                                failure + QStringLiteral("\r\n") +
                                Global::CentreSettings().ShortAppName() +
                                QStringLiteral(" will continue loading the list but some entries "
                                               "may be incomplete or missing."),
                            ui::vbCritical, QStringLiteral("Error loading list"));
}

void frmPreEnrol::cboProgram_Click()
{
    Load_PreEnrolments();
}

void frmPreEnrol::cmdSearch_Click()
{
    Load_PreEnrolments();
}

void frmPreEnrol::cmdReset_Click()
{
    txtSearch->clear();
    Load_PreEnrolments();
}

void frmPreEnrol::cmdAdd_Click()
{
    ui::Form *adder = ui::LoadWindowByName(QStringLiteral("frmAddBooking"));
    if (!adder)
        return;
    adder->showForm();
    ui::callByName(adder, QStringLiteral("LoadUp"),
                   {4, 0, selectedProgramId(), QString(),
                    QVariant::fromValue<QObject *>(this)});
}

void frmPreEnrol::cmdEdit_Click()
{
    const int row = entryRow();
    if (row == 0)
        return;
    const QString answer =
        ui::Dialogs::inputBox(QStringLiteral("Enter Preferences:"),
                              QStringLiteral("Edit Preferences"),
                              grd->textMatrix(row, ColPreferences));
    if (imodEnrolments::EditPreEnrolPreferences(vb::CLng(vb::Val(grd->textMatrix(row, ColSid))),
                                                selectedProgramId(), answer))
        Load_PreEnrolments();
}

void frmPreEnrol::cmdDelete_Click()
{
    const int row = entryRow();
    if (row == 0)
        return;
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to take ") +
                                grd->textMatrix(row, ColName) +
                                QStringLiteral(" off the pre-enrolment list?"),
                            ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                            QStringLiteral("Are you Sure?")) != ui::vbYes)
        return;
    imodEnrolments::CancelPreEnrolEntry(vb::CLng(vb::Val(grd->textMatrix(row, ColSid))),
                                        selectedProgramId());
    Load_PreEnrolments();
}

void frmPreEnrol::cmdView_Click()
{
    if (grd->rowSel() <= 0 || entryRow() == 0)
        return;
    const qint32 studentId = vb::CLng(vb::Val(grd->textMatrix(entryRow(), ColSid)));
    constexpr int editStudents = 3;
    if (Global::CheckCurrentUserPermission(editStudents) == 1) {
        ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmStudentDetails"));
        if (!record)
            return;
        ui::callByName(record, QStringLiteral("LoadUp"),
                       {studentId, QVariant::fromValue<QObject *>(this), QString()});
        record->showForm();
        return;
    }
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)),
                    QStringLiteral("PreEnrol Edit Student"), QString::number(studentId)});
}

void frmPreEnrol::cmdMove_Click()
{
    const int row = entryRow();
    if (row == 0)
        return;
    ui::Form *mover = ui::LoadWindowByName(QStringLiteral("frmMoveStudent"));
    if (!mover)
        return;
    mover->showForm();
    ui::callByName(mover, QStringLiteral("LoadPreEnrol"),
                   {vb::CLng(vb::Val(grd->textMatrix(row, ColSid))), selectedProgramId(),
                    grd->textMatrix(row, ColPreferences)});
}

void frmPreEnrol::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    Form_Resize();
}

void frmPreEnrol::Form_Resize()
{
    int width = pixelsToTwips(this->width());
    const int height = pixelsToTwips(this->height());
    if (width < preEnrolMinWidth) {
        resize(twipsToPixels(preEnrolMinWidth), this->height());
        width = preEnrolMinWidth;
    }
    const int programWidth = width - pixelsToTwips(cboProgram->x()) - 360;
    if (programWidth > 0) {
        cboProgram->resize(twipsToPixels(programWidth), cboProgram->height());
        const int searchWidth = programWidth - 1920;
        if (searchWidth > 0)
            txtSearch->resize(twipsToPixels(searchWidth), txtSearch->height());
        cmdSearch->move(twipsToPixels(searchWidth + 3345), cmdSearch->y());
        cmdReset->move(twipsToPixels(searchWidth + 3345 + 960), cmdReset->y());
    }
    if (width > 1875)
        grd->resize(twipsToPixels(width - 2075), grd->height());
    if (height > 2475)
        grd->resize(grd->width(), twipsToPixels(height - 2875));
    if (height > 1005) {
        // The five buttons share the width right of the bar.
        const int gap = 60;
        int left = 240;
        const int buttonWidth = (width - left - 180 - 4 * gap) / 5;
        for (QPushButton *b : {cmdAdd, cmdEdit, cmdDelete, cmdView, cmdMove}) {
            preEnrolPlace(b, left, height - 1005, buttonWidth, preEnrolButtonHeight);
            left += buttonWidth + gap;
        }
    }
    Shape1->setGeometry(0, 0, twipsToPixels(150), twipsToPixels(height + 50));
    const int d = pixelsToTwips(grd->width()) - 11895;
    const int quarter = int(std::lround(d / 4.0));
    const int name = quarter + 3000;
    const int preferences = int(std::lround(d - d / 4.0 + 3500));
    if (name >= 0)
        grd->setColWidth(ColName, name);
    if (preferences >= 0)
        grd->setColWidth(ColPreferences, preferences);
    for (int c = ColDate; c <= ColResult; ++c)
        grd->setColWidth(c, 1500);
}
