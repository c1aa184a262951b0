#pragma once

#include "platform/ui/form.h"

#include <QPalette>
#include <QPointer>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;

namespace Global {
// Whether the authorisation window last identified users by barcode; offered
// again for the rest of the run.
inline bool AuthoriseByBarcode = false;
} // namespace Global

// The authorisation window: another user approves an operation that the signed-in
// user may not perform, by user ID and password or by the barcode of an access
// card, and the window carries it out (see access/authorisation.h).
class frmPassword : public ui::Form
{
    Q_OBJECT
public:
    frmPassword();

    QLabel *Image1;
    QFrame *fraText;
    QFrame *fraBarcode;
    QLineEdit *txtUserID;
    QLineEdit *txtPassword;
    QCheckBox *chkLogin;
    QLineEdit *txtBarcode;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdSwitch;

    bool BarcodeMode = false;

    // Keeps the request: the requesting window, the operation text and the record.
    // A later request replaces it.
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &strMode, const QString &strExtraInfo);
    // For the request just made: only this user may approve it. The user ID is
    // shown locked in the window's colour and approval takes that user's password,
    // whatever entry the window remembers (a barcode would let any card holder
    // approve); the remembered entry is kept for later requests. The next LoadUp
    // clears it.
    Q_INVOKABLE void PresetUser(const QString &userId);
    bool hasPresetUser() const { return m_preset; }
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void cmdSwitch_Click();
    void ShowEntryMode();

    QString mode() const { return m_mode; }

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    // Losing the activation brings the window back to the front (order on screen
    // only: the focus stays where the user put it), so it stays in sight.
    bool event(QEvent *event) override;

private:
    QPointer<ui::Form> m_xf;
    QString m_mode;
    QString m_extra;
    QStackedLayout *m_frames = nullptr;
    bool m_preset = false;
    QPalette m_userIdPalette;

    void clearPresetUser();
};
