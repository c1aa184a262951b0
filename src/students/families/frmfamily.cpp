#include "frmfamily.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "students/families.h"
#include "students/familypanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmFamily::frmFamily()
{
    setObjectName(QStringLiteral("frmFamily"));
    setCaption(QStringLiteral("Create a New Family"));
    // Save or Cancel are the only ways out.
    setMdiChild(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Label2 = ui::headingLabel(QStringLiteral("Create a New Family"), this);
    Label1 = ui::wrappedLabel(
        QStringLiteral("Please enter details of the Contact Person for this family:"), this);
    const char *captions[] = {"First Name of Contact Person:", "Last Name of Contact Person:",
                              "Contact Name (as it will appear on letters and in Ovix):"};
    auto *grid = new QGridLayout;
    for (int i = 1; i <= 3; ++i) {
        auto *box = new QLineEdit(this);
        box->setMaxLength(50);
        txtField.add(i, box);
        box->installEventFilter(this);
        auto *label = new QLabel(QString::fromLatin1(captions[i - 1]), this);
        label->setBuddy(box);
        grid->addWidget(label, i - 1, 0);
        grid->addWidget(box, i - 1, 1);
    }
    txtSID = new QLineEdit(this);
    txtSID->setObjectName(QStringLiteral("txtSID"));
    txtSID->hide();
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label2);
    all->addWidget(Label1);
    all->addLayout(grid);
    all->addLayout(buttons);
    resize(520, 220);

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &frmFamily::cmdCancel_Click);
}

void frmFamily::LoadUp(QObject *xf)
{
    m_xf = xf;
}

bool frmFamily::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        txtField_GotFocus(ui::controlIndex(watched));
    return ui::Form::eventFilter(watched, event);
}

void frmFamily::txtField_GotFocus(int index)
{
    if (index == 3 && txtField[3]->text().isEmpty() && !txtField[1]->text().isEmpty() &&
        !txtField[2]->text().isEmpty())
        txtField[3]->setText(txtField[1]->text() + QLatin1Char(' ') + txtField[2]->text());
}

bool frmFamily::cmdSave_Click()
{
    const QString first = txtField[1]->text();
    const QString last = txtField[2]->text();
    const QString contact = txtField[3]->text();
    if (first.isEmpty() || last.isEmpty() || contact.isEmpty()) {
        ui::Dialogs::msgBox(QStringLiteral("Please complete all fields."), ui::vbExclamation,
                            QStringLiteral("Oops!"));
        return false;
    }
    qint32 familyId = 0;
    try {
        familyId = imodStudents::CreateFamily(first, last, contact);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when creating the family. The record "
                                           "may not have saved correctly. (Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") +
                                e.description + QStringLiteral(")."),
                            ui::vbExclamation, QStringLiteral("Something went wrong"));
        return false;
    }
    if (m_xf) {
        students::SetFamilyLine(m_xf, last + QStringLiteral(", ") + first +
                                          QStringLiteral(" (ID#") + QString::number(familyId) +
                                          QLatin1Char(')'),
                                QString::number(familyId));
        students::ShowFamilyContactName(m_xf, contact);
    }
    unload();
    return true;
}

void frmFamily::cmdCancel_Click()
{
    if (m_xf)
        students::SetFamilyLine(m_xf, students::IndividualCaption, QStringLiteral("0"));
    unload();
}
