#pragma once

#include "platform/ui/form.h"

class QPlainTextEdit;
class QPushButton;

// Edits the declaration printed on the student details form: the file
// "DetailsDeclaration.txt" of the data folder.
class frmDeclaration : public ui::Form
{
    Q_OBJECT
public:
    frmDeclaration();

    QPlainTextEdit *txtDeclaration;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

    // Writes the text and closes; a file that cannot be written is reported and
    // the window stays open with the text.
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdCancel_Click();

    static QString DeclarationPath();

protected:
    void onLoad() override;
};
