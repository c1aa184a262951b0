#include "frmusers.h"

#include "access/accounts.h"
#include "access/permissions.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/globaldata.h"
#include "core/imodvista.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace {

using useraccess::IsDefaultAccount;

// What the password box shows while the account keeps the password it has.
const QString keptPasswordPlaceholder = QStringLiteral("(unchanged)");

QString errorLine(const core::ErrorInfo &error)
{
    return QStringLiteral("Err#") + QString::number(error.number) + QStringLiteral(" - ") +
           error.description;
}

} // namespace

frmUsers::frmUsers()
{
    setObjectName(QStringLiteral("frmUsers"));
    setCaption(QStringLiteral("User Accounts"));

    Image1 = core::NewLogoLabel(this);
    auto *title = ui::headingLabel(QStringLiteral("User Accounts"), this);

    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    core::setListSorted(lstUsers, true);
    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    auto *account = new QWidget;
    auto *accountForm = new QFormLayout(account);
    const int limits[] = {5, 50, 50};
    const int labelOf[] = {0, 1, 8};
    const char *captions[] = {"User ID:", "Name:", "Password:"};
    for (int i = 0; i < 3; ++i) {
        QLineEdit *box = txtField.add(i, new QLineEdit(account));
        box->setMaxLength(limits[i]);
        QLabel *label =
            lblField.add(labelOf[i], new QLabel(QString::fromLatin1(captions[i]), account));
        label->installEventFilter(this);
        accountForm->addRow(label, box);
    }
    txtField[2]->setEchoMode(QLineEdit::Password);
    connect(txtField[2], &QLineEdit::textEdited, this, [this] { m_passwordTyped = true; });
    chkAdmin = new QCheckBox(QStringLiteral("employee account?"), account);
    chkAdmin->setObjectName(QStringLiteral("chkAdmin"));
    chkAdmin->hide();
    tabs->addTab(account, QStringLiteral("Account Information"));

    QHash<int, QString> captionOf;
    for (const useraccess::AccountFlagBox &b : useraccess::AccountFlagBoxes()) {
        auto *box = new QCheckBox(QString::fromLatin1(b.caption), this);
        if (b.name) {
            box->setObjectName(QString::fromLatin1(b.name));
        } else {
            box->setObjectName(QStringLiteral("chkField"));
            box->setProperty("Index", b.flag + 4);
        }
        m_boxes.insert(b.flag, box);
    }
    QWidget *pages[4] = {nullptr, new QWidget, new QWidget, new QWidget};
    QGridLayout *grids[4] = {nullptr, new QGridLayout(pages[1]), new QGridLayout(pages[2]),
                             new QGridLayout(pages[3])};
    int placed[4] = {0, 0, 0, 0};
    auto place = [&](int page, QLayout *column) {
        const int n = placed[page]++;
        grids[page]->addLayout(column, n / 3, n % 3, Qt::AlignTop);
    };
    for (const useraccess::AccountFlagGroup &g : useraccess::AccountFlagGroups()) {
        auto *column = new QVBoxLayout;
        QLabel *heading =
            lblField.add(g.label, ui::sectionLabel(QString::fromLatin1(g.caption), nullptr));
        heading->setCursor(Qt::PointingHandCursor);
        heading->installEventFilter(this);
        column->addWidget(heading);
        for (int flag : g.flags)
            column->addWidget(m_boxes.value(flag));
        m_groups.insert(g.label, g.flags);
        place(g.page, column);
    }
    auto *discounts = new QVBoxLayout;
    discounts->addWidget(m_boxes.value(useraccess::DiscountsFlag));
    place(3, discounts);
    tabs->addTab(pages[1], QStringLiteral("Access Rights (A)"));
    tabs->addTab(pages[2], QStringLiteral("Access Rights (B)"));
    tabs->addTab(pages[3], QStringLiteral("Access Rights (C)"));

    shpWarning = new QFrame(this);
    shpWarning->setObjectName(QStringLiteral("shpWarning"));
    shpWarning->setAutoFillBackground(true);
    QPalette yellow = shpWarning->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 192));
    shpWarning->setPalette(yellow);
    lblWarning = new QLabel(shpWarning);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    auto *warningLayout = new QHBoxLayout(shpWarning);
    warningLayout->addWidget(lblWarning);
    shpWarning->hide();

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(title, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(lstUsers, 1);
    listRow->addLayout(buttons);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(listRow, 1);
    all->addWidget(tabs, 3);
    all->addWidget(shpWarning);
    resize(640, baseHeight);

    connect(cmdNew, &QPushButton::clicked, this, &frmUsers::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmUsers::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmUsers::cmdDelete_Click);
    connect(lstUsers, &QListWidget::currentItemChanged, this, [this] { lstUsers_Click(); });

    SetEditMode(false);
}

void frmUsers::onLoad()
{
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
}

bool frmUsers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int index = ui::controlIndex(watched);
        if (index >= 0 && watched->objectName() == QStringLiteral("lblField")) {
            lblField_Click(index);
            return true;
        }
    }
    return ui::Form::eventFilter(watched, event);
}

