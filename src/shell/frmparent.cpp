#include "frmparent.h"

#include "core/errorinfo.h"
#include "frmabout.h"
#include "frmalerts.h"
#include "frmbrowser.h"
#include "frmcalc.h"
#include "frmreportviewer.h"
#include "makerpages.h"
#include "menus.h"
#include "startupservices.h"
#include "userrights.h"
#include "platform/ui/windowregistry.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imodlanguage.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "core/listfillers.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/vb/error.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <exception>

using shell::MenuAction;
using shell::MenuItem;
using shell::MenuStep;
using shell::RightKind;

namespace {

// The design's background picture: a soft fall from the heading blue to the windows'
// pale blue, as large as the design's bitmap (2122 x 1113), tiled beyond it.
QBrush designBackground()
{
    QImage picture(2122, 1113, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient g(0, 0, 0, picture.height());
    g.setColorAt(0, QColor(107, 134, 222));
    g.setColorAt(1, QColor(214, 223, 247));
    p.fillRect(picture.rect(), g);
    p.end();
    return QBrush(picture);
}

QVariantList resolved(const QVariantList &args)
{
    QVariantList out;
    for (const QVariant &a : args)
        out << (a.typeId() == QMetaType::QString && a.toString() == shell::CurrentUserIdArgument
                    ? QVariant(Global::CurrentUserId)
                    : a);
    return out;
}

} // namespace

frmParent::frmParent()
{
    setMdiChild(false);
    setCaption(QStringLiteral("Ovixian"));
    m_bar = new QMenuBar(this);
    m_bar->setObjectName(QStringLiteral("menuBar"));
    m_bar->setNativeMenuBar(false);
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(designBackground());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_bar);
    layout->addWidget(m_area);
    buildMenus();
    resize(1024, 720);
}

frmParent::~frmParent()
{
    if (ui::MdiHost::area() == m_area)
        ui::MdiHost::setArea(nullptr);
}

void frmParent::buildMenus()
{
    for (const MenuItem &item : shell::MenuTree()) {
        if (item.isMenu()) {
            QMenu *m = m_bar->addMenu(item.caption);
            m->setObjectName(item.control);
            m->menuAction()->setObjectName(item.control);
            m->menuAction()->setVisible(item.visible);
            m_menus.insert(item.control, m);
            m_actions.insert(item.control, m->menuAction());
            connect(m, &QMenu::aboutToShow, this, [this, m] {
                UpdateMenuStates();
                if (m->objectName() == QLatin1String("mnuWindow"))
                    fillWindowMenu();
            });
            continue;
        }
        QMenu *parent = m_menus.value(item.parent);
        if (!parent)
            continue;
        QAction *a = item.separator ? parent->addSeparator() : parent->addAction(item.caption);
        a->setObjectName(item.control);
        a->setVisible(item.visible);
        a->setEnabled(item.enabled);
        m_actions.insert(item.control, a);
        if (!item.separator) {
            const QString control = item.control;
            connect(a, &QAction::triggered, this, [this, control] {
                if (const MenuItem *it = shell::FindMenuItem(control))
                    clicked(*it);
            });
        }
    }
    UpdateMenuStates();
}

QAction *frmParent::menuAction(const QString &control) const
{
    return m_actions.value(control);
}

QMenu *frmParent::menu(const QString &control) const
{
    return m_menus.value(control);
}

bool frmParent::isAvailable(const MenuItem &item) const
{
    switch (item.action) {
    case MenuAction::OpenWindow: return shell::IsWindowRegistered(item.window);
    default: return true;
    }
}

void frmParent::UpdateMenuStates()
{
    for (const MenuItem &item : shell::MenuTree()) {
        if (item.isMenu() || item.separator)
            continue;
        if (QAction *a = m_actions.value(item.control)) {
            a->setEnabled(item.enabled && isAvailable(item));
            if (item.shownWhenRegistered)
                a->setVisible(isAvailable(item));
        }
    }
    // Separators and menus shown only while they lead somewhere, from what their
    // items now show.
    const QList<MenuItem> &tree = shell::MenuTree();
    auto shown = [this](const MenuItem &item) {
        const QAction *a = m_actions.value(item.control);
        return a && !item.separator && a->isVisible();
    };
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const MenuItem &item = tree.at(i);
        if (!item.shownWhenRegistered || !m_actions.value(item.control))
            continue;
        if (item.isMenu()) {
            bool any = false;
            for (const MenuItem &child : tree)
                any = any || (child.parent == item.control && shown(child));
            m_actions.value(item.control)->setVisible(any);
        } else if (item.separator) {
            bool above = false, below = false;
            for (qsizetype j = 0; j < tree.size(); ++j) {
                if (tree.at(j).parent == item.parent && shown(tree.at(j)))
                    (j < i ? above : below) = true;
            }
            m_actions.value(item.control)->setVisible(above && below);
        }
    }
}

