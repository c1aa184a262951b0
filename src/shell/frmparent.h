#pragma once

#include "platform/ui/form.h"

#include <QHash>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;

namespace shell {
struct MenuItem;
}

namespace modMenuXP {
// Set when the main window installs its menu captions and pictures.
inline bool XPMenusInstalled = false;
} // namespace modMenuXP

// The main window: the menu bar and the area that holds every working window. It
// lives from the sign-in until the user logs off, opens another data file or leaves
// the program; each way out clears this computer's in-use mark in the data file.
class frmParent : public ui::Form
{
    Q_OBJECT
public:
    frmParent();
    ~frmParent() override;

    QMenuBar *menuBar() const { return m_bar; }
    QMdiArea *mdiArea() const { return m_area; }
    // The action of a menu item, or of a menu of the bar, by control name; nullptr when none.
    QAction *menuAction(const QString &control) const;
    // The drop-down of a menu by control name; nullptr when none.
    QMenu *menu(const QString &control) const;

    // Sets the run-time captions and pictures of the menus.
    Q_INVOKABLE void SubClassMenuXP();
    // Has no designer to open: does nothing.
    Q_INVOKABLE void MenuDesigner() {}

    // Enables every item whose window is built, disables the others.
    void UpdateMenuStates();

    // Writes "0" into InUse of this computer's Computers row (the first whose name
    // matches without regard to case); nothing when there is none.
    static void ClearInUseMark();
    // Where the Help menu's user guide lives: "Ovix_Manual.pdf" in the application
    // data folder, installed from the program when missing.
    static QString UserGuidePath();

    void mnuFileSwitchDataFiles_Click();
    void mnuFileWebBrowser_Click();
    void mnuFileLogoff_Click();
    void mnuFileExit_Click();
    void mnuHelpOVIXUserGuide_Click();
    void mnuHelpReportBug_Click();
    void mnuHelpRequestFeature_Click();
    void mnuHelpVisitOvixWebsite_Click();

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenus();
    void fillWindowMenu();
    void clicked(const shell::MenuItem &item);
    void openWindow(const shell::MenuItem &item);
    void requestAuthorisation(const QString &refusal);
    void showBackup(int onClose);
    void makersPage(const QString &caption, const QString &address);
    bool isAvailable(const shell::MenuItem &item) const;
    void loadError(const std::exception &e);

    QMenuBar *m_bar;
    QMdiArea *m_area;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
};

namespace shell {
// Registers the windows of the main window (frmParent, frmAlerts, frmBrowser,
// frmCalc, frmAbout, frmReportViewer) with the window registry.
void RegisterMainWindows();
} // namespace shell
