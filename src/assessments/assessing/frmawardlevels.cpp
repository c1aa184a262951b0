#include "frmawardlevels.h"

#include "assessments/imodassessments.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/tag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace imodAssessments;

frmAwardLevels::frmAwardLevels()
{
    setObjectName(QStringLiteral("frmAwardLevels"));
    setCaption(QStringLiteral("Award Levels"));

    Image1 = core::NewLogoLabel(this);
    lstLevels = new QListWidget(this);
    lstLevels->setObjectName(QStringLiteral("lstLevels"));
    core::setListSorted(lstLevels, true);
    Check1 = new QCheckBox(QStringLiteral("Hide inactive"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);

    for (int i : {0, 1, 2, 5}) {
        auto *box = txtField.add(i, new QLineEdit(this));
        box->setReadOnly(true);
    }
    auto *unit = cboField.add(3, new QComboBox(this));
    unit->setEditable(true);
    unit->setInsertPolicy(QComboBox::NoInsert);
    unit->setEnabled(false);
    chkInactive = new QCheckBox(QStringLiteral("Inactive?"), this);
    chkInactive->setObjectName(QStringLiteral("chkInactive"));
    chkInactive->setEnabled(false);
    lstCompetency = new QListWidget(this);
    lstCompetency->setObjectName(QStringLiteral("lstCompetency"));
    core::setListSorted(lstCompetency, true);

    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    cmdAddC = ui::namedButton(QStringLiteral("Add Competency"), QStringLiteral("cmdAddC"), this);
    cmdDelC = ui::namedButton(QStringLiteral("Delete Competency"), QStringLiteral("cmdDelC"), this);

    // The level ID and the sequence are kept, never shown.
    auto *idLabel = new QLabel(QStringLiteral("Level ID:"), this);
    auto *sequenceLabel = new QLabel(QStringLiteral("Sequence:"), this);
    idLabel->hide();
    sequenceLabel->hide();
    txtField[0]->hide();
    txtField[5]->hide();

    auto *fields = new QFormLayout;
    fields->addRow(idLabel, txtField[0]);
    fields->addRow(QStringLiteral("Level Name:"), txtField[1]);
    auto *duration = new QHBoxLayout;
    duration->addWidget(unit);
    duration->addWidget(txtField[2]);
    fields->addRow(QStringLiteral("Award Duration:"), duration);
    fields->addRow(sequenceLabel, txtField[5]);
    fields->addRow(QString(), chkInactive);

    auto *left = new QVBoxLayout;
    left->addWidget(ui::sectionLabel(QStringLiteral("Award Levels"), this));
    left->addWidget(lstLevels, 1);
    left->addWidget(Check1);

    auto *levelButtons = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdSave, cmdDelete})
        levelButtons->addWidget(b);
    auto *critButtons = new QHBoxLayout;
    critButtons->addWidget(cmdAddC);
    critButtons->addWidget(cmdDelC);
    critButtons->addStretch(1);

    auto *right = new QVBoxLayout;
    auto *header = new QHBoxLayout;
    header->addWidget(ui::headingLabel(QStringLiteral("Level Information"), this), 1);
    header->addWidget(Image1);
    right->addLayout(header);
    right->addLayout(fields);
    right->addWidget(new QLabel(QStringLiteral("Associated Competencies"), this));
    right->addWidget(lstCompetency, 1);
    right->addLayout(critButtons);
    right->addLayout(levelButtons);

    auto *all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addLayout(right, 2);

    connect(lstLevels, &QListWidget::currentRowChanged, this, [this] { lstLevels_Click(); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(unit, &QComboBox::activated, this, [this] { cboField_Click(3); });
    connect(cmdNew, &QPushButton::clicked, this, &frmAwardLevels::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmAwardLevels::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmAwardLevels::cmdDelete_Click);
    connect(cmdAddC, &QPushButton::clicked, this, &frmAwardLevels::cmdAddC_Click);
    connect(cmdDelC, &QPushButton::clicked, this, &frmAwardLevels::cmdDelC_Click);
    setEditing(false, false);
}

void frmAwardLevels::onLoad()
{
    core::PlaceOnMainWindow(this);
    cboField[3]->addItems(
        {QStringLiteral("Days"), QStringLiteral("Years"), QStringLiteral("Forever")});
    cboField[3]->setCurrentIndex(-1);
    LoadLevelList();
    if (lstLevels->count() > 0)
        lstLevels->setCurrentRow(0);
    core::ShowClassSearchLogo(Image1);
}

void frmAwardLevels::setEditing(bool editing, bool criteria)
{
    for (int i : {1, 2, 5})
        txtField[i]->setReadOnly(!editing);
    cboField[3]->setEnabled(editing);
    chkInactive->setEnabled(editing);
    cmdNew->setEnabled(!editing);
    cmdEdit->setEnabled(!editing);
    cmdDelete->setEnabled(!editing);
    cmdSave->setEnabled(editing);
    cmdAddC->setEnabled(editing && criteria);
    cmdDelC->setEnabled(editing && criteria);
    lstLevels->setEnabled(!editing);
}

qint32 frmAwardLevels::shownLevel() const
{
    return txtField[0]->text().toInt();
}

void frmAwardLevels::LoadLevelList()
{
    lstLevels->blockSignals(true);
    lstLevels->clear();
    lstLevels->blockSignals(false);
    for (const QString &entry : LevelListTexts(Check1->isChecked()))
        core::listAddItem(lstLevels, entry);
    lstLevels->blockSignals(true);
    lstLevels->setCurrentRow(-1);
    lstLevels->blockSignals(false);
}

void frmAwardLevels::LoadCriteria(qint32 levelId)
{
    lstCompetency->clear();
    for (const QString &name : LevelCriteria(levelId))
        core::listAddItem(lstCompetency, name);
}

void frmAwardLevels::lstLevels_Click()
{
    const QListWidgetItem *item = lstLevels->currentItem();
    if (!item)
        return;
    const auto level = FindLevelByListText(item->text());
    if (!level)
        return;
    txtField[0]->setText(QString::number(level->id));
    txtField[1]->setText(level->description);
    txtField[2]->setText(level->durationValue);
    cboField[3]->setCurrentText(level->durationUnit);
    cboField_Click(3);
    txtField[5]->setText(level->sequence);
    chkInactive->setChecked(level->inactive);
    LoadCriteria(level->id);
}

void frmAwardLevels::Check1_Click()
{
    LoadLevelList();
}

void frmAwardLevels::cboField_Click(int index)
{
    if (index == 3)
        txtField[2]->setVisible(cboField[3]->currentText() != QStringLiteral("Forever"));
}

void frmAwardLevels::cmdNew_Click()
{
    for (int i : {0, 1, 2, 5})
        txtField[i]->clear();
    cboField[3]->setCurrentIndex(2);
    cboField_Click(3);
    chkInactive->setChecked(false);
    lstCompetency->clear();
    setEditing(true, false);
    ui::setTag(cmdSave, QStringLiteral("Add"));
}

void frmAwardLevels::cmdEdit_Click()
{
    setEditing(true, true);
    ui::setTag(cmdSave, QString());
}

bool frmAwardLevels::cmdSave_Click()
{
    const bool adding = ui::tag(cmdSave) == QStringLiteral("Add");
    qint32 id = adding ? 0 : shownLevel();
    const LevelEntry entry{txtField[1]->text(), cboField[3]->currentText(), txtField[2]->text(),
                           txtField[5]->text(), chkInactive->isChecked()};
    LevelSaveResult result;
    try {
        result = (!adding && id == 0) ? LevelSaveResult::NotFound : SaveLevel(id, entry);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An unexpected error occurred (") +
                                QString::number(error.number) +
                                QStringLiteral("). The Award Levels window will be closed."),
                            ui::vbCritical, QStringLiteral("Something went wrong"));
        QTimer::singleShot(0, this, [this] { unload(ui::CloseReason::Code); });
        return false;
    }
    if (result == LevelSaveResult::Duplicate) {
        ui::Dialogs::msgBox(QStringLiteral("An award level with the name you entered already "
                                           "exists. This award level cannot be created."),
                            ui::vbCritical, QStringLiteral("Oops!"));
        return false;
    }
    if (result == LevelSaveResult::Saved) {
        ui::setTag(cmdSave, QString());
        txtField[0]->setText(QString::number(id));
    }
    setEditing(false, false);
    LoadLevelList();
    // The saved level again; an emptied name kept the stored one.
    const QString suffix = QStringLiteral(" (ID#") + QString::number(shownLevel()) + QLatin1Char(')');
    for (int i = 0; i < lstLevels->count(); ++i) {
        if (lstLevels->item(i)->text().endsWith(suffix)) {
            lstLevels->setCurrentRow(i);
            break;
        }
    }
    return true;
}

void frmAwardLevels::cmdDelete_Click()
{
    const qint32 id = shownLevel();
    if (id == 0)
        return;
    const int used = CountLevelAssessments(id);
    if (used > 0) {
        ui::Dialogs::msgBox(QStringLiteral("This award level is linked to ") +
                                QString::number(used) + QStringLiteral(" assessments in ") +
                                Global::CentreSettings().ShortAppName() +
                                QStringLiteral(". You cannot delete it or these assessment records "
                                               "will be lost."),
                            ui::vbExclamation, QStringLiteral("Sorry"));
        return;
    }
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete this level?"),
                            ui::vbYesNo | ui::vbQuestion,
                            QStringLiteral("Just making sure...")) == ui::vbYes)
        DeleteLevel(id);
    for (int i : {0, 1, 2})
        txtField[i]->clear();
    LoadLevelList();
}

