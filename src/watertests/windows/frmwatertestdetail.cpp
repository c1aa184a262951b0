#include "frmwatertestdetail.h"

#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "watertests/testentry.h"
#include "watertests/testlist.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxEntry = 50;

void warn(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmWaterTestDetail::frmWaterTestDetail()
{
    setObjectName(QStringLiteral("frmWaterTestDetail"));
    setCaption(QStringLiteral("Water Test Details"));

    Image1 = core::NewLogoLabel(this);
    auto *title = ui::headingLabel(QStringLiteral("Water Test Details"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);

    for (const watertests::EntryBox &b : watertests::EntryBoxes()) {
        QWidget *box = nullptr;
        if (b.index == 15) {
            m_notes = new QPlainTextEdit(this);
            m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            m_notes->setTabChangesFocus(true);
            m_notes->setFixedHeight(m_notes->fontMetrics().lineSpacing() * 4);
            connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
                const QString text = m_notes->toPlainText();
                if (text.size() > MaxEntry)
                    m_notes->setPlainText(text.left(MaxEntry));
            });
            box = m_notes;
        } else {
            auto *line = new QLineEdit(this);
            if (b.index != 1 && b.index != 2)
                line->setMaxLength(MaxEntry);
            box = line;
        }
        box->setObjectName(QStringLiteral("txtField(%1)").arg(b.index));
        ui::setTag(box, QString::fromLatin1(b.name));
        auto *label = new QLabel(QString::fromLatin1(b.caption), this);
        label->setObjectName(QStringLiteral("lblField(%1)").arg(b.index));
        label->setBuddy(box);
        m_boxes[b.index] = box;
        m_labels[b.index] = label;
        box->installEventFilter(this);
    }

    // Tab order follows the table of boxes, from Date.
    QWidget *previous = nullptr;
    for (const watertests::EntryBox &b : watertests::EntryBoxes()) {
        if (previous)
            setTabOrder(previous, m_boxes[b.index]);
        previous = m_boxes[b.index];
    }
    setTabOrder(previous, cmdSave);

    const auto row = [this](QFormLayout *form, int index) {
        form->addRow(m_labels[index], m_boxes[index]);
    };

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(title, 1);
    header->addWidget(cmdSave, 0, Qt::AlignTop);

    auto *when = new QHBoxLayout;
    for (int index : {1, 2}) {
        when->addWidget(m_labels[index]);
        when->addWidget(m_boxes[index]);
    }
    when->addStretch(1);

    auto *results = new QGroupBox(QStringLiteral("Test Results"), this);
    auto *resultsForm = new QFormLayout(results);
    for (int index : {16, 3, 4, 5, 6, 7, 8})
        row(resultsForm, index);
    auto *chemicals = new QGroupBox(QStringLiteral("Chemical Adjustments"), this);
    auto *chemicalsForm = new QFormLayout(chemicals);
    for (int index : {12, 11, 10, 13, 9})
        row(chemicalsForm, index);

    auto *officer = new QFormLayout;
    row(officer, 14);
    auto *right = new QVBoxLayout;
    right->addWidget(chemicals);
    right->addLayout(officer);
    right->addStretch(1);

    auto *frames = new QHBoxLayout;
    frames->addWidget(results, 1);
    frames->addLayout(right, 1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(when);
    all->addLayout(frames);
    all->addWidget(m_labels[15]);
    all->addWidget(m_boxes[15]);
    resize(560, 470);

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
}

QString frmWaterTestDetail::fieldText(int index) const
{
    if (index == 15)
        return m_notes->toPlainText();
    return static_cast<QLineEdit *>(m_boxes.at(index))->text();
}

void frmWaterTestDetail::setFieldText(int index, const QString &text)
{
    if (index == 15)
        m_notes->setPlainText(text);
    else
        static_cast<QLineEdit *>(m_boxes.at(index))->setText(text);
}

void frmWaterTestDetail::onLoad()
{
    core::PlaceOnMainWindow(this);
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
}

void frmWaterTestDetail::LoadBlankTest(qint16 intArea)
{
    intPoolArea = intArea;
    const watertests::EntryTexts texts = watertests::BlankEntry(watertests::Now());
    for (int index = 1; index <= 16; ++index)
        setFieldText(index, texts[index]);
}

void frmWaterTestDetail::LoadWaterTest(qint32 intTestID, qint16 intArea)
{
    intPoolArea = intArea;
    lngTestID = intTestID;
    const watertests::EntryTexts texts = watertests::LoadEntry(intTestID);
    for (int index = 1; index <= 16; ++index)
        setFieldText(index, texts[index]);
}

void frmWaterTestDetail::txtField_GotFocus(int index)
{
    if (index != 6 || !fieldText(6).isEmpty())
        return;
    setFieldText(6, watertests::OfferedDifference(fieldText(4), fieldText(5)));
}

bool frmWaterTestDetail::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == m_boxes[6])
        txtField_GotFocus(6);
    return ui::Form::eventFilter(watched, event);
}

bool frmWaterTestDetail::cmdSave_Click()
{
    if (!saveTest())
        return false;
    unload(ui::CloseReason::Code);
    reloadList();
    return true;
}

void frmWaterTestDetail::reloadList()
{
    if (ui::Form *list = ui::Forms::find(QStringLiteral("frmWaterTesting")))
        ui::callByName(list, QStringLiteral("LoadList"));
}

bool frmWaterTestDetail::saveTest()
{
    watertests::EntryTexts texts;
    for (int index = 1; index <= 16; ++index)
        texts[index] = fieldText(index);
    const QString refusal = watertests::CheckEntry(texts);
    // Empty numeric boxes now read "0", also when a later box was refused.
    for (int index = 1; index <= 16; ++index)
        if (texts[index] != fieldText(index))
            setFieldText(index, texts[index]);
    if (!refusal.isEmpty()) {
        warn(refusal);
        return false;
    }
    const watertests::SaveOutcome outcome =
        watertests::SaveEntry(lngTestID, intPoolArea, texts);
    if (!outcome.saved) {
        warn(outcome.message);
        return false;
    }
    return true;
}

void frmWaterTestDetail::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    if (reason != ui::CloseReason::ControlMenu)
        return;
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("Do you want to save changes to this water test?"),
        ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel) {
        cancel = true;
    } else if (answer == ui::vbYes) {
        // A save that is refused or fails keeps the window and the entries.
        if (saveTest())
            reloadList();
        else
            cancel = true;
    }
}
