#pragma once

#include <QString>
#include <functional>

// Data maintenance of the structure upgrade.
namespace imodDataMaint {

// Builds families from the students who share a home phone number: for each number, the
// students with it and no family yet become one family, whose row (Vendor "Y") is made
// from the first one's parents' names, address and phones. Works on a connection of its
// own opened with connectionString, and writes its steps through showCaption (which may
// be empty). 0 when every phone number was handled; otherwise, after a "Small problem"
// box, the number of the error that stopped it (-1 when it has none); the families made
// before it stay.
int CreateFamilyGroupings(const std::function<void(const QString &)> &showCaption,
                          const QString &connectionString);

// The first and last name of a family contact, split from the parents' names:
// "John & Mary Smith" -> ("John & Mary", "Smith"); no blank: the whole text and "".
std::pair<QString, QString> SplitParentsName(const QString &parentsName);

} // namespace imodDataMaint
