#include "frmdays.h"

#include "classes/classsearch.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/imodglobalsubs.h"
#include "core/imodvista.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "daypatternsave.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

namespace {

const QString addMarker = QStringLiteral("Add");

void warn(const QString &text, const QString &title = QStringLiteral("Oops!"))
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, title);
}

} // namespace

frmDays::frmDays()
{
    setObjectName(QStringLiteral("frmDays"));
    setCaption(QStringLiteral("Days"));

    Image1 = core::NewLogoLabel(this);
    auto *title = ui::headingLabel(QStringLiteral("Days"), this);

    lst = new QListWidget(this);
    lst->setObjectName(QStringLiteral("lst"));
    cmdUp = ui::namedButton(QString(), QStringLiteral("cmdUp"), this);
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdUp->setToolTip(QStringLiteral("Position the day higher in the list"));
    cmdDown = ui::namedButton(QString(), QStringLiteral("cmdDown"), this);
    cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdDown->setToolTip(QStringLiteral("Position the day lower in the list"));

    auto *nameLabel = new QLabel(QStringLiteral("Day Name:"), this);
    txtDayName = new QLineEdit(this);
    txtDayName->setObjectName(QStringLiteral("txtDayName"));
    txtDayName->setMaxLength(50);
    nameLabel->setBuddy(txtDayName);

    const char *const names[] = {"chkMonday", "chkTuesday",  "chkWednesday", "chkThursday",
                                 "chkFriday", "chkSaturday", "chkSunday"};
    const char *const captions[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                    "Friday", "Saturday", "Sunday"};
    for (int day = 0; day < 7; ++day) {
        m_weekdays[day] = new QCheckBox(QString::fromLatin1(captions[day]), this);
        m_weekdays[day]->setObjectName(QString::fromLatin1(names[day]));
    }
    chkMonday = m_weekdays[0];
    chkTuesday = m_weekdays[1];
    chkWednesday = m_weekdays[2];
    chkThursday = m_weekdays[3];
    chkFriday = m_weekdays[4];
    chkSaturday = m_weekdays[5];
    chkSunday = m_weekdays[6];

    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(title, 1);

    auto *arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(cmdUp);
    arrows->addWidget(cmdDown);
    arrows->addStretch(1);

    auto *fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0, 1, 2);
    fields->addWidget(txtDayName, 1, 0, 1, 2);
    for (int day = 0; day < 7; ++day)
        fields->addWidget(m_weekdays[day], 2 + day % 4, day / 4);
    fields->setRowStretch(6, 1);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);

    auto *body = new QHBoxLayout;
    body->addWidget(lst, 1);
    body->addLayout(arrows);
    body->addSpacing(8);
    body->addLayout(fields, 1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(body, 1);
    all->addLayout(buttons);
    resize(460, 360);

    connect(lst, &QListWidget::currentRowChanged, this, [this] { lst_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, &frmDays::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmDays::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmDays::cmdDelete_Click);
    connect(cmdUp, &QPushButton::clicked, this, &frmDays::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &frmDays::cmdDown_Click);

    SetEditMode(false);
}

void frmDays::onLoad()
{
    core::PlaceOnMainWindow(this);
    LoadList();
    core::ShowClassSearchLogo(Image1);
}

void frmDays::LoadList()
{
    lst->blockSignals(true);
    lst->clear();
    try {
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT DayName FROM Days ORDER BY "
                                                          "Sequence;")));
        for (; !rs.eof(); rs.moveNext())
            lst->addItem(rs.value(0).toString());
    } catch (const std::exception &) {
        // The list keeps what was read.
    }
    if (lst->count() > 0)
        lst->setCurrentRow(0);
    lst->blockSignals(false);
    if (lst->count() > 0)
        lst_Click();
    else
        ClearFields();
}

void frmDays::lst_Click()
{
    QListWidgetItem *item = lst->currentItem();
    if (!item)
        return;
    try {
        jet::Recordset rs(
            Global::DbConnection(),
            Global::AdaptSql(QStringLiteral("SELECT DayName, RunMon, RunTue, RunWed, RunThu, "
                                            "RunFri, RunSat, RunSun FROM Days WHERE DayName = ") +
                             Global::SqlText(item->text()) + QStringLiteral(";")));
        if (rs.eof())
            return;
        txtDayName->setText(rs.value(0).toString());
        for (int day = 0; day < 7; ++day)
            m_weekdays[day]->setChecked(rs.value(1 + day).toInt() == 1);
    } catch (const std::exception &) {
        // A pattern that cannot be read leaves the fields as they were.
    }
}

