#include "frmcentreinfo.h"

#include "access/services.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imageprocessor.h"
#include "core/imodlanguage.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

namespace {

namespace Id = CentreSettingIds;

enum class Kind { Text, NamedText, Check, Combo };

struct Binding
{
    int tab;
    Kind kind;
    int index;        // txtField index
    const char *name; // named control
    int id;           // setting
    int limit;
    const char *label;
    const char *after = nullptr;   // the text after the box
    const char *group = nullptr;   // the heading above this control
    const char *note = nullptr;    // the note below the heading
};

// Every control bound to a setting, tab by tab, top to bottom.
const Binding bindings[] = {
    {0, Kind::Text, 0, nullptr, Id::CentreName, 50, "Centre Name:", nullptr, "Centre Information"},
    {0, Kind::Text, 1, nullptr, Id::ABN, 50, "ABN:"},
    {0, Kind::Text, 2, nullptr, Id::Address, 50, "Street:", nullptr, "Address Details"},
    {0, Kind::Text, 3, nullptr, Id::City, 50, "City:"},
    {0, Kind::Text, 4, nullptr, Id::State, 3, "State:"},
    {0, Kind::Text, 5, nullptr, Id::Postcode, 5, "Postcode:"},
    {0, Kind::Text, 6, nullptr, Id::Phone, 50, "Phone:", nullptr, "Other Contact Details"},
    {0, Kind::Text, 7, nullptr, Id::Email, 50, "Email:"},
    {0, Kind::Text, 8, nullptr, Id::Website, 50, "Website:"},
    {1, Kind::Text, 12, nullptr, Id::Manager1, 50, "Manager 1:", nullptr, "Management Details"},
    {1, Kind::Text, 13, nullptr, Id::Position1, 50, "Position 1:"},
    {1, Kind::Text, 14, nullptr, Id::Manager2, 50, "Manager 2:"},
    {1, Kind::Text, 15, nullptr, Id::Position2, 50, "Position 2:"},
    {2, Kind::Check, 0, "chkPayCash", Id::ShowPayCounter, 0, "Cash", nullptr, "Fees and Payments",
     "Invoices can be paid by:"},
    {2, Kind::Check, 0, "chkPayCheque", Id::ShowPayCheque, 0, "Cheque"},
    {2, Kind::Check, 0, "chkPayCreditCard", Id::ShowPayCreditCard, 0, "Credit Card"},
    {2, Kind::Check, 0, "chkPayEFT", Id::ShowPayEFT, 0, "Electronic Funds Transfer"},
    {2, Kind::Text, 17, nullptr, Id::OverdueDays, 4, "Fees are considered Overdue",
     "days after starting date"},
    {2, Kind::Text, 54, nullptr, Id::InvoiceMessage, 255, "Message on Invoices:"},
    {2, Kind::Text, 37, nullptr, Id::JoiningFee, 50, "Cost of Passport:", nullptr, "Passports",
     "The cost of the passport is charged when it is issued."},
    {2, Kind::Combo, 0, "cboTaxCode", Id::JoiningFeeTaxCode, 0, "Tax Code:"},
    {2, Kind::Combo, 0, "cboJFAccount", Id::JoiningFeeAccount, 0, "Revenue Account:"},
    {2, Kind::Combo, 0, "cboDefaultAccount", Id::DefaultAccount, 0, "Account:", nullptr,
     "Defaults",
     "Please specify the default tax code and revenue account to use when a link is broken."},
    {2, Kind::Combo, 0, "cboDefaultTaxCode", Id::DefaultTaxCode, 0, "Tax Code:"},
    {3, Kind::Combo, 0, "cboAttendance", Id::DefaultAttend, 0, "Assume Attendance as:", nullptr,
     "Attendance"},
    {3, Kind::Check, 0, "Check2", Id::AllowOverfill, 0, "When moving students, copy attendance"},
    {3, Kind::Combo, 0, "cboCharge", Id::AttendChargeOn, 0,
     "Default Costing Method is to Charge on"},
    {3, Kind::Text, 30, nullptr, Id::Attended, 50, "Attended:", nullptr,
     "Alternative Attendance Status Text"},
    {3, Kind::Text, 31, nullptr, Id::DNA, 50, "Did Not Attend (DNA):"},
    {3, Kind::Text, 33, nullptr, Id::Sick, 50, "Sick:"},
    {3, Kind::Text, 34, nullptr, Id::Absent, 50, "Absent:"},
    {3, Kind::Text, 32, nullptr, Id::Contacted, 50, "Called:"},
    {4, Kind::Text, 45, nullptr, Id::AccountName, 50, "Account Name:", nullptr,
     "Bank Account Information",
     "The following information will appear on invoices to allow customers to pay into your "
     "bank account."},
    {4, Kind::Text, 46, nullptr, Id::BSB, 7, "BSB:"},
    {4, Kind::Text, 47, nullptr, Id::AccountNumber, 50, "Account No:"},
    {5, Kind::Check, 0, "Check1", Id::RequireLogonAtStart, 0, "Require Login at Start", nullptr,
     "Other Settings"},
    {5, Kind::Check, 0, "chkCal", Id::DisplayCalendar, 0, "Show Alerts Calendar on Startup"},
    {5, Kind::Combo, 0, "cboAcc", Id::MYOB_QB, 0, "I Wish to Export To:"},
    {5, Kind::Check, 0, "chkSimpleSearch", Id::SimpleSearch, 0,
     "Use Simple Class Search by default"},
    {5, Kind::Check, 0, "Check3", Id::AllowNegativePayments, 0, "Use HTML Forms"},
    {5, Kind::Check, 0, "chkReceiptStub", Id::AssessGenCount, 0, "Show Receipt Stub (Office Copy)"},
    {5, Kind::Check, 0, "chkInvoiceOtherPrograms", Id::ShowBalOtherPrograms, 0,
     "Show Balance of other Programs on term invoices"},
    {5, Kind::Text, 21, nullptr, Id::DetailsFormsExpire, 4,
     "Details and Declaration Forms are valid for ", "months"},
    {5, Kind::Combo, 0, "cboProgram", Id::DefaultProgramName, 0, "Default Program:"},
    {5, Kind::Combo, 0, "cboStatus", Id::DefaultStatus, 0, "Default Status:"},
    {5, Kind::Text, 41, nullptr, Id::BackupLocation, 255,
     "You have the option of setting a default backup location. Please specify a drive or "
     "folder:",
     "Example C:\\My Backups\\", "Backup Settings"},
    {6, Kind::NamedText, 0, "txtEmailServer", Id::EmailServer, 50, "Outgoing SMTP Server:",
     nullptr, "Send Email Configuration"},
    {6, Kind::NamedText, 0, "txtEmailPort", Id::EmailOutgoingPort, 5, "Outgoing Port:"},
    {6, Kind::Check, 0, "chkEmailEncrypted", Id::EmailEncryptionRequired, 0,
     "This server requires an encrypted connection."},
    {6, Kind::Check, 0, "chkSmtpAuthentication", Id::EmailAuthentication, 0,
     "Connect using a username and password"},
    {6, Kind::NamedText, 0, "txtEmailUsername", Id::EmailUsername, 50, "Username:"},
    {6, Kind::NamedText, 0, "txtEmailPassword", Id::EmailPassword, 50, "Password:"},
};

// The bindings inside the "Authentication" frame of the Email tab.
bool inAuthenticationFrame(const Binding &b)
{
    return b.id == Id::EmailAuthentication || b.id == Id::EmailUsername ||
           b.id == Id::EmailPassword;
}

const QString emailNoteText = QStringLiteral(
    "These are the same settings used to set up your email account. You can find them in your "
    "email program (Microsoft Outlook, Outlook Express, Windows Mail, Eudora, Thunderbird etc) or "
    "by looking at the information supplied by your internet service provider when you "
    "established your account.");

const QString moneyPattern = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");

QString settingText(int id)
{
    const QVariant v = Global::CentreSettings().Settings(id);
    return v.isNull() ? QString() : v.toString();
}

} // namespace

