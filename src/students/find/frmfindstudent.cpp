#include "frmfindstudent.h"

#include "access/permissions.h"
#include "core/globaldata.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "students/details/frmstudentdetails.h"
#include "students/imodstudents.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class F> void step(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

// The right to add a person of each kind, and the window that takes the new one.
struct KindRule
{
    const char *kind;
    const char *plural;
    int addRight;           // flag of the Users table
    bool rightOfWindowUser; // checked for the window's user, else the signed-in user
    const char *recordWindow;
    const char *newText; // for the authorisation window
};
const KindRule kinds[] = {
    {"Student", "Students", 4, false, "frmStudentDetails", "New Student"},
    {"Employee", "Employees", 7, false, "frmEmpDetails", "New Employee"},
    {"Family", "Families", 13, true, "frmFamDetails", "New Family"},
};

// The chosen item: the one whose text stands in the edit field (the marked one
// when several people share the name), -1 when the text names nobody.
int chosenIndex(const ui::SimpleCombo *cbo)
{
    const QListWidgetItem *marked = cbo->listWidget()->currentItem();
    if (marked && marked->text().compare(cbo->text(), Qt::CaseInsensitive) == 0)
        return cbo->listWidget()->row(marked);
    return cbo->listIndex();
}

} // namespace

frmFindStudent::frmFindStudent()
{
    setObjectName(QStringLiteral("frmFindStudent"));
    setCaption(QStringLiteral("Lookup Student Details"));
    setMdiChild(false);

    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Lookup Student Details"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label5 = new QLabel(QStringLiteral("Choose a Student from the list:"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    cbo = new ui::SimpleCombo(this);
    cbo->setObjectName(QStringLiteral("cbo"));
    optLF = new QRadioButton(QStringLiteral("Smith, John"), this);
    optLF->setObjectName(QStringLiteral("optLF"));
    optLF->setChecked(true);
    optFL = new QRadioButton(QStringLiteral("John Smith"), this);
    optFL->setObjectName(QStringLiteral("optFL"));
    lblStatus = new QLabel(QStringLiteral("Searching"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    cmdNext = ui::namedButton(QStringLiteral("Open"), QStringLiteral("cmdNext"), this);
    cmdAddStudent =
        ui::namedButton(QStringLiteral("New Student"), QStringLiteral("cmdAddStudent"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    cmdNext->setDefault(true);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);
    auto *order = new QHBoxLayout;
    order->addWidget(optLF);
    order->addWidget(optFL);
    order->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddStudent);
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(Label5);
    all->addWidget(cbo, 1);
    all->addLayout(order);
    all->addWidget(lblStatus);
    all->addLayout(buttons);
    setTabOrder(cbo, optLF);
    resize(420, 520);

    connect(optLF, &QRadioButton::clicked, this, &frmFindStudent::Load_Students);
    connect(optFL, &QRadioButton::clicked, this, &frmFindStudent::Load_Students);
    connect(cmdNext, &QPushButton::clicked, this, &frmFindStudent::cmdNext_Click);
    connect(cmdAddStudent, &QPushButton::clicked, this, &frmFindStudent::cmdAddStudent_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmFindStudent::cmdClose_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this,
            &frmFindStudent::cmdNext_Click);
}

void frmFindStudent::onLoad()
{
    step([this] { core::PlaceOnMainWindow(this); });
    step([this] { core::ShowClassSearchLogo(Image1); });
    refreshEntryPoints();
}

void frmFindStudent::refreshEntryPoints()
{
    // Employee and family records come with their own windows.
    const bool open = m_mode == Students ||
                      (m_mode > Students &&
                       ui::IsWindowRegistered(QString::fromLatin1(kinds[m_mode - 1].recordWindow)));
    cmdNext->setEnabled(open || m_mode == NoMode);
    cmdAddStudent->setEnabled(open || m_mode == NoMode);
}

void frmFindStudent::LoadUp(int intMode, const QString &UserID)
{
    m_user = UserID.isEmpty() ? Global::CurrentUserId : UserID;
    if (intMode < Students || intMode > Families)
        return;
    m_mode = intMode;
    const KindRule &rule = kinds[m_mode - 1];
    m_kind = QString::fromLatin1(rule.kind);
    m_plural = QString::fromLatin1(rule.plural);
    setCaption(QStringLiteral("Search ") + m_plural);
    Label2->setText(QStringLiteral("Search ") + m_plural);
    Label5->setText(QStringLiteral("Choose a ") + m_kind + QStringLiteral(" from the list:"));
    cmdAddStudent->setText(QStringLiteral("New ") + m_kind);
    refreshEntryPoints();
    Load_Students();
}

void frmFindStudent::Load_Students()
{
    if (m_mode == NoMode)
        return;
    const QString typed = cbo->text();
    int remembered = -1;
    step([&] { remembered = chosenIndex(cbo); });
    step([this] {
        imodStudents::FillPersonCombo(cbo, m_mode == Students, m_mode == Employees,
                                      m_mode == Families, optFL->isChecked(),
                                      m_mode == Employees);
    });
    step([this] {
        lblStatus->setText(QString::number(cbo->count()) + QLatin1Char(' ') + m_plural.toLower() +
                           QStringLiteral(" on file"));
    });
    step([&] { cbo->setText(typed); });
    step([&] {
        // Index 0 is not brought back: it is where a fresh list stands anyway.
        if (chosenIndex(cbo) < 0 && remembered >= 1 && remembered < cbo->count())
            cbo->setListIndex(remembered);
    });
}

void frmFindStudent::cmdNext_Click()
{
    if (m_mode == NoMode)
        return;
    const int chosen = chosenIndex(cbo);
    if (chosen < 0)
        return;
    const qint32 id = qint32(cbo->itemData(chosen));
    if (m_mode == Students) {
        auto *record = ui::Forms::create<frmStudentDetails>();
        record->LoadUp(id, this, m_user);
        record->showForm();
        return;
    }
    ui::Form *record =
        ui::CreateWindowByName(QString::fromLatin1(kinds[m_mode - 1].recordWindow));
    if (!record)
        return;
    if (m_mode == Employees)
        ui::callByName(record, QStringLiteral("LoadUp"), {id, QStringLiteral("Edit"), m_user});
    else
        ui::callByName(record, QStringLiteral("LoadUp"),
                       {id, QVariant::fromValue(static_cast<QObject *>(this)), m_user});
    record->showForm();
}

void frmFindStudent::cmdAddStudent_Click()
{
    if (m_mode == NoMode)
        return;
    const KindRule &rule = kinds[m_mode - 1];
    const QString checked = rule.rightOfWindowUser ? m_user : Global::CurrentUserId;
    const bool allowed = Global::CurrentUserRights().Permissions(rule.addRight) == 1 ||
                         Global::CheckPermission(checked, rule.addRight, true) == 1;
    if (!allowed) {
        ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
        if (!password)
            return;
        password->showForm();
        ui::callByName(password, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(static_cast<ui::Form *>(this)),
                        QString::fromLatin1(rule.newText), QString()});
        return;
    }
    if (m_mode == Students) {
        auto *record = ui::Forms::create<frmStudentDetails>();
        record->LoadUp(0, this, m_user);
        record->showForm();
        return;
    }
    ui::Form *record = ui::CreateWindowByName(QString::fromLatin1(rule.recordWindow));
    if (!record)
        return;
    if (m_mode == Employees)
        ui::callByName(record, QStringLiteral("LoadUp"), {0, QStringLiteral("Add"), QString()});
    else
        ui::callByName(record, QStringLiteral("LoadUp"),
                       {0, QVariant::fromValue(static_cast<QObject *>(this)), m_user});
    record->showForm();
}

void frmFindStudent::cmdClose_Click()
{
    unload();
}
