// The class view's editing, saving, frame events, notes and details slip.
#include "frmviewclass.h"

#include "access/permissions.h"
#include "classes/classsearch.h"
#include "classsave.h"
#include "classview.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/imodvista.h"
#include "core/timetablelookups.h"
#include "enrolments/attendance.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString InvoiceProcedure = QStringLiteral("mReports::ShowInvoiceStatement");
const QString NotesProcedure = QStringLiteral("mReports::ShowClassNotesReport");
const QString AttendanceSheetProcedure = QStringLiteral("mReports::ShowAttendanceGridReport");
const QString SlipWindow = QStringLiteral("frmRptConfSlip");
const QString PriceProgramCaption = QStringLiteral("Program cost:");
const QString PriceSessionCaption = QStringLiteral("Cost p/session:");

QString editShortApp()
{
    return Global::CentreSettings().ShortAppName();
}

QString editErrLine(const core::ErrorInfo &e)
{
    return QStringLiteral("Err#") + QString::number(e.number) + QStringLiteral(" - ") +
           e.description + QLatin1Char('.');
}

// Runs one step of a handler whose failing steps are skipped.
template <typename F>
void editStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

QString moneyPattern()
{
    return QStringLiteral("$#,###,##0.00;-$#,###,##0.00");
}

} // namespace

// --- Helpers.

void frmViewClass::callOptional(QObject *target, const char *member)
{
    // Members that later work adds to a window are called once they exist.
    const QByteArray signature = QByteArray(member) + "()";
    if (target && target->metaObject()->indexOfMethod(signature.constData()) >= 0)
        ui::callByName(target, QString::fromLatin1(member));
}

void frmViewClass::requestAuthorisation(const QString &operation, const QString &extra)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), operation, extra});
}

QString frmViewClass::searchFilter(const char *name) const
{
    ui::Form *search = ui::Forms::find(QStringLiteral("Main"));
    if (!search)
        search = ui::LoadWindowByName(QStringLiteral("Main"));
    if (!search)
        return {};
    auto *combo = search->findChild<QComboBox *>(QString::fromLatin1(name));
    return combo ? combo->currentText() : QString();
}

void frmViewClass::enableRegisteredButtons()
{
    Command1->setEnabled(ui::IsProcedureRegistered(InvoiceProcedure));
    Command2->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmStudentDetails")));
    Command3->setEnabled(ui::IsProcedureRegistered(AttendanceSheetProcedure));
    cmdNotesPrint->setEnabled(ui::IsProcedureRegistered(NotesProcedure));
    cmdPrintConfirmation->setEnabled(ui::IsWindowRegistered(SlipWindow));
}

// --- Editing.

void frmViewClass::cmdEdit_Click()
{
    if (txtProgram->text() == QLatin1String("One-off Enrolment") ||
        ViewClassMode->text() == QLatin1String("Add")) {
        Edit_Me();
        return;
    }
    if (Global::CurrentUserRights().Permissions(0) == 1) {
        Edit_Me();
        return;
    }
    editStep([this] { requestAuthorisation(QStringLiteral("Edit Class"), txtField[0]->text()); });
}

