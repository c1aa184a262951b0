#include "frmclassgroups.h"

#include "classes/classsearch.h"
#include "core/errorinfo.h"
#include "core/sqlquote.h"
#include "lookuprules.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

using timetable::lookups::Table;

namespace {

// A text column as shown: without leading and trailing blanks, Null as empty.
QString shown(const QVariant &value)
{
    return value.isNull() ? QString() : vb::CStr(value).trimmed();
}

} // namespace

frmClassGroups::frmClassGroups()
    : LookupEditor(QStringLiteral("frmClassGroups"), QStringLiteral("Class Groups"),
                   QStringLiteral("class group"), QStringLiteral("lstLevels"))
{
    lstLevels = listBox();
    const struct
    {
        int index;
        const char *caption;
    } boxes[] = {{0, "ID:"}, {1, "Name:"}, {3, "Max in Class:"}};
    for (const auto &b : boxes) {
        QLineEdit *box = txtField.add(b.index, new QLineEdit(this));
        fieldsLayout()->addRow(QString::fromLatin1(b.caption), box);
    }
    addReadOnlyBox(txtField[0]);
    addNameBox(txtField[1]);
    addNameBox(txtField[3]);
    txtField[3]->setMaximumWidth(90);
    chkInactive = new QCheckBox(QStringLiteral("Inactive"), this);
    chkInactive->setObjectName(QStringLiteral("chkInactive"));
    fieldsLayout()->addRow(QString(), chkInactive);
    addEditControl(chkInactive);

    Check1 = new QCheckBox(QStringLiteral("Hide inactive"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    listColumn()->addWidget(Check1);
    // Reloading the list while adding or editing would show another row over
    // what was typed.
    addBrowseControl(Check1);
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
}

QString frmClassGroups::listSql() const
{
    return QStringLiteral("SELECT ClassGroups.Description & ' (ID#' & "
                          "CStr(ClassGroups.ClassGroupCode) & ')' AS Expr1 FROM ClassGroups") +
           (Check1->isChecked() ? QStringLiteral(" WHERE Inactive = 0") : QString()) +
           QStringLiteral(" ORDER BY ClassGroups.Description, ClassGroups.ClassGroupCode;");
}

void frmClassGroups::showEntry(const QString &entry)
{
    auto rs = open(QStringLiteral("SELECT * FROM ClassGroups WHERE (Description & ' (ID#' & "
                                  "CStr(ClassGroupCode) & ')') = ") +
                   Global::SqlText(entry) + QLatin1Char(';'));
    if (rs->eof())
        return;
    ClearFields();
    txtField[0]->setText(shown(rs->value(0)));
    txtField[1]->setText(shown(rs->value(1)));
    const QVariant inactive = rs->value(2);
    chkInactive->setChecked(!inactive.isNull() && vb::CLng(inactive) != 0);
    txtField[3]->setText(shown(rs->value(3)));
}

void frmClassGroups::ClearFields()
{
    clearForNew();
    chkInactive->setChecked(false);
}

void frmClassGroups::clearForNew()
{
    for (int i : {0, 1, 3})
        txtField[i]->clear();
}

LookupEditor::Message frmClassGroups::saveRefusal()
{
    QString refusal = timetable::lookups::NameRefusal(Table::ClassGroups, txtField[1]->text());
    if (refusal.isEmpty())
        refusal = timetable::lookups::MaxInClassRefusal(txtField[3]->text());
    return refusal;
}

LookupEditor::Message frmClassGroups::writeRow()
{
    std::unique_ptr<jet::Recordset> rs;
    if (isAdding()) {
        rs = open(QStringLiteral("SELECT * FROM ClassGroups;"));
        rs->addNew();
    } else {
        rs = open(QStringLiteral("SELECT * FROM ClassGroups WHERE ClassGroupCode = ") +
                  Global::SqlNumber(idOf(txtField[0])) + QLatin1Char(';'));
    }
    rs->setValue(1, txtField[1]->text());
    rs->setValue(2, chkInactive->isChecked() ? 1 : 0);
    rs->setValue(3, txtField[3]->text());
    rs->update();
    rs->close();
    return {};
}

QString frmClassGroups::deleteSql() const
{
    return QStringLiteral("SELECT ClassGroups.* FROM ClassGroups WHERE ClassGroupCode=") +
           Global::SqlNumber(idOf(txtField[0])) + QLatin1Char(';');
}

QString frmClassGroups::deleteError(const core::ErrorInfo &error) const
{
    return QStringLiteral("An error occurred when deleting the class group.\r\nErr#") +
           QString::number(error.number) + QStringLiteral(" - ") + error.description +
           QLatin1Char('.');
}

void frmClassGroups::refreshClassSearch()
{
    classsearch::CallMain(QStringLiteral("Load_Level_List"));
}
