#include "frmdropouts.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "core/listtext.h"
#include "core/workingwindow.h"
#include "platform/office/csv.h"
#include "platform/office/docxmerge.h"
#include "platform/os/shell.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/twips.h"
#include "platform/vb/datetime.h"
#include "students/details/frmstudentdetails.h"
#include "students/dropouts.h"
#include "utilitydocument.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void dropoutsWarn(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

// The merged letters beside the data file, under a name not yet taken.
QString dropoutLettersPath(const QString &dataFile)
{
    const QFileInfo info(dataFile);
    const QString base = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                         QStringLiteral(" Letters");
    QString path = base + QStringLiteral(".docx");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QStringLiteral(" (") + QString::number(n) + QStringLiteral(").docx");
    return path;
}

} // namespace

frmDropouts::frmDropouts()
{
    setObjectName(QStringLiteral("frmDropouts"));
    setCaption(QStringLiteral("Dropouts"));

    Image1 = core::NewLogoLabel(this);
    cboProgram1 = new QComboBox(this);
    cboProgram1->setObjectName(QStringLiteral("cboProgram1"));
    cboProgram2 = new QComboBox(this);
    cboProgram2->setObjectName(QStringLiteral("cboProgram2"));
    core::setListSorted(cboProgram1, true);
    core::setListSorted(cboProgram2, true);
    cmdCalculate = ui::namedButton(QStringLiteral("Calculate"), QStringLiteral("cmdCalculate"), this);
    Command1 = ui::namedButton(QStringLiteral("Export for Mail Merge"), QStringLiteral("Command1"), this);
    cmdPrint = ui::namedButton(QStringLiteral("View or Print"), QStringLiteral("cmdPrint"), this);
    fraList = new QWidget(this);
    lstDropouts = new ui::SimpleCombo(fraList);
    lstDropouts->setObjectName(QStringLiteral("lstDropouts"));
    lblStatus = new QLabel(fraList);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto *choices = new QGridLayout;
    choices->addWidget(ui::sectionLabel(QStringLiteral("Select programs"), this), 0, 0, 1, 2);
    auto *label1 = new QLabel(QStringLiteral("Program 1:"), this);
    label1->setBuddy(cboProgram1);
    auto *label2 = new QLabel(QStringLiteral("Program 2:"), this);
    label2->setBuddy(cboProgram2);
    choices->addWidget(label1, 1, 0);
    choices->addWidget(cboProgram1, 1, 1);
    choices->addWidget(label2, 2, 0);
    choices->addWidget(cboProgram2, 2, 1);
    choices->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalculate);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(cmdPrint);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(ui::headingLabel(QStringLiteral("Dropouts"), this));
    left->addLayout(choices);
    top->addLayout(left, 1);
    top->addWidget(Image1, 0, Qt::AlignTop);
    auto *listLayout = new QVBoxLayout(fraList);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(ui::sectionLabel(QStringLiteral("Dropouts for Program 1 to Program 2"), fraList));
    listLayout->addWidget(lstDropouts, 1);
    listLayout->addWidget(lblStatus);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    all->addWidget(fraList, 1);
    Command1->setEnabled(false);
    cmdPrint->setEnabled(false);

    connect(cmdCalculate, &QPushButton::clicked, this, &frmDropouts::cmdCalculate_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmDropouts::cmdPrint_Click);
    connect(Command1, &QPushButton::clicked, this, &frmDropouts::Command1_Click);
    connect(lstDropouts->listWidget(), &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) {
                lstDropouts->setListIndex(lstDropouts->listWidget()->row(item));
                lstDropouts_DblClick();
            });
}

void frmDropouts::setExpanded(bool expanded)
{
    fraList->setVisible(expanded);
    resize(qMax(width(), 440), ui::twipsToPixels(expanded ? 5640 : 2130));
}

