#include "frmrptdetailsform.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/lookups.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/printers.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor fieldGrey(0xC0, 0xC0, 0xC0);

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(11.25);
    label->setFont(font);
    return label;
}

template <class Box> Box *field(const char *name, QWidget *parent)
{
    auto *box = new Box(parent);
    box->setObjectName(QLatin1String(name));
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, fieldGrey);
    box->setPalette(palette);
    return box;
}

QLineEdit *line(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setFrame(false);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, fieldGrey);
    box->setPalette(palette);
    return box;
}

// The centre's declaration: "DetailsDeclaration.txt" of the data folder; empty
// when there is none.
QString declarationText()
{
    QFile file(Global::CentreSettings().DataFilesDirectory() +
               QStringLiteral("/DetailsDeclaration.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

frmRptDetailsForm::frmRptDetailsForm(QWidget *parent)
    : ui::Form(parent)
{
    setCaption(QStringLiteral("Student Details / Declaration Form"));
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    setPalette(page);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont centreFont = Label1->font();
    centreFont.setBold(true);
    centreFont.setPointSizeF(14.25);
    Label1->setFont(centreFont);
    auto *title = new QLabel(QStringLiteral("STUDENT DETAILS FORM"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    titleFont.setPointSizeF(12);
    title->setFont(titleFont);
    txtID = line("txtID", this);
    txtID->setAlignment(Qt::AlignCenter);
    QPalette white = txtID->palette();
    white.setColor(QPalette::Base, Qt::white);
    txtID->setPalette(white);

    txtGivenName = line("txtGivenName", this);
    txtFamilyName = line("txtFamilyName", this);
    txtDOB = line("txtDOB", this);
    Text1 = line("Text1", this);
    Text1->setAlignment(Qt::AlignCenter);
    txtParentName = line("txtParentName", this);
    txtHomePh = line("txtHomePh", this);
    txtAddress = field<QPlainTextEdit>("txtAddress", this);
    txtWorkPh = line("txtWorkPh", this);
    txtMobilePh = line("txtMobilePh", this);
    txtEmail = line("txtEmail", this);
    txtMedicalNotes = field<QPlainTextEdit>("txtMedicalNotes", this);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Text4 = line("Text4", this);
    txtDate = line("txtDate", this);
    txtDate->setAlignment(Qt::AlignCenter);

    fraButtons = new QFrame(this);
    fraButtons->setObjectName(QStringLiteral("fraButtons"));
    cmdUpdate =
        ui::namedButton(QStringLiteral("Update Details"), QStringLiteral("cmdUpdate"), fraButtons);
    cmdUpdate->hide();
    Command1 =
        ui::namedButton(QStringLiteral("Print Form"), QStringLiteral("Command1"), fraButtons);
    auto *buttons = new QHBoxLayout(fraButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(Command1);

    auto *top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(title);
    top->addWidget(txtID);
    top->addWidget(fraButtons);

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(heading(QStringLiteral("Section A - Student Personal Details"), this), row++, 0,
                    1, 4);
    grid->addWidget(captionLabel(QStringLiteral("Given Name:"), this), row, 0);
    grid->addWidget(txtGivenName, row, 1);
    grid->addWidget(captionLabel(QStringLiteral("Family Name:"), this), row, 2);
    grid->addWidget(txtFamilyName, row++, 3);
    grid->addWidget(captionLabel(QStringLiteral("Date of Birth:"), this), row, 0);
    grid->addWidget(txtDOB, row, 1);
    grid->addWidget(captionLabel(QStringLiteral("Gender:"), this), row, 2);
    grid->addWidget(Text1, row++, 3);
    grid->addWidget(heading(QStringLiteral("Section B - Contact Information"), this), row++, 0, 1,
                    4);
    grid->addWidget(captionLabel(QStringLiteral("Parent Name:"), this), row, 0);
    grid->addWidget(txtParentName, row, 1);
    grid->addWidget(captionLabel(QStringLiteral("Home Ph:"), this), row, 2);
    grid->addWidget(txtHomePh, row++, 3);
    grid->addWidget(captionLabel(QStringLiteral("Address for Correspondence:"), this), row, 0, 1,
                    2);
    grid->addWidget(captionLabel(QStringLiteral("Work Ph:"), this), row, 2);
    grid->addWidget(txtWorkPh, row++, 3);
    grid->addWidget(txtAddress, row, 0, 3, 2);
    grid->addWidget(captionLabel(QStringLiteral("Mobile Ph:"), this), row, 2);
    grid->addWidget(txtMobilePh, row++, 3);
    grid->addWidget(captionLabel(QStringLiteral("Email:"), this), row, 2);
    grid->addWidget(txtEmail, row, 3);
    row += 2;
    grid->addWidget(heading(QStringLiteral("Section C - Medical Information / Other Notes"), this),
                    row++, 0, 1, 4);
    grid->addWidget(
        captionLabel(QStringLiteral("Please detail any medical conditions relevant to "
                                    "participation in learn to swim classes, or any other "
                                    "information we should know:"),
                     this),
        row++, 0, 1, 4);
    grid->addWidget(txtMedicalNotes, row++, 0, 1, 4);
    grid->addWidget(heading(QStringLiteral("Section D - Declaration"), this), row++, 0, 1, 4);
    grid->addWidget(Label2, row++, 0, 1, 4);
    grid->addWidget(captionLabel(QStringLiteral("Signed:"), this), row, 0);
    grid->addWidget(Text4, row, 1);
    grid->addWidget(captionLabel(QStringLiteral("Date:"), this), row, 2);
    grid->addWidget(txtDate, row, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    resize(764, 539); // the page: 11460 by 8085 twips

    connect(Command1, &QPushButton::clicked, this, &frmRptDetailsForm::Command1_Click);
}

void frmRptDetailsForm::Register()
{
    Global::SetDetailsFormMaker([] { return ui::Forms::create<frmRptDetailsForm>(); });
}

void frmRptDetailsForm::onLoad()
{
    try {
        Label1->setText(Global::CentreSettings().Settings(CentreSettingIds::CentreName).toString());
    } catch (...) {
        // Before the settings are read the form shows no centre name.
    }
    Label2->setText(declarationText());
}

void frmRptDetailsForm::showEvent(QShowEvent *event)
{
    ui::Form::showEvent(event);
    // Centred on the main window when it first shows there.
    QMdiArea *area = ui::MdiHost::area();
    if (m_placed || !area || frame() == this)
        return;
    m_placed = true;
    QWidget *f = frame();
    f->move(qMax(0, (area->width() - f->width()) / 2), qMax(0, (area->height() - f->height()) / 2));
}

void frmRptDetailsForm::LoadForPayment()
{
    m_paymentMode = true;
    cmdUpdate->show();
}

void frmRptDetailsForm::Command1_Click()
{
    fraButtons->hide();
    try {
        ui::Printers::printWidget(this, ui::Printers::defaultName());
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        fraButtons->show();
        ui::Dialogs::msgBox(
            error.number == vb::err::PrinterError
                ? QStringLiteral("The default printer could not be contacted. This may be due "
                                 "to a network printer or other problem.")
                : error.description + QStringLiteral(" (Err#") + QString::number(error.number) +
                      QLatin1Char(')'),
            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    fraButtons->show();
}

void frmRptDetailsForm::onUnload(ui::CloseReason, bool &)
{
    if (!m_paymentMode)
        return;
    ui::Form *payments = ui::Forms::find(QStringLiteral("frmPayments"));
    if (!payments)
        return;
    try {
        ui::callByName(payments, QStringLiteral("FinishPayment"));
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(error.description + QStringLiteral(" (Err#") +
                                QString::number(error.number) + QLatin1Char(')'),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
    }
}
