#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// The centre's companies: the first ten columns of Companies, by position (ID,
// name, address, city, state, postcode, phone, web, e-mail, notes). Further
// columns of a data file are neither read nor written. Failures reach the caller.
namespace imodCompanies {

// "<name> (CID#<id>)"; a company without a name lists from " (CID#" on.
QString CompanyListItem(const QString &name, qint32 companyId);
// Every company as its list text and ID.
QList<QPair<QString, qint32>> ReadCompanyList();
// The first company whose list text equals the text, upper-cased on both sides.
std::optional<qint32> FindCompanyByListText(const QString &text);

// The ten columns as text (Null as ""); nothing when there is no such company.
std::optional<QStringList> ReadCompany(qint32 companyId);
// A new row from boxes 1 to 9 (index 0 is not used); an empty box stores Null.
// Gives the new CompanyID.
qint32 AddCompany(const QStringList &boxes);
// Stores the boxes 1 to 9 that hold text; an empty box keeps the stored value.
// False when there is no such company (nothing written).
bool UpdateCompany(qint32 companyId, const QStringList &boxes);
// False when there was no such company.
bool DeleteCompany(qint32 companyId);

} // namespace imodCompanies
