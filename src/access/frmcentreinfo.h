#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QHash>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The centre's settings: edits the settings of the CentreInfo row on seven tabs and
// saves them at once; the centre's logos and slip documents are changed here too.
class frmCentreInfo : public ui::Form
{
    Q_OBJECT
public:
    frmCentreInfo();

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cboTaxCode_Click();
    Q_INVOKABLE void chkSmtpAuthentication_Click();
    Q_INVOKABLE void btnLoadPic_Click();
    Q_INVOKABLE void btnDelPic_Click();
    Q_INVOKABLE void cmdConfslipFooter_Click();
    Q_INVOKABLE void cmdDeclaration_Click();

    // The text the backup folder box shows for the default folder.
    static QString DefaultBackupText();

    QTabWidget *tabs;
    QPushButton *cmdOK;
    QLabel *Image1;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QHash<QString, QLineEdit *> texts;  // the named text boxes
    QHash<QString, QCheckBox *> checks; // check boxes by name
    QHash<QString, QComboBox *> combos; // drop-down lists by name
    QLabel *picLogoContainer;
    QLabel *picLogo;
    QPushButton *btnLoadPic;
    QPushButton *btnDelPic;
    QPushButton *cmdConfslipFooter;
    QPushButton *cmdDeclaration;

    QString BarLogoPath;
    QString LogoPath;

    // The pictures as composed: the logo as fitted in the preview and the bar logo.
    QImage logoPicture() const { return m_logo; }
    QImage barLogoPicture() const { return m_barLogo; }
    static QImage DefaultLogo();
    static QImage DefaultBarLogo();

protected:
    void onLoad() override;

private:
    void loadSettings();
    void fillLists();
    bool ShowLogo(const QString &path);
    void ComposeBarLogo();
    bool SaveLogoFiles();

    QImage m_logo;
    QImage m_barLogo;
};
