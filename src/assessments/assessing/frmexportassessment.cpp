#include "frmexportassessment.h"

#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmExportAssessment::frmExportAssessment()
{
    setObjectName(QStringLiteral("frmExportAssessment"));
    setCaption(QStringLiteral("Export for Assessment"));

    Image1 = core::NewLogoLabel(this);
    txtSaveLocation = new QLineEdit(this);
    txtSaveLocation->setObjectName(QStringLiteral("txtSaveLocation"));
    Command1 = ui::namedButton(QStringLiteral("OK"), QStringLiteral("Command1"), this);
    Command2 = ui::namedButton(QStringLiteral("Search..."), QStringLiteral("Command2"), this);
    Command3 = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("Command3"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(ui::headingLabel(QStringLiteral("Export for Assesssment"), this), 1);
    auto *location = new QHBoxLayout;
    location->addWidget(txtSaveLocation, 1);
    location->addWidget(Command2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(ui::wrappedLabel(
        QStringLiteral("This page exports student and class data in the format that the "
                       "assessment client program requires."),
        this));
    all->addWidget(new QLabel(QStringLiteral("Choose the Location to Save To:"), this));
    all->addLayout(location);
    all->addStretch(1);
    all->addLayout(buttons);
    resize(460, 260);

    connect(Command1, &QPushButton::clicked, this, &frmExportAssessment::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmExportAssessment::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmExportAssessment::Command3_Click);
}

void frmExportAssessment::onLoad()
{
    core::PlaceOnMainWindow(this);
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
}

void frmExportAssessment::Command2_Click()
{
    const QString chosen =
        ui::Dialogs::saveFile(QStringLiteral("Save File As"),
                              QStringLiteral("Comma-separated Text File (*.TXT)|*.txt"), m_chosen);
    // A cancelled dialog keeps the file chosen before (none at first).
    if (!chosen.isEmpty())
        m_chosen = chosen;
    txtSaveLocation->setText(m_chosen);
}

void frmExportAssessment::Command1_Click()
{
    QString app;
    try {
        app = Global::CentreSettings().ShortAppName();
    } catch (...) {
    }
    ui::Dialogs::msgBox(QStringLiteral("The SQL Statement specified for the export is incorrect. "
                                       "Please contact ") +
                            app + QStringLiteral(" support."),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

void frmExportAssessment::Command3_Click()
{
    unload(ui::CloseReason::Code);
}
