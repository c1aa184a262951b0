#include "frmbrowser.h"

#include "makerpages.h"

#include "core/centresettings.h"
#include "platform/ui/buttons.h"
#include "platform/ui/forms.h"
#include "platform/ui/htmlview.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <limits>

namespace {

const QColor browserBackColour(214, 223, 247);

// A step of the shared opening position: not taken when it would pass 32767.
qint16 stepped(qint16 value, int step)
{
    const int next = int(value) + step;
    return next > std::numeric_limits<qint16>::max() ? value : qint16(next);
}

} // namespace

frmBrowser::frmBrowser()
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, browserBackColour);
    setPalette(pal);

    picHeading = new QFrame(this);
    picHeading->setObjectName(QStringLiteral("picHeading"));
    picHeading->setFixedHeight(ui::twipsToPixels(375));
    picHeading->setStyleSheet(
        QStringLiteral("QFrame#picHeading { background: rgb(107, 134, 222); }"));
    lblTitle = new QLabel(picHeading);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setStyleSheet(QStringLiteral("color: white; font: bold 12pt 'Arial';"));
    auto *headLayout = new QHBoxLayout(picHeading);
    headLayout->setContentsMargins(ui::twipsToPixels(120), 0, 0, 0);
    headLayout->addWidget(lblTitle);

    picToolbar = new QFrame(this);
    picToolbar->setObjectName(QStringLiteral("picToolbar"));
    cmdBack = ui::namedButton(QStringLiteral("Back"), QStringLiteral("cmdBack"), picToolbar);
    cmdForward =
        ui::namedButton(QStringLiteral("Forward"), QStringLiteral("cmdForward"), picToolbar);
    cmdHome = ui::namedButton(QStringLiteral("Home"), QStringLiteral("cmdHome"), picToolbar);
    cmdRefresh =
        ui::namedButton(QStringLiteral("Refresh"), QStringLiteral("cmdRefresh"), picToolbar);
    cmdStop = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdStop"), picToolbar);
    Label2 = new QLabel(QStringLiteral("Address:"), picToolbar);
    Label2->setObjectName(QStringLiteral("Label2"));
    cboAddress = new QComboBox(picToolbar);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdBack, cmdForward, cmdHome, cmdRefresh, cmdStop})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *address = new QHBoxLayout;
    address->addWidget(Label2);
    address->addWidget(cboAddress, 1);
    auto *toolLayout = new QVBoxLayout(picToolbar);
    toolLayout->setContentsMargins(ui::twipsToPixels(120), 4, 4, 4);
    toolLayout->addLayout(buttons);
    toolLayout->addLayout(address);

    brwWebBrowser = new ui::HtmlView(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));

    BusyBox = new QFrame(this);
    BusyBox->setObjectName(QStringLiteral("BusyBox"));
    BusyBox->setFixedHeight(ui::twipsToPixels(255));
    BusyBox->setStyleSheet(QStringLiteral("QFrame#BusyBox { background: rgb(255, 255, 192); }"));
    Label1 = new QLabel(BusyBox);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *busyLayout = new QHBoxLayout(BusyBox);
    busyLayout->setContentsMargins(ui::twipsToPixels(120), 0, 0, 0);
    busyLayout->addWidget(Label1);
    BusyBox->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picHeading);
    layout->addWidget(picToolbar);
    layout->addWidget(brwWebBrowser, 1);
    layout->addWidget(BusyBox);

    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(5);

    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
    connect(cmdBack, &QPushButton::clicked, brwWebBrowser, &ui::HtmlView::goBack);
    connect(cmdForward, &QPushButton::clicked, brwWebBrowser, &ui::HtmlView::goForward);
    connect(cmdHome, &QPushButton::clicked, this, [this] { Navigate(shell::MakerHomePage()); });
    connect(cmdRefresh, &QPushButton::clicked, brwWebBrowser, &ui::HtmlView::reload);
    connect(cmdStop, &QPushButton::clicked, this, &frmBrowser::cmdStop_Click);
    connect(cboAddress, &QComboBox::activated, this, [this] { cboAddress_Click(); });
    connect(cboAddress->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { cboAddress_Click(); });
    connect(brwWebBrowser, &ui::HtmlView::busyChanged, this, [this](bool busy) {
        if (busy)
            timTimer->start();
    });
    connect(brwWebBrowser, &ui::HtmlView::urlChanged, this, [this] {
        setTitle();
        updateAddressList();
    });
    connect(brwWebBrowser, &ui::HtmlView::titleChanged, this, [this] { setTitle(); });
    connect(brwWebBrowser, &ui::HtmlView::loadFinished, this, [this] {
        setTitle();
        cboAddress->setEditText(brwWebBrowser->url().toString());
    });
    brwWebBrowser->setNewWindowHandler([]() -> ui::HtmlView * {
        auto *f = ui::Forms::create<frmBrowser>();
        return f->brwWebBrowser;
    });
}

void frmBrowser::onLoad()
{
    const GlobalSettings &settings = Global::CentreSettings();
    setCaption(settings.ApplicationName() + QStringLiteral(" Web Browser"));
    lblTitle->setText(caption());
    Label1->setText(settings.ApplicationName() +
                    QStringLiteral(" is loading the page... Please Wait..."));
    showForm();
    try {
        if (QMdiArea *area = ui::MdiHost::area()) {
            const QSize inner = area->viewport()->size();
            frame()->resize(std::max(inner.width() - ui::twipsToPixels(700), 200),
                            std::max(inner.height() - ui::twipsToPixels(900), 150));
        }
        frame()->move(ui::twipsToPixels(Global::NextBrowserLeft),
                      ui::twipsToPixels(Global::NextBrowserTop));
        Global::NextBrowserLeft = stepped(Global::NextBrowserLeft, 150);
        Global::NextBrowserTop = stepped(Global::NextBrowserTop, 350);
    } catch (const std::exception &) {
    }
}

void frmBrowser::Navigate(const QString &address)
{
    brwWebBrowser->navigate(address);
}

void frmBrowser::cboAddress_Click()
{
    if (HistoryUpdating)
        return;
    timTimer->start();
    Navigate(cboAddress->currentText());
}

void frmBrowser::cmdStop_Click()
{
    timTimer->stop();
    BusyBox->setVisible(false);
    brwWebBrowser->stop();
    setTitle();
}

void frmBrowser::setTitle()
{
    const QString title = brwWebBrowser->title();
    lblTitle->setText(title);
    setCaption(title + QStringLiteral(" - ") + Global::CentreSettings().ShortAppName() +
               QStringLiteral(" Browser"));
}

void frmBrowser::updateAddressList()
{
    const QString url = brwWebBrowser->url().toString();
    if (url.isEmpty())
        return;
    HistoryUpdating = true;
    const int found = cboAddress->findText(url, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        cboAddress->removeItem(found);
    cboAddress->insertItem(0, url);
    cboAddress->setCurrentIndex(0);
    HistoryUpdating = false;
}

void frmBrowser::timTimer_Timer()
{
    if (brwWebBrowser->isBusy()) {
        BusyBox->setVisible(true);
    } else {
        BusyBox->setVisible(false);
        timTimer->stop();
        setTitle();
    }
}
