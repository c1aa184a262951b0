#include "frmsetupwiz.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "frmopen.h"
#include "maintenancewindows.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/twips.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString SettingsSql = QStringLiteral("SELECT CentreInfo.* FROM CentreInfo;");

struct Box
{
    int index;
    const char *label;
    int maxLength;
};

const Box AddressBoxes[] = {{0, "Centre Name:", 50}, {1, "ABN:", 50},  {2, "Street:", 50},
                            {3, "City:", 50},        {4, "State:", 3}, {5, "Postcode:", 10}};
const Box ContactBoxes[] = {{6, "Phone:", 50}, {7, "Email:", 50}, {8, "Website:", 50}};
const Box ManagerBoxes[] = {{12, "Manager 1:", 50},
                            {13, "Position 1:", 50},
                            {14, "Manager 2:", 50},
                            {15, "Position 2:", 50}};

const QList<int> Page1Boxes = {0, 1, 2, 3, 4, 5, 6, 7, 8};
const QList<int> Page2Boxes = {12, 13, 14, 15};

void showError()
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                            QStringLiteral(")"),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmSetupWiz::frmSetupWiz(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint);
    setCaption(QStringLiteral("Setup New Ovix Data File"));

    // The step list at the left.
    auto *steps = new QFrame(this);
    steps->setObjectName(QStringLiteral("stepList"));
    steps->setStyleSheet(
        QStringLiteral("#stepList { background: #0b4f8a; } QLabel { color: white; }"));
    steps->setFixedWidth(170);
    auto *stepsLayout = new QVBoxLayout(steps);
    stepsLayout->addWidget(ui::sectionLabel(QStringLiteral("WIZARD STEPS"), steps));
    stepsLayout->addSpacing(8);
    const QStringList captions = {QStringLiteral("Welcome"), QStringLiteral("Centre Information"),
                                  QStringLiteral("Manager Details"), QStringLiteral("Declaration")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *marker = shp.add(i, new QFrame(steps));
        marker->setFixedSize(12, 12);
        marker->setFrameShape(QFrame::Box);
        auto *row = new QHBoxLayout;
        row->addWidget(marker);
        row->addWidget(new QLabel(captions.at(i), steps), 1);
        stepsLayout->addLayout(row);
    }
    stepsLayout->addStretch(1);

    // The pages.
    m_pages = new QStackedWidget(this);
    const auto addBoxes = [this](QFormLayout *form, QWidget *parent, const auto &boxes) {
        for (const Box &b : boxes) {
            auto *edit = txtCentreInfo.add(b.index, new QLineEdit(parent));
            edit->setMaxLength(b.maxLength);
            auto *label = new QLabel(QString::fromLatin1(b.label), parent);
            label->setMinimumWidth(90);
            form->addRow(label, edit);
        }
    };

    auto *welcome = fraSteps.add(0, new QFrame(m_pages));
    {
        auto *l = new QVBoxLayout(welcome);
        l->addWidget(
            ui::headingLabel(QStringLiteral("Welcome to the setup wizard for Ovixian."), welcome));
        l->addWidget(
            ui::wrappedLabel(QStringLiteral("This wizard will allow you to set up Ovix to work for "
                                            "your swim school. Once this setup wizard is complete, "
                                            "only minimal configuration will be required."),
                             welcome));
        l->addStretch(1);
    }
    auto *centre = fraSteps.add(1, new QFrame(m_pages));
    {
        auto *l = new QVBoxLayout(centre);
        l->addWidget(
            ui::headingLabel(QStringLiteral("Please enter your company information."), centre));
        auto *address = new QGroupBox(QStringLiteral("Address"), centre);
        auto *addressForm = new QFormLayout(address);
        addBoxes(addressForm, address, AddressBoxes);
        auto *contact = new QGroupBox(QStringLiteral("Other Contact Details"), centre);
        auto *contactForm = new QFormLayout(contact);
        addBoxes(contactForm, contact, ContactBoxes);
        l->addWidget(address);
        l->addWidget(contact);
        l->addStretch(1);
    }
    auto *managers = fraSteps.add(2, new QFrame(m_pages));
    {
        auto *l = new QVBoxLayout(managers);
        l->addWidget(ui::headingLabel(QStringLiteral("Management Details"), managers));
        l->addWidget(new QLabel(QStringLiteral("(Appears on some reports)"), managers));
        auto *form = new QFormLayout;
        addBoxes(form, managers, ManagerBoxes);
        l->addLayout(form);
        l->addStretch(1);
    }
    auto *declaration = fraSteps.add(3, new QFrame(m_pages));
    {
        auto *l = new QVBoxLayout(declaration);
        l->addWidget(ui::headingLabel(QStringLiteral("Modify the Declaration"), declaration));
        l->addWidget(ui::wrappedLabel(
            QStringLiteral("The following declaration appears on the bottom of all "
                           "Details & Declaration Forms printed."),
            declaration));
        txtDeclaration = new QPlainTextEdit(declaration);
        txtDeclaration->setObjectName(QStringLiteral("txtDeclaration"));
        l->addWidget(txtDeclaration, 1);
    }
    for (int i = 0; i < 4; ++i)
        m_pages->addWidget(fraSteps[i]);

    cmdBack = ui::namedButton(QStringLiteral("< Back"), QStringLiteral("cmdBack"), this);
    cmdBack->setVisible(false);
    cmdNext = ui::namedButton(QStringLiteral("Next >"), QStringLiteral("cmdNext"), this);
    cmdNext->setDefault(true);
    cmdClose =
        ui::namedButton(QStringLiteral("Cancel Setup Wizard"), QStringLiteral("cmdClose"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdNext);

    auto *right = new QVBoxLayout;
    right->addWidget(m_pages, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 12, 12);
    layout->addWidget(steps);
    layout->addLayout(right, 1);

    connect(cmdNext, &QPushButton::clicked, this, &frmSetupWiz::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmSetupWiz::cmdBack_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmSetupWiz::cmdClose_Click);
    resize(600, 440);
    showPage();
}

