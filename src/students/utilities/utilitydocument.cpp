#include "utilitydocument.h"

#include "platform/ui/forms.h"
#include "platform/vb/error.h"
#include "shell/frmreportviewer.h"

#include <QFile>

namespace students {

void ShowUtilityDocument(const QStringList &lines)
{
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    const QString path = Global::TempReportFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(75);
    if (file.write(bytes) != bytes.size()) {
        file.remove();
        throw vb::Error(75);
    }
    file.close();
    auto *viewer = ui::Forms::shared<frmReportViewer>();
    viewer->SetTempFile(path);
    viewer->showForm();
}

} // namespace students
