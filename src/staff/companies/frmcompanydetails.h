#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QLabel;
class QPushButton;

// One company of the Companies table: read-only until Edit, a new one when the
// search window's New Company set the edit mode "Add". One window for the whole
// program, shown modeless; ShowCompany brings it to the company chosen.
class frmCompanyDetails : public ui::Form
{
    Q_OBJECT
public:
    frmCompanyDetails();

    // Shows Global::SelectedCompanyId, or an empty new company while
    // Global::CompanyEditMode is "Add" (after the right check). A window that is
    // being edited first asks whether to save; Cancel there keeps it as it is.
    void ShowCompany();

    Q_INVOKABLE void Edit_Me();
    Q_INVOKABLE void DeleteCompany();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the company was stored.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void imgEmail_Click();
    Q_INVOKABLE void imgWeb_Click();

    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);

    QLabel *Image1;
    QLabel *lblName;
    ui::ControlArray<QWidget> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QPushButton *imgEmail;
    QPushButton *imgWeb;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void LoadCompany();
    void setViewLook();
    void clearBoxes();
    bool editAllowed() const;
    void refreshSearch();
    int askToSave();

    bool m_adding = false;
    bool m_justLoaded = false;
};
