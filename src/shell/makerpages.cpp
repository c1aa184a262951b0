#include "makerpages.h"

#include <QUrl>

#ifndef OVIXIAN_VERSION_MAJOR
#define OVIXIAN_VERSION_MAJOR 0
#define OVIXIAN_VERSION_MINOR 0
#define OVIXIAN_VERSION_PATCH 0
#endif

namespace shell {

namespace {

QString pageAddress(const QString &page, const QString &version, const QString &centreName)
{
    return MakerHomePage() + QStringLiteral("support/") + page + QStringLiteral("?version=") +
           QString::fromLatin1(QUrl::toPercentEncoding(version)) + QStringLiteral("&poolname=") +
           QString::fromLatin1(QUrl::toPercentEncoding(centreName));
}

} // namespace

QString MakerHomePage()
{
    return QStringLiteral("https://ovixian.example/");
}

QString ProgramVersionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(OVIXIAN_VERSION_MAJOR)
        .arg(OVIXIAN_VERSION_MINOR)
        .arg(OVIXIAN_VERSION_PATCH);
}

QString BugReportAddress(const QString &version, const QString &centreName)
{
    return pageAddress(QStringLiteral("bug_report_form.php"), version, centreName);
}

QString FeatureRequestAddress(const QString &version, const QString &centreName)
{
    return pageAddress(QStringLiteral("feature_request_form.php"), version, centreName);
}

} // namespace shell