void frmViewClass::Edit_Me()
{
    const bool isNew = ViewClassMode->text() == QLatin1String("Add");
    editStep([this] {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 cmdEdit, cmdAddStudent, cmdWLAdd, cmdCUAdd, cmdRefA, cmdDelClass, Command3})
            w->setEnabled(false);
        for (QWidget *w : std::initializer_list<QWidget *>{cmdSave, btnCal1, btnCal2, btnCalCheck})
            w->setEnabled(true);
        Check1->setEnabled(false);
        chkActive->setEnabled(true);
        // The change dialogs come with their own handlers.
        const bool twoAreas = Global::CountPoolAreas() >= 2;
        const bool twoActivities = Global::CountActivities() >= 2;
        const std::pair<QPushButton *, bool> links[] = {{cmdInstChange, true},
                                                        {cmdProgChange, true},
                                                        {cmdPoolArea, twoAreas},
                                                        {cmdActivity, twoActivities}};
        for (const auto &[b, allowed] : links) {
            const QByteArray handler = b->objectName().toLatin1() + "_Click()";
            b->setEnabled(allowed && metaObject()->indexOfMethod(handler.constData()) >= 0);
        }
    });
    editStep([this] { setDetailLocked(cboField[1], false); });
    // Only a new class takes the class search's program; an existing one keeps its own.
    if (isNew)
        editStep([this] {
            const QString program = searchFilter("cboProgram");
            setClassProgram(imodPrograms::GetProgramIdForName(program));
            txtProgram->setText(program);
        });
    editStep([this] {
        for (QWidget *w : std::initializer_list<QWidget *>{txtDuration, cboField[4], txtField[5],
                                                           txtField[6], txtField[7], txtField[8],
                                                           txtField[9]})
            setDetailLocked(w, false);
        chkWaitingList->setEnabled(true);
        setDetailLocked(cboChargeOn, false);
    });
    editStep([this] {
        if (!txtInstructor->text().isEmpty())
            return;
        if (m_intInstructors.isEmpty())
            m_intInstructors = {1};
        else if (m_intInstructors[0] == 0)
            m_intInstructors[0] = 1;
        txtInstructor->setText(Global::GetInstructorName(m_intInstructors[0]));
    });
    if (isNew)
        fillNewClassDefaults();
    editStep([this] {
        if (txtField[8]->text().isEmpty())
            txtField[8]->setText(
                classsave::ShortDate(imodPrograms::GetProgramStartDate(m_classProgram)));
    });
    editStep([this] {
        if (txtField[9]->text().isEmpty())
            txtField[9]->setText(classsave::ShortDate(imodPrograms::GetProgramEndDate(m_classProgram)));
    });
    editStep([this] {
        cmdNotesEdit_Click();
        cmdNotesSave->setEnabled(false);
    });
    if (OOE)
        editStep([this] { callOptional(this, "FixForOOE"); });
}

void frmViewClass::fillNewClassDefaults()
{
    editStep([this] { txtField[6]->setText(QStringLiteral("0")); });
    editStep([this] {
        const QString day = searchFilter("cboDay");
        if (day == QLatin1String("(All)"))
            return;
        const int at = cboField[4]->findText(day, Qt::MatchFixedString);
        if (at >= 0)
            cboField[4]->setCurrentIndex(at);
    });
    editStep([this] {
        if (txtDuration->text().isEmpty())
            txtDuration->setText(QStringLiteral("30"));
    });
    QString mode;
    editStep([&] {
        mode = imodPrograms::GetProgramChargeMode(m_classProgram);
        if (mode.isEmpty())
            mode = QStringLiteral("Enrolment");
        const int at = cboChargeOn->findText(mode, Qt::MatchFixedString);
        if (at >= 0) {
            cboChargeOn->setCurrentIndex(at);
            cboChargeOn_Click();
        }
    });
    editStep([&] {
        const vb::Currency price = mode == QLatin1String("Enrolment")
                                       ? imodPrograms::GetProgramCost(m_classProgram)
                                       : imodPrograms::GetProgramCostPerSession(m_classProgram);
        txtField[7]->setText(price.toString());
    });
    editStep([this] {
        const QString area = searchFilter("cboPoolArea");
        if (Global::PoolAreaExists(area)) {
            txtField[14]->setText(QString::number(Global::GetPoolAreaId(area)));
            lblPoolArea->setText(area);
        } else {
            lblPoolArea->setText(Global::ShowPoolAreaName(0, txtField[14]));
        }
    });
    editStep([this] {
        const QString activity = searchFilter("cboActivity");
        txtField[17]->setText(Global::ActivityExists(activity) ? activity
                                                               : Global::GetDefaultActivity());
    });
}

void frmViewClass::openCalendar(const QString &tag, int topTwips, QLineEdit *box)
{
    editStep([&] {
        cal->setProperty("Tag", tag);
        cal->move(ui::twipsToPixels(7440), ui::twipsToPixels(topTwips));
        if (vb::IsDate(box->text()))
            cal->setSelectedDate(vb::CDate(box->text()).date());
        cal->show();
        cal->raise();
    });
}

void frmViewClass::btnCal1_Click()
{
    openCalendar(QStringLiteral("Start Date"), 1680, txtField[8]);
}

void frmViewClass::btnCal2_Click()
{
    openCalendar(QStringLiteral("End Date"), 2040, txtField[9]);
}

