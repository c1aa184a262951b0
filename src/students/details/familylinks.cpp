// The record window's family panel: the family line and its four buttons, the
// choice of a family, the loading and copying of the family's contact details
// and the family schedule.
#include "frmstudentdetails.h"

#include "access/permissions.h"
#include "core/globaldata.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "students/families.h"
#include "students/familypanel.h"
#include "students/imodstudents.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int ViewFamilies = 12;

template <class F> void skipOnError(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void setLockedLook(QLineEdit *box, bool locked)
{
    box->setReadOnly(locked);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(locked ? 0x8000000FLL : 0x80000005LL));
    box->setPalette(p);
}

// The family number of the tag, when it is one.
std::optional<qint32> tagNumber(const QLabel *line)
{
    bool isNumber = false;
    const qint32 n = ui::tag(line).trimmed().toInt(&isNumber);
    return isNumber ? std::optional<qint32>(n) : std::nullopt;
}

} // namespace

QLayout *frmStudentDetails::makeFamilyButtons()
{
    // No captions: the four are told apart by their pictures and tool tips.
    auto button = [this](const char *name, QStyle::StandardPixmap picture, const char *tip) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(picture));
        b->setToolTip(QString::fromLatin1(tip));
        return b;
    };
    cmdFamily = button("cmdFamily", QStyle::SP_DirOpenIcon,
                       "Open Family Contact Person's Information");
    cmdAttachFamily =
        button("cmdAttachFamily", QStyle::SP_FileDialogNewFolder, "Create a New Family Contact Person");
    cmdEditFamily =
        button("cmdEditFamily", QStyle::SP_FileDialogListView, "Pick a new Family from the List");
    cmdRemoveFamily =
        button("cmdRemoveFamily", QStyle::SP_DialogDiscardButton, "Remove Student From Family");
    // Each pair shares one place.
    auto *grid = new QGridLayout;
    grid->addWidget(cmdFamily, 0, 0);
    grid->addWidget(cmdAttachFamily, 0, 0);
    grid->addWidget(cmdRemoveFamily, 0, 1);
    grid->addWidget(cmdEditFamily, 0, 1);
    grid->setColumnStretch(2, 1);
    placeFamilyButtons(false);
    connect(cmdFamily, &QPushButton::clicked, this, &frmStudentDetails::cmdFamily_Click);
    connect(cmdAttachFamily, &QPushButton::clicked, this,
            &frmStudentDetails::cmdAttachFamily_Click);
    connect(cmdEditFamily, &QPushButton::clicked, this, &frmStudentDetails::cmdEditFamily_Click);
    connect(cmdRemoveFamily, &QPushButton::clicked, this,
            &frmStudentDetails::cmdRemoveFamily_Click);
    return grid;
}

QPushButton *frmStudentDetails::makePrintFamilyButton()
{
    cmdPrintFamily = new QPushButton(QStringLiteral("Family Schedule"), this);
    cmdPrintFamily->setObjectName(QStringLiteral("cmdPrintFamily"));
    cmdPrintFamily->setToolTip(QStringLiteral("Print a family schedule for the selected program"));
    cmdPrintFamily->setEnabled(false);
    connect(cmdPrintFamily, &QPushButton::clicked, this, &frmStudentDetails::cmdPrintFamily_Click);
    return cmdPrintFamily;
}

void frmStudentDetails::cmdAttachFamily_Click()
{
    skipOnError([this] {
        if (Global::CurrentUserRights().Permissions(ViewFamilies) == 1) {
            ui::Form *family = ui::LoadWindowByName(QStringLiteral("frmFamily"));
            if (!family)
                return;
            ui::callByName(family, QStringLiteral("LoadUp"),
                           {QVariant::fromValue(static_cast<QObject *>(this))});
            if (auto *sid = family->findChild<QLineEdit *>(QStringLiteral("txtSID")))
                sid->setText(fieldText(0));
            family->showForm();
            ui::setTag(lblFamily, QStringLiteral("NEWFAM"));
        } else {
            requestAuthorisation(QStringLiteral("New Family for Student"), fieldText(0));
        }
    });
}

void frmStudentDetails::cmdEditFamily_Click()
{
    skipOnError([this] {
        ui::Form *change = ui::LoadWindowByName(QStringLiteral("frmChangeFamily"));
        if (!change)
            return;
        change->showForm();
        ui::callByName(change, QStringLiteral("Load_Up"),
                       {QVariant::fromValue(static_cast<QObject *>(this))});
    });
}

