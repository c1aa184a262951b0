#include "frmduplicates.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "core/globaldata.h"
#include "students/details/frmstudentdetails.h"
#include "students/duplicates.h"
#include "utilitydocument.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmDuplicates::frmDuplicates()
{
    setObjectName(QStringLiteral("frmDuplicates"));
    setCaption(QStringLiteral("Duplicate Names"));

    Image1 = core::NewLogoLabel(this);
    cbo = new ui::SimpleCombo(this);
    cbo->setObjectName(QStringLiteral("cbo"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    Command1 = ui::namedButton(QStringLiteral("View or Print"), QStringLiteral("Command1"), this);
    Command1->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(ui::headingLabel(QStringLiteral("Duplicate Names"), this), 1, Qt::AlignTop);
    top->addWidget(Image1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(Command1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(cbo, 1);
    all->addLayout(bottom);
    resize(420, 420);

    connect(Command1, &QPushButton::clicked, this, &frmDuplicates::Command1_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        cbo->setListIndex(cbo->listWidget()->row(item));
        cbo_DblClick();
    });
}

void frmDuplicates::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    try {
        Load_Duplicates();
    } catch (...) {
    }
}

void frmDuplicates::Load_Duplicates()
{
    cbo->clear();
    ui::Hourglass hourglass;
    QList<QPair<QString, long>> found;
    for (const QString &item : imodStudents::ListDuplicates())
        found.append({item, 0});
    cbo->addItems(found);
    lblStatus->setText(QString::number(cbo->count()) + QStringLiteral(" duplicate records"));
    // Once shown it stays, also when a later load finds nobody.
    if (cbo->count() > 0)
        Command1->show();
}

void frmDuplicates::cbo_DblClick()
{
    using imodStudents::DuplicatePerson;
    DuplicatePerson person;
    try {
        person = imodStudents::FindDuplicatePerson(cbo->text());
    } catch (...) {
        return;
    }
    if (person.window == DuplicatePerson::None)
        return;
    // The employee and family windows are reached by name; while one is not there
    // the person opens in the student record.
    const QString other = person.window == DuplicatePerson::Employee ? QStringLiteral("frmEmpDetails")
                          : person.window == DuplicatePerson::Family ? QStringLiteral("frmFamDetails")
                                                                     : QString();
    if (!other.isEmpty()) {
        if (ui::Form *window = ui::CreateWindowByName(other)) {
            if (person.window == DuplicatePerson::Employee)
                ui::callByName(window, QStringLiteral("LoadUp"),
                               {person.instructorId, QStringLiteral("Edit"), QString()});
            else
                ui::callByName(window, QStringLiteral("LoadUp"),
                               {person.studentId, QVariant::fromValue(static_cast<QObject *>(this)),
                                QString()});
            window->showForm();
            return;
        }
    }
    auto *record = ui::Forms::create<frmStudentDetails>();
    record->LoadUp(person.studentId, this, QString());
    record->showForm();
}

void frmDuplicates::Command1_Click()
{
    try {
        QStringList items;
        for (int i = 0; i < cbo->count(); ++i)
            items << cbo->list(i);
        const QStringList lines = imodStudents::DuplicateDocumentLines(
            items, vb::Format(vb::Date(), Global::DateFormat),
            Global::CentreSettings().ApplicationName(), vb::Now());
        if (cbo->count() > 0)
            cbo->setListIndex(0);
        students::ShowUtilityDocument(lines);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                                QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}
