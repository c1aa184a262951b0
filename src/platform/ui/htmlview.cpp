#include "htmlview.h"

#include "printers.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrinter>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ui {

// Turns JavaScript off for local documents before each main-frame navigation and
// hands new-window requests to the view.
class HtmlPage : public QWebEnginePage
{
public:
    HtmlPage(HtmlView *view)
        : QWebEnginePage(view)
        , m_view(view)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame) {
            const bool ours = url.isLocalFile() || url.scheme() == QLatin1String("data") ||
                              url.scheme() == QLatin1String("qrc");
            settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !ours);
            if (url.isLocalFile() &&
                url.toLocalFile().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
                m_view->showPdf(url);
                return false;
            }
        }
        return true;
    }

    QWebEnginePage *createWindow(WebWindowType) override
    {
        HtmlView *other = m_view->newWindow();
        return other ? other->m_page : nullptr;
    }

private:
    HtmlView *m_view;
};

HtmlView::HtmlView(QWidget *parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
    , m_web(new QWebEngineView(this))
    , m_page(new HtmlPage(this))
    , m_pdfView(new QPdfView(this))
    , m_pdf(new QPdfDocument(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_web->setPage(m_page);
    m_pdfView->setDocument(m_pdf);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_stack->addWidget(m_web);
    m_stack->addWidget(m_pdfView);

    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { setBusy(true); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        setBusy(false);
        emit loadFinished(ok);
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &t) {
        if (!isShowingPdf())
            emit titleChanged(t);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &u) {
        if (!u.isEmpty())
            m_stack->setCurrentWidget(m_web);
        emit urlChanged(u);
    });
    connect(m_web, &QWebEngineView::printFinished, this, [this](bool ok) {
        m_printer.reset();
        emit printFinished(ok);
    });
}

HtmlView::~HtmlView() = default;

void HtmlView::navigate(const QString &pathOrAddress)
{
    const QUrl url = QFileInfo::exists(pathOrAddress)
                         ? QUrl::fromLocalFile(QFileInfo(pathOrAddress).absoluteFilePath())
                         : QUrl::fromUserInput(pathOrAddress);
    if (url.isLocalFile() &&
        url.toLocalFile().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        showPdf(url);
        return;
    }
    m_stack->setCurrentWidget(m_web);
    m_page->load(url);
}

void HtmlView::showPdf(const QUrl &url)
{
    setBusy(true);
    m_pdf->close();
    const bool ok = m_pdf->load(url.toLocalFile()) == QPdfDocument::Error::None;
    m_pdfUrl = url;
    m_stack->setCurrentWidget(m_pdfView);
    setBusy(false);
    emit urlChanged(url);
    emit titleChanged(title());
    emit loadFinished(ok);
}

void HtmlView::goBack()
{
    if (isShowingPdf()) {
        // Back from the PDF to the page shown before it.
        m_stack->setCurrentWidget(m_web);
        emit urlChanged(m_page->url());
        emit titleChanged(m_page->title());
        return;
    }
    m_page->triggerAction(QWebEnginePage::Back);
}

void HtmlView::goForward()
{
    m_page->triggerAction(QWebEnginePage::Forward);
}

void HtmlView::reload()
{
    if (isShowingPdf())
        showPdf(m_pdfUrl);
    else
        m_page->triggerAction(QWebEnginePage::Reload);
}

void HtmlView::stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
    setBusy(false);
}

bool HtmlView::canGoBack() const
{
    return isShowingPdf() || m_page->history()->canGoBack();
}

bool HtmlView::canGoForward() const
{
    return !isShowingPdf() && m_page->history()->canGoForward();
}

QString HtmlView::title() const
{
    if (isShowingPdf()) {
        const QString t = m_pdf->metaData(QPdfDocument::MetaDataField::Title).toString();
        return t.isEmpty() ? QFileInfo(m_pdfUrl.toLocalFile()).fileName() : t;
    }
    return m_page->title();
}

QUrl HtmlView::url() const
{
    return isShowingPdf() ? m_pdfUrl : m_page->url();
}

bool HtmlView::isShowingPdf() const
{
    return m_stack->currentWidget() == m_pdfView;
}

void HtmlView::print(const QString &printerName)
{
    m_printer = Printers::open(printerName);
    if (isShowingPdf()) {
        // The PDF pane's pages as they show.
        Printers::printWidget(m_pdfView, *m_printer);
        m_printer.reset();
        emit printFinished(true);
        return;
    }
    m_web->print(m_printer.get());
}

void HtmlView::save(const QString &filePath)
{
    if (isShowingPdf()) {
        QFile::remove(filePath);
        emit saveFinished(QFile::copy(m_pdfUrl.toLocalFile(), filePath));
        return;
    }
    QWebEngineProfile *profile = m_page->profile();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        connect(profile, &QWebEngineProfile::downloadRequested, this,
                [this, filePath, connection](QWebEngineDownloadRequest *download) {
                    if (download->page() != m_page)
                        return;
                    disconnect(*connection);
                    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this,
                            [this, download] {
                                emit saveFinished(download->state() ==
                                                  QWebEngineDownloadRequest::DownloadCompleted);
                            });
                });
    m_page->save(filePath, QWebEngineDownloadRequest::SingleHtmlSaveFormat);
}

void HtmlView::setNewWindowHandler(std::function<HtmlView *()> handler)
{
    m_newWindow = std::move(handler);
}

HtmlView *HtmlView::newWindow()
{
    return m_newWindow ? m_newWindow() : nullptr;
}

void HtmlView::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

} // namespace ui
