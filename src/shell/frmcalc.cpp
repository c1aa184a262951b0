#include "frmcalc.h"

#include "core/imodvista.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const char *const captions[] = {"0", "1", "2", "3", "4", "5", "6",      "7",  "8",
                                "9", ".", "+", "-", "/", "*", "Equals", "Esc"};

// The key index of a typed key, -1 for keys the calculator does not use.
int keyIndex(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 15;
    case Qt::Key_Escape: return 16;
    default: break;
    }
    const QString text = key->text();
    if (text.size() != 1)
        return -1;
    const QChar c = text.at(0);
    if (c.isDigit() && c.unicode() < 128)
        return c.digitValue();
    switch (c.unicode()) {
    case '.': return 10;
    case '+': return 11;
    case '-': return 12;
    case '/': return 13;
    case '*': return 14;
    default: return -1;
    }
}

} // namespace

frmCalc::frmCalc()
    : cmdNum("cmdNum")
{
    setCaption(QStringLiteral("Calculator"));
    txtW = new QLineEdit(this);
    txtW->setObjectName(QStringLiteral("txtW"));
    txtW->setReadOnly(true);
    txtW->setAlignment(Qt::AlignRight);
    txtC = new QPlainTextEdit(this);
    txtC->setObjectName(QStringLiteral("txtC"));
    txtC->setReadOnly(true);
    txtC->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *keys = new QGridLayout;
    // Keypad order: 7 8 9 / ; 4 5 6 * ; 1 2 3 - ; 0 . Equals + ; Esc
    const int layout[5][4] = {
        {7, 8, 9, 13}, {4, 5, 6, 14}, {1, 2, 3, 12}, {0, 10, 15, 11}, {16, -1, -1, -1}};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int index = layout[r][c];
            if (index < 0)
                continue;
            auto *b =
                cmdNum.add(index, new QPushButton(QString::fromLatin1(captions[index]), this));
            b->setFocusPolicy(Qt::NoFocus);
            keys->addWidget(b, r, c);
            connect(b, &QPushButton::clicked, this, [this, index] { cmdNum_Click(index); });
        }
    }
    auto *main = new QVBoxLayout(this);
    main->addWidget(txtC, 1);
    main->addWidget(txtW);
    main->addLayout(keys);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
    installEventFilter(this);
    resize(240, 320);
}

void frmCalc::onLoad()
{
    Global::CalculatorOpen = true;
}

void frmCalc::onUnload(ui::CloseReason, bool &)
{
    Global::CalculatorOpen = false;
}

void frmCalc::LoadCalc(QWidget *CO, const QString &Operation, int runTot, const QString &Ctext)
{
    m_target = CO;
    m_calc.Start(Operation, runTot, Ctext);
    txtC->setPlainText(QString(Ctext).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    refresh();
}

void frmCalc::cmdNum_Click(int index)
{
    if (index < 0 || index > 16)
        return;
    if (index <= 10) {
        m_calc.Key(QLatin1Char(captions[index][0]));
        refresh();
        return;
    }
    if (index == 16) {
        unload();
        return;
    }
    m_calc.Operate(QString::fromLatin1(captions[index]));
    // The tape keeps CR LF line ends; the text box shows them as lines.
    txtC->setPlainText(
        QString(m_calc.Tape()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    txtC->moveCursor(QTextCursor::End);
    txtC->verticalScrollBar()->setValue(txtC->verticalScrollBar()->maximum());
    refresh();
    if (index == 15) {
        QPointer<QWidget> target = m_target;
        if (target)
            target->setProperty("text", QString::number(m_calc.Total()));
        unload();
        if (target)
            imodVista::SafeSetFocus(target);
    }
}

void frmCalc::refresh()
{
    txtW->setText(m_calc.Entry());
}

bool frmCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int index = keyIndex(static_cast<QKeyEvent *>(event));
        if (index >= 0) {
            cmdNum_Click(index);
            return true;
        }
    }
    return ui::Form::eventFilter(watched, event);
}
