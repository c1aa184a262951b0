#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

// "Setup New Ovix Data File": collects the centre's details for a data file just
// made from the template, on four pages (Welcome, Centre Information, Manager
// Details, Declaration), then sends the user back to the data-file window.
class frmSetupWiz : public ui::Form
{
    Q_OBJECT
public:
    explicit frmSetupWiz(QWidget *parent = nullptr);

    // The page shown, 0 to 3.
    int page() const { return m_page; }

    ui::ControlArray<QFrame> fraSteps{QStringLiteral("fraSteps")};
    ui::ControlArray<QFrame> shp{QStringLiteral("shp")};
    // Bound by index to the CentreInfo column at that position.
    ui::ControlArray<QLineEdit> txtCentreInfo{QStringLiteral("txtCentreInfo")};
    QPlainTextEdit *txtDeclaration = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdClose = nullptr;

public slots:
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdClose_Click();

protected:
    void onLoad() override;

private:
    // Writes the page being left; Back writes an empty declaration as it is, Next
    // as one space. Errors reach the caller.
    void savePage(bool back);
    void saveCentreInfo(const QList<int> &indexes);
    void showPage();
    QString declarationFile() const;

    QStackedWidget *m_pages = nullptr;
    int m_page = 0;
};
