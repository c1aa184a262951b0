#pragma once

#include <QString>

namespace ui {
class Form;
}

namespace core {

// A new e-mail window ("frmEmail"), shown. While no e-mail window is registered,
// says that e-mail is not available yet and gives nullptr.
ui::Form *OpenEmailWindow();

// Opens the e-mail window addressed to one person or family: its "txtTo",
// "txtToName" and "ToFriendly" ("name (address)") boxes and the record IDs
// ("strIDs") the message is about.
void EmailPerson(const QString &address, const QString &name, const QString &ids);

} // namespace core
