#include "frmdiscounts.h"

#include "core/listcontrol.h"
#include "money/moneytables.h"
#include "platform/ui/labels.h"
#include "platform/vb/format.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

QLineEdit *box(const char *name, QWidget *parent)
{
    auto *b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QCheckBox *check(const QString &caption, const char *name, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

} // namespace

frmDiscounts::frmDiscounts()
    : LookupEditor(QStringLiteral("frmDiscounts"), QStringLiteral("Discounts"),
                   QStringLiteral("discount"), QStringLiteral("lstDiscounts"))
{
    lstDiscounts = listBox();
    core::setListSorted(lstDiscounts, true);
    setListFill(ListFill::FillListFromSql);

    fieldsLayout()->addRow(ui::sectionLabel(QStringLiteral("Discount Information"), this));
    txtDiscountID = box("txtDiscountID", this);
    txtName = box("txtName", this);
    txtAmount = box("txtAmount", this);
    fieldsLayout()->addRow(QStringLiteral("Discount ID:"), txtDiscountID);
    fieldsLayout()->addRow(QStringLiteral("Name:"), txtName);
    fieldsLayout()->addRow(QStringLiteral("Amount"), txtAmount);
    addReadOnlyBox(txtDiscountID);
    addNameBox(txtName);
    addNameBox(txtAmount);
    txtAmount->setMaxLength(32767);
    txtAmount->setMaximumWidth(120);
    chkPool = check(QStringLiteral("Calculate discount from base class price"), "chkPool", this);
    chkPerSession = check(QStringLiteral("Per session"), "chkPerSession", this);
    for (QCheckBox *c : {chkPool, chkPerSession}) {
        fieldsLayout()->addRow(QString(), c);
        addEditControl(c, true);
    }
}

QString frmDiscounts::listSql() const
{
    return moneytables::DiscountListSql;
}

void frmDiscounts::showEntry(const QString &entry)
{
    const auto row = moneytables::FindDiscount(entry);
    if (!row)
        return;
    txtDiscountID->setText(QString::number(row->id));
    txtName->setText(row->name);
    txtAmount->setText(vb::Format(QVariant::fromValue(row->amount), moneytables::AmountBoxFormat));
    chkPool->setChecked(row->pool != 0);
    chkPerSession->setChecked(row->perSession != 0);
}

void frmDiscounts::ClearFields()
{
    txtDiscountID->clear();
    txtName->clear();
    txtAmount->clear();
    chkPool->setChecked(false);
    chkPerSession->setChecked(false);
}

LookupEditor::Message frmDiscounts::saveRefusal()
{
    const QString name = txtName->text();
    if (name.isEmpty())
        return QStringLiteral("You must enter a discount name.");
    if (name.contains(QLatin1Char('\'')))
        return QStringLiteral("You cannot have a ' character in the discount name.");
    if (isAdding() && moneytables::DiscountNameExists(name))
        return QStringLiteral("There is already a discount with this name.");
    return {};
}

LookupEditor::Message frmDiscounts::writeRow()
{
    moneytables::SaveDiscount(isAdding() ? 0 : idOf(txtDiscountID), txtName->text(),
                              txtAmount->text(), chkPool->isChecked() ? 1 : 0,
                              chkPerSession->isChecked() ? 1 : 0);
    return {};
}

QString frmDiscounts::deleteSql() const
{
    return moneytables::DiscountRowSql(idOf(txtDiscountID));
}
