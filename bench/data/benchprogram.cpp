#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/jet/connection.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace benchdata {

QString OpenCopyAsProgram(const QString &folder, const QString &userId, bool ensureIndexes)
{
    const QString path = CopyOfBigFile(folder, QStringLiteral("default.mdb"));
    qputenv("OVIXIAN_HOME", QFile::encodeName(QDir(folder).filePath(QStringLiteral("home"))));
    Global::DatabaseType = QStringLiteral("Jet");
    Global::CurrentUserId = userId;
    Global::CurrentDataFile = QStringLiteral("default.mdb");
    Global::CentreSettings().setDataFilesDirectory(folder);
    Global::DbConnection().open(QStringLiteral("Data Source=") + path);
    if (ensureIndexes)
        imodData::EnsureIndexes();
    return path;
}

int RunBenchmarkProgram(int argc, char **argv, const std::function<void()> &registerAll)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StatementCatcher::Install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (registerAll)
        registerAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    ui::Forms::unloadAll(ui::CloseReason::Code);
    Global::DropDbConnection();
    return 0;
}

} // namespace benchdata
