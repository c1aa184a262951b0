#include "frmpassports.h"

#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/listtext.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "students/passports.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class F> void passportsQuietStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void passportsRefuse(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmPassports::frmPassports()
{
    setObjectName(QStringLiteral("frmPassports"));
    setCaption(QStringLiteral("Issue Passports"));

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Issue Passports"), this);
    auto *intro = ui::wrappedLabel(QStringLiteral("This screen will allow you to bulk issue "
                                                  "passports for a particular program."),
                                   this);
    auto combo = [this](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    cboProgram = combo("cboProgram");
    cboDay = combo("cboDay");
    cboInstructor = combo("cboInstructor");
    cboPassport = combo("cboPassport");
    core::setListSorted(cboProgram, true);
    core::setListSorted(cboInstructor, true);
    cmdOK = ui::namedButton(QStringLiteral("Change"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *filters = new QGridLayout;
    const struct
    {
        const char *caption;
        QComboBox *list;
    } rows[] = {{"Select Program:", cboProgram},
                {"Select Day:", cboDay},
                {"Select Instructor:", cboInstructor}};
    int row = 0;
    for (const auto &r : rows) {
        auto *label = new QLabel(QString::fromLatin1(r.caption), this);
        label->setBuddy(r.list);
        filters->addWidget(label, row, 0);
        filters->addWidget(r.list, row++, 1);
    }
    filters->setColumnStretch(1, 1);
    auto *status = new QHBoxLayout;
    auto *statusLabel = new QLabel(QStringLiteral("New Passport Status:"), this);
    statusLabel->setBuddy(cboPassport);
    status->addWidget(statusLabel);
    status->addWidget(cboPassport, 1);

    auto *top = new QHBoxLayout;
    auto *texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(intro);
    top->addLayout(texts, 1);
    top->addWidget(Image1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(ui::sectionLabel(QStringLiteral("Classes to Change"), this));
    all->addLayout(filters);
    all->addWidget(ui::sectionLabel(QStringLiteral("Change Passport Status To"), this));
    all->addLayout(status);
    all->addStretch(1);
    all->addLayout(buttons);
    setTabOrder(cboProgram, cboDay);
    setTabOrder(cboDay, cboInstructor);
    setTabOrder(cboInstructor, cboPassport);
    setTabOrder(cboPassport, cmdOK);
    setTabOrder(cmdOK, cmdClose);
    resize(460, 360);

    connect(cmdOK, &QPushButton::clicked, this, &frmPassports::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPassports::cmdClose_Click);
}

void frmPassports::onLoad()
{
    passportsQuietStep([this] { core::PlaceOnMainWindow(this); });
    passportsQuietStep([this] { core::ShowClassSearchLogo(Image1); });
    passportsQuietStep([this] { Load_Inst_List(); });
    passportsQuietStep([this] { Load_Program_List(); });
    passportsQuietStep([this] { imodGlobalSubs::FillDayCombo(cboDay, true, 0); });
    passportsQuietStep([this] { Load_Passport_List(); });
}

void frmPassports::Load_Inst_List()
{
    cboInstructor->clear();
    cboInstructor->addItem(QStringLiteral("(All)"));
    passportsQuietStep([this] { cboInstructor->addItems(imodStudents::PassportInstructorItems()); });
    imodGlobalSubs::SetComboIndex(cboInstructor, 0);
}

void frmPassports::Load_Program_List()
{
    cboProgram->clear();
    cboProgram->addItems(imodStudents::PassportProgramItems());
    cboProgram->setCurrentIndex(-1);
    const QString wanted = vb::CStr(vb::Nz(
        Global::CentreSettings().Settings(CentreSettingIds::DefaultProgramName)));
    for (int i = 0; i < cboProgram->count(); ++i) {
        const QString item = cboProgram->itemText(i);
        if (item.left(item.lastIndexOf(QStringLiteral(" (ID#"))).compare(wanted, Qt::CaseInsensitive) ==
            0) {
            cboProgram->setCurrentIndex(i);
            break;
        }
    }
}

void frmPassports::Load_Passport_List()
{
    cboPassport->clear();
    cboPassport->addItems(imodStudents::PassportStatusTexts());
    cboPassport->setCurrentIndex(-1);
}

void frmPassports::cmdOK_Click()
{
    const int status = cboPassport->currentIndex();
    if (status < 0) {
        passportsRefuse(QStringLiteral("Please choose a passport status to change to."));
        return;
    }
    imodStudents::PassportSelection selection;
    selection.programId =
        core::NumberAfterMarker(cboProgram->currentText(), QStringLiteral(" (ID#"));
    if (cboProgram->currentIndex() < 0 || selection.programId == 0) {
        passportsRefuse(QStringLiteral("Please choose the program whose passports to change."));
        return;
    }
    if (ui::Dialogs::msgBox(
            QStringLiteral("This operation will change the status of passports for all students "
                           "issued with a passport enrolled in this program. This operation "
                           "cannot be undone.") +
                QLatin1Char('\n') + QStringLiteral("Are you sure you want to do this?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Are You Sure?")) != ui::vbYes)
        return;

    int changed = 0;
    {
        ui::Hourglass hourglass;
        selection.day = cboDay->currentText();
        const QString instructor = cboInstructor->currentText();
        const qsizetype marker = instructor.indexOf(QStringLiteral(" (EID#"));
        selection.instructor = marker < 0 ? instructor : instructor.left(marker);
        try {
            changed = imodStudents::SetPassportStatus(imodStudents::PassportStudents(selection),
                                                      status);
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Hourglass::reset();
            passportsRefuse(QStringLiteral("The passports could not be changed, and none was: ") +
                            e.description + QStringLiteral(" (Err#") +
                            QString::number(e.number) + QLatin1Char(')'));
            return;
        }
    }
    ui::Dialogs::msgBox(QString::number(changed) +
                            QStringLiteral(" students were updated successfully."),
                        ui::vbInformation, QStringLiteral("Yay!"));
    unload();
}

void frmPassports::cmdClose_Click()
{
    unload();
}