void frmUsers::LoadUp(bool boolNew, bool boolSingle, const QString &UserID)
{
    if (!boolSingle) {
        m_filter.clear();
        LoadUserList();
        return;
    }
    m_filter = UserID;
    if (!boolNew && !UserID.isEmpty()) {
        LoadUserList();
        cmdEdit_Click();
    } else {
        cmdNew_Click();
    }
}

void frmUsers::LoadUserList()
{
    lstUsers->blockSignals(true);
    lstUsers->clear();
    m_rows.clear();
    try {
        for (const useraccess::AccountListEntry &entry : useraccess::ReadAccountList(m_filter)) {
            core::listAddItem(lstUsers, entry.caption, qint32(m_rows.size()));
            m_rows << entry.userId;
        }
    } catch (const std::exception &) {
        // The list keeps what was read.
    }
    // Selecting the first entry shows it once, here, not through the signal too.
    if (lstUsers->count() > 0)
        lstUsers->setCurrentRow(0);
    lstUsers->blockSignals(false);
    if (lstUsers->count() > 0)
        lstUsers_Click();
}

void frmUsers::clearAccount()
{
    for (int i = 0; i < 3; ++i)
        txtField[i]->clear();
    txtField[2]->setPlaceholderText(QString());
    chkAdmin->setChecked(false);
    for (QCheckBox *box : std::as_const(m_boxes))
        box->setChecked(false);
    m_storedPassword = false;
    m_passwordTyped = false;
}

void frmUsers::lstUsers_Click()
{
    QListWidgetItem *item = lstUsers->currentItem();
    if (!item)
        return;
    const QString userId = m_rows.value(item->data(Qt::UserRole).toInt());
    // Nothing of the account shown before stays, whichever step fails below.
    clearAccount();
    std::optional<useraccess::AccountRow> row;
    // Each step goes on after its own failure when the user says so.
    auto failed = [] {
        const core::ErrorInfo error = core::currentError();
        return ui::Dialogs::msgBox(
                   QStringLiteral("An error occurred when loading the user's permissions.\r\n") +
                       errorLine(error) +
                       QStringLiteral(".\r\n\r\nWould you like to attempt to continue?"),
                   ui::vbYesNo | ui::vbQuestion, QStringLiteral("Error")) == ui::vbYes;
    };
    try {
        row = useraccess::ReadAccount(userId);
        if (!row)
            return;
    } catch (const std::exception &) {
        if (!failed())
            return;
    }
    if (row) {
        std::vector<std::function<void()>> steps = {
            [&] { txtField[0]->setText(row->value(QStringLiteral("UserID")).toString()); },
            [&] { txtField[1]->setText(row->value(QStringLiteral("Name")).toString()); },
            [&] {
                // The stored password is never shown: the box says it is kept.
                m_storedPassword = row->hasPassword();
                txtField[2]->setPlaceholderText(m_storedPassword ? keptPasswordPlaceholder
                                                                 : QString());
            },
            [&] { chkAdmin->setChecked(row->value(QStringLiteral("Admin")).toInt() == 1); },
        };
        for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
            const int flag = it.key();
            QCheckBox *box = it.value();
            steps.push_back([&row, flag, box] { box->setChecked(useraccess::AccountFlag(*row, flag)); });
        }
        for (const auto &step : steps) {
            try {
                step();
            } catch (const std::exception &) {
                if (!failed())
                    return;
            }
        }
    }
    if (IsDefaultAccount(userId)) {
        txtField[2]->clear();
        txtField[2]->setPlaceholderText(QString());
        txtField[2]->setEnabled(false);
        showWarning(useraccess::DefaultAccountWarning);
    } else {
        txtField[2]->setEnabled(true);
        bool employee = false;
        try {
            employee = Global::IsUserInstructor(userId);
        } catch (const std::exception &) {
            if (!failed())
                return;
        }
        showWarning(employee ? useraccess::EmployeeAccountWarning : QString());
    }
}

void frmUsers::showWarning(const QString &text)
{
    lblWarning->setText(text);
    shpWarning->setVisible(!text.isEmpty());
    // The window grows by the strip while it shows.
    layout()->activate();
    resize(width(), baseHeight + (text.isEmpty() ? 0 : warningHeight));
}

bool frmUsers::isEmployeeWarning() const
{
    return !shpWarning->isHidden() && lblWarning->text() == useraccess::EmployeeAccountWarning;
}

void frmUsers::SetEditMode(bool editing)
{
    const QPalette::ColorRole role = editing ? QPalette::Base : QPalette::Button;
    for (int i = 0; i < 3; ++i) {
        const bool editable = editing && (i > 0 || m_new);
        txtField[i]->setReadOnly(!editable);
        QPalette p = txtField[i]->palette();
        p.setColor(QPalette::Base, palette().color(role));
        txtField[i]->setPalette(p);
    }
    for (QCheckBox *box : std::as_const(m_boxes))
        box->setEnabled(editing);
    chkAdmin->setEnabled(editing);
    cmdSave->setEnabled(editing);
    for (QWidget *w : {static_cast<QWidget *>(cmdNew), static_cast<QWidget *>(cmdEdit),
                       static_cast<QWidget *>(cmdDelete), static_cast<QWidget *>(lstUsers)})
        w->setEnabled(!editing);
}