void frmDropouts::onLoad()
{
    try {
        setExpanded(false);
    } catch (...) {
    }
    try {
        Load_Program_List();
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
}

void frmDropouts::Load_Program_List()
{
    cboProgram1->clear();
    cboProgram2->clear();
    const QStringList names = imodStudents::ActiveProgramNames();
    cboProgram1->addItems(names);
    cboProgram2->addItems(names);
    cboProgram1->setCurrentIndex(-1);
    cboProgram2->setCurrentIndex(-1);
}

QStringList frmDropouts::items() const
{
    QStringList all;
    for (int i = 0; i < lstDropouts->count(); ++i)
        all << lstDropouts->list(i);
    return all;
}

void frmDropouts::cmdCalculate_Click()
{
    {
        ui::Hourglass hourglass;
        lstDropouts->clear();
        try {
            QList<QPair<QString, long>> found;
            for (const QString &item :
                 imodStudents::ListDropouts(cboProgram1->currentText(), cboProgram2->currentText()))
                found.append({item, 0});
            lstDropouts->addItems(found);
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Hourglass::reset();
            dropoutsWarn(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                         QLatin1Char(')'));
        }
    }
    lblStatus->setText(QString::number(lstDropouts->count()) +
                       QStringLiteral(" dropouts in total"));
    setExpanded(true);
    Command1->setEnabled(true);
    cmdPrint->setEnabled(true);
}

void frmDropouts::lstDropouts_DblClick()
{
    const QString item = lstDropouts->text();
    if (item.isEmpty())
        return;
    auto *record = ui::Forms::create<frmStudentDetails>();
    record->LoadUp(core::NumberAfterMarker(item, QStringLiteral("(SID")), this, QString());
    record->showForm();
}

void frmDropouts::cmdPrint_Click()
{
    try {
        ui::Hourglass hourglass;
        const QStringList lines = imodStudents::DropoutDocumentLines(
            cboProgram1->currentText(), cboProgram2->currentText(), items(),
            Global::CentreSettings().ApplicationName(), vb::Now());
        if (lstDropouts->count() > 0)
            lstDropouts->setListIndex(0);
        students::ShowUtilityDocument(lines);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        dropoutsWarn(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                     QLatin1Char(')'));
    }
}

QString frmDropouts::GetDropoutCsvLine(const QString &item) const
{
    return imodStudents::DropoutCsvLine(item, cboProgram1->currentText(),
                                        cboProgram2->currentText());
}

void frmDropouts::Command1_Click()
{
    auto selectFirst = [this] {
        if (lstDropouts->count() > 0)
            lstDropouts->setListIndex(0);
    };
    try {
        QString dataFile = ui::Dialogs::saveFile(QStringLiteral("Save Export Data"),
                                                 QStringLiteral("Comma-separated values (*.csv)|*.csv"));
        if (dataFile.isEmpty())
            return;
        if (QFileInfo(dataFile).suffix().isEmpty())
            dataFile += QStringLiteral(".csv");
        imodStudents::WriteDropoutDataFile(dataFile, items(), cboProgram1->currentText(),
                                           cboProgram2->currentText());

        const QString letter = ui::Dialogs::openFile(
            QStringLiteral("Locate Letter Template"),
            QStringLiteral("Microsoft Word Document (*.docx;*.dotx)|*.docx;*.dotx"));
        if (letter.isEmpty()) {
            selectFirst();
            return;
        }
        if (office::DocumentKindOf(letter) == office::DocumentKind::BinaryWord) {
            dropoutsWarn(QStringLiteral("This letter template is a binary .doc file, which cannot "
                                        "be merged. Please save it as a .docx or .dotx document "
                                        "and choose that file."));
            selectFirst();
            return;
        }
        {
            ui::Hourglass hourglass;
            const QString letters = dropoutLettersPath(dataFile);
            office::MergeFormLetters(letter, office::ReadCsvFile(dataFile), letters);
            os::shellOpen(letters);
            selectFirst();
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        dropoutsWarn(e.number == 70 ? QStringLiteral("This file is currently in use.")
                                    : e.description + QStringLiteral("(Err#") +
                                          QString::number(e.number) + QLatin1Char(')'));
    }
}