void frmViewClass::cal_DateClick(const QDate &date)
{
    editStep([&] {
        const QString tag = cal->property("Tag").toString();
        const QString text = vb::Format(date, Global::DateFormat);
        if (tag == QLatin1String("Start Date"))
            txtField[8]->setText(text);
        else if (tag == QLatin1String("End Date"))
            txtField[9]->setText(text);
    });
    cal->setProperty("Tag", QString());
    cal->hide();
}

void frmViewClass::btnCalCheck_Click()
{
    const QString day = cboField[4]->currentText();
    editStep([&] {
        if (day == QLatin1String("Other")) {
            txtField[8]->setText(classsave::ShortDate(imodPrograms::GetProgramStartDate(m_classProgram)));
            txtField[9]->setText(classsave::ShortDate(imodPrograms::GetProgramEndDate(m_classProgram)));
        } else {
            txtField[8]->setText(
                classsave::ShortDate(imodPrograms::GetFirstClassDateInProgram(m_classProgram, day)));
            txtField[9]->setText(
                classsave::ShortDate(imodPrograms::GetLastClassDateInProgram(m_classProgram, day)));
        }
    });
}

void frmViewClass::cboChargeOn_Click()
{
    const QString mode = cboChargeOn->currentText();
    txtField[7]->show();
    // The price shown is converted once, when it is of the other kind.
    auto convert = [this](bool toProgram) {
        editStep([&] {
            const QString text = txtField[7]->text();
            const int sessions = imodPrograms::GetProgramNumSessions(m_classProgram);
            if (!vb::IsNumeric(text) || sessions == 0)
                return;
            const vb::Currency price = vb::CCur(text);
            const vb::Currency converted = toProgram ? price * vb::Currency(sessions)
                                                     : price / vb::Currency(sessions);
            txtField[7]->setText(vb::Format(QVariant::fromValue(converted), moneyPattern()));
        });
    };
    if (mode == QLatin1String("Enrolment") || mode == QLatin1String("Enrolment (discount absence)")) {
        if (lblField[7]->text() == PriceSessionCaption)
            convert(true);
        lblField[7]->setText(PriceProgramCaption);
    } else if (mode == QLatin1String("Attendance")) {
        if (lblField[7]->text() == PriceProgramCaption)
            convert(false);
        lblField[7]->setText(PriceSessionCaption);
    } else if (mode == QLatin1String("Payment Plan")) {
        lblField[7]->setText(QStringLiteral("The cost for this program will be"));
        txtField[7]->hide();
        txtField[7]->setText(QStringLiteral("0.00"));
    }
}

void frmViewClass::cboField_LostFocus(int index)
{
    if (index == 1 && cmdSave->isEnabled()) {
        editStep([this] {
            const int max = Global::GetClassGroupMax(cboField[1]->currentText());
            if (max > 0)
                txtField[6]->setText(QString::number(max));
        });
    } else if (index == 4) {
        DisplayNumberOfSessions();
    }
}

void frmViewClass::chkActive_Click()
{
    if (!cmdEdit->isEnabled())
        return;
    if (!chkActive->isChecked())
        cmdAddStudent->setEnabled(false);
    else if (!txtField[0]->text().isEmpty() &&
             metaObject()->indexOfMethod("cmdAddStudent_Click()") >= 0)
        cmdAddStudent->setEnabled(true);
}

void frmViewClass::chkWaitingList_Click()
{
    Shape1->setVisible(!chkWaitingList->isChecked());
}

// --- Saving.

void frmViewClass::cmdSave_Click()
{
    try {
        if (SaveClass() == 1)
            return;
        classsearch::RefreshAfterChange();
        showViewMode();
        if (!txtField[0]->text().isEmpty()) {
            chkActive_Click();
            const bool deletes = metaObject()->indexOfMethod("cmdDelClass_Click()") >= 0;
            cmdDelClass->setEnabled(deletes);
        }
        if (OOE) {
            callOptional(this, "FixForOOE");
            if (ui::Form *ooe = ui::Forms::find(QStringLiteral("frmOOE")))
                callOptional(ooe, "Load_Instructors");
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("Error #") + QString::number(e.number) +
                                QStringLiteral(" (") + e.description +
                                QStringLiteral(") occurred when saving this class. The class may "
                                               "not have saved correctly."),
                            ui::vbCritical, QStringLiteral("Something went wrong while saving the class"));
    }
}

