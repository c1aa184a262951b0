#include "receipt.h"

#include "core/centresettings.h"
#include "frmrptreceipt.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "shell/frmreportviewer.h"

#include <QFile>
#include <QStringList>

namespace mReports {

namespace {

QString amountText(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), QStringLiteral("$#####0.00;-$#####0.00"));
}

QStringList receiptPart(const QString &heading, const QString &receiptNo, const QDateTime &when,
                        const QString &receivedFrom, const QString &method, vb::Currency amount,
                        vb::Currency tax, const QString &authorisedBy, const QString &centreName)
{
    const auto line = [](const QString &caption, const QString &value) {
        return QStringLiteral("<tr><td><b>") + caption + QStringLiteral("</b></td><td>") +
               value.toHtmlEscaped() + QStringLiteral("</td></tr>");
    };
    return {
        QStringLiteral("<h2>") + heading.toHtmlEscaped() + QStringLiteral("</h2>"),
        QStringLiteral("<p>") + centreName.toHtmlEscaped() + QStringLiteral("</p>"),
        QStringLiteral("<table>"),
        line(QStringLiteral("Receipt #"), receiptNo),
        line(QStringLiteral("Date:"), vb::Format(when, QStringLiteral("General Date"))),
        line(QStringLiteral("Received From:"), receivedFrom),
        line(QStringLiteral("Payment Method:"), method),
        line(QStringLiteral("Amount Paid:"), amountText(amount)),
        line(QStringLiteral("Tax Included:"), amountText(tax)),
        line(QStringLiteral("Authorised By:"), authorisedBy),
        QStringLiteral("</table>"),
    };
}

} // namespace

QString ReceiptPageHtml(const QString &receiptNo, const QDateTime &when,
                        const QString &receivedFrom, const QString &method, vb::Currency amount,
                        vb::Currency tax, const QString &authorisedBy, bool officeCopy,
                        const QString &centreName)
{
    QStringList lines = {QStringLiteral("<html>"), QStringLiteral("<head>"),
                         QStringLiteral("<meta charset='utf-8'>"),
                         QStringLiteral("<title>Receipt</title>"), QStringLiteral("</head>"),
                         QStringLiteral("<body><font face='Arial' size='2'>")};
    lines += receiptPart(QStringLiteral("Receipt"), receiptNo, when, receivedFrom, method, amount,
                         tax, authorisedBy, centreName);
    if (officeCopy) {
        lines << QStringLiteral("<hr style='border-style: dashed'>");
        lines += receiptPart(QStringLiteral("Receipt (Office Copy)"), receiptNo, when, receivedFrom,
                             method, amount, tax, authorisedBy, centreName);
    }
    lines << QStringLiteral("</font></body>") << QStringLiteral("</html>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void ShowReceiptPage(const QString &receiptNo, const QDateTime &when, const QString &receivedFrom,
                     const QString &method, vb::Currency amount, vb::Currency tax,
                     const QString &authorisedBy, bool officeCopy)
{
    // The centre's name heads the page when the settings hold one.
    QString centreName;
    try {
        centreName =
            Global::CentreSettings().Settings(int(CentreSettingIds::CentreName)).toString();
    } catch (...) {
    }
    const QByteArray bytes = ReceiptPageHtml(receiptNo, when, receivedFrom, method, amount, tax,
                                             authorisedBy, officeCopy, centreName)
                                 .toUtf8();
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

void RegisterReceiptForms()
{
    ui::RegisterProcedure(QStringLiteral("mReports::ShowReceiptPage"), [](const QVariantList &a) {
        ShowReceiptPage(a.value(0).toString(), a.value(1).toDateTime(), a.value(2).toString(),
                        a.value(3).toString(), a.value(4).value<vb::Currency>(),
                        a.value(5).value<vb::Currency>(), a.value(6).toString(),
                        a.value(7).toBool());
        return QVariant();
    });
    ui::RegisterWindow(QStringLiteral("frmRptReceipt"),
                       [] { return ui::Forms::shared<frmRptReceipt>(); });
}

} // namespace mReports