void frmParent::fillWindowMenu()
{
    QMenu *m = m_menus.value(QStringLiteral("mnuWindow"));
    if (!m)
        return;
    m->clear();
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    for (QMdiSubWindow *w : windows) {
        if (!w->isVisible())
            continue;
        QAction *a = m->addAction(w->windowTitle());
        a->setCheckable(true);
        a->setChecked(w == m_area->activeSubWindow());
        connect(a, &QAction::triggered, m_area, [this, w] { m_area->setActiveSubWindow(w); });
    }
}

void frmParent::SubClassMenuXP()
{
    // Each step passes over its own failure silently: one caption that cannot be set
    // leaves the others to be set.
    QString finalise = QStringLiteral("Finalise");
    try {
        finalise = imodLanguage::Translate(finalise);
    } catch (const std::exception &) {
    }
    QString app;
    try {
        app = Global::CentreSettings().ShortAppName();
    } catch (const std::exception &) {
    }
    for (const auto &[control, caption] : shell::DisplayCaptions(app, finalise)) {
        try {
            QAction *a = m_actions.value(control);
            if (!a)
                continue;
            const shell::DisplayCaptionParts parts = shell::SplitDisplayCaption(caption);
            if (parts.separator) {
                a->setSeparator(true);
                continue;
            }
            if (QMenu *m = m_menus.value(control))
                m->setTitle(parts.text);
            else
                a->setText(parts.text);
            a->setIcon(shell::MenuIcon(parts.iconKey));
        } catch (const std::exception &) {
        }
    }
    // Pictures show beside every item that has one, whatever the desktop's style says.
    for (QAction *a : std::as_const(m_actions))
        a->setIconVisibleInMenu(true);
}

void frmParent::loadError(const std::exception &)
{
    // Called inside a catch block: the error being handled, a database error's number included.
    const core::ErrorInfo error = core::currentError();
    const long number = error.number;
    const QString description = error.description;
    const QString name = Global::CentreSettings().ShortAppName();
    ui::Dialogs::msgBox(
        QStringLiteral("An error occurred when loading ") + name +
            QStringLiteral(" Main Screen\r\nErr#") + QString::number(number) +
            QStringLiteral(" - ") + description + QStringLiteral(".\r\n") + name +
            QStringLiteral(" will attempt to continue loading but may not load correctly."),
        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("MDI Load Error"));
}

void frmParent::onLoad()
{
    ui::MdiHost::setArea(m_area);
    try {
        modMenuXP::XPMenusInstalled = true;
        SubClassMenuXP();
    } catch (const std::exception &e) {
        loadError(e);
    }
    try {
        setCaption(Global::CentreSettings().ApplicationName());
    } catch (const std::exception &e) {
        loadError(e);
    }
    try {
        const QString path =
            Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/parentback.bmp");
        if (imodGlobalSubs::CheckFileExists(path) == 0) {
            QImageReader reader(path);
            const QImage picture = reader.read();
            if (picture.isNull())
                throw vb::Error(481, QStringLiteral("Invalid picture"));
            m_area->setBackground(QBrush(picture));
        }
    } catch (const std::exception &e) {
        loadError(e);
    }
    UpdateMenuStates();
}

void frmParent::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    // The user name bar follows the main window's width (it comes with the sign-in).
    if (!isLoaded() || !shell::IsWindowRegistered(QStringLiteral("frmNameBar")))
        return;
    try {
        if (ui::Form *bar = shell::LoadWindowByName(QStringLiteral("frmNameBar")))
            ui::callByName(bar, QStringLiteral("Reload"));
    } catch (const std::exception &) {
    }
}