int frmViewClass::SaveClass()
{
    auto entries = [this] {
        classsave::ClassEntries e;
        e.level = cboField[1]->currentText();
        e.programId = m_classProgram;
        e.day = cboField[4]->currentText();
        e.time = txtField[5]->text();
        e.max = txtField[6]->text();
        e.cost = txtField[7]->text();
        e.startDate = txtField[8]->text();
        e.endDate = txtField[9]->text();
        e.waitingList = chkWaitingList->isChecked() ? 1 : 0;
        e.chargeMode = cboChargeOn->currentText();
        e.poolArea = txtField[14]->text();
        e.active = chkActive->isChecked() ? 1 : 0;
        e.activity = txtField[17]->text();
        e.duration = txtDuration->text();
        e.notes = txtClassNotes->toPlainText();
        e.instructorText = txtInstructor->text();
        e.instructors = m_intInstructors;
        return e;
    };
    auto refuse = [](const classsave::Refusal &r) {
        ui::Dialogs::msgBox(r.message, ui::vbOKOnly | ui::vbExclamation, r.title);
        return 1;
    };
    try {
        if (const auto r = classsave::CheckEntries(entries()))
            return refuse(*r);
        if (txtDuration->text().isEmpty()) {
            ui::Dialogs::msgBox(QStringLiteral("You have not entered a duration for this class. ") +
                                    editShortApp() +
                                    QStringLiteral(" will use the default value of 30 minutes."),
                                ui::vbInformation, QStringLiteral("Blank Duration"));
            txtDuration->setText(QStringLiteral("30"));
        }
        const QString day = cboField[4]->currentText();
        const classsave::DateFit fit =
            classsave::CheckDateFit(m_classProgram, day, txtField[8]->text(), txtField[9]->text());
        const QString question = classsave::DateQuestion(fit, day, editShortApp());
        if (!question.isEmpty()) {
            const int answer = ui::Dialogs::msgBox(question, ui::vbYesNoCancel | ui::vbQuestion,
                                                   QStringLiteral("Dates Need Adjustment"));
            if (answer == ui::vbCancel)
                return 1;
            if (answer == ui::vbYes) {
                if (!fit.startFits)
                    txtField[8]->setText(classsave::ShortDate(fit.proposedStart));
                if (!fit.endFits)
                    txtField[9]->setText(classsave::ShortDate(fit.proposedEnd));
            }
        }
        const classsave::ClassEntries e = entries();
        if (const auto r = classsave::CheckDatesDiffer(e))
            return refuse(*r);

        const bool existed = ViewClassMode->text() != QLatin1String("Add");
        const qint32 known = txtField[0]->text().isEmpty() ? 0 : classIdText();
        qint32 saved = 0;
        try {
            saved = classsave::SaveClassRow(known, e);
        } catch (const classsave::InstructorLinksFailed &f) {
            ui::Dialogs::msgBox(QStringLiteral("There was an error when saving the instructors.\r\n") +
                                    editErrLine({f.number, f.description}) + QStringLiteral("\r\n") +
                                    editShortApp() +
                                    QStringLiteral(" will attempt to continue but the instructors "
                                                   "may not be saved correctly."),
                                ui::vbExclamation, QStringLiteral("Error Saving Instructors"));
            return 1;
        }
        // The row exists: a later save updates it, whatever happens next.
        txtField[0]->setText(QString::number(saved));
        ViewClassMode->setText(QString());
        setNotesLocked(true);

        const int perSession = classsave::ChargePerSessionOf(e.chargeMode);
        const vb::Currency stored = classsave::StoredCost(saved);
        vb::Currency difference;
        if (e.chargeMode != QLatin1String("Payment Plan") && existed &&
            imodClasses::GetClassEnrolledCount(saved) > 0)
            difference = classsave::PriceDifference(
                m_curLoadedCost, m_intLoadedChargePerSession, stored, perSession,
                classsave::ClassSessions(m_classProgram, imodClasses::GetClassDay(saved)));
        m_curLoadedCost = stored;
        m_intLoadedChargePerSession = perSession;
        const QString priceQuestion = classsave::PriceQuestion(difference);
        if (!priceQuestion.isEmpty() &&
            ui::Dialogs::msgBox(priceQuestion, ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Price Change")) == ui::vbYes)
            imodClasses::ChargeStudentsInClass(saved, difference, perSession);
        return 0;
    } catch (...) {
        return 1;
    }
}

void frmViewClass::SaveInstructors(qint32 intClassID)
{
    try {
        classsave::SaveInstructorLinks(intClassID, m_intInstructors);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error when saving the instructors.\r\n") +
                                editErrLine(e) + QStringLiteral("\r\n") + editShortApp() +
                                QStringLiteral(" will attempt to continue but the instructors may "
                                               "not be saved correctly."),
                            ui::vbExclamation, QStringLiteral("Error Saving Instructors"));
    }
}

// --- The frame.

void frmViewClass::Form_Click()
{
    if (cal->isVisible())
        cal->hide();
}

void frmViewClass::tabs_Click()
{
    Form_Click();
    const int tab = tabs->currentIndex();
    if (tab == 3 && agrd->property("Tag").toString() != QLatin1String("Loaded")) {
        editStep([this] {
            if (!txtField[0]->text().isEmpty())
                imodEnrolments::LoadAttendanceGrid(classIdText(), agrd, this,
                                                   Check2->isChecked() ? 1 : 0, -1);
            else
                agrd->setRows(1);
        });
    }
    Shape1->setVisible(tab == 0 || tab == 3);
}

void frmViewClass::Timer1_Timer()
{
    if (cmdEdit->isEnabled())
        editStep([this] { Load_Students(); });
}

void frmViewClass::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !cmdSave->isEnabled())
        return;
    const int answer = ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to Class #") +
                                               txtField[0]->text() + QStringLiteral("'s data?"),
                                           ui::vbYesNoCancel | ui::vbQuestion,
                                           QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel) {
        cancel = true;
    } else if (answer == ui::vbYes) {
        cmdSave_Click();
        // A save that was refused keeps the window, and what was typed, open.
        if (cmdSave->isEnabled())
            cancel = true;
    }
}

