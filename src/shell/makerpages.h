#pragma once

#include <QString>

// The addresses of the program's own web pages: its home page and its pages for
// reporting a fault and asking for a feature.
namespace shell {

QString MakerHomePage();

// The program's version as "major.minor.revision", plain decimal numbers.
QString ProgramVersionText();

// The bug-report or feature-request page for this version and centre:
// "...bug_report_form.php?version=1.0.0&poolname=<centre>", with the centre name
// URL-encoded (blanks, "&" and other reserved characters cannot break the query).
QString BugReportAddress(const QString &version, const QString &centreName);
QString FeatureRequestAddress(const QString &version, const QString &centreName);

} // namespace shell
