#include "frmevents.h"

#include "core/sqlquote.h"
#include "lookuprules.h"
#include "platform/jet/recordset.h"
#include "platform/ui/datepicker.h"
#include "platform/vb/convert.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>

using timetable::lookups::Table;

frmEvents::frmEvents()
    : LookupEditor(QStringLiteral("frmEvents"), QStringLiteral("Events"), QStringLiteral("event"),
                   QStringLiteral("lstEvents"))
{
    lstEvents = listBox();
    txtEventName = new QLineEdit(this);
    txtEventName->setObjectName(QStringLiteral("txtEventName"));
    fieldsLayout()->addRow(QStringLiteral("Event:"), txtEventName);
    addNameBox(txtEventName);
    dtEventDate = new ui::DatePicker(this);
    dtEventDate->setObjectName(QStringLiteral("dtEventDate"));
    dtEventDate->setCustomFormat(QStringLiteral("dd-MMM-yyyy"));
    dtEventDate->setDate(QDate::currentDate());
    fieldsLayout()->addRow(QStringLiteral("Date:"), dtEventDate);
    addEditControl(dtEventDate);
}

QString frmEvents::listSql() const
{
    // In date order: the entries start with the date.
    return QStringLiteral("SELECT CStr(Events.EventDate) + ' - ' + EventName + ' (ID#' + "
                          "CStr(EventID) + ')' AS DisplayText FROM Events ORDER BY "
                          "Events.EventDate, Events.EventName, Events.EventID;");
}

void frmEvents::showEntry(const QString &entry)
{
    auto rs = open(QStringLiteral("SELECT EventID, EventName, EventDate FROM Events WHERE "
                                  "(CStr(EventDate) + ' - ' + CStr(EventName) + ' (ID#' + "
                                  "CStr(EventID) + ')')  = ") +
                   Global::SqlText(entry) + QLatin1Char(';'));
    if (rs->eof())
        return;
    ClearFields();
    CurrentEventId = vb::CLng(rs->value(0));
    const QVariant name = rs->value(1);
    txtEventName->setText(name.isNull() ? QString() : vb::CStr(name));
    const QVariant date = rs->value(2);
    if (!date.isNull())
        dtEventDate->setValue(date);
}

void frmEvents::ClearFields()
{
    txtEventName->clear();
    CurrentEventId = 0;
    dtEventDate->setDate(QDate::currentDate());
}

LookupEditor::Message frmEvents::saveRefusal()
{
    return timetable::lookups::NameRefusal(Table::Events, txtEventName->text());
}

LookupEditor::Message frmEvents::writeRow()
{
    std::unique_ptr<jet::Recordset> rs;
    if (CurrentEventId == 0) {
        rs = open(QStringLiteral("SELECT EventID, EventName, EventDate FROM Events;"));
        rs->addNew();
    } else {
        rs = open(
            QStringLiteral("SELECT EventID, EventName, EventDate FROM Events WHERE EventID = ") +
            Global::SqlNumber(CurrentEventId) + QLatin1Char(';'));
    }
    rs->setValue(QStringLiteral("EventName"), txtEventName->text());
    // The day itself, not a text that depends on the locale.
    rs->setValue(QStringLiteral("EventDate"), dtEventDate->date());
    rs->update();
    CurrentEventId = vb::CLng(rs->value(QStringLiteral("EventID")));
    rs->close();
    return {};
}

QString frmEvents::deleteSql() const
{
    return QStringLiteral("SELECT Events.* FROM Events WHERE EventID = ") +
           Global::SqlNumber(CurrentEventId) + QLatin1Char(';');
}
