#pragma once

#include <QString>
#include <optional>

namespace imodStudents {

// Asks for the barcode of the person a record shows (personId, its StudentID as
// text) and gives the text for the record's barcode label: the scanned code in
// capitals; noneText after a blank code the user agreed to remove ("Do you want
// this <who> to no longer have an assigned barcode?"); nothing when the code
// stays, after No, after a code another person holds ("Cannot assign barcode")
// or after an error.
std::optional<QString> AskForBarcode(const QString &personId, const QString &who,
                                     const QString &noneText);

} // namespace imodStudents
