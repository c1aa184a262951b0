#include "lookupeditor.h"

#include "core/errorinfo.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString addMarker = QStringLiteral("Add");

void setBoxColour(QWidget *box, const QColor &colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    if (!qobject_cast<QLineEdit *>(box)) {
        // A check box shows its background in the colour too.
        p.setColor(QPalette::Window, colour);
        box->setAutoFillBackground(true);
    }
    box->setPalette(p);
}

} // namespace

LookupEditor::LookupEditor(const QString &name, const QString &caption, const QString &kind,
                           const QString &listName)
    : m_kind(kind)
{
    setObjectName(name);
    setCaption(caption);

    Image1 = core::NewLogoLabel(this);
    Image1->hide();
    auto *title = ui::headingLabel(caption, this);

    m_list = new QListWidget(this);
    m_list->setObjectName(listName);
    m_list->setMinimumWidth(220);
    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(title, 1);
    m_listColumn = new QVBoxLayout;
    m_listColumn->addWidget(m_list, 1);
    m_fields = new QFormLayout;
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    auto *right = new QVBoxLayout;
    right->addLayout(m_fields);
    right->addStretch(1);
    right->addLayout(buttons);
    auto *body = new QHBoxLayout;
    body->addLayout(m_listColumn, 1);
    body->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(body, 1);
    resize(600, 340);

    for (QWidget *w : {static_cast<QWidget *>(m_list), static_cast<QWidget *>(cmdNew),
                       static_cast<QWidget *>(cmdEdit), static_cast<QWidget *>(cmdDelete)})
        m_browseControls << w;

    connect(cmdNew, &QPushButton::clicked, this, &LookupEditor::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &LookupEditor::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &LookupEditor::cmdDelete_Click);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showSelected();
    });
}

bool LookupEditor::isEditing() const
{
    return cmdSave->isEnabled();
}

bool LookupEditor::isAdding() const
{
    return ui::tag(cmdSave) == addMarker;
}

void LookupEditor::addNameBox(QLineEdit *box)
{
    box->setMaxLength(50);
    m_nameBoxes << box;
}

void LookupEditor::addReadOnlyBox(QLineEdit *box)
{
    box->setReadOnly(true);
    box->setMaximumWidth(90);
    m_readOnlyBoxes << box;
}

void LookupEditor::addEditControl(QWidget *control, bool painted)
{
    m_editControls << control;
    if (painted)
        m_paintedControls << control;
}

void LookupEditor::addBrowseControl(QWidget *control)
{
    m_browseControls << control;
}

void LookupEditor::onLoad()
{
    core::PlaceOnMainWindow(this);
    SetEditMode(false);
    LoadList();
    core::ShowClassSearchLogo(Image1);
}

void LookupEditor::SetEditMode(bool editing)
{
    const QColor editable = ui::fromVbColor(0x80000005);
    const QColor locked = palette().color(QPalette::Window);
    for (QLineEdit *box : std::as_const(m_nameBoxes)) {
        box->setReadOnly(!editing);
        setBoxColour(box, editing ? editable : locked);
    }
    for (QLineEdit *box : std::as_const(m_readOnlyBoxes))
        setBoxColour(box, locked);
    for (QWidget *w : std::as_const(m_editControls))
        w->setEnabled(editing);
    for (QWidget *w : std::as_const(m_paintedControls))
        setBoxColour(w, editing ? editable : locked);
    for (QWidget *w : std::as_const(m_browseControls))
        w->setEnabled(!editing);
    cmdSave->setEnabled(editing);
}

void LookupEditor::LoadList(bool selectFirst)
{
    m_list->blockSignals(true);
    core::listClear(m_list);
    m_list->blockSignals(false);
    if (selectFirst)
        ClearFields();
    if (m_fill == ListFill::LoadListFromSql) {
        // Leaves out empty entries and selects the first, which shows it.
        m_list->blockSignals(!selectFirst);
        irecObjectCode::LoadListFromSql(this, m_list, listSql());
        if (!selectFirst)
            core::setListIndex(m_list, -1);
        m_list->blockSignals(false);
        return;
    }
    try {
        irecObjectCode::FillListFromSql(m_list, listSql(), 0);
    } catch (...) {
        warn(QStringLiteral("An error occurred while loading the list. (Err#") +
             QString::number(core::currentError().number) + QLatin1Char(')'));
    }
    if (selectFirst && core::listCount(m_list) > 0)
        core::setListIndex(m_list, 0);
}

