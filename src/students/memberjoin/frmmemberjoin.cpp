#include "frmmemberjoin.h"

#include "core/centresettings.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "students/membership.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

template <class F> void step(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void refuse(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmMemberJoin::frmMemberJoin()
{
    setObjectName(QStringLiteral("frmMemberJoin"));
    setCaption(QStringLiteral("Join New Member"));

    Label2 = ui::headingLabel(caption(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    txtBarcode = new QLineEdit(this);
    txtBarcode->setObjectName(QStringLiteral("txtBarcode"));
    txtBarcode->setMaxLength(50);
    txtStartDate = new QLineEdit(this);
    txtStartDate->setObjectName(QStringLiteral("txtStartDate"));
    cboType = new QComboBox(this);
    cboType->setObjectName(QStringLiteral("cboType"));
    txtDuration = new QLineEdit(this);
    txtDuration->setObjectName(QStringLiteral("txtDuration"));
    lblField.add(3, new QLabel(QStringLiteral("Number of Visits:"), this));
    lblExpiry = new QLabel(this);
    lblExpiry->setObjectName(QStringLiteral("lblExpiry"));
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);

    auto *grid = new QGridLayout;
    const struct
    {
        const char *caption;
        QWidget *control;
    } rows[] = {
        {"Name:", lblName},
        {"Membership Barcode:", txtBarcode},
        {"Start Date:", txtStartDate},
        {"Term Type:", cboType},
        {nullptr, txtDuration},
        {"Membership Expiry:", lblExpiry},
    };
    int row = 0;
    for (const auto &r : rows) {
        QLabel *label = r.caption ? new QLabel(QString::fromLatin1(r.caption), this) : lblField[3];
        label->setBuddy(r.control);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.control, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdSave);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label2);
    all->addLayout(grid);
    all->addStretch(1);
    all->addLayout(buttons);
    resize(420, 280);

    connect(cboType, &QComboBox::currentIndexChanged, this, [this] { cboType_Click(); });
    connect(txtDuration, &QLineEdit::textChanged, this, [this] { Calculate_Expiry(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &frmMemberJoin::cmdCancel_Click);
}

frmMemberJoin::~frmMemberJoin() = default;

void frmMemberJoin::onLoad()
{
    step([this] { core::PlaceOnMainWindow(this); });
    LoadTypes();
    cboType->setCurrentIndex(0);
    txtStartDate->setText(vb::Format(vb::Date(), Global::DateFormat));
}

void frmMemberJoin::LoadTypes()
{
    const QSignalBlocker quiet(cboType);
    cboType->clear();
    cboType->addItems(imodStudents::MembershipTypeTexts());
    cboType->setCurrentIndex(-1);
}

void frmMemberJoin::LoadUp(qint32 lngStudentID, QObject *xfCallForm, qint32 lngMembershipID,
                           const QString &strName)
{
    m_studentId = lngStudentID;
    step([&] {
        lblName->setText(strName.isEmpty() ? imodStudents::GetStudentName(lngStudentID)
                                           : strName);
    });
    m_callForm = xfCallForm;
    m_membership = std::make_unique<Membership>();
    step([&] { m_membership->LoadMembership(lngMembershipID); });
    if (m_membership->Loaded) {
        setCaption(QStringLiteral("Edit Membership"));
        step([this] {
            txtStartDate->setText(
                vb::Format(m_membership->StartDate, QStringLiteral("Short Date")));
        });
        // The type first: choosing it empties the duration box.
        {
            const QSignalBlocker quiet(cboType);
            const qint32 type = m_membership->MemType;
            cboType->setCurrentIndex(type >= 0 && type <= imodStudents::NeverExpires
                                         ? type
                                         : qint32(imodStudents::NeverExpires));
        }
        cboType_Click();
        txtDuration->setText(QString::number(m_membership->duration));
        txtBarcode->setText(m_membership->Barcode);
    } else {
        setCaption(QStringLiteral("New Membership"));
    }
    Label2->setText(caption());
}

void frmMemberJoin::LockDuration(bool locked)
{
    txtDuration->setReadOnly(locked);
    QPalette p = txtDuration->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(locked ? 0x8000000FLL : 0x80000005LL));
    txtDuration->setPalette(p);
    txtDuration->setText(locked ? QStringLiteral("Forever") : QString());
}

void frmMemberJoin::cboType_Click()
{
    switch (cboType->currentIndex()) {
    case imodStudents::MultiVisitPass:
        LockDuration(false);
        lblField[3]->setText(QStringLiteral("Number of Visits:"));
        break;
    case imodStudents::TimeBased:
        LockDuration(false);
        lblField[3]->setText(QStringLiteral("Number of Days:"));
        break;
    case imodStudents::NeverExpires: LockDuration(true); break;
    default: break;
    }
    Calculate_Expiry();
}

void frmMemberJoin::Calculate_Expiry()
{
    lblExpiry->setText(imodStudents::MembershipExpiryText(cboType->currentText(),
                                                          txtDuration->text(),
                                                          txtStartDate->text()));
}

bool frmMemberJoin::cmdSave_Click()
{
    if (!m_membership)
        return false;
    const qint32 type = cboType->currentIndex();
    const std::optional<qint32> duration =
        imodStudents::MembershipDuration(type, txtDuration->text());
    if (type < 0 || !duration) {
        refuse(QStringLiteral("Please enter the duration of the membership as a number."));
        txtDuration->setFocus();
        return false;
    }
    const QDate start = imodStudents::ReadDateText(txtStartDate->text());
    if (!start.isValid()) {
        refuse(QStringLiteral("Please enter the start date of the membership as a date."));
        txtStartDate->setFocus();
        return false;
    }
    m_membership->UpdateMembership(m_studentId, *duration, type, QDateTime(start, QTime(0, 0)),
                                   txtBarcode->text());
    // A failed save has said so; the entries stay for another try.
    if (!m_membership->SaveMembership())
        return false;
    if (m_callForm)
        step([this] { ui::callByName(m_callForm, QStringLiteral("Load_Memberships")); });
    unload();
    return true;
}

void frmMemberJoin::cmdCancel_Click()
{
    unload();
}