frmCentreInfo::frmCentreInfo()
{
    setObjectName(QStringLiteral("frmCentreInfo"));
    setCaption(QStringLiteral("Global Settings"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Global Settings"), this);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);

    const char *tabNames[] = {"Centre Details", "Reports", "Financial", "Attendance",
                              "Bank",           "Other",   "Email"};
    QFormLayout *forms[7];
    QVBoxLayout *pages[7];
    for (int t = 0; t < 7; ++t) {
        auto *page = new QWidget;
        pages[t] = new QVBoxLayout(page);
        forms[t] = new QFormLayout;
        pages[t]->addLayout(forms[t]);
        tabs->addTab(page, QString::fromLatin1(tabNames[t]));
    }
    QGroupBox *authentication = nullptr;
    QFormLayout *authenticationForm = nullptr;
    for (const Binding &b : bindings) {
        const QString label = QString::fromLatin1(b.label);
        QFormLayout *form = forms[b.tab];
        if (b.group) {
            // A heading starts a new group of rows under it.
            if (form->rowCount() > 0) {
                form = new QFormLayout;
                pages[b.tab]->addLayout(form);
                forms[b.tab] = form;
            }
            QLabel *heading = ui::sectionLabel(QString::fromLatin1(b.group), nullptr);
            heading->setObjectName(QStringLiteral("lblGroup"));
            form->addRow(heading);
            if (b.note)
                form->addRow(ui::wrappedLabel(QString::fromLatin1(b.note), nullptr));
        }
        if (inAuthenticationFrame(b)) {
            if (!authentication) {
                authentication = new QGroupBox(QStringLiteral("Authentication"));
                authentication->setObjectName(QStringLiteral("fraAuthentication"));
                authenticationForm = new QFormLayout(authentication);
                form->addRow(authentication);
            }
            form = authenticationForm;
        }
        switch (b.kind) {
        case Kind::Text: {
            QLineEdit *box = txtField.add(b.index, new QLineEdit);
            box->setMaxLength(b.limit);
            if (b.id == Id::BackupLocation) {
                // The question above the box, the example below it.
                form->addRow(ui::wrappedLabel(label, nullptr));
                form->addRow(box);
                form->addRow(new QLabel(QString::fromLatin1(b.after)));
            } else if (b.after) {
                auto *row = new QHBoxLayout;
                box->setMaximumWidth(60);
                row->addWidget(new QLabel(label));
                row->addWidget(box);
                row->addWidget(new QLabel(QString::fromLatin1(b.after)));
                row->addStretch(1);
                form->addRow(row);
            } else {
                form->addRow(label, box);
            }
            break;
        }
        case Kind::NamedText: {
            auto *box = new QLineEdit;
            box->setObjectName(QString::fromLatin1(b.name));
            box->setMaxLength(b.limit);
            texts.insert(box->objectName(), box);
            form->addRow(label, box);
            break;
        }
        case Kind::Check: {
            auto *box = new QCheckBox(label);
            box->setObjectName(QString::fromLatin1(b.name));
            checks.insert(box->objectName(), box);
            form->addRow(box);
            break;
        }
        case Kind::Combo: {
            auto *box = new QComboBox;
            box->setObjectName(QString::fromLatin1(b.name));
            box->setEditable(false);
            combos.insert(box->objectName(), box);
            form->addRow(label, box);
            if (box->objectName() == QStringLiteral("cboAcc"))
                form->setRowVisible(box, false);
            break;
        }
        }
    }
    texts.value(QStringLiteral("txtEmailPassword"))->setEchoMode(QLineEdit::Password);
    auto *emailNote = ui::wrappedLabel(emailNoteText, nullptr);
    pages[6]->insertWidget(0, emailNote);

    // The logo area of the first tab.
    picLogoContainer = new QLabel;
    picLogoContainer->setObjectName(QStringLiteral("picLogoContainer"));
    picLogoContainer->setFrameShape(QFrame::Box);
    picLogoContainer->setFixedSize(153, 113);
    picLogo = new QLabel(picLogoContainer);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    btnLoadPic = new QPushButton(QStringLiteral("Import Logo from File"));
    btnLoadPic->setObjectName(QStringLiteral("btnLoadPic"));
    btnDelPic = new QPushButton(QStringLiteral("Delete Custom Logo"));
    btnDelPic->setObjectName(QStringLiteral("btnDelPic"));
    auto *logoButtons = new QVBoxLayout;
    logoButtons->addWidget(btnLoadPic);
    logoButtons->addWidget(btnDelPic);
    logoButtons->addStretch(1);
    auto *logoRow = new QHBoxLayout;
    logoRow->addWidget(picLogoContainer);
    logoRow->addLayout(logoButtons);
    logoRow->addStretch(1);
    pages[0]->addLayout(logoRow);

    // The slip documents of the Reports tab.
    auto *slips = ui::sectionLabel(QStringLiteral("Settings for Slips"), nullptr);
    cmdConfslipFooter = new QPushButton(QStringLiteral("Change Confirmation Slip Footer..."));
    cmdConfslipFooter->setObjectName(QStringLiteral("cmdConfslipFooter"));
    cmdDeclaration = new QPushButton(QStringLiteral("Change Declaration..."));
    cmdDeclaration->setObjectName(QStringLiteral("cmdDeclaration"));
    pages[1]->addWidget(slips);
    pages[1]->addWidget(cmdConfslipFooter);
    pages[1]->addWidget(cmdDeclaration);
    for (QVBoxLayout *page : pages)
        page->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addWidget(heading, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(tabs, 1);
    all->addLayout(buttons);
    resize(600, 620);

    connect(cmdOK, &QPushButton::clicked, this, &frmCentreInfo::cmdOK_Click);
    connect(combos.value(QStringLiteral("cboTaxCode")), &QComboBox::activated, this,
            &frmCentreInfo::cboTaxCode_Click);
    connect(checks.value(QStringLiteral("chkSmtpAuthentication")), &QCheckBox::clicked, this,
            &frmCentreInfo::chkSmtpAuthentication_Click);
    connect(btnLoadPic, &QPushButton::clicked, this, &frmCentreInfo::btnLoadPic_Click);
    connect(btnDelPic, &QPushButton::clicked, this, &frmCentreInfo::btnDelPic_Click);
    connect(cmdConfslipFooter, &QPushButton::clicked, this,
            &frmCentreInfo::cmdConfslipFooter_Click);
    connect(cmdDeclaration, &QPushButton::clicked, this, &frmCentreInfo::cmdDeclaration_Click);
}

QString frmCentreInfo::DefaultBackupText()
{
    return Global::DefaultBackupFolder() + QLatin1Char('/');
}

void frmCentreInfo::onLoad()
{
    core::PlaceOnMainWindow(this);
    // The saved logo.
    const QString folder = Global::CentreSettings().DataFilesDirectory();
    BarLogoPath = folder + QStringLiteral("/barlogo.bmp");
    LogoPath = folder + QStringLiteral("/bwlogo.bmp");
    m_logo = DefaultLogo();
    picLogo->setPixmap(QPixmap::fromImage(m_logo));
    picLogo->setGeometry((picLogoContainer->contentsRect().width() - m_logo.width()) / 2 + 1,
                         (picLogoContainer->contentsRect().height() - m_logo.height()) / 2 + 1,
                         m_logo.width(), m_logo.height());
    if (QFile::exists(LogoPath) && !ShowLogo(LogoPath))
        picLogo->clear();
    fillLists();
    loadSettings();
    core::ShowClassSearchLogo(Image1);
    const QString centre = imodLanguage::Translate(QStringLiteral("Centre"));
    auto relabel = [](QLineEdit *box, const QString &text) {
        for (auto *form : box->parentWidget()->findChildren<QFormLayout *>()) {
            if (auto *label = qobject_cast<QLabel *>(form->labelForField(box)))
                label->setText(text);
        }
    };
    relabel(txtField[0], centre + QStringLiteral(" Name:"));
    relabel(txtField[5], imodLanguage::Translate(QStringLiteral("Postcode")) + QStringLiteral(":"));
    tabs->setTabText(0, centre + QStringLiteral(" Details"));
    for (QLabel *heading : findChildren<QLabel *>(QStringLiteral("lblGroup"))) {
        if (heading->text() == QStringLiteral("Centre Information")) {
            heading->setText(centre + QStringLiteral(" Information"));
            break;
        }
    }
}

void frmCentreInfo::fillLists()
{
    auto fill = [](const QList<QComboBox *> &boxes, const QString &sql, const QString &column) {
        try {
            jet::Recordset rs(Global::DbConnection(), Global::AdaptSql(sql));
            for (; !rs.eof(); rs.moveNext()) {
                const QString item =
                    column.isEmpty() ? rs.value(0).toString() : rs.value(column).toString();
                for (QComboBox *box : boxes)
                    box->addItem(item);
            }
        } catch (const std::exception &) {
            // The list keeps what was read.
        }
    };
    fill({combos.value(QStringLiteral("cboProgram"))},
         QStringLiteral("SELECT Programs.* FROM Programs WHERE Inactive=0;"),
         QStringLiteral("Program"));
    fill({combos.value(QStringLiteral("cboJFAccount")),
          combos.value(QStringLiteral("cboDefaultAccount"))},
         QStringLiteral("SELECT Accounts.* FROM Accounts;"), QString());
    fill({combos.value(QStringLiteral("cboTaxCode"))},
         QStringLiteral("SELECT TaxCode, Description FROM TaxCode;"),
         QStringLiteral("Description"));
    fill({combos.value(QStringLiteral("cboDefaultTaxCode"))},
         QStringLiteral("SELECT TaxCode, Description FROM TaxCode;"), QStringLiteral("TaxCode"));
    combos.value(QStringLiteral("cboAttendance"))
        ->addItems({QStringLiteral("Attended"), QStringLiteral("Absent"), QStringLiteral("Other")});
    combos.value(QStringLiteral("cboStatus"))
        ->addItems({QStringLiteral("Tentative"), QStringLiteral("Confirmed")});
    combos.value(QStringLiteral("cboCharge"))
        ->addItems({QStringLiteral("Enrolment"), QStringLiteral("Attendance"),
                    QStringLiteral("Enrolment (discount absence)")});
    combos.value(QStringLiteral("cboAcc"))
        ->addItems({QStringLiteral("MYOB"), QStringLiteral("QuickBooks")});
}

void frmCentreInfo::loadSettings()
{
    for (const Binding &b : bindings) {
        try {
            const QString text = settingText(b.id);
            switch (b.kind) {
            case Kind::Text:
                if (b.id == Id::JoiningFee && !text.isEmpty())
                    txtField[b.index]->setText(
                        vb::Format(QVariant::fromValue(vb::CCur(text)), moneyPattern));
                else if (b.id == Id::BackupLocation && text.isEmpty())
                    txtField[b.index]->setText(DefaultBackupText());
                else
                    txtField[b.index]->setText(text);
                break;
            case Kind::NamedText: texts.value(QString::fromLatin1(b.name))->setText(text); break;
            case Kind::Check:
                if (b.id == Id::EmailAuthentication && text.isEmpty())
                    checks.value(QString::fromLatin1(b.name))->setChecked(true);
                else
                    checks.value(QString::fromLatin1(b.name))->setChecked(text.toInt() == 1);
                break;
            case Kind::Combo: {
                QComboBox *box = combos.value(QString::fromLatin1(b.name));
                if (b.id == Id::JoiningFeeTaxCode) {
                    box->setProperty("Tag", text);
                    box->setCurrentIndex(box->findText(Global::GetTaxCodeText(text)));
                } else {
                    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text));
                }
                break;
            }
            }
        } catch (const std::exception &) {
            // A value that cannot be shown leaves its control as it is.
        }
    }
    chkSmtpAuthentication_Click();
}

void frmCentreInfo::cboTaxCode_Click()
{
    QComboBox *box = combos.value(QStringLiteral("cboTaxCode"));
    try {
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT TaxCode.* FROM TaxCode WHERE "
                                                          "Description=") +
                                           Global::SqlText(box->currentText()) +
                                           QStringLiteral(";")));
        box->setProperty("Tag", rs.eof() ? QStringLiteral("N-T") : rs.value(0).toString());
    } catch (const std::exception &) {
    }
}

