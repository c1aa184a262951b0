#include "emailwindow.h"

#include "platform/ui/form.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/windowregistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace core {

namespace {

// A box of the e-mail window, reached by its name; a property when it has none.
void setEmailBox(QObject *window, const char *name, const QString &text)
{
    const auto children = window->findChildren<QWidget *>(QString::fromLatin1(name));
    for (QWidget *w : children) {
        if (auto *line = qobject_cast<QLineEdit *>(w))
            line->setText(text);
        else if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
            plain->setPlainText(text);
        else
            continue;
        return;
    }
    window->setProperty(name, text);
}

} // namespace

ui::Form *OpenEmailWindow()
{
    ui::Form *mail = ui::CreateWindowByName(QStringLiteral("frmEmail"));
    if (!mail) {
        ui::Dialogs::msgBox(QStringLiteral("Sending email is not available yet."),
                            ui::vbInformation, QStringLiteral("Email"));
        return nullptr;
    }
    mail->showForm();
    return mail;
}

void EmailPerson(const QString &address, const QString &name, const QString &ids)
{
    ui::Form *mail = OpenEmailWindow();
    if (!mail)
        return;
    setEmailBox(mail, "txtTo", address);
    setEmailBox(mail, "txtToName", name);
    setEmailBox(mail, "ToFriendly", name + QStringLiteral(" (") + address + QLatin1Char(')'));
    mail->setProperty("strIDs", ids);
}

} // namespace core