void frmViewClass::openBooking(ui::FlexGrid *grid)
{
    editStep([grid] {
        if (grid->gridRow() == 0)
            return;
        ui::Form *booking = ui::CreateWindowByName(QStringLiteral("frmBooking"));
        if (!booking)
            return;
        ui::callByName(booking, QStringLiteral("LoadUp"),
                       {vb::CLng(grid->textMatrix(grid->gridRow(), 0))});
        booking->showForm();
        booking->raise();
    });
}

void frmViewClass::grd_DblClick()
{
    openBooking(grd);
}

void frmViewClass::wgrd_DblClick()
{
    openBooking(wgrd);
}

void frmViewClass::Command1_Click()
{
    try {
        if (grd->gridRow() <= 0 || !ui::IsProcedureRegistered(InvoiceProcedure))
            return;
        const qint32 student = vb::CLng(grd->textMatrix(grd->gridRow(), 1));
        ui::CallProcedure(InvoiceProcedure,
                          {student, imodPrograms::GetProgramStartDate(m_classProgram),
                           imodPrograms::GetProgramEndDate(m_classProgram), true, m_classProgram});
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when preparing the statement.\r\n") +
                                editErrLine(e),
                            ui::vbExclamation, QStringLiteral("Error Creating Statement"));
    }
}

void frmViewClass::Command2_Click()
{
    try {
        if (grd->rowSel() == 0)
            return;
        const qint32 student = vb::CLng(grd->textMatrix(grd->gridRow(), 1));
        if (Global::CurrentUserRights().Permissions(3) == 1) {
            if (ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmStudentDetails"))) {
                ui::callByName(record, QStringLiteral("LoadUp"),
                               {student, QVariant::fromValue(static_cast<QObject *>(this)),
                                QString()});
                record->showForm();
            }
        } else {
            requestAuthorisation(QStringLiteral("Class Edit Student"), QString::number(student));
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred before loading up the Student "
                                           "Details screen.\r\n") +
                                editErrLine(e),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void frmViewClass::Command3_Click()
{
    editStep([this] {
        if (ui::IsProcedureRegistered(AttendanceSheetProcedure))
            ui::CallProcedure(AttendanceSheetProcedure, {classIdText()});
    });
}

void frmViewClass::txtField_LostFocus(int index)
{
    if (index != 5)
        return;
    const QString text = txtField[5]->text();
    if (text.isEmpty() || vb::IsDate(text))
        return;
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("The time you entered is not in a correct time format and cannot be "
                       "accepted. Do you want to correct it?"),
        ui::vbYesNo | ui::vbQuestion, QStringLiteral("Oops!"));
    if (answer == ui::vbYes)
        imodVista::SafeSetFocus(txtField[5]);
    else
        txtField[5]->clear();
}

bool frmViewClass::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == cboField[1])
            cboField_LostFocus(1);
        else if (watched == cboField[4])
            cboField_LostFocus(4);
        else if (watched == txtField[5])
            txtField_LostFocus(5);
    } else if (event->type() == QEvent::MouseButtonPress &&
               (watched == Image2 || qobject_cast<QLineEdit *>(watched))) {
        Form_Click();
    }
    return ui::Form::eventFilter(watched, event);
}