QString frmSetupWiz::declarationFile() const
{
    return Global::CentreSettings().DataFilesDirectory() +
           QStringLiteral("/DetailsDeclaration.txt");
}

void frmSetupWiz::onLoad()
{
    const QString shortName = Global::CentreSettings().ShortAppName();
    {
        QFile file(declarationFile());
        if (!file.open(QIODevice::ReadOnly)) {
            ui::Dialogs::msgBox(
                QStringLiteral("The details and declaration file could not be found. Please "
                               "contact ") +
                    shortName + QStringLiteral(" support for details. ") + shortName +
                    QStringLiteral(" will now exit."),
                ui::vbExclamation, QStringLiteral("Oops!"));
            shell::EndProgram();
            return;
        }
        txtDeclaration->setPlainText(QString::fromUtf8(file.readAll()));
    }
    try {
        std::unique_ptr<jet::Recordset> rs = irecObjectCode::OpenRecordset(SettingsSql);
        if (!rs->eof()) {
            for (int index : txtCentreInfo.indexes()) {
                const QVariant value = rs->value(index);
                if (!value.isNull() && value.typeId() == QMetaType::QString)
                    txtCentreInfo[index]->setText(value.toString());
            }
        }
    } catch (...) {
        showError();
    }
    // The centre name always starts blank (a new file holds "New Ovix User").
    txtCentreInfo[0]->clear();
    move(ui::twipsToPixels(250), ui::twipsToPixels(200));
}

void frmSetupWiz::saveCentreInfo(const QList<int> &indexes)
{
    std::unique_ptr<jet::Recordset> rs = irecObjectCode::OpenRecordset(SettingsSql);
    for (int index : indexes)
        rs->setValue(index, txtCentreInfo[index]->text());
    rs->update();
}

void frmSetupWiz::savePage(bool back)
{
    switch (m_page) {
    case 1: saveCentreInfo(Page1Boxes); break;
    case 2: saveCentreInfo(Page2Boxes); break;
    case 3: {
        // The file is replaced only when it is there: the wizard never creates it.
        QFile file(declarationFile());
        if (!file.exists())
            break;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw vb::Error(vb::err::PermissionDenied, file.errorString());
        QString text = txtDeclaration->toPlainText();
        if (text.isEmpty() && !back)
            text = QStringLiteral(" ");
        file.write(text.toUtf8());
        break;
    }
    default: break;
    }
}

void frmSetupWiz::cmdNext_Click()
{
    try {
        savePage(false);
    } catch (...) {
        // The wizard goes on.
    }
    if (cmdNext->text() == QLatin1String("Finish")) {
        const QString shortName = Global::CentreSettings().ShortAppName();
        ui::Dialogs::msgBox(QStringLiteral("Setup complete and your data file is ready to use. ") +
                                shortName +
                                QStringLiteral(" will now exit to the opening screen where you can "
                                               "Open your new data file if you wish."),
                            ui::vbInformation, QStringLiteral("Yay!"));
        unload(ui::CloseReason::Code);
        ui::Forms::shared<frmOpen>()->showForm();
        return;
    }
    if (m_page < 3)
        ++m_page;
    showPage();
}

void frmSetupWiz::cmdBack_Click()
{
    try {
        savePage(true);
    } catch (...) {
        showError();
    }
    if (m_page > 0)
        --m_page;
    showPage();
}

void frmSetupWiz::cmdClose_Click()
{
    shell::EndProgram();
}

void frmSetupWiz::showPage()
{
    cmdNext->setText(m_page == 3 ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    cmdBack->setVisible(m_page > 0);
    for (int i : shp.indexes())
        shp[i]->setStyleSheet(i == m_page ? QStringLiteral("background: rgb(0, 255, 0);")
                                          : QStringLiteral("background: white;"));
    m_pages->setCurrentIndex(m_page);
}
