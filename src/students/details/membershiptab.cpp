// The record window's "Membership" tab: the person's memberships, the memberships
// window opened from them, their deletion and the visit buttons.
#include "frmstudentdetails.h"

#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/windowregistry.h"
#include "students/membership.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QWidget *frmStudentDetails::buildMembershipTab()
{
    auto *tab = new QWidget;
    grdMem = new ui::FlexGrid(tab);
    grdMem->setObjectName(QStringLiteral("grdMem"));
    cmdNewMembership = ui::namedButton(QStringLiteral("Join New Member"),
                                       QStringLiteral("cmdNewMembership"), this);
    cmdEditMembership =
        ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEditMembership"), this);
    cmdDeleteMembership = ui::namedButton(QStringLiteral("Delete / Cancel"),
                                          QStringLiteral("cmdDeleteMembership"), this);
    cmdRenewMembership =
        ui::namedButton(QStringLiteral("Renew"), QStringLiteral("cmdRenewMembership"), this);
    // The visit buttons are pictures without captions.
    cmdMinus = ui::namedButton(QString(), QStringLiteral("cmdMinus"), this);
    cmdMinus->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdMinus->setToolTip(QStringLiteral("Reduce Number of Visits Used by 1"));
    cmdPlus = ui::namedButton(QString(), QStringLiteral("cmdPlus"), this);
    cmdPlus->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdPlus->setToolTip(QStringLiteral("Increment the Number of Visits Used by 1"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdNewMembership, cmdEditMembership, cmdDeleteMembership,
                           cmdRenewMembership})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdMinus);
    buttons->addWidget(cmdPlus);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(grdMem, 1);
    layout->addLayout(buttons);

    connect(cmdNewMembership, &QPushButton::clicked, this,
            &frmStudentDetails::cmdNewMembership_Click);
    connect(cmdEditMembership, &QPushButton::clicked, this,
            &frmStudentDetails::cmdEditMembership_Click);
    connect(cmdDeleteMembership, &QPushButton::clicked, this,
            &frmStudentDetails::cmdDeleteMembership_Click);
    connect(cmdMinus, &QPushButton::clicked, this, &frmStudentDetails::cmdMinus_Click);
    connect(cmdPlus, &QPushButton::clicked, this, &frmStudentDetails::cmdPlus_Click);
    return tab;
}

bool frmStudentDetails::refuseUnsaved(const QString &text)
{
    if (!fieldText(0).trimmed().isEmpty())
        return false;
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Sorry, not just now"));
    return true;
}

void frmStudentDetails::Load_Memberships()
{
    grdMem->setRows(1);
    try {
        const auto rows = imodStudents::LoadMembershipList(m_studentId);
        for (const auto &row : rows) {
            const int r = grdMem->rows();
            grdMem->setRows(r + 1);
            const QString cells[] = {QString::number(row.membershipId), row.type, row.started,
                                     row.expires, row.visitsUsed};
            for (int c = 0; c < 5; ++c) {
                grdMem->setTextMatrix(r, c, cells[c]);
                grdMem->setCellAlignment(r, c, ui::flexAlignCenterCenter);
            }
            grdMem->setGridRow(r);
            grdMem->setGridCol(4);
        }
    } catch (...) {
    }
}

qint32 frmStudentDetails::selectedMembership() const
{
    const int row = grdMem->gridRow();
    if (row < 1 || row >= grdMem->rows())
        return 0;
    return grdMem->textMatrix(row, 0).toInt();
}

namespace {

const QString unsavedMembership =
    QStringLiteral("You must save the new student before adding or changing a membership.");

} // namespace

void frmStudentDetails::cmdNewMembership_Click()
{
    if (refuseUnsaved(unsavedMembership))
        return;
    ui::Form *join = ui::LoadWindowByName(QStringLiteral("frmMemberJoin"));
    if (!join)
        return;
    join->showForm();
    ui::callByName(join, QStringLiteral("LoadUp"),
                   {m_studentId, QVariant::fromValue(static_cast<QObject *>(this)), 0,
                    fieldText(1) + QLatin1Char(' ') + fieldText(2)});
}

void frmStudentDetails::cmdEditMembership_Click()
{
    if (refuseUnsaved(unsavedMembership))
        return;
    const qint32 membershipId = selectedMembership();
    if (membershipId == 0)
        return;
    ui::Form *join = ui::LoadWindowByName(QStringLiteral("frmMemberJoin"));
    if (!join)
        return;
    join->showForm();
    ui::callByName(join, QStringLiteral("LoadUp"),
                   {m_studentId, QVariant::fromValue(static_cast<QObject *>(this)), membershipId,
                    fieldText(1) + QLatin1Char(' ') + fieldText(2)});
}

void frmStudentDetails::cmdDeleteMembership_Click()
{
    if (refuseUnsaved(unsavedMembership))
        return;
    const qint32 membershipId = selectedMembership();
    if (membershipId == 0)
        return;
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete this membership?"),
                            ui::vbQuestion | ui::vbYesNo,
                            QStringLiteral("Delete Membership?")) != ui::vbYes)
        return;
    imodStudents::DeleteMembership(membershipId);
    Load_Memberships();
}

void frmStudentDetails::ChangeVisitsUsed(qint32 membershipId, qint32 change)
{
    try {
        if (!imodStudents::ChangeVisitsUsed(membershipId, change))
            ui::Dialogs::msgBox(imodStudents::VisitsUsedStatement(membershipId));
    } catch (...) {
    }
    Load_Memberships();
}

void frmStudentDetails::cmdMinus_Click()
{
    if (refuseUnsaved(unsavedMembership))
        return;
    if (const qint32 membershipId = selectedMembership())
        ChangeVisitsUsed(membershipId, -1);
}

void frmStudentDetails::cmdPlus_Click()
{
    if (refuseUnsaved(unsavedMembership))
        return;
    if (const qint32 membershipId = selectedMembership())
        ChangeVisitsUsed(membershipId, 1);
}
