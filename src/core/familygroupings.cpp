#include "familygroupings.h"

#include "core/centresettings.h"
#include "core/sqlquote.h"
#include "core/upgradesupport.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>
#include <vector>

namespace imodDataMaint {

namespace {

// The columns copied from the first student into the family row (positions 5 to 12).
const char *const ContactColumns[] = {"Address",    "City",       "State",        "Postcode",
                                      "Home Phone", "Work Phone", "Mobile Phone", "Email Address"};

struct Student
{
    QVariant id;
    QString parentsName;
    QVariant lastName;
    std::vector<QVariant> contact; // ContactColumns, in their order
};

void caption(const std::function<void(const QString &)> &showCaption, const QString &text)
{
    if (showCaption)
        showCaption(text);
}

} // namespace

std::pair<QString, QString> SplitParentsName(const QString &parentsName)
{
    static const QString marker = QStringLiteral("-&-");
    QString text = parentsName;
    for (const char *separator : {" & ", " and ", " And ", " AND ", " or ", " Or ", " OR ", " / "})
        text.replace(QLatin1String(separator), marker);
    QString first;
    QString last;
    const int blank = int(text.indexOf(QLatin1Char(' ')));
    if (blank < 0) {
        first = text;
    } else {
        first = text.left(blank);
        last = text.mid(blank + 1);
    }
    first.replace(marker, QStringLiteral(" & "));
    last.replace(marker, QStringLiteral(" & "));
    return {first, last};
}

int CreateFamilyGroupings(const std::function<void(const QString &)> &showCaption,
                          const QString &connectionString)
{
    QCoreApplication::processEvents();
    jet::Connection db(connectionString);
    bool inTransaction = false;
    const auto failure = imodData::detail::capture([&] {
        db.open();
        caption(showCaption, QStringLiteral("Creating Family Groupings..."));

        // The students without a family, by home phone number in the order the numbers
        // first appear; one pass over the table, whatever its size.
        QStringList select = {QStringLiteral("StudentID"), QStringLiteral("[Home Phone]"),
                              QStringLiteral("[Parents Name]"), QStringLiteral("[Last Name]")};
        for (const char *c : ContactColumns)
            select << QLatin1Char('[') + QLatin1String(c) + QLatin1Char(']');
        jet::Recordset rs(db, QStringLiteral("SELECT ") + select.join(QStringLiteral(", ")) +
                                  QStringLiteral(" FROM Students WHERE [Home Phone] <> '' AND "
                                                 "(Family = 0 OR Family IS NULL);"));
        QStringList phones;
        QHash<QString, std::vector<Student>> byPhone; // phones compare as the database does
        while (!rs.eof()) {
            const QString phone = rs.value(1).toString();
            const QString key = phone.toCaseFolded();
            auto it = byPhone.find(key);
            if (it == byPhone.end()) {
                phones << key;
                it = byPhone.insert(key, {});
            }
            Student s{rs.value(0), rs.value(2).toString(), rs.value(3), {}};
            for (int i = 0; i < 8; ++i)
                s.contact.push_back(rs.value(4 + i));
            it->push_back(std::move(s));
            rs.moveNext();
        }
        rs.close();

        db.beginTrans();
        inTransaction = true;
        jet::Recordset family(db, QStringLiteral("SELECT Students.* FROM Students WHERE "
                                                 "StudentID = 0;"));
        const qint64 n = phones.size();
        for (qint64 i = 0; i < n; ++i) {
            caption(showCaption,
                    QStringLiteral("Creating Family Groupings (%1 of %2)...").arg(i + 1).arg(n));
            const std::vector<Student> &members = byPhone[phones[i]];
            const Student &first = members.front();
            if (first.parentsName.isEmpty())
                continue;
            const auto [firstName, lastName] = SplitParentsName(first.parentsName);
            family.addNew();
            family.setValue(QStringLiteral("First Name"), firstName);
            family.setValue(QStringLiteral("Last Name"),
                            lastName.isEmpty() ? first.lastName : QVariant(lastName));
            family.setValue(QStringLiteral("Parents Name"), first.parentsName);
            for (int c = 0; c < 8; ++c)
                family.setValue(QLatin1String(ContactColumns[c]), first.contact[size_t(c)]);
            family.setValue(QStringLiteral("Student"), QStringLiteral("N"));
            family.setValue(QStringLiteral("Employee"), QStringLiteral("N"));
            family.setValue(QStringLiteral("Vendor"), QStringLiteral("Y"));
            family.setValue(QStringLiteral("Special"), QStringLiteral("N"));
            family.setValue(QStringLiteral("Family"), 0);
            family.update();
            const QString familyId = Global::SqlValue(family.value(QStringLiteral("StudentID")));
            for (const Student &s : members)
                db.execute(QStringLiteral("UPDATE Students SET Family = ") + familyId +
                           QStringLiteral(" WHERE StudentID = ") + Global::SqlValue(s.id) +
                           QLatin1Char(';'));
        }
        family.close();
        inTransaction = false;
        db.commitTrans();
    });
    if (!failure) {
        db.close();
        return 0;
    }
    // The families made before the failure stay.
    if (inTransaction) {
        try {
            db.commitTrans();
        } catch (...) {
        }
    }
    db.close();
    const int number = failure->number == 0 ? -1 : int(failure->number);
    ui::Dialogs::msgBox(QStringLiteral("An error occurred when creating families (Err#") +
                            QString::number(failure->number) + QStringLiteral(" - ") +
                            failure->description + QStringLiteral("). ") +
                            Global::CentreSettings().ShortAppName() +
                            QStringLiteral(" will continue with the upgrade process but not all "
                                           "families may have been created successfully."),
                        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Small problem"));
    return number;
}

} // namespace imodDataMaint
