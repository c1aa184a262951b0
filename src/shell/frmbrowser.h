#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace ui {
class HtmlView;
}

namespace Global {
// Where the next browser window opens in the main window's area, in twips; shared
// by every browser window for the life of the program.
inline qint16 NextBrowserLeft = 0;
inline qint16 NextBrowserTop = 0;
} // namespace Global

// A small web browser inside the main window: heading, Back/Forward/Home/Refresh/
// Cancel, the address box with the addresses visited, the page, and a strip that
// shows while a page loads. A page that asks for a new window gets a new one.
class frmBrowser : public ui::Form
{
    Q_OBJECT
public:
    frmBrowser();

    QFrame *picHeading;
    QLabel *lblTitle;
    QFrame *picToolbar;
    QPushButton *cmdBack;
    QPushButton *cmdForward;
    QPushButton *cmdHome;
    QPushButton *cmdRefresh;
    QPushButton *cmdStop;
    QLabel *Label2;
    QComboBox *cboAddress;
    ui::HtmlView *brwWebBrowser;
    QFrame *BusyBox;
    QLabel *Label1;
    QTimer *timTimer;

    // True only while the address list is rearranged after a page arrived.
    bool HistoryUpdating = false;

    // Navigates the page to a path or address.
    Q_INVOKABLE void Navigate(const QString &address);

    void cboAddress_Click();
    void cmdStop_Click();

protected:
    void onLoad() override;

private:
    void setTitle();
    void updateAddressList();
    void timTimer_Timer();
};