void frmUsers::cmdEdit_Click()
{
    SetEditMode(true);
}

void frmUsers::cmdNew_Click()
{
    m_new = true;
    // A new account starts with no rights: nothing is carried over from the
    // account shown before.
    clearAccount();
    txtField[2]->setEnabled(true);
    showWarning({});
    SetEditMode(true);
    imodVista::SafeSetFocus(txtField[0]);
}

bool frmUsers::cmdSave_Click()
{
    useraccess::AccountEntry entry;
    entry.userId = txtField[0]->text();
    if (entry.userId.isEmpty()) {
        tabs->setCurrentIndex(0);
        imodVista::SafeSetFocus(txtField[0]);
        ui::Dialogs::msgBox(QStringLiteral("You must enter a User ID."), ui::vbExclamation,
                            QStringLiteral("Oops!"));
        return false;
    }
    entry.name = txtField[1]->text();
    // An untouched password box keeps the stored password.
    if (m_passwordTyped || m_new)
        entry.password = txtField[2]->text();
    if (!IsDefaultAccount(entry.userId) &&
        useraccess::WouldHaveNoPassword(entry, m_new, m_storedPassword)) {
        ui::Dialogs::msgBox(QStringLiteral("This account has a zero-length password. You cannot "
                                           "have a blank password."),
                            ui::vbExclamation, QStringLiteral("Sorry!"));
        return false;
    }
    entry.admin = chkAdmin->isChecked();
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        entry.flags.insert(it.key(), it.value()->isChecked());
    try {
        switch (useraccess::SaveAccount(entry, m_new)) {
        case useraccess::SaveAccountResult::Saved: break;
        case useraccess::SaveAccountResult::Exists:
            ui::Dialogs::msgBox(QStringLiteral("A User Account with this UserID already "
                                               "exists. Please correct this and try again."),
                                ui::vbExclamation, QStringLiteral("Oops!"));
            return false;
        case useraccess::SaveAccountResult::Duplicate:
            ui::Dialogs::msgBox(QStringLiteral("An account with the UserID you entered already "
                                               "exists. This account cannot be created."),
                                ui::vbCritical, QStringLiteral("Oops!"));
            return false;
        case useraccess::SaveAccountResult::Gone: return false;
        }
    } catch (const std::exception &) {
        const core::ErrorInfo error = core::currentError();
        // The entries stay: the window stays open so that nothing typed is lost.
        ui::Dialogs::msgBox(QStringLiteral("An unexpected error occurred (") +
                                QString::number(error.number) + QStringLiteral("): ") +
                                error.description,
                            ui::vbCritical, QStringLiteral("Something went wrong"));
        return false;
    }
    m_new = false;
    SetEditMode(false);
    LoadUserList();
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == QStringLiteral("frmEmpDetails")) {
            try {
                ui::callByName(f, QStringLiteral("Load_User_List"));
            } catch (const std::exception &) {
            }
        }
    }
    return true;
}

void frmUsers::cmdDelete_Click()
{
    const QString userId = txtField[0]->text();
    if (IsDefaultAccount(userId)) {
        ui::Dialogs::msgBox(QStringLiteral("You cannot delete the default account"),
                            ui::vbExclamation, QStringLiteral("Hold it right there"));
        return;
    }
    if (userId.toLower() == QStringLiteral("a") &&
        ui::Dialogs::msgBox(
            QStringLiteral("This is the default administrator account. Before you delete this, "
                           "make sure that you have created an account for yourself with access "
                           "to all administrative functions, otherwise you will be locked out "
                           "areas of the system. Are you sure you want to delete this account?"),
            ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
            QStringLiteral("WARNING!")) != ui::vbYes)
        return;
    if (isEmployeeWarning()) {
        ui::Dialogs::msgBox(QStringLiteral("This is an employee's account. You must un-assign the "
                                           "account in the employee's centre before deleting it."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    try {
        if (!useraccess::AccountExists(userId))
            return;
        if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you wish to delete this user?"),
                                ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Confirm Delete")) != ui::vbYes)
            return;
        useraccess::DeleteAccount(userId);
    } catch (const std::exception &) {
        return;
    }
    LoadUserList();
}

void frmUsers::lblField_Click(int index)
{
    QLabel *label = lblField.contains(index) ? lblField[index] : nullptr;
    if (!label)
        return;
    const bool tick = label->property("Tag").toString() != QStringLiteral("1");
    label->setProperty("Tag", tick ? QStringLiteral("1") : QStringLiteral("0"));
    for (int flag : m_groups.value(index))
        m_boxes.value(flag)->setChecked(tick);
}

void frmUsers::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !cmdSave->isEnabled())
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to this user account?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes && !cmdSave_Click())
        cancel = true; // a refused save keeps the window and what was typed
}

void frmUsers::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    if (cancel)
        return;
    try {
        Global::CurrentUserRights().LoadPermissionsFromDb(Global::CurrentUserId);
    } catch (const std::exception &) {
    }
}
