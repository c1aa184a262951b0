#include "frmreportviewer.h"

#include "core/centresettings.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/htmlview.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QVBoxLayout>

frmReportViewer::frmReportViewer()
{
    setCaption(QStringLiteral("Report Viewer"));
    brw = new ui::HtmlView(this);
    brw->setObjectName(QStringLiteral("brw"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(brw);
    resize(800, 600);
}

void frmReportViewer::OpenMe()
{
    showForm();
    const QString path =
        ui::Dialogs::openFile(QStringLiteral("Select the Report to Open..."),
                              QStringLiteral("HTML Reports|*.htm;*.html|All Files|*.*"));
    if (path.isEmpty()) {
        unload();
        return;
    }
    m_shownFile = path;
    brw->navigate(path);
}

void frmReportViewer::SetTempFile(const QString &FilePath)
{
    m_tempFile = FilePath;
    m_shownFile = FilePath;
    brw->navigate(FilePath);
}

void frmReportViewer::onUnload(ui::CloseReason, bool &)
{
    if (m_tempFile.isEmpty())
        return;
    QFile file(m_tempFile);
    file.setPermissions(file.permissions() | QFile::WriteOwner);
    if (QFileInfo::exists(m_tempFile) && !file.remove())
        ui::Dialogs::msgBox(QStringLiteral("An error occurred while clearing the temporary file."),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
    m_tempFile.clear();
}

namespace Global {

QString TempReportFile()
{
    QString name = Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/temp");
    auto *random = QRandomGenerator::global();
    for (int i = 0; i < 4; ++i) {
        name += QChar(u'a' + random->bounded(26));
        name += QChar(u'0' + random->bounded(10));
    }
    return name + QStringLiteral(".htm");
}

} // namespace Global
