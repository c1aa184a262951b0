#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QHash>
#include <QStringList>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The user accounts: lists the accounts, shows one account's identity and its
// permission flags, and creates, edits and deletes accounts.
class frmUsers : public ui::Form
{
    Q_OBJECT
public:
    frmUsers();

    // All accounts (boolSingle false); one existing account to edit (boolSingle,
    // a UserID and not boolNew); or a new account (boolSingle and boolNew or no
    // UserID).
    Q_INVOKABLE void LoadUp(bool boolNew, bool boolSingle, const QString &UserID);

    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the account was stored.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void lstUsers_Click();
    Q_INVOKABLE void lblField_Click(int index);

    // The box of a permission flag (by index 0 to 72); nullptr for the eight flags
    // that have none.
    QCheckBox *permissionBox(int flag) const { return m_boxes.value(flag, nullptr); }

    QLabel *Image1;
    QListWidget *lstUsers;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QTabWidget *tabs;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QCheckBox *chkAdmin;
    QFrame *shpWarning;
    QLabel *lblWarning;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadUserList();
    void SetEditMode(bool editing);
    void showWarning(const QString &text);
    bool isEmployeeWarning() const;
    // Empties the identity boxes and clears every tick.
    void clearAccount();

    static constexpr int baseHeight = 740;
    static constexpr int warningHeight = 17; // the strip's share of the height

    QHash<int, QCheckBox *> m_boxes;
    QHash<int, QList<int>> m_groups; // heading label -> flags
    QStringList m_rows;
    QString m_filter;
    bool m_new = false;
    bool m_storedPassword = false; // the account shown has a password
    bool m_passwordTyped = false;  // the password box was typed into since
};
