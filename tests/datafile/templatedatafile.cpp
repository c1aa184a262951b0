#include "templatedatafile.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"

#include <QDir>

namespace ovix::test {

QString OpenTemplateDataFile(const QString &folder)
{
    const QString dataFile = QDir(folder).filePath(QStringLiteral("default.mdb"));
    imodStructure::CreateTemplate(dataFile);
    Global::DatabaseType = QStringLiteral("Jet");
    Global::CurrentDataFile = QStringLiteral("default.mdb");
    Global::CentreSettings().setDataFilesDirectory(folder);
    Global::CentreSettings().setApplicationName(QStringLiteral("Ovixian"));
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
    Global::DbConnection().open(QStringLiteral("Data Source=") + dataFile);
    Global::LoadGlobalSettings();
    return dataFile;
}

void CloseTemplateDataFile()
{
    Global::DropDbConnection();
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});
}

void Exec(const QString &sql)
{
    Global::DbConnection().execute(sql);
}

QVariant FirstValue(const QString &sql)
{
    jet::Recordset rs(Global::DbConnection(), sql);
    return rs.eof() ? QVariant() : rs.value(0);
}

} // namespace ovix::test
