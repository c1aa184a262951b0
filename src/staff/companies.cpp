#include "companies.h"

#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

namespace imodCompanies {

namespace {

constexpr int companyBoxCount = 10;

std::unique_ptr<jet::Recordset> companyRow(qint32 companyId)
{
    return irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Companies.* FROM Companies WHERE CompanyID = ") +
        Global::SqlNumber(companyId) + QLatin1Char(';'));
}

} // namespace

QString CompanyListItem(const QString &name, qint32 companyId)
{
    return name + QStringLiteral(" (CID#") + QString::number(companyId) + QLatin1Char(')');
}

QList<QPair<QString, qint32>> ReadCompanyList()
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT CompanyID, CompanyName FROM Companies;"));
    QList<QPair<QString, qint32>> items;
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 id = vb::CLng(rs->value(0));
        items.append({CompanyListItem(vb::CStr(vb::Nz(rs->value(1))), id), id});
    }
    rs->close();
    return items;
}

std::optional<qint32> FindCompanyByListText(const QString &text)
{
    const QString wanted = text.toUpper();
    for (const auto &item : ReadCompanyList())
        if (item.first.toUpper() == wanted)
            return item.second;
    return std::nullopt;
}

std::optional<QStringList> ReadCompany(qint32 companyId)
{
    auto rs = companyRow(companyId);
    if (rs->eof())
        return std::nullopt;
    QStringList boxes;
    for (int i = 0; i < companyBoxCount; ++i)
        boxes << vb::CStr(vb::Nz(rs->value(i)));
    rs->close();
    return boxes;
}

qint32 AddCompany(const QStringList &boxes)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Companies.* FROM Companies WHERE CompanyID = 0;"));
    rs->addNew();
    for (int i = 1; i < companyBoxCount; ++i) {
        const QString text = boxes.value(i);
        rs->setValue(i, text.isEmpty() ? QVariant() : QVariant(text));
    }
    rs->update();
    const qint32 id = vb::CLng(rs->value(0));
    rs->close();
    return id;
}

bool UpdateCompany(qint32 companyId, const QStringList &boxes)
{
    auto rs = companyRow(companyId);
    if (rs->eof())
        return false;
    for (int i = 1; i < companyBoxCount; ++i)
        if (!boxes.value(i).isEmpty())
            rs->setValue(i, boxes.value(i));
    rs->update();
    rs->close();
    return true;
}

bool DeleteCompany(qint32 companyId)
{
    return Global::DbConnection().execute(Global::AdaptSql(
               QStringLiteral("DELETE FROM Companies WHERE CompanyID = ") +
               Global::SqlNumber(companyId) + QLatin1Char(';'))) > 0;
}

} // namespace imodCompanies