void frmCentreInfo::chkSmtpAuthentication_Click()
{
    const bool on = checks.value(QStringLiteral("chkSmtpAuthentication"))->isChecked();
    texts.value(QStringLiteral("txtEmailUsername"))->setEnabled(on);
    texts.value(QStringLiteral("txtEmailPassword"))->setEnabled(on);
}

void frmCentreInfo::cmdOK_Click()
{
    const struct
    {
        int index;
        const char *message;
    } numbers[] = {
        {17, "Fee Overdue day should be a number. Please try again."},
        {21, "Details Valid for X days should be a number. Please try again."},
        {37, "The currency amount you entered for the joining fee amount is invalid. Please try "
             "again."},
    };
    for (const auto &n : numbers) {
        if (!vb::IsNumeric(txtField[n.index]->text())) {
            ui::Dialogs::msgBox(QString::fromLatin1(n.message), ui::vbExclamation,
                                QStringLiteral("Oops!"));
            return;
        }
    }

    GlobalSettings &settings = Global::CentreSettings();
    for (const Binding &b : bindings) {
        switch (b.kind) {
        case Kind::Text: {
            const QString text = txtField[b.index]->text();
            if (b.id == Id::OverdueDays || b.id == Id::DetailsFormsExpire)
                settings.setSettings(b.id, vb::CLng(text));
            else if (b.id == Id::JoiningFee)
                settings.setSettings(b.id, QVariant::fromValue(vb::CCur(text)));
            else if (b.id == Id::BackupLocation)
                settings.setSettings(b.id, text == DefaultBackupText() ? QString() : text);
            else
                settings.setSettings(b.id, text);
            break;
        }
        case Kind::NamedText:
            settings.setSettings(b.id, texts.value(QString::fromLatin1(b.name))->text());
            break;
        case Kind::Check:
            settings.setSettings(b.id,
                                 checks.value(QString::fromLatin1(b.name))->isChecked() ? 1 : 0);
            break;
        case Kind::Combo: {
            QComboBox *box = combos.value(QString::fromLatin1(b.name));
            if (b.id == Id::JoiningFeeTaxCode)
                settings.setSettings(b.id, box->property("Tag").toString());
            else if (box->currentIndex() >= 0)
                settings.setSettings(b.id, box->currentText());
            // No selection: the stored value was not in the list; it stays.
            break;
        }
        }
    }
    try {
        // The receipt counter and the last user change in the row while the window
        // is open: the newest values are kept.
        {
            jet::Recordset rs(
                Global::DbConnection(),
                Global::AdaptSql(QStringLiteral("SELECT NextReceiptNo, UserID FROM CentreInfo;")));
            if (!rs.eof()) {
                settings.setSettings(int(Id::NextReceiptNo), rs.value(0));
                settings.setSettings(int(Id::UserID), rs.value(1));
            }
        }
        settings.SaveSettingsToDb();
    } catch (const std::exception &e) {
        ui::Dialogs::msgBox(QStringLiteral("The settings could not be saved: ") +
                                QString::fromLocal8Bit(e.what()),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    unload(ui::CloseReason::Code);
    try {
        Global::LoadGlobalSettings();
    } catch (const std::exception &) {
    }
    if (ui::Form *main = ui::Forms::find(QStringLiteral("Main"))) {
        if (main->metaObject()->indexOfMethod("SimpleOrComplexSearch()") >= 0)
            ui::callByName(main, QStringLiteral("SimpleOrComplexSearch"));
    }
}

QImage frmCentreInfo::DefaultLogo()
{
    QImage image(75, 75, QImage::Format_RGB32);
    image.fill(QColor(0, 102, 170));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    for (int y : {30, 45, 60})
        p.drawArc(QRect(8, y - 12, 30, 20), 200 * 16, 140 * 16),
            p.drawArc(QRect(37, y - 12, 30, 20), 200 * 16, 140 * 16);
    return image;
}

QImage frmCentreInfo::DefaultBarLogo()
{
    QImage image(95, 95, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient shade(0, 0, 0, 95);
    shade.setColorAt(0, QColor(210, 226, 240));
    shade.setColorAt(1, QColor(160, 190, 220));
    p.fillRect(image.rect(), shade);
    return image;
}

bool frmCentreInfo::ShowLogo(const QString &path)
{
    QImage picture(path);
    if (picture.isNull())
        return false;
    const QRect inner = picLogoContainer->contentsRect();
    int width = picture.width();
    int height = picture.height();
    try {
        picLogo->resize(picture.size());
        ImageProcessor fit;
        fit.ResizePicture(inner.width(), inner.height(), picLogo, width, height);
    } catch (const std::exception &) {
    }
    picLogo->setGeometry(inner.x() + qRound((inner.width() - width) / 2.0),
                         inner.y() + qRound((inner.height() - height) / 2.0), width, height);
    m_logo = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_RGB32);
    picLogo->setPixmap(QPixmap::fromImage(m_logo));
    return true;
}

void frmCentreInfo::ComposeBarLogo()
{
    QImage bar = DefaultBarLogo();
    QPainter p(&bar);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(10, 9, 75, 75), m_logo);
    p.end();
    m_barLogo = bar;
}

bool frmCentreInfo::SaveLogoFiles()
{
    // Each picture is written beside its file first; the old files are replaced
    // only once both new ones are complete.
    const QString newLogo = LogoPath + QStringLiteral(".new");
    const QString newBar = BarLogoPath + QStringLiteral(".new");
    QString error;
    if (!m_logo.save(newLogo, "BMP") || !m_barLogo.save(newBar, "BMP")) {
        error = QStringLiteral("The picture files could not be written to ") +
                QDir::toNativeSeparators(Global::CentreSettings().DataFilesDirectory());
    } else {
        for (const auto &[from, to] :
             {std::pair{newLogo, LogoPath}, std::pair{newBar, BarLogoPath}}) {
            QFile::remove(to);
            if (!QFile::rename(from, to))
                error = QStringLiteral("The file ") + to + QStringLiteral(" could not be replaced");
        }
    }
    if (!error.isEmpty()) {
        QFile::remove(newLogo);
        QFile::remove(newBar);
        ui::Dialogs::msgBox(
            QStringLiteral("The following error occurred when processing the picture - ") + error +
                QStringLiteral(" (Err #75)"),
            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    }
    const QPixmap bar = QPixmap::fromImage(m_barLogo);
    if (ui::Form *main = ui::Forms::find(QStringLiteral("Main"))) {
        if (auto *logo = main->findChild<QLabel *>(QStringLiteral("Image1")))
            logo->setPixmap(bar);
    }
    Image1->setPixmap(bar);
    Image1->show();
    return true;
}

void frmCentreInfo::btnLoadPic_Click()
{
    const QString path = ui::Dialogs::openFile(QStringLiteral("Locate Photo File"), QString());
    if (path.isEmpty())
        return;
    if (!ShowLogo(path)) {
        ui::Dialogs::msgBox(QStringLiteral("This file is not a valid picture file. Please try "
                                           "again."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    const QString app = Global::CentreSettings().ShortAppName();
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("Would you like to also have your logo displayed on the left-hand side "
                       "of ") +
            app + QStringLiteral("'s windows?"),
        ui::vbYesNo | ui::vbQuestion, QStringLiteral("Display Logo in ") + app);
    if (answer == ui::vbYes)
        ComposeBarLogo();
    else
        m_barLogo = DefaultBarLogo();
    SaveLogoFiles();
}

void frmCentreInfo::btnDelPic_Click()
{
    m_logo = DefaultLogo();
    picLogo->setPixmap(QPixmap::fromImage(m_logo));
    const QRect inner = picLogoContainer->contentsRect();
    picLogo->setGeometry(inner.x() + (inner.width() - m_logo.width()) / 2,
                         inner.y() + (inner.height() - m_logo.height()) / 2, m_logo.width(),
                         m_logo.height());
    m_barLogo = DefaultBarLogo();
    SaveLogoFiles();
}

void frmCentreInfo::cmdConfslipFooter_Click()
{
    const QString path =
        Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/confslip.bmp");
    // The desktop's own picture editor for the file.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path}))
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when opening the Confirmation Slip "
                                           "Footer.\r\nErr#53 - The picture editor could not be "
                                           "started."),
                            ui::vbExclamation, QStringLiteral("Paint Could Not Be Launched"));
}

void frmCentreInfo::cmdDeclaration_Click()
{
    if (ui::Form *declaration = useraccess::LoadWindow(QStringLiteral("frmDeclaration")))
        declaration->showForm();
}