void frmStudentDetails::ChangeFamily(const QString &strFamily)
{
    auto *contact = static_cast<QLineEdit *>(txtField[4]);
    setLockedLook(contact, true);
    if (const auto number = imodStudents::FamilyNumberText(strFamily))
        ui::setTag(lblFamily, *number);
    const auto family = tagNumber(lblFamily);
    if (family)
        skipOnError([&] { contact->setText(imodStudents::GetParentsName(*family)); });
    students::SetFamilyLine(this, strFamily, ui::tag(lblFamily));
    // The family buttons stand whatever the text.
    placeFamilyButtons(true);
    if (ui::Dialogs::msgBox(
            QStringLiteral("Would you like to load contact information for this family?"),
            ui::vbQuestion | ui::vbYesNo, QStringLiteral("Load Data?")) == ui::vbYes &&
        family)
        skipOnError([&] { LoadFamilyContact(*family); });
}

void frmStudentDetails::LoadFamilyContact(qint32 familyId)
{
    if (familyId == 0)
        return;
    const auto contact = imodStudents::ReadContactDetails(familyId);
    if (!contact) {
        ui::Dialogs::msgBox(QStringLiteral("The family contact person could not be loaded."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    for (int i = imodStudents::FirstContactColumn; i <= imodStudents::LastContactColumn; ++i)
        setFieldText(i, contact->value(i - imodStudents::FirstContactColumn));
}

void frmStudentDetails::cmdFamily_Click()
{
    skipOnError([this] {
        if (Global::CurrentUserRights().Permissions(ViewFamilies) == 1) {
            ui::Form *family = ui::CreateWindowByName(QStringLiteral("frmFamDetails"));
            if (!family)
                return;
            ui::callByName(family, QStringLiteral("LoadUp"),
                           {ui::tag(lblFamily).trimmed().toInt(),
                            QVariant::fromValue(static_cast<QObject *>(this)), QString()});
            family->showForm();
        } else {
            requestAuthorisation(QStringLiteral("Family from Students"), ui::tag(lblFamily));
        }
    });
}

void frmStudentDetails::cmdRemoveFamily_Click()
{
    setLockedLook(static_cast<QLineEdit *>(txtField[4]), !cmdSave->isEnabled());
    students::SetFamilyLine(this, students::IndividualCaption, QStringLiteral("0"));
}

void frmStudentDetails::CopyContactToFamily()
{
    // A family text whose number part is no number (or "NEWFAM") names no family.
    const auto family = tagNumber(lblFamily);
    if (lblFamily->text() == students::IndividualCaption || !ContactDetailsChanged || !family ||
        *family == 0)
        return;
    QStringList contact;
    for (int i = imodStudents::FirstContactColumn; i <= imodStudents::LastContactColumn; ++i)
        contact << fieldText(i);
    imodStudents::CopyContactToFamily(*family, contact);
}

void frmStudentDetails::cmdPrintFamily_Click()
{
    if (grd->rows() <= 1)
        return;
    const QString family =
        imodStudents::GetFamilyContactName(imodStudents::GetFamilyID(fieldText(0).toInt()));
    if (family == students::IndividualCaption) {
        ui::Dialogs::msgBox(QStringLiteral("This student is an individual. You cannot print a "
                                           "schedule for an individual. Please use a confirmation "
                                           "slip instead."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    const QColor colour = grd->cellBackColor(grd->gridRow(), grd->gridCol());
    const struct
    {
        QColor colour;
        const char *text;
        const char *title;
    } hidden[] = {
        {ui::fromVbColor(0x8080FF),
         "This booking has been cancelled. Cancelled bookings are not included on a family "
         "schedule.",
         "Hidden Bookings"},
        {ui::fromVbColor(0x80FF80),
         "This booking has been moved. Moved bookings are not included on a family schedule.",
         "Hidded Booking"},
        {QColor(255, 255, 0),
         "This booking is a waiting list booking. These bookings are not included on a family "
         "schedule.",
         "Hidden Booking"},
    };
    for (const auto &h : hidden) {
        if (colour == h.colour) {
            ui::Dialogs::msgBox(QString::fromLatin1(h.text), ui::vbExclamation,
                                QString::fromLatin1(h.title));
            return;
        }
    }
    const QString program = grd->textMatrix(grd->gridRow(), 2);
    ui::CallProcedure(QStringLiteral("mReports::ShowFamilySchedule"),
                      {true, true, family, program, program, family});
}