void LookupEditor::showSelected()
{
    const QString entry = core::listText(m_list);
    if (entry.isEmpty())
        return;
    ui::Hourglass hourglass;
    try {
        showEntry(entry);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        warn(QStringLiteral("An error occurred when showing the ") + m_kind +
             QStringLiteral(". (Err#") + QString::number(error.number) + QLatin1Char(')'));
    }
}

void LookupEditor::cmdNew_Click()
{
    clearForNew();
    SetEditMode(true);
    ui::setTag(cmdSave, addMarker);
    if (!m_nameBoxes.isEmpty())
        m_nameBoxes.first()->setFocus();
}

void LookupEditor::cmdEdit_Click()
{
    SetEditMode(true);
    if (!m_nameBoxes.isEmpty())
        m_nameBoxes.first()->setFocus();
}

bool LookupEditor::cmdSave_Click()
{
    Message refusal;
    try {
        refusal = saveRefusal();
        if (refusal.isEmpty()) {
            ui::Hourglass hourglass;
            refusal = writeRow();
        }
    } catch (...) {
        refusal = saveError(core::currentError());
    }
    if (!refusal.isEmpty()) {
        showMessage(refusal);
        return false;
    }
    ui::setTag(cmdSave, QString());
    SetEditMode(false);
    LoadList(m_selectAfterSave);
    return true;
}

LookupEditor::Message LookupEditor::saveError(const core::ErrorInfo &error) const
{
    return QStringLiteral("An unexpected error occurred (") + QString::number(error.number) +
           QStringLiteral(") when saving the ") + m_kind + QLatin1Char('.');
}

void LookupEditor::cmdDelete_Click()
{
    Message refusal;
    std::unique_ptr<jet::Recordset> rs;
    try {
        refusal = deleteRefusal();
        if (refusal.isEmpty()) {
            rs = open(deleteSql());
            if (rs->eof())
                rs->deleteRecord(); // no row is shown: fails before anything is asked
        }
    } catch (...) {
        warn(deleteError(core::currentError()));
        return;
    }
    if (!refusal.isEmpty()) {
        showMessage(refusal);
        return;
    }
    const bool yes = ui::Dialogs::msgBox(QStringLiteral("Are you sure you wish to delete this ") +
                                             m_kind + QLatin1Char('?'),
                                         ui::vbYesNo | ui::vbQuestion,
                                         QStringLiteral("Confirm Delete")) == ui::vbYes;
    try {
        if (yes)
            rs->deleteRecord();
        rs->close();
    } catch (...) {
        warn(deleteError(core::currentError()));
        return;
    }
    LoadList();
}

QString LookupEditor::deleteError(const core::ErrorInfo &) const
{
    return QStringLiteral("An error occurred when deleting the ") + m_kind + QLatin1Char('.');
}

void LookupEditor::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !isEditing())
        return;
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("Do you want to save changes to this ") + m_kind + QLatin1Char('?'),
        ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes && !cmdSave_Click())
        cancel = true; // a refused or failed save keeps the window and what was typed
}

void LookupEditor::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    if (cancel)
        return;
    try {
        refreshClassSearch();
    } catch (...) {
        // The class search window refreshes itself at its next search.
    }
}

void LookupEditor::warn(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

void LookupEditor::showMessage(const Message &message)
{
    if (message.focus)
        imodVista::SafeSetFocus(message.focus);
    ui::Dialogs::msgBox(message.text, message.icon, message.title);
}

qint32 LookupEditor::idOf(const QLineEdit *box)
{
    return vb::CLng(box->text());
}

std::unique_ptr<jet::Recordset> LookupEditor::open(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}
