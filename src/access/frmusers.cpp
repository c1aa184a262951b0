#include "frmusers.h"

#include "access/permissions.h"
#include "core/globaldata.h"
#include "core/imodvista.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/vb/error.h"

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

namespace {

struct FlagBox
{
    int flag;
    const char *caption;
    const char *name; // a box of its own; nullptr for an element of chkField
};

// Every flag that has a box, with its caption.
const FlagBox flagBoxes[] = {
    {0, "Edit Classes", nullptr},
    {1, "Add New Classes", nullptr},
    {2, "Delete Classes", nullptr},
    {3, "Edit Students", nullptr},
    {4, "Add New Students", nullptr},
    {5, "Delete Students", nullptr},
    {6, "View Employees", nullptr},
    {7, "Add/Edit Employees", nullptr},
    {8, "Demote Employees", nullptr},
    {9, "Assess Own Classes", nullptr},
    {10, "Create Certificates", nullptr},
    {11, "Finalise + Cleanup", nullptr},
    {12, "View Families", nullptr},
    {13, "Add/Edit Families", nullptr},
    {14, "Receive Payments", nullptr},
    {15, "Receipts Journal", nullptr},
    {17, "Reports Centre", nullptr},
    {18, "Daily Enrolment Breakdown", nullptr},
    {19, "Global Settings", nullptr},
    {20, "User Accounts", nullptr},
    {21, "Programs", nullptr},
    {22, "Class Groups", nullptr},
    {23, "Award Levels", nullptr},
    {24, "General Ledger Accounts", nullptr},
    {25, "Tax Codes", nullptr},
    {26, "Delete Payments", nullptr},
    {27, "Overfill Classes", nullptr},
    {28, "Delete Bookings", nullptr},
    {29, "View Companies", nullptr},
    {30, "Payment Methods", nullptr},
    {31, "Add/Edit Companies", nullptr},
    {32, "Delete Companies", nullptr},
    {33, "View Students", nullptr},
    {34, "Web Browser", nullptr},
    {35, "Dropouts", nullptr},
    {36, "Duplicate Names", nullptr},
    {41, "Reassign Instructors", nullptr},
    {44, "Locations", nullptr},
    {45, "Create Tick Sheets", nullptr},
    {46, "Delete Families", nullptr},
    {47, "View One-Off Enrolments", nullptr},
    {48, "Add/Edit One-Off Enrolments", nullptr},
    {49, "Delete One-Off Enrolments", nullptr},
    {50, "Assess All Classes", nullptr},
    {51, "Move Booking", "chkMoveBooking"},
    {52, "Cancel Booking", "chkCancelBooking"},
    {53, "New Booking", "chkNewBooking"},
    {55, "Business Overview", "chkBusinessOverview"},
    {56, "Pre-Enrolments", "chkPreEnrolments"},
    {57, "Print Statements", "chkStatements"},
    {58, "Record No Show", "chkNoShow"},
    {59, "Activities", "chkActivities"},
    {60, "Attendance Book", "chkAttendanceBook"},
    {61, "Edit Notes", "chkClassNotes"},
    {62, "Copy Program", "chkCopyProgram"},
    {63, "Days", "chkDays"},
    {64, "Cancel Catch Up", "chkDelCU"},
    {65, "New Catch Up", "chkNewCU"},
    {66, "Remove from Wait List", "chkDelWL"},
    {67, "New Wait List Booking", "chkNewWL"},
    {68, "Student Quick Launch", "chkQuickLaunch"},
    {69, "Water Testing", "chkWaterTest"},
    {70, "Events", "chkEvents"},
    {71, "Issue Passports", "chkIssuePassports"},
    {72, "Discounts", "chkDiscounts"},
};

struct Group
{
    int label;
    const char *caption;
    int page;
    QList<int> flags;
};

const QList<Group> &groups()
{
    static const QList<Group> all = {
        {3, "Classes", 1, {0, 1, 2, 61}},
        {4, "Students", 1, {3, 4, 5, 33}},
        {5, "Employees", 1, {6, 7, 8}},
        {7, "Families", 1, {12, 13, 46}},
        {9, "Money Centre", 1, {14, 15, 26}},
        {12, "Companies", 1, {29, 31, 32}},
        {14, "Bookings", 1, {53, 51, 52, 58, 27, 28, 67, 66, 65, 64, 56}},
        {2, "One-Off Enrolments", 2, {47, 48, 49}},
        {6, "Assessments", 2, {9, 10, 11, 50}},
        {13, "The Internet", 2, {34}},
        {15, "Reports", 2, {17, 18, 45, 55, 57}},
        {10, "Utilities", 3, {60, 68, 35, 36, 62, 71, 41, 69}},
        {11, "Setup", 3, {59, 63, 70, 19, 20, 21, 22, 23, 24, 25, 30, 44}},
    };
    return all;
}

const QString employeeWarning = QStringLiteral("This is an employee's account.");

bool isDefaultUser(const QString &userId)
{
    return userId.toLower() == QStringLiteral("i");
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
    lstUsers->setSortingEnabled(true);
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
    chkAdmin = new QCheckBox(QStringLiteral("employee account?"), account);
    chkAdmin->setObjectName(QStringLiteral("chkAdmin"));
    chkAdmin->hide();
    tabs->addTab(account, QStringLiteral("Account Information"));

    QHash<int, QString> captionOf;
    for (const FlagBox &b : flagBoxes) {
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
    for (const Group &g : groups()) {
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
    discounts->addWidget(m_boxes.value(72));
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
    resize(640, 640);

    connect(cmdNew, &QPushButton::clicked, this, &frmUsers::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmUsers::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmUsers::cmdDelete_Click);
    connect(lstUsers, &QListWidget::currentItemChanged, this, [this] { lstUsers_Click(); });

    SetEditMode(false);
}

void frmUsers::onLoad()
{
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
        QString sql = QStringLiteral("SELECT UserID, Users.Name FROM Users");
        if (!m_filter.isEmpty())
            sql += QStringLiteral(" WHERE UserID = ") + Global::SqlText(m_filter);
        jet::Recordset rs(Global::DbConnection(), Global::AdaptSql(sql + QStringLiteral(";")));
        for (; !rs.eof(); rs.moveNext()) {
            const QString id = rs.value(0).toString();
            const QString name = rs.value(1).toString();
            auto *item = new QListWidgetItem(name.isEmpty() ? id : name);
            item->setData(Qt::UserRole, int(m_rows.size()));
            m_rows << id;
            lstUsers->addItem(item);
        }
    } catch (const std::exception &) {
        // The list keeps what was read.
    }
    lstUsers->blockSignals(false);
    if (lstUsers->count() > 0) {
        lstUsers->setCurrentRow(0);
        lstUsers_Click();
    }
}

void frmUsers::lstUsers_Click()
{
    QListWidgetItem *item = lstUsers->currentItem();
    if (!item)
        return;
    const QString userId = m_rows.value(item->data(Qt::UserRole).toInt());
    try {
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT * FROM Users WHERE UserID = ") +
                                           Global::SqlText(userId) + QStringLiteral(";")));
        if (rs.eof())
            return;
        for (int i = 0; i < 3; ++i)
            txtField[i]->setText(rs.value(i).toString());
        chkAdmin->setChecked(rs.value(3).toInt() == 1);
        for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
            it.value()->setChecked(rs.value(Global::PermissionNames().at(it.key())).toInt() == 1);
    } catch (const std::exception &e) {
        long number = 0;
        if (const auto *vbError = dynamic_cast<const vb::Error *>(&e))
            number = vbError->number();
        if (ui::Dialogs::msgBox(
                QStringLiteral("An error occurred when loading the user's permissions.\r\nErr#") +
                    QString::number(number) + QStringLiteral(" - ") +
                    QString::fromLocal8Bit(e.what()) +
                    QStringLiteral(".\r\n\r\nWould you like to attempt to continue?"),
                ui::vbYesNo | ui::vbQuestion, QStringLiteral("Error")) != ui::vbYes)
            return;
    }
    if (isDefaultUser(userId)) {
        txtField[2]->clear();
        txtField[2]->setEnabled(false);
        showWarning(QStringLiteral("This is the default account. Anybody will be able to login "
                                   "to this account using Auto-Login. Be careful when assigning "
                                   "access rights."));
    } else {
        txtField[2]->setEnabled(true);
        bool employee = false;
        try {
            employee = Global::IsUserInstructor(userId);
        } catch (const std::exception &) {
        }
        showWarning(employee ? employeeWarning : QString());
    }
}

