#include "frmactivities.h"

#include "classes/classsearch.h"
#include "core/imodglobalsubs.h"
#include "core/sqlquote.h"
#include "lookuprules.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>

using timetable::lookups::Table;

frmActivities::frmActivities()
    : LookupEditor(QStringLiteral("frmActivities"), QStringLiteral("Activities"),
                   QStringLiteral("activity"), QStringLiteral("lstActivities"))
{
    lstActivities = listBox();
    txtActivityName = new QLineEdit(this);
    txtActivityName->setObjectName(QStringLiteral("txtActivityName"));
    fieldsLayout()->addRow(QStringLiteral("Activity:"), txtActivityName);
    addNameBox(txtActivityName);
}

QString frmActivities::listSql() const
{
    return QStringLiteral("SELECT ActivityName FROM Activities ORDER BY ActivityName;");
}

void frmActivities::showEntry(const QString &entry)
{
    auto rs = open(QStringLiteral("SELECT ActivityName FROM Activities WHERE ActivityName = ") +
                   Global::SqlText(entry) + QLatin1Char(';'));
    if (rs->eof())
        return;
    ClearFields();
    CurrentActivityName = vb::CStr(rs->value(0));
    txtActivityName->setText(CurrentActivityName);
}

void frmActivities::ClearFields()
{
    txtActivityName->clear();
    CurrentActivityName.clear();
}

LookupEditor::Message frmActivities::saveRefusal()
{
    const QString name = txtActivityName->text();
    const QString refusal = timetable::lookups::NameRefusal(Table::Activities, name);
    if (!refusal.isEmpty())
        return refusal;
    if (isAdding() &&
        imodGlobalSubs::CountRecords(
            QStringLiteral("SELECT Activities.* FROM Activities WHERE ActivityName = ") +
            Global::SqlText(name) + QLatin1Char(';')) > 0)
        return QStringLiteral("There is already an activity with this name.");
    return {};
}

LookupEditor::Message frmActivities::writeRow()
{
    std::unique_ptr<jet::Recordset> rs;
    if (isAdding()) {
        rs = open(QStringLiteral("SELECT Activities.* FROM Activities;"));
        rs->addNew();
    } else {
        // A rename changes the key; classes keep the name they carry.
        rs = open(QStringLiteral("SELECT Activities.* FROM Activities WHERE ActivityName = ") +
                  Global::SqlText(CurrentActivityName) + QLatin1Char(';'));
    }
    rs->setValue(QStringLiteral("ActivityName"), txtActivityName->text());
    rs->update();
    rs->close();
    return {};
}

LookupEditor::Message frmActivities::deleteRefusal()
{
    const int classes = timetable::lookups::ClassesOfActivity(txtActivityName->text());
    if (classes < 1)
        return {};
    return QStringLiteral("There are ") + QString::number(classes) +
           QStringLiteral(" classes assigned to this activity. You cannot delete it while these "
                          "classes exist.");
}

QString frmActivities::deleteSql() const
{
    return QStringLiteral("SELECT Activities.* FROM Activities WHERE ActivityName = ") +
           Global::SqlText(txtActivityName->text()) + QLatin1Char(';');
}

void frmActivities::refreshClassSearch()
{
    classsearch::RefreshGridLayout();
}
