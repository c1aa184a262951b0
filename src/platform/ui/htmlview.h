#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QPdfDocument;
class QPdfView;
class QPrinter;
class QStackedWidget;
class QWebEngineView;

namespace ui {

class HtmlPage;

// The program's HTML view on Qt WebEngine: shows a local file or a web address,
// and a PDF file in a PDF pane. JavaScript runs only for pages from the web; the
// program's own local documents show with it off.
class HtmlView : public QWidget
{
    Q_OBJECT
public:
    explicit HtmlView(QWidget *parent = nullptr);
    ~HtmlView() override;

    // A path (a local file) or an address.
    void navigate(const QString &pathOrAddress);
    void goBack();
    void goForward();
    void reload();
    void stop();
    bool canGoBack() const;
    bool canGoForward() const;

    QString title() const;
    QUrl url() const;
    bool isBusy() const { return m_busy; }
    bool isShowingPdf() const;
    QPdfDocument *pdfDocument() const { return m_pdf; }
    QWebEngineView *webView() const { return m_web; }

    // Prints the page on the named printer (the current printer when empty);
    // errors 484 (no printer) and 482 (printer not found). The result comes with
    // printFinished.
    void print(const QString &printerName = {});
    // Saves the page as a single HTML file; the PDF file is copied. The result
    // comes with saveFinished.
    void save(const QString &filePath);

    // Called when a page asks for a new window; gives the view that shows it, or
    // nullptr to refuse.
    void setNewWindowHandler(std::function<HtmlView *()> handler);

signals:
    void titleChanged(const QString &title);
    void urlChanged(const QUrl &url);
    void busyChanged(bool busy);
    void loadFinished(bool ok);
    void printFinished(bool ok);
    void saveFinished(bool ok);

private:
    friend class HtmlPage;
    HtmlView *newWindow();
    void setBusy(bool busy);
    void showPdf(const QUrl &url);

    QStackedWidget *m_stack;
    QWebEngineView *m_web;
    HtmlPage *m_page;
    QPdfView *m_pdfView;
    QPdfDocument *m_pdf;
    std::unique_ptr<QPrinter> m_printer;
    std::function<HtmlView *()> m_newWindow;
    QUrl m_pdfUrl;
    bool m_busy = false;
};

} // namespace ui
