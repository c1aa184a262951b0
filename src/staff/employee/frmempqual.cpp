#include "frmempqual.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "staff/employees.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The boxes: index, caption label index and caption.
struct QualBoxDef
{
    int index;
    int label;
    const char *caption;
};
const QualBoxDef qualBoxes[] = {{2, 1, "Award Name:"},
                                {3, 3, "Number:"},
                                {4, 5, "Expires:"},
                                {5, 2, "Authorised By:"},
                                {6, 4, "Notes:"}};

} // namespace

frmEmpQual::frmEmpQual()
{
    setObjectName(QStringLiteral("frmEmpQual"));
    setCaption(QStringLiteral("Employee Qualification"));
    Image1 = core::NewLogoLabel(this);

    for (int index = 0; index <= 6; ++index) {
        auto *box = new QLineEdit(this);
        box->setMaxLength(50);
        txtField.add(index, box);
        connect(box, &QLineEdit::textChanged, this, [this, index] { txtField_Change(index); });
    }
    // The two IDs are hidden holders.
    for (int index : {0, 1}) {
        static_cast<QLineEdit *>(txtField[index])->setReadOnly(true);
        txtField[index]->hide();
    }
    lblField.add(6, new QLabel(QStringLiteral("Qualification ID:"), this))->hide();
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    chkInactive = new QCheckBox(QStringLiteral("This Qualification is Renewed / Inactive"), this);
    chkInactive->setObjectName(QStringLiteral("chkInactive"));
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(ui::headingLabel(QStringLiteral("Employee Qualification"), this), 1);

    auto *holder = new QGridLayout;
    holder->addWidget(lblField.add(0, new QLabel(QStringLiteral("Employee:"), this)), 0, 0);
    holder->addWidget(lblName, 0, 1);
    holder->setColumnStretch(1, 1);

    auto *details = new QGridLayout;
    int row = 0;
    for (const QualBoxDef &def : qualBoxes) {
        QLabel *label =
            lblField.add(def.label, new QLabel(QString::fromLatin1(def.caption), this));
        label->setBuddy(txtField[def.index]);
        details->addWidget(label, row, 0);
        details->addWidget(txtField[def.index], row, 1);
        ++row;
    }
    details->addWidget(chkInactive, row, 1);
    details->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdDelete);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(ui::sectionLabel(QStringLiteral("Qualification Holder"), this));
    all->addLayout(holder);
    all->addWidget(ui::sectionLabel(QStringLiteral("Details of Qualification"), this));
    all->addLayout(details);
    all->addStretch(1);
    all->addLayout(buttons);
    resize(460, 380);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmEmpQual::cmdDelete_Click);
}

QString frmEmpQual::fieldText(int index) const
{
    return static_cast<QLineEdit *>(txtField[index])->text();
}

void frmEmpQual::setFieldText(int index, const QString &text)
{
    static_cast<QLineEdit *>(txtField[index])->setText(text);
}

void frmEmpQual::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
}

void frmEmpQual::txtField_Change(int index)
{
    if (index != 0)
        return;
    for (int i = 2; i <= 6; ++i)
        setFieldText(i, QString());
    const QString id = fieldText(0).trimmed();
    if (id.isEmpty()) {
        chkInactive->setChecked(false);
        return;
    }
    try {
        const auto row = imodStaff::ReadQualification(id.toInt());
        if (!row)
            return;
        for (int i = 2; i <= 6; ++i) {
            const QString text = vb::CStr(vb::Nz(row->value(i)));
            if (!text.isEmpty())
                setFieldText(i, text);
        }
        chkInactive->setChecked(vb::CLng(vb::Nz(row->value(7), 0)) != 0);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The qualification could not be loaded. (Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") +
                                e.description + QStringLiteral(")."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

bool frmEmpQual::saveQualification()
{
    if (!imodStaff::ReadExpiryText(fieldText(4))) {
        ui::Dialogs::msgBox(QStringLiteral("The expiry date you entered is not a date. Please "
                                           "correct it, or leave it empty for a qualification "
                                           "that does not expire."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        txtField[4]->setFocus();
        return false;
    }
    imodStaff::QualificationEdits edits;
    edits.instructorId = fieldText(1).trimmed().toInt();
    edits.qualification = fieldText(2);
    edits.number = fieldText(3);
    edits.expires = fieldText(4);
    edits.authorisedBy = fieldText(5);
    edits.notes = fieldText(6);
    edits.inactive = chkInactive->isChecked() ? 1 : 0;
    try {
        const QSignalBlocker quiet(txtField[0]);
        setFieldText(0, QString::number(
                            imodStaff::SaveQualification(fieldText(0).trimmed().toInt(), edits)));
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when saving the qualification, so "
                                           "nothing was saved. (Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") +
                                e.description + QStringLiteral(")."),
                            ui::vbExclamation, QStringLiteral("Something went wrong"));
        return false;
    }
    return true;
}

bool frmEmpQual::cmdOK_Click()
{
    if (!saveQualification())
        return false;
    unload();
    reloadEmployeeWindows();
    return true;
}

void frmEmpQual::cmdDelete_Click()
{
    const qint32 id = fieldText(0).trimmed().toInt();
    if (id == 0)
        return; // a new qualification: nothing stored to delete
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete this qualification?"),
                            ui::vbYesNo | ui::vbInformation, QStringLiteral("Delete?")) ==
        ui::vbYes) {
        try {
            imodStaff::DeleteQualification(id);
            unload();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(QStringLiteral("The qualification could not be deleted. (Err#") +
                                    QString::number(e.number) + QStringLiteral(" - ") +
                                    e.description + QStringLiteral(")."),
                                ui::vbExclamation, QStringLiteral("Something went wrong"));
        }
    }
    reloadEmployeeWindows();
}

void frmEmpQual::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    // Asked only when the user closes the window, changed or not.
    if (reason != ui::CloseReason::ControlMenu)
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to this qualification?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel) {
        cancel = true;
    } else if (answer == ui::vbYes) {
        if (!saveQualification())
            cancel = true;
        else
            reloadEmployeeWindows();
    }
}

void frmEmpQual::reloadEmployeeWindows()
{
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() != QLatin1String("frmEmpDetails"))
            continue;
        try {
            ui::callByName(f, QStringLiteral("Load_Qualifications"));
        } catch (...) {
        }
    }
}
