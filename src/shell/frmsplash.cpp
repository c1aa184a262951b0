#include "frmsplash.h"

#include "core/centresettings.h"
#include "core/imodvista.h"
#include "datapathfile.h"
#include "frmopen.h"
#include "pagesetup.h"
#include "pictures.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/printers.h"
#include "platform/ui/timer.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

std::function<QString()> &printerQuery()
{
    static std::function<QString()> query;
    return query;
}

QString currentPrinter()
{
    if (printerQuery())
        return printerQuery()();
    return ui::Printers::currentName();
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setStyleSheet(QStringLiteral("frmSplash { background: white; border: 1px solid #0b4f8a; }"));
    SplashImage = new QLabel(this);
    SplashImage->setObjectName(QStringLiteral("SplashImage"));
    SplashImage->setAlignment(Qt::AlignCenter);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 6);
    layout->setSpacing(4);
    layout->addWidget(SplashImage);
    layout->addWidget(lblVersion);
    lblVersion->setContentsMargins(0, 0, 10, 0);
    Timer1 = new ui::Timer(this, 2500);
    connect(Timer1, &ui::Timer::timer, this, &frmSplash::Timer1_Timer);
}

void frmSplash::setPrinterQuery(std::function<QString()> query)
{
    printerQuery() = std::move(query);
}

QString frmSplash::VersionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(OVIXIAN_VERSION_MAJOR)
        .arg(OVIXIAN_VERSION_MINOR)
        .arg(OVIXIAN_VERSION_PATCH);
}

void frmSplash::onLoad()
{
    // Each step that fails is reported, and the load goes on with the next.
    const std::function<void()> steps[] = {
        [] { imodVista::GetAppDataFolder(); }, [this] { ReadProductInfo(); },
        [this] { LoadSplashPicture(); },       [this] { lblVersion->setText(VersionText()); },
        [this] { SavePageSetup(); },
    };
    SplashImage->setPixmap(shell::pictures::Splash(QStringLiteral("Ovixian")));
    for (const auto &step : steps) {
        try {
            step();
        } catch (const vb::Error &e) {
            reportError(e.number(), e.description());
        } catch (const jet::Error &e) {
            reportError(e.number(), e.description());
        } catch (const std::exception &e) {
            reportError(-1, QString::fromLocal8Bit(e.what()));
        }
    }
    showForm();
    Timer1->setEnabled(true);
}

void frmSplash::ReadProductInfo()
{
    auto &settings = Global::CentreSettings();
    const QString path = imodVista::GetAppDataFolder() + QStringLiteral("ProductInfo.txt");
    if (!QFile::exists(path)) {
        settings.setApplicationName(QStringLiteral("Ovixian"));
        settings.setShortAppName(QStringLiteral("Ovix"));
        return;
    }
    const QStringList lines = shell::ReadTextLines(path);
    if (lines.size() < 2)
        throw vb::Error(62, QStringLiteral("Input past end of file"));
    settings.setApplicationName(lines.at(0));
    settings.setShortAppName(lines.at(1));
}

void frmSplash::LoadSplashPicture()
{
    const QString path = imodVista::GetAppDataFolder() + QStringLiteral("splash.gif");
    if (!QFile::exists(path))
        return;
    QPixmap picture;
    if (picture.load(path) && !picture.isNull())
        SplashImage->setPixmap(picture);
}

void frmSplash::SavePageSetup()
{
    imodGlobalSubs::ForgetPageSetup();
    if (currentPrinter().isEmpty())
        throw vb::Error(vb::err::PrinterDriverProblem);
    imodGlobalSubs::SavePageSetup();
}

void frmSplash::reportError(long number, const QString &description)
{
    if (number == vb::err::PrinterDriverProblem) {
        ui::Dialogs::msgBox(
            QStringLiteral("You do not have any printers installed on your computer. You will not "
                           "be able to do any printing from Ovix.\r\nIf you need to print, try "
                           "installing a printer or downloading a free PDF printer from the "
                           "internet."),
            ui::vbInformation, QStringLiteral("No Printer"));
        return;
    }
    const QString shortName = Global::CentreSettings().ShortAppName();
    ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the splash screen and "
                                       "printer settings.\r\nErr#%1 - %2\r\n%3 will continue "
                                       "loading. If this error continues please report it to %3.")
                            .arg(number)
                            .arg(description, shortName),
                        ui::vbExclamation, QStringLiteral("Minor Error"));
}

void frmSplash::Timer1_Timer()
{
    try {
        Timer1->setEnabled(false);
        unload();
        ui::Forms::shared<frmOpen>();
    } catch (...) {
        // The hand-over goes on regardless; nothing is reported here.
    }
}
