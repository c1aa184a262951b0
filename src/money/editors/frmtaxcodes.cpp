#include "frmtaxcodes.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "money/moneytables.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/labels.h"
#include "platform/vb/convert.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

frmTaxCodes::frmTaxCodes()
    : LookupEditor(QStringLiteral("frmTaxCodes"), QStringLiteral("Tax Codes"),
                   QStringLiteral("tax code"), QStringLiteral("lstUsers"))
{
    lstUsers = listBox();
    core::setListSorted(lstUsers, true);
    fieldsLayout()->addRow(ui::sectionLabel(QStringLiteral("Tax Code Information"), this));
    const struct
    {
        int index;
        const char *caption;
        int length;
    } boxes[] = {{0, "Tax Code:", 5}, {1, "Name:", 50}, {2, "Tax Rate:", 10}};
    for (const auto &b : boxes) {
        QLineEdit *box = txtField.add(b.index, new QLineEdit(this));
        addNameBox(box);
        box->setMaxLength(b.length);
        if (b.index != 2) {
            fieldsLayout()->addRow(QString::fromLatin1(b.caption), box);
            continue;
        }
        box->setMaximumWidth(90);
        auto *rate = new QHBoxLayout;
        rate->addWidget(box);
        rate->addWidget(new QLabel(QStringLiteral("%"), this));
        rate->addStretch(1);
        fieldsLayout()->addRow(QString::fromLatin1(b.caption), rate);
    }
    txtField[0]->setMaximumWidth(90);
}

QString frmTaxCodes::listSql() const
{
    return moneytables::TaxCodeListSql;
}

void frmTaxCodes::showEntry(const QString &entry)
{
    const auto row = moneytables::FindTaxCode(entry);
    if (!row)
        return;
    txtField[0]->setText(row->code);
    txtField[1]->setText(row->description);
    txtField[2]->setText(row->rate);
}

void frmTaxCodes::ClearFields()
{
    for (int i = 0; i < 3; ++i)
        txtField[i]->clear();
}

void frmTaxCodes::clearForNew()
{
    // The rate shown stays as the new code's starting rate.
    txtField[0]->clear();
    txtField[1]->clear();
}

LookupEditor::Message frmTaxCodes::saveRefusal()
{
    if (txtField[0]->text().isEmpty())
        return {QStringLiteral("You must enter a Tax Code"),
                QStringLiteral("Forgetting something?"), ui::vbExclamation, txtField[0]};
    if (!vb::IsNumeric(txtField[2]->text()))
        return QStringLiteral("Please enter a proper number for the tax code percentage.");
    return {};
}

LookupEditor::Message frmTaxCodes::writeRow()
{
    moneytables::SaveTaxCode(isAdding(), txtField[0]->text(), txtField[1]->text(),
                             txtField[2]->text());
    return {};
}

LookupEditor::Message frmTaxCodes::saveError(const core::ErrorInfo &error) const
{
    if (error.number == jet::err::Unspecified)
        return {QStringLiteral("A tax code with the name you entered already exists. This tax "
                               "code cannot be created."),
                QStringLiteral("Oops!"), ui::vbCritical};
    return LookupEditor::saveError(error);
}

LookupEditor::Message frmTaxCodes::deleteRefusal()
{
    const QString code = txtField[0]->text();
    if (code == moneytables::UntaxedCode)
        return QStringLiteral("You cannot delete the N-T Tax Code.");
    const QString app = Global::CentreSettings().ShortAppName();
    const struct
    {
        int (*count)(const QString &);
        const char *what;
    } uses[] = {{moneytables::CountAccountsWithTaxCode, "accounts"},
                {moneytables::CountProgramsWithTaxCode, "programs"}};
    for (const auto &use : uses) {
        const int n = use.count(code);
        if (n > 0)
            return {QStringLiteral("This tax code is linked to ") + QString::number(n) +
                        QLatin1Char(' ') + QLatin1String(use.what) + QStringLiteral(" in ") + app +
                        QStringLiteral(". You cannot delete it without first reassigning "
                                       "different tax codes to these ") +
                        QLatin1String(use.what) + QLatin1Char('.'),
                    QStringLiteral("Sorry"), ui::vbExclamation};
    }
    return {};
}

QString frmTaxCodes::deleteSql() const
{
    return moneytables::TaxCodeRowSql(txtField[0]->text());
}
