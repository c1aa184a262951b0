#pragma once

#include "platform/ui/form.h"

class QLabel;

// The step-by-step progress window of long operations on the data file: a title
// (the caption), a heading, a subtitle and the current step, which the running
// operation rewrites and repaints after each step.
class frmLoadUp : public ui::Form
{
    Q_OBJECT
public:
    explicit frmLoadUp(QWidget *parent = nullptr);

    Q_INVOKABLE void LoadUp(const QString &strFormTitle, const QString &strFormHeading,
                            const QString &strFormSubTitle);

    // Writes the step text into lblCurrent of the shared window (loading it when
    // needed) and repaints it.
    static void ShowStep(const QString &text);

    QLabel *lblHeading = nullptr;
    QLabel *lblSubTitle = nullptr;
    QLabel *lblCurrent = nullptr;
    QLabel *Image1 = nullptr;

signals:
    // A step text was written into lblCurrent (by ShowStep).
    void stepShown(const QString &text);

protected:
    void onLoad() override;
};