void frmDays::SetEditMode(bool editing)
{
    // Open fields on the system window colour, closed ones on the button face.
    const QColor background = ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL);
    QPalette p = txtDayName->palette();
    p.setColor(QPalette::Base, background);
    txtDayName->setPalette(p);
    txtDayName->setReadOnly(!editing);
    for (QCheckBox *box : m_weekdays)
        box->setEnabled(editing);
    cmdSave->setEnabled(editing);
    for (QWidget *w : {static_cast<QWidget *>(lst), static_cast<QWidget *>(cmdNew),
                       static_cast<QWidget *>(cmdEdit), static_cast<QWidget *>(cmdDelete)})
        w->setEnabled(!editing);
}

void frmDays::ClearFields()
{
    txtDayName->clear();
    for (QCheckBox *box : m_weekdays)
        box->setChecked(false);
}

void frmDays::cmdNew_Click()
{
    ClearFields();
    SetEditMode(true);
    ui::setTag(cmdSave, addMarker);
    imodVista::SafeSetFocus(txtDayName);
}

void frmDays::cmdEdit_Click()
{
    SetEditMode(true);
}

bool frmDays::IsValidDaySetup() const
{
    daypatterns::RunDays runs{};
    for (int day = 0; day < 7; ++day)
        runs[day] = m_weekdays[day]->isChecked();
    return daypatterns::IsValidDaySetup(txtDayName->text(), runs);
}

bool frmDays::cmdSave_Click()
{
    // Names hold no quotes: the box shows the name as it is stored.
    const QString name = daypatterns::CleanDayName(txtDayName->text());
    if (name != txtDayName->text())
        txtDayName->setText(name);
    if (name.isEmpty()) {
        warn(QStringLiteral("You must enter a day name."));
        return false;
    }
    if (!IsValidDaySetup()) {
        warn(daypatterns::InvalidSetupMessage(name));
        return false;
    }
    const bool adding = ui::tag(cmdSave) == addMarker;
    const QString stored = !adding && lst->currentItem() ? lst->currentItem()->text() : QString();
    daypatterns::RunDays runs{};
    for (int day = 0; day < 7; ++day)
        runs[day] = m_weekdays[day]->isChecked();
    try {
        if (daypatterns::DayNameTaken(name, stored)) {
            warn(QStringLiteral(
                "A day with that name already exists. Please enter a different day name."));
            return false;
        }
        daypatterns::SaveDayPattern(adding, stored, name, runs, lst->currentRow());
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        warn(QStringLiteral("An error occurred when saving the day.\r\nErr#") +
             QString::number(error.number) + QStringLiteral(" - ") + error.description +
             QStringLiteral("."));
        return false;
    }
    ui::setTag(cmdSave, QString());
    SetEditMode(false);
    LoadList();
    return true;
}

void frmDays::cmdDelete_Click()
{
    QListWidgetItem *item = lst->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    const int classes =
        imodGlobalSubs::CountRecords(QStringLiteral("SELECT [Day] FROM Classes WHERE [Day] = ") +
                                     Global::SqlText(entry) + QStringLiteral(";"));
    if (classes >= 1) {
        warn(QStringLiteral("You cannot delete this day because there are ") +
                 QString::number(classes) + QStringLiteral(" classes running on this day."),
             QStringLiteral("Can't Delete"));
        return;
    }
    if (ui::Dialogs::msgBox(
            QStringLiteral("Are you sure you wish to delete ") + entry + QStringLiteral("?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Confirm Delete")) != ui::vbYes)
        return;
    if (imodData::ExecSQL(QStringLiteral("DELETE FROM Days WHERE DayName = ") +
                              Global::SqlText(entry) + QStringLiteral(";"),
                          false) == 0)
        LoadList();
    else
        warn(QStringLiteral("An error occurred when deleting the day."));
}

void frmDays::moveEntry(int by)
{
    const int from = lst->currentRow();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= lst->count())
        return;
    // The entry moves with the pattern it shows: the fields, being edited or
    // not, stay as they are.
    lst->blockSignals(true);
    lst->insertItem(to, lst->takeItem(from));
    lst->setCurrentRow(to);
    lst->blockSignals(false);
}

void frmDays::cmdUp_Click()
{
    moveEntry(-1);
}

void frmDays::cmdDown_Click()
{
    moveEntry(1);
}

void frmDays::SaveSequence()
{
    QStringList names;
    for (int i = 0; i < lst->count(); ++i)
        names << lst->item(i)->text();
    daypatterns::SaveDaySequence(names);
}

void frmDays::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel)
        return;
    if (cmdSave->isEnabled()) {
        const int answer = ui::Dialogs::msgBox(
            QStringLiteral("Do you want to save changes to this day?"),
            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
        if (answer == ui::vbCancel)
            cancel = true;
        else if (answer == ui::vbYes && !cmdSave_Click())
            cancel = true; // a refused or failed save keeps the window and the entries
    }
    // The order the user arranged is kept whether or not the window closes.
    SaveSequence();
}

void frmDays::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    if (cancel)
        return;
    classsearch::RefillDayFilter();
}
