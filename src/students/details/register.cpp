#include "register.h"

#include "access/authorisation.h"
#include "frmstudentdetails.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "students/imodstudents.h"

#include "platform/ui/simplecombo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace students {

namespace {

// Opens a new record window on a person for an approved request.
frmStudentDetails *openRecord(qint32 studentId, QObject *caller, const QString &userId)
{
    auto *w = ui::Forms::create<frmStudentDetails>();
    w->LoadUp(studentId, caller, userId);
    w->showForm();
    return w;
}

void registerOpen(const QString &text, int right,
                  std::function<void(const useraccess::AuthorisationRequest &)> action)
{
    useraccess::RegisterAuthorisedOperation(
        {text, useraccess::PermissionCheck::ByIndex, right, false, std::move(action)});
}

// The text of the requester's pick list "cbo" (a simple combo, combo box or line).
QString pickListText(QObject *requester)
{
    if (!requester)
        return {};
    QObject *cbo = requester->findChild<QObject *>(QStringLiteral("cbo"));
    if (auto *simple = qobject_cast<ui::SimpleCombo *>(cbo))
        return simple->text();
    if (auto *combo = qobject_cast<QComboBox *>(cbo))
        return combo->currentText();
    if (auto *line = qobject_cast<QLineEdit *>(cbo))
        return line->text();
    return {};
}

// "Last, First (SID#n)" or "First Last (SID#n)": the person the text names, or 0.
qint32 personOfPickText(const QString &text)
{
    if (const qint32 id = imodStudents::GetStudentIDFromListText(text))
        return id;
    const qsizetype at = text.lastIndexOf(QLatin1String(" (SID#"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    bool ok = false;
    const qint32 id = text.mid(at + 6).section(QLatin1Char(')'), 0, 0).toInt(&ok);
    if (!ok || id <= 0)
        return 0;
    // The same person written first name first.
    const QString name = imodStudents::GetStudentName(id);
    if (name.isEmpty())
        return 0;
    const QString own = name + QStringLiteral(" (SID#") + QString::number(id) + QLatin1Char(')');
    return own.toUpper() == text.toUpper() ? id : 0;
}

} // namespace

void RegisterStudentDetailsWindow()
{
    ui::RegisterWindow(QStringLiteral("frmStudentDetails"),
                       [] { return ui::Forms::create<frmStudentDetails>(); });

    constexpr int EditStudents = 3;
    constexpr int AddStudents = 4;
    using Request = useraccess::AuthorisationRequest;
    auto recordNumber = [](const Request &r) { return r.strExtraInfo.trimmed().toInt(); };

    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Edit Student"), useraccess::PermissionCheck::ByIndex, EditStudents, false,
         useraccess::CallOpenRecordWindow(QStringLiteral("frmStudentDetails"),
                                          QStringLiteral("Edit_Me"))});
    for (const QString &text : {QStringLiteral("New Student"), QStringLiteral("Add Student Bkg")})
        registerOpen(text, AddStudents,
                     [](const Request &r) { openRecord(0, r.xf.data(), r.userId); });
    for (const QString &text :
         {QStringLiteral("Class Edit Student"), QStringLiteral("Edit Student from Bkg Window")})
        registerOpen(text, EditStudents, [recordNumber](const Request &r) {
            openRecord(recordNumber(r), r.passwordWindow, r.userId);
        });
    registerOpen(QStringLiteral("Edit Student from Bkg Window Load Notes"), EditStudents,
                 [recordNumber](const Request &r) {
                     openRecord(recordNumber(r), r.passwordWindow, r.userId)
                         ->SSTab1->setCurrentIndex(2);
                 });
    registerOpen(QStringLiteral("PreEnrol Edit Student"), EditStudents,
                 [recordNumber](const Request &r) {
                     openRecord(recordNumber(r), r.passwordWindow, QString());
                 });
    registerOpen(QStringLiteral("Edit Student Bkg"), EditStudents, [](const Request &r) {
        openRecord(personOfPickText(pickListText(r.xf.data())), r.passwordWindow, r.userId);
    });
}

} // namespace students
