#pragma once

#include "calculator.h"

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Global {
// True from the moment the calculator loads until it unloads.
inline bool CalculatorOpen = false;
} // namespace Global

// "Calculator": an adding machine that works for another window's text box. It
// starts from the box's amount; Equals writes the result into the box and closes.
class frmCalc : public ui::Form
{
    Q_OBJECT
public:
    frmCalc();

    QLineEdit *txtW;      // the number being keyed in
    QPlainTextEdit *txtC; // the tape
    ui::ControlArray<QPushButton> cmdNum;

    // Called right after the window is shown: the target control, the pending
    // operation, the starting total and the tape's starting text.
    Q_INVOKABLE void LoadCalc(QWidget *CO, const QString &Operation, int runTot,
                              const QString &Ctext);

    void cmdNum_Click(int index);
    const Calculator &Machine() const { return m_calc; }

protected:
    void onLoad() override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    Calculator m_calc;
    QPointer<QWidget> m_target;
};
