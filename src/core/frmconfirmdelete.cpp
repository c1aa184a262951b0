#include "frmconfirmdelete.h"

#include "workingwindow.h"

#include "core/errorinfo.h"
#include "core/imodvista.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString designText = QStringLiteral(
    "Please enter 'yes' in the box below to confirm that you want to delete this student and "
    "click OK.");

// What each action deletes: the words of its instruction, and for the procedures
// of other subsystems the words of the refusal when none is registered.
struct Action
{
    const char *action;
    const char *what;  // "... delete this <what> and click OK."
    const char *kinds; // procedures only: "deleting <kinds> is not available"
    const char *form;  // window members only: the window and its member
    const char *member;
    bool byRecord; // the window is the one showing the record number
};

const Action actions[] = {
    {"Delete Class", "class", "classes", nullptr, nullptr, false},
    {"Delete Program", "program", "programs", nullptr, nullptr, false},
    {"Delete Booking", "student's booking", "bookings", nullptr, nullptr, false},
    {"Delete Student", "student", nullptr, "frmStudentDetails", "DeleteStudent", true},
    {"Delete Family", "family", nullptr, "frmFamDetails", "DeleteFamily", true},
    {"Delete Water Test", "water test record", nullptr, "frmWaterTesting", "DeleteTest", false},
    {"Delete Company", "company", nullptr, "frmCompanyDetails", "DeleteCompany", false},
};

const Action *findAction(const QString &text)
{
    for (const Action &a : actions) {
        if (text == QLatin1String(a.action))
            return &a;
    }
    return nullptr;
}

QHash<QString, frmConfirmDelete::Deletion> &deletions()
{
    static QHash<QString, frmConfirmDelete::Deletion> registered;
    return registered;
}

void oops(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
}

QLineEdit *hiddenBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->hide();
    return box;
}

} // namespace

frmConfirmDelete::frmConfirmDelete(QWidget *parent)
    : ui::Form(parent)
{
    setCaption(QStringLiteral("Confirm Delete"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(96, 96);
    Image1->setAlignment(Qt::AlignCenter);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAlignment(Qt::AlignTop | Qt::AlignRight);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));

    Label2 = new QLabel(QStringLiteral("Confirm Delete"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont heading = Label2->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    Label2->setFont(heading);
    Label5 = new QLabel(QStringLiteral("Are You Sure You Want to Delete?"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont question = Label5->font();
    question.setBold(true);
    Label5->setFont(question);
    Label1 = new QLabel(designText, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    txtField = new QLineEdit(this);
    txtField->setObjectName(QStringLiteral("txtField"));
    cmdOK = ui::namedButton(QStringLiteral("Delete Now"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdCancel = ui::namedButton(QStringLiteral("Don't Delete"), QStringLiteral("cmdCancel"), this);

    txtReason = hiddenBox("txtReason", this);
    txtInfoLine = hiddenBox("txtInfoLine", this);
    txtUserID = hiddenBox("txtUserID", this);

    auto *text = new QVBoxLayout;
    text->addWidget(Label2);
    text->addWidget(Label5);
    text->addWidget(Label1);
    text->addWidget(txtField);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    text->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    layout->addWidget(Image2, 0, Qt::AlignTop);
    setFixedSize(520, 200);
    setTabOrder(txtField, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(txtReason, &QLineEdit::textChanged, this, &frmConfirmDelete::txtReason_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmConfirmDelete::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmConfirmDelete::cmdCancel_Click);
}

void frmConfirmDelete::RegisterDeletion(const QString &action, Deletion deletion)
{
    if (deletion)
        deletions().insert(action, std::move(deletion));
    else
        deletions().remove(action);
}

bool frmConfirmDelete::Request(const QString &action, const QString &recordId,
                               const QString &userId)
{
    auto *dialog = ui::Forms::shared<frmConfirmDelete>();
    const Pending request{action, recordId, userId};
    if (dialog->m_pending && *dialog->m_pending != request) {
        dialog->showForm();
        oops(QStringLiteral("Another deletion is waiting for confirmation. Please delete it or "
                            "click Don't Delete before you delete something else."));
        return false;
    }
    const bool first = !dialog->m_pending;
    dialog->m_pending = request;
    dialog->txtUserID->setText(userId);
    dialog->txtReason->setText(action);
    dialog->txtInfoLine->setText(recordId);
    dialog->showForm();
    if (first)
        core::PlaceOnMainWindow(dialog);
    dialog->txtField->setFocus();
    return true;
}

void frmConfirmDelete::onLoad()
{
    core::ShowClassSearchLogo(Image1);
}

void frmConfirmDelete::txtReason_Change()
{
    if (const Action *a = findAction(txtReason->text())) {
        Label1->setText(
            QStringLiteral("Please enter 'yes' in the box below to confirm that you want to "
                           "delete this %1 and click OK.")
                .arg(QLatin1String(a->what)));
    }
}

void frmConfirmDelete::cmdOK_Click()
{
    if (txtField->text().toLower() != QLatin1String("yes")) {
        oops(QStringLiteral("Please enter 'yes' in the box or click Cancel"));
        imodVista::SafeSetFocus(txtField);
        return;
    }
    if (m_pending)
        runDeletion(*m_pending);
    unload();
}

void frmConfirmDelete::cmdCancel_Click()
{
    unload();
}

void frmConfirmDelete::runDeletion(const Pending &request)
{
    const Action *a = findAction(request.action);
    if (!a)
        return; // no deletion of that name
    try {
        if (a->form) {
            ui::Form *owner =
                a->byRecord ? ui::Forms::findByRecord(QLatin1String(a->form), request.recordId)
                            : ui::Forms::find(QLatin1String(a->form));
            if (owner)
                ui::callByName(owner, QLatin1String(a->member));
            return;
        }
        const Deletion deletion = deletions().value(request.action);
        if (!deletion) {
            oops(QStringLiteral("Nothing was deleted: deleting %1 is not available.")
                     .arg(QLatin1String(a->kinds)));
            return;
        }
        bool isNumber = false;
        const qint32 recordId = request.recordId.trimmed().toInt(&isNumber);
        if (!isNumber) {
            oops(QStringLiteral("Nothing was deleted: \"%1\" is not a record number.")
                     .arg(request.recordId));
            return;
        }
        deletion(request.userId, recordId);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        oops(QStringLiteral("An error occurred while deleting: ") + error.description +
             QStringLiteral(" (Err#") + QString::number(error.number) + QLatin1Char(')'));
    }
}