void frmUsers::showWarning(const QString &text)
{
    lblWarning->setText(text);
    shpWarning->setVisible(!text.isEmpty());
}

bool frmUsers::isEmployeeWarning() const
{
    return !shpWarning->isHidden() && lblWarning->text() == employeeWarning;
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
    for (int i = 0; i < 3; ++i)
        txtField[i]->clear();
    chkAdmin->setChecked(false);
    txtField[2]->setEnabled(true);
    // A new account starts with no rights: nothing is carried over from the
    // account shown before.
    for (QCheckBox *box : std::as_const(m_boxes))
        box->setChecked(false);
    showWarning({});
    SetEditMode(true);
    imodVista::SafeSetFocus(txtField[0]);
}

bool frmUsers::cmdSave_Click()
{
    const QString userId = txtField[0]->text();
    if (userId.isEmpty()) {
        tabs->setCurrentIndex(0);
        imodVista::SafeSetFocus(txtField[0]);
        ui::Dialogs::msgBox(QStringLiteral("You must enter a User ID."), ui::vbExclamation,
                            QStringLiteral("Oops!"));
        return false;
    }
    if (txtField[2]->text().isEmpty() && !isDefaultUser(userId)) {
        ui::Dialogs::msgBox(QStringLiteral("This account has a zero-length password. You cannot "
                                           "have a blank password."),
                            ui::vbExclamation, QStringLiteral("Sorry!"));
        return false;
    }
    const QString where =
        QStringLiteral(" WHERE UCase$(UserID) = ") + Global::SqlText(userId.toUpper());
    auto exists = [&] {
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT UserID FROM Users") + where));
        return !rs.eof();
    };
    QStringList columns = {QStringLiteral("[Name]"), QStringLiteral("[Password]"),
                           QStringLiteral("Admin")};
    QStringList values = {Global::SqlText(txtField[1]->text()),
                          Global::SqlText(txtField[2]->text()),
                          Global::SqlNumber(chkAdmin->isChecked() ? 1 : 0)};
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        columns << QLatin1Char('[') + Global::PermissionNames().at(it.key()) + QLatin1Char(']');
        values << Global::SqlNumber(it.value()->isChecked() ? 1 : 0);
    }
    try {
        if (m_new) {
            if (exists()) {
                ui::Dialogs::msgBox(QStringLiteral("A User Account with this UserID already "
                                                   "exists. Please correct this and try again."),
                                    ui::vbExclamation, QStringLiteral("Oops!"));
                return false;
            }
            // Statements that carry passwords stay out of the statement log.
            Global::DbConnection().execute(Global::AdaptSql(
                QStringLiteral("INSERT INTO Users (UserID, %1) VALUES (%2, %3)")
                    .arg(columns.join(QStringLiteral(", ")), Global::SqlText(userId),
                         values.join(QStringLiteral(", ")))));
        } else {
            if (!exists())
                return false;
            QStringList sets;
            for (int i = 0; i < columns.size(); ++i)
                sets << columns[i] + QStringLiteral(" = ") + values[i];
            Global::DbConnection().execute(Global::AdaptSql(
                QStringLiteral("UPDATE Users SET ") + sets.join(QStringLiteral(", ")) +
                QStringLiteral(" WHERE UserID = ") + Global::SqlText(userId)));
        }
    } catch (const std::exception &e) {
        bool duplicate = false;
        try {
            duplicate = m_new && exists();
        } catch (const std::exception &) {
        }
        if (duplicate) {
            ui::Dialogs::msgBox(QStringLiteral("An account with the UserID you entered already "
                                               "exists. This account cannot be created."),
                                ui::vbCritical, QStringLiteral("Oops!"));
        } else {
            long number = 0;
            if (const auto *vbError = dynamic_cast<const vb::Error *>(&e))
                number = vbError->number();
            // The entries stay: the window stays open so that nothing typed is lost.
            ui::Dialogs::msgBox(QStringLiteral("An unexpected error occurred (") +
                                    QString::number(number) + QStringLiteral("): ") +
                                    QString::fromLocal8Bit(e.what()),
                                ui::vbCritical, QStringLiteral("Something went wrong"));
        }
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
    if (isDefaultUser(userId)) {
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
        const QString where = QStringLiteral(" WHERE UserID = ") + Global::SqlText(userId);
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT UserID FROM Users") + where));
        if (rs.eof())
            return;
        rs.close();
        if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you wish to delete this user?"),
                                ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Confirm Delete")) != ui::vbYes)
            return;
        Global::DbConnection().execute(
            Global::AdaptSql(QStringLiteral("DELETE FROM Users") + where));
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