void frmViewClass::mousePressEvent(QMouseEvent *event)
{
    Form_Click();
    ui::Form::mousePressEvent(event);
}

// --- Notes and the details slip.

void frmViewClass::cmdNotesEdit_Click()
{
    if (Global::CheckPermissionByName(Global::CurrentUserId, QStringLiteral("ClassNotes"), true) == 1)
        EditNotes();
    else
        editStep([this] { requestAuthorisation(QStringLiteral("Edit Class Notes"), QString()); });
}

void frmViewClass::EditNotes()
{
    setNotesLocked(false);
}

void frmViewClass::cmdNotesSave_Click()
{
    if (ViewClassMode->text() == QLatin1String("Add")) {
        ui::Dialogs::msgBox(QStringLiteral("You are creating a new class. You cannot save these "
                                           "notes yet. All notes that you have entered will be "
                                           "saved when you save the class."),
                            ui::vbInformation, QStringLiteral("I'm not ready yet"));
        return;
    }
    try {
        classsave::SaveClassNotes(classIdText(), txtClassNotes->toPlainText());
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The notes could not be saved.\r\n") + editErrLine(e),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    setNotesLocked(true);
}

void frmViewClass::cmdNotesPrint_Click()
{
    editStep([this] {
        if (ui::IsProcedureRegistered(NotesProcedure))
            ui::CallProcedure(NotesProcedure, {classIdText()});
    });
}

void frmViewClass::cmdPrintConfirmation_Click()
{
    if (grd->rowSel() == 0)
        return;
    const int row = grd->gridRow();
    if (grd->cellBackColor(row, grd->gridCol()) == QColor(255, 255, 0)) {
        ui::Dialogs::msgBox(QStringLiteral("You cannot print Class Details Slips for waiting list "
                                           "bookings!"),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    QString owing, classText, dates, status = QStringLiteral("Unknown"), name;
    qint32 bookingId = 0;
    editStep([&] {
        owing = grd->textMatrix(row, 8) + QStringLiteral(" (") + txtField[7]->text() +
                (lblField[7]->text() == PriceSessionCaption ? QStringLiteral(" per session)")
                                                             : QStringLiteral(" for the program)"));
    });
    editStep([&] {
        classText = cboField[4]->currentText() + QLatin1Char(' ') + txtField[5]->text() +
                    QLatin1Char(' ') + cboField[1]->currentText();
    });
    editStep([&] { dates = txtField[8]->text() + QStringLiteral(" to ") + txtField[9]->text(); });
    editStep([&] { bookingId = vb::CLng(grd->textMatrix(row, 0)); });
    editStep([&] { name = grd->textMatrix(row, 3); });
    editStep([&] {
        const QColor colour = grd->cellBackColor(row, 3);
        const std::pair<ui::ColorSquare *, const char *> keys[] = {{shpConfirmed, "Confirmed"},
                                                                   {shpMoved, "Moved"},
                                                                   {shpCancelled, "Cancelled"},
                                                                   {shpTentative, "Tentative"}};
        for (const auto &[square, word] : keys)
            if (square->fillColor() == colour) {
                status = QString::fromLatin1(word);
                break;
            }
    });
    editStep([&] {
        ui::Form *slip = ui::LoadWindowByName(SlipWindow);
        if (!slip)
            return;
        slip->showForm();
        ui::callByName(slip, QStringLiteral("FillPage"),
                       {owing, classText, dates, txtInstructor->text(), name, status, bookingId,
                        txtProgram->text(), lblPoolArea->text()});
    });
}