void frmAwardLevels::cmdAddC_Click()
{
    const qint32 id = shownLevel();
    if (txtField[0]->text().isEmpty() || id == 0) {
        ui::Dialogs::msgBox(QStringLiteral("You must save this level before adding a competency."),
                            ui::vbExclamation, QStringLiteral("Wait a minute..."));
        return;
    }
    QString last;
    for (;;) {
        const QString answer = ui::Dialogs::inputBox(QStringLiteral("Enter the Criterion Name:"),
                                                     QStringLiteral("New Criterion"), last);
        if (answer.isEmpty())
            return;
        if (answer.size() > MaxCriterionLength) {
            ui::Dialogs::msgBox(QStringLiteral("You have entered ") +
                                    QString::number(answer.size()) +
                                    QStringLiteral(" characters and this field accepts a maximum "
                                                   "of 50. Please try again."),
                                ui::vbExclamation, QStringLiteral("Too Big"));
            last = answer;
            continue;
        }
        AddCriterion(id, answer);
        core::listAddItem(lstCompetency, answer);
        return;
    }
}

void frmAwardLevels::cmdDelC_Click()
{
    QListWidgetItem *item = lstCompetency->currentItem();
    if (!item)
        return;
    if (DeleteCriterion(shownLevel(), item->text()))
        delete lstCompetency->takeItem(lstCompetency->row(item));
}

void frmAwardLevels::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || reason == ui::CloseReason::Code || !cmdSave->isEnabled())
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to this award level?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes && !cmdSave_Click())
        cancel = true; // a refused save keeps the window and what was typed
}
