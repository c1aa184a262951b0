#pragma once

#include <QString>

namespace staffcompanies {

constexpr int ViewCompaniesRight = 29;
constexpr int AddEditCompaniesRight = 31;
constexpr int DeleteCompaniesRight = 32;

// The signed-in user's own flag, or else the flag of the user who authorised the
// company windows (an "Access Denied" box when that one is refused too).
bool CompanyRightGranted(int right);

// "<what> (Err#<number> - <description>)." for the error being handled.
QString CompanyErrorText(const QString &what);

} // namespace staffcompanies
