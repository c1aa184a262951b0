#include "frmpoolareas.h"

#include "classes/classsearch.h"
#include "core/imodglobalsubs.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "lookuprules.h"
#include "platform/jet/recordset.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>

using timetable::lookups::Table;

frmPoolAreas::frmPoolAreas()
    : LookupEditor(QStringLiteral("frmPoolAreas"), QStringLiteral("Locations"),
                   QStringLiteral("location"), QStringLiteral("lstLevels"))
{
    lstLevels = listBox();
    const struct
    {
        const char *caption;
        const char *tag;
    } boxes[] = {{"ID:", "AreaID/R"}, {"Location:", "AreaName/E"}};
    for (int i = 0; i < 2; ++i) {
        QLineEdit *box = txtField.add(i, new QLineEdit(this));
        ui::setTag(box, QString::fromLatin1(boxes[i].tag));
        fieldsLayout()->addRow(QString::fromLatin1(boxes[i].caption), box);
    }
    addReadOnlyBox(txtField[0]);
    addNameBox(txtField[1]);
}

QString frmPoolAreas::listSql() const
{
    return QStringLiteral("SELECT PoolAreas.AreaName + ' (ID#' + CStr(PoolAreas.AreaID) + ')' "
                          "AS Expr1 FROM PoolAreas ORDER BY PoolAreas.AreaName, PoolAreas.AreaID;");
}

void frmPoolAreas::showEntry(const QString &entry)
{
    auto rs = open(QStringLiteral("SELECT PoolAreas.* FROM PoolAreas WHERE (AreaName + ' (ID#' + "
                                  "CStr(AreaID) + ')') = ") +
                   Global::SqlText(entry) + QLatin1Char(';'));
    if (rs->eof())
        return;
    ClearFields();
    // Each box shows the column its tag names.
    for (QLineEdit *box : txtField) {
        const QString column = ui::tag(box).trimmed().toUpper().section(QLatin1Char('/'), 0, 0);
        const QVariant value = rs->value(column);
        box->setText(value.isNull() ? QString() : vb::CStr(value));
    }
}

void frmPoolAreas::ClearFields()
{
    for (QLineEdit *box : txtField)
        box->clear();
}

LookupEditor::Message frmPoolAreas::saveRefusal()
{
    const QString name = txtField[1]->text();
    const QString refusal = timetable::lookups::NameRefusal(Table::PoolAreas, name);
    if (!refusal.isEmpty())
        return refusal;
    if (isAdding() &&
        imodGlobalSubs::CountRecords(
            QStringLiteral("SELECT PoolAreas.* FROM PoolAreas WHERE PoolAreas.AreaName = ") +
            Global::SqlText(name) + QLatin1Char(';')) > 0)
        return QStringLiteral("There is already a location with this name.");
    return {};
}

LookupEditor::Message frmPoolAreas::writeRow()
{
    std::unique_ptr<jet::Recordset> rs;
    if (isAdding()) {
        rs = open(QStringLiteral("SELECT PoolAreas.* FROM PoolAreas;"));
        rs->addNew();
    } else {
        rs = open(QStringLiteral("SELECT PoolAreas.* FROM PoolAreas WHERE PoolAreas.AreaID = ") +
                  Global::SqlNumber(idOf(txtField[0])) + QLatin1Char(';'));
    }
    int result = irecObjectCode::SaveFormToRecord(this, *rs);
    if (result == 0)
        result = irecObjectCode::SaveRecordset(*rs);
    if (result != 0) {
        if (rs->editMode() != jet::EditMode::None)
            rs->cancelUpdate();
        return QStringLiteral("An error occurred when saving the location. (Err#") +
               QString::number(result) + QLatin1Char(')');
    }
    rs->close();
    return {};
}

LookupEditor::Message frmPoolAreas::deleteRefusal()
{
    const int classes = timetable::lookups::ClassesInArea(idOf(txtField[0]));
    if (classes < 1)
        return {};
    return QStringLiteral("There are ") + QString::number(classes) +
           QStringLiteral(" classes assigned to this location. You cannot delete it until these "
                          "classes are reassigned to a new location.");
}

QString frmPoolAreas::deleteSql() const
{
    return QStringLiteral("SELECT PoolAreas.* FROM PoolAreas WHERE AreaID = ") +
           Global::SqlNumber(idOf(txtField[0])) + QLatin1Char(';');
}

void frmPoolAreas::refreshClassSearch()
{
    classsearch::RefreshGridLayout();
}
