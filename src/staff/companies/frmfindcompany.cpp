#include "frmfindcompany.h"

#include "companyrights.h"
#include "frmcompanydetails.h"

#include "access/permissions.h"
#include "access/signin.h"
#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "staff/companies.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace staffcompanies {

bool CompanyRightGranted(int right)
{
    if (Global::CheckCurrentUserPermission(right) == 1)
        return true;
    return Global::CheckPermission(Global::AuthorisedUserId, right, false) == 1;
}

QString CompanyErrorText(const QString &what)
{
    const core::ErrorInfo e = core::currentError();
    return what + QStringLiteral(" (Err#") + QString::number(e.number) + QStringLiteral(" - ") +
           e.description + QStringLiteral(").");
}

} // namespace staffcompanies

frmFindCompany::frmFindCompany()
{
    setObjectName(QStringLiteral("frmFindCompany"));
    setCaption(QStringLiteral("Lookup Companies"));
    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Lookup Company Details"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label5 = new QLabel(QStringLiteral("Choose a Company from the list"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    cbo = new ui::SimpleCombo(this);
    cbo->setObjectName(QStringLiteral("cbo"));
    lblStatus = new QLabel(QStringLiteral("Searching"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    cmdNext = ui::namedButton(QStringLiteral("Open"), QStringLiteral("cmdNext"), this);
    cmdAddEmployee =
        ui::namedButton(QStringLiteral("New Company"), QStringLiteral("cmdAddEmployee"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddEmployee);
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(Label5);
    layout->addWidget(cbo, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);
    resize(420, 460);

    connect(cmdNext, &QPushButton::clicked, this, &frmFindCompany::cmdNext_Click);
    connect(cmdAddEmployee, &QPushButton::clicked, this, &frmFindCompany::cmdAddEmployee_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmFindCompany::cmdClose_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this,
            &frmFindCompany::cmdNext_Click);
}

void frmFindCompany::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    Load_Companies();
}

void frmFindCompany::onActivate()
{
    const QString typed = cbo->text();
    Load_Companies();
    cbo->setText(typed);
}

void frmFindCompany::Load_Companies()
{
    const QString typed = cbo->text();
    cbo->clear();
    try {
        QList<QPair<QString, long>> items;
        for (const auto &item : imodCompanies::ReadCompanyList())
            items.append({item.first, long(item.second)});
        cbo->addItems(items);
    } catch (...) {
        // An unreadable table lists nothing.
    }
    cbo->setText(typed);
    lblStatus->setText(QString::number(cbo->count()) + QStringLiteral(" companies on file"));
}

void frmFindCompany::cmdNext_Click()
{
    if (cbo->listIndex() < 0)
        return;
    try {
        if (const auto id = imodCompanies::FindCompanyByListText(cbo->text()))
            Global::SelectedCompanyId = *id;
    } catch (...) {
        ui::Dialogs::msgBox(
            staffcompanies::CompanyErrorText(QStringLiteral("The company could not be read")),
            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    ui::Forms::shared<frmCompanyDetails>()->ShowCompany();
}

void frmFindCompany::cmdAddEmployee_Click()
{
    if (!staffcompanies::CompanyRightGranted(staffcompanies::AddEditCompaniesRight))
        return;
    Global::CompanyEditMode = QStringLiteral("Add");
    ui::Forms::shared<frmCompanyDetails>()->ShowCompany();
}

void frmFindCompany::cmdClose_Click()
{
    Global::AuthorisedUserId.clear();
    unload(ui::CloseReason::Code);
}
