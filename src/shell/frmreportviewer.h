#pragma once

#include "platform/ui/form.h"

namespace ui {
class HtmlView;
}

// The report viewer: shows an HTML report file, and deletes the temporary file it
// was given when it closes.
class frmReportViewer : public ui::Form
{
    Q_OBJECT
public:
    frmReportViewer();

    ui::HtmlView *brw;

    // Asks for a saved report ("Select the Report to Open...") and shows it; unloads
    // itself when the dialog is cancelled.
    Q_INVOKABLE void OpenMe();
    // Takes the file as the viewer's temporary file and shows it.
    Q_INVOKABLE void SetTempFile(const QString &FilePath);

    QString TempFile() const { return m_tempFile; }
    // Opens at a size a page can be read at.
    QSize sizeHint() const override { return {800, 600}; }
    QString ShownFile() const { return m_shownFile; }

protected:
    void onUnload(ui::CloseReason reason, bool &cancel) override;

private:
    QString m_tempFile;
    QString m_shownFile;
};

namespace Global {
// A new temporary report file's path: the data folder, "/temp", four pairs of a
// random lower-case letter and digit, ".htm" ("/data/tempk3b0x9q2.htm"). The viewer
// deletes it when it closes.
QString TempReportFile();
} // namespace Global