void frmParent::ClearInUseMark()
{
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    rs.open(Global::AdaptSql(QStringLiteral("SELECT Computers.* FROM Computers;")),
            Global::DbConnection());
    const QString me = shell::WorkstationName().toUpper();
    while (!rs.eof()) {
        if (rs.value(1).toString().toUpper() == me) {
            rs.setValue(2, QStringLiteral("0"));
            rs.update();
            break;
        }
        rs.moveNext();
    }
    rs.close();
}

void frmParent::onQueryUnload(ui::CloseReason reason, bool &)
{
    try {
        ClearInUseMark();
    } catch (const std::exception &) {
        // The way out goes on: the next load of the data file marks it again.
    }
    if (reason != ui::CloseReason::Code)
        showBackup(1);
}

void frmParent::onUnload(ui::CloseReason, bool &cancel)
{
    // The working windows go with the main window; one that refuses keeps it open.
    const QList<ui::Form *> forms = ui::Forms::all();
    for (auto it = forms.crbegin(); it != forms.crend(); ++it) {
        ui::Form *f = *it;
        if (f == this || !f->isMdiChild() || !f->isLoaded())
            continue;
        if (!f->unload(ui::CloseReason::MdiForm)) {
            cancel = true;
            return;
        }
    }
    if (modMenuXP::XPMenusInstalled) {
        for (QAction *a : std::as_const(m_actions))
            a->setIcon(QIcon());
    }
    if (ui::MdiHost::area() == m_area)
        ui::MdiHost::setArea(nullptr);
}

void frmParent::showBackup(int onClose)
{
    if (ui::Form *backup = shell::LoadWindowByName(QStringLiteral("frmBackup"))) {
        backup->showForm();
        if (backup->metaObject()->indexOfProperty("OnClose") >= 0)
            backup->setProperty("OnClose", onClose);
        else
            ui::callByName(backup, QStringLiteral("setOnClose"), {onClose});
        return;
    }
    // Without the backup window: end the program, or show the data-file window.
    if (onClose == 1) {
        QCoreApplication::quit();
    } else if (ui::Form *open = shell::LoadWindowByName(QStringLiteral("frmOpen"))) {
        open->showForm();
    }
}

void frmParent::clicked(const MenuItem &item)
{
    switch (item.action) {
    case MenuAction::None:
    case MenuAction::DoNothing: return;
    case MenuAction::OpenWindow: openWindow(item); return;
    case MenuAction::OpenDataFile: mnuFileSwitchDataFiles_Click(); return;
    case MenuAction::WebBrowser: mnuFileWebBrowser_Click(); return;
    case MenuAction::Logoff: mnuFileLogoff_Click(); return;
    case MenuAction::Exit: mnuFileExit_Click(); return;
    case MenuAction::UserGuide: mnuHelpOVIXUserGuide_Click(); return;
    case MenuAction::ReportBug: mnuHelpReportBug_Click(); return;
    case MenuAction::RequestFeature: mnuHelpRequestFeature_Click(); return;
    case MenuAction::VisitWebsite: mnuHelpVisitOvixWebsite_Click(); return;
    }
}

void frmParent::openWindow(const MenuItem &item)
{
    int granted = 1;
    if (item.rightKind == RightKind::Index)
        granted = Global::CheckCurrentUserPermission(item.rightIndex);
    else if (item.rightKind == RightKind::Name)
        granted = Global::CheckPermissionByName(Global::CurrentUserId, item.rightName, true);
    if (granted != 1) {
        requestAuthorisation(item.refusal);
        return;
    }
    ui::Form *f =
        item.fresh ? shell::CreateWindowByName(item.window) : shell::LoadWindowByName(item.window);
    if (!f)
        return;
    for (const MenuStep &step : item.steps) {
        switch (step.kind) {
        case MenuStep::Show: f->showForm(); break;
        case MenuStep::Call: ui::callByName(f, step.member, resolved(step.args)); break;
        case MenuStep::SetText:
            if (QObject *c = f->findChild<QObject *>(step.member)) {
                if (c->metaObject()->indexOfProperty("currentText") >= 0 &&
                    c->metaObject()->indexOfProperty("editable") >= 0 &&
                    !c->property("editable").toBool())
                    c->setProperty("currentText", step.args.value(0));
                else
                    c->setProperty("text", step.args.value(0));
            }
            break;
        case MenuStep::ZOrder:
            f->frame()->raise();
            if (auto *sub = qobject_cast<QMdiSubWindow *>(f->frame()))
                m_area->setActiveSubWindow(sub);
            break;
        }
    }
}

void frmParent::requestAuthorisation(const QString &refusal)
{
    // The authorisation window comes with the user accounts; until it is there the
    // check is made and the request refused without a word, as the main window says
    // nothing itself.
    ui::Form *password = shell::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), refusal, QString()});
}

void frmParent::mnuFileSwitchDataFiles_Click()
{
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("Are you sure you want to close the current data file?"),
        ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Confirm"));
    if (answer != ui::vbYes)
        return;
    try {
        ClearInUseMark();
    } catch (const std::exception &) {
    }
    if (!unload(ui::CloseReason::Code))
        return;
    showBackup(0);
}

void frmParent::mnuFileWebBrowser_Click()
{
    if (Global::CheckCurrentUserPermission(34) != 1) {
        requestAuthorisation(QStringLiteral("Web Browser"));
        return;
    }
    auto *browser = ui::Forms::shared<frmBrowser>();
    browser->showForm();
    const QString website =
        Global::CentreSettings().Settings(int(CentreSettingIds::Website)).toString().trimmed();
    browser->cboAddress->setEditText(website.isEmpty() ? shell::MakerHomePage() : website);
    browser->Navigate(browser->cboAddress->currentText());
}

void frmParent::mnuFileLogoff_Click()
{
    shell::ShowLoginWindow();
    unload(ui::CloseReason::Code);
}

void frmParent::mnuFileExit_Click()
{
    try {
        ClearInUseMark();
    } catch (const std::exception &) {
    }
    if (!unload(ui::CloseReason::Code))
        return;
    showBackup(1);
}

QString frmParent::UserGuidePath()
{
    const QString path = Global::StripTrailingSlash(imodVista::GetAppDataFolder()) +
                         QStringLiteral("/Ovix_Manual.pdf");
    if (!QFileInfo::exists(path))
        QFile::copy(QStringLiteral(":/shell/Ovix_Manual.pdf"), path);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return path;
}

void frmParent::mnuHelpOVIXUserGuide_Click()
{
    auto *browser = ui::Forms::shared<frmBrowser>();
    browser->Navigate(UserGuidePath());
}

void frmParent::makersPage(const QString &caption, const QString &address)
{
    auto *browser = ui::Forms::create<frmBrowser>();
    browser->lblTitle->setText(caption);
    browser->Navigate(address);
    browser->showForm();
}

void frmParent::mnuHelpReportBug_Click()
{
    makersPage(
        QStringLiteral("Report a Bug"),
        shell::BugReportAddress(
            shell::ProgramVersionText(),
            Global::CentreSettings().Settings(int(CentreSettingIds::CentreName)).toString()));
}

void frmParent::mnuHelpRequestFeature_Click()
{
    makersPage(
        QStringLiteral("Request a Feature"),
        shell::FeatureRequestAddress(
            shell::ProgramVersionText(),
            Global::CentreSettings().Settings(int(CentreSettingIds::CentreName)).toString()));
}

void frmParent::mnuHelpVisitOvixWebsite_Click()
{
    auto *browser = ui::Forms::shared<frmBrowser>();
    browser->Navigate(shell::MakerHomePage());
}

namespace shell {

void RegisterMainWindows()
{
    RegisterWindow(QStringLiteral("frmParent"), [] { return ui::Forms::shared<frmParent>(); });
    RegisterWindow(QStringLiteral("frmAlerts"), [] { return ui::Forms::shared<frmAlerts>(); });
    RegisterWindow(QStringLiteral("frmBrowser"), [] { return ui::Forms::shared<frmBrowser>(); });
    RegisterWindow(QStringLiteral("frmCalc"), [] { return ui::Forms::shared<frmCalc>(); });
    RegisterWindow(QStringLiteral("frmAbout"), [] { return ui::Forms::shared<frmAbout>(); });
    RegisterWindow(QStringLiteral("frmReportViewer"),
                   [] { return ui::Forms::shared<frmReportViewer>(); });
}

} // namespace shell
