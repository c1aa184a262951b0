#include "dataloader.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "datapathfile.h"
#include "frmloadup.h"
#include "frmopen.h"
#include "loginuser.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "startupservices.h"
#include "startupstate.h"

#include <QFile>
#include <functional>
#include <vector>

namespace shell {

namespace {

bool isUnrecognisedFormat(long number, const QString &description)
{
    return number == jet::err::Unspecified &&
           description.startsWith(QStringLiteral("Unrecognized database format"));
}

void showDataFileInvalid(const QString &path)
{
    const QString shortName = Global::CentreSettings().ShortAppName();
    ui::Dialogs::msgBox(
        QStringLiteral("The file that you are trying to open is not in a format that ") +
            shortName +
            QStringLiteral(" can read. The data may be corrupted. Please verify that the file you "
                           "are trying to open is a valid ") +
            shortName + QStringLiteral(" data file and try again.") + vb::vbCrLf + vb::vbCrLf +
            QStringLiteral("If the problem persists, please contact ") + shortName +
            QStringLiteral(" support. You may need to restore data from your most recent backup.") +
            vb::vbCrLf + vb::vbCrLf + QStringLiteral("File name: ") + path,
        ui::vbCritical, QStringLiteral("Data File Invalid"));
}

// One step of the load: goes on with the next, or ends the load.
enum class Step { Next, Stop, End };

} // namespace

QString ConnectionString(const QString &folder, const QString &fileName)
{
    return QStringLiteral("Provider=MICROSOFT.JET.OLEDB.4.0;Jet OLEDB:Database Password=2871906;"
                          "Persist Security Info=False;Mode=ReadWrite|Share Deny None;"
                          "Data Source=") +
           folder + QStringLiteral("/") + fileName;
}

QString BackupMarkerFile()
{
    return imodVista::GetAppDataFolder() + QStringLiteral("backup_in_progress.warn");
}

void RegisterWorkstation()
{
    const QString name = WorkstationName();
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    rs.open(QStringLiteral("SELECT Computers.* FROM Computers;"), Global::DbConnection());
    bool found = false;
    while (!rs.eof()) {
        if (rs.value(1).toString().toUpper() == name.toUpper()) {
            rs.setValue(2, QStringLiteral("1"));
            rs.update();
            found = true;
            break;
        }
        rs.moveNext();
    }
    if (!found) {
        rs.addNew();
        rs.setValue(1, name);
        rs.setValue(2, QStringLiteral("1"));
        rs.update();
    }
    rs.close();
}

LoadResult LoadDataFile2(QString &appString, QString &fileName, bool noShow, bool &keepDataPath)
{
    auto &settings = Global::CentreSettings();
    QString path;
    int logonMode = 0;
    LoadResult result = LoadResult::SignIn;

    const auto stop = [] {
        ui::Hourglass::reset();
        ui::Forms::unloadByName(QStringLiteral("frmLoadUp"));
        ui::Forms::shared<frmOpen>()->showForm();
    };

    const std::vector<std::function<Step()>> steps = {
        [&] {
            ui::Hourglass::show();
            Global::CurrentDataFile = fileName;
            Global::DataFileLoaded = true;
            frmLoadUp::ShowStep(QStringLiteral("Preparing to load your data file..."));
            return Step::Next;
        },
        [&] {
            if (!QFile::exists(DataPathFile()))
                keepDataPath = false;
            if (noShow)
                WriteDataPath(appString, fileName, QStringLiteral("N"));
            else if (!keepDataPath)
                WriteDataPath(appString, fileName, QStringLiteral("Y"));
            return Step::Next;
        },
        [&] {
            if (appString == QStringLiteral("%"))
                appString = Global::StripTrailingSlash(imodVista::GetAppDataFolder());
            settings.setDataFilesDirectory(appString);
            return Step::Next;
        },
        [&] {
            path = appString + QStringLiteral("/") + fileName;
            if (QFile::exists(path))
                return Step::Next;
            ui::Dialogs::msgBox(settings.ApplicationName() +
                                    QStringLiteral(" cannot access the database at ") + path +
                                    QStringLiteral(" - the file could not be found."),
                                ui::vbExclamation, QStringLiteral("Problem..."));
            return Step::Stop;
        },
        [&] {
            if (Global::DbConnection().isOpen())
                Global::DropDbConnection();
            return Step::Next;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Checking if backup is in progress..."));
            if (!QFile::exists(BackupMarkerFile()))
                return Step::Next;
            const QString shortName = settings.ShortAppName();
            const int answer = ui::Dialogs::msgBox(
                QStringLiteral("It appears that a backup is underway on a data file in ") +
                    imodVista::GetAppDataFolder() +
                    QStringLiteral(". It could be this file or another data file in the folder.") +
                    vb::vbCrLf + vb::vbCrLf +
                    QStringLiteral("Opening this file while a backup is in progress could corrupt "
                                   "the backup and the original database. If you are running ") +
                    shortName +
                    QStringLiteral(" on a network, please check that other users are not backing "
                                   "up or try again in a few minutes.") +
                    vb::vbCrLf + vb::vbCrLf + QStringLiteral("If you only have a single copy of ") + shortName +
                    QStringLiteral(" on one machine only, then you can safely ignore this "
                                   "warning.") +
                    vb::vbCrLf + vb::vbCrLf + QStringLiteral("Do you still want to load the data file?"),
                ui::vbYesNo + ui::vbCritical + ui::vbDefaultButton2,
                QStringLiteral("Backup May Be In Progress"));
            return answer == ui::vbNo ? Step::Stop : Step::Next;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Loading Data File..."));
            jet::Connection &db = Global::DbConnection();
            db.setConnectionString(ConnectionString(appString, fileName));
            Global::DatabaseType = QStringLiteral("Jet");
            // A connection that did not open ends the load: nothing after this step can
            // work on a closed connection.
            try {
                db.open();
            } catch (const jet::Error &e) {
                Global::DropDbConnection();
                if (isUnrecognisedFormat(e.number(), e.description())) {
                    showDataFileInvalid(path);
                } else {
                    ui::Dialogs::msgBox(
                        QStringLiteral("The data file could not be opened.") + vb::vbCrLf +
                            QStringLiteral("Err#%1 - %2.").arg(e.number()).arg(e.description()) +
                            vb::vbCrLf + vb::vbCrLf + QStringLiteral("File name: ") + path,
                        ui::vbExclamation, QStringLiteral("Oops!"));
                }
                return Step::Stop;
            }
            // A file made by another program is left exactly as it is.
            if (!IsProgramDataFile(db)) {
                Global::DropDbConnection();
                showDataFileInvalid(path);
                return Step::Stop;
            }
            return Step::Next;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Validating database..."));
            return VerifyOpenDataFile() == 0 ? Step::Next : Step::Stop;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Loading Global Settings..."));
            Global::LoadGlobalSettings();
            return Step::Next;
        },
        [&] {
            if (settings.Settings(int(CentreSettingIds::CentreName)).toString() !=
                QStringLiteral("New Ovix User"))
                return Step::Next;
            frmLoadUp::ShowStep(QStringLiteral("Loading Setup Wizard..."));
            ShowSetupWizard();
            ui::Hourglass::reset();
            ui::Forms::unloadByName(QStringLiteral("frmLoadUp"));
            result = LoadResult::SetupWizard;
            return Step::End;
        },
        [&] {
            const QVariant mode = settings.Settings(int(CentreSettingIds::RequireLogonAtStart));
            logonMode = mode.toString().isEmpty() ? 0 : mode.toInt();
            return Step::Next;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Registering workstation..."));
            RegisterWorkstation();
            return Step::Next;
        },
        [&] {
            frmLoadUp::ShowStep(QStringLiteral("Preparing for login..."));
            ui::Forms::unloadByName(QStringLiteral("frmOpen"));
            return Step::Next;
        },
        [&] {
            if (logonMode < 1)
                imodGlobalSubs::LoginUser(QStringLiteral("i"), QString(), false);
            else
                ShowLoginWindow();
            return Step::Next;
        },
        [&] {
            ui::Hourglass::reset();
            ui::Forms::unloadByName(QStringLiteral("frmLoadUp"));
            return Step::End;
        },
    };

    int errors = 0;
    for (const auto &step : steps) {
        Step next = Step::Next;
        try {
            next = step();
        } catch (const std::runtime_error &raised) {
            long number = -1;
            QString description = QString::fromLocal8Bit(raised.what());
            if (const auto *e = dynamic_cast<const jet::Error *>(&raised)) {
                number = e->number();
                description = e->description();
            } else if (const auto *e = dynamic_cast<const vb::Error *>(&raised)) {
                number = e->number();
                description = e->description();
            }
            const QString shortName = settings.ShortAppName();
            if (++errors == 1) {
                if (isUnrecognisedFormat(number, description)) {
                    showDataFileInvalid(path);
                    next = Step::Stop;
                } else {
                    ui::Dialogs::msgBox(
                        QStringLiteral("An error occurred in the second phase of loading the data "
                                       "file.") +
                            vb::vbCrLf + QStringLiteral("Err#%1 - %2.").arg(number).arg(description) +
                            vb::vbCrLf + shortName +
                            QStringLiteral(" will attempt to continue but the file may not load "
                                           "correctly."),
                        ui::vbExclamation, QStringLiteral("Oops!"));
                }
            } else {
                const int answer = ui::Dialogs::msgBox(
                    QStringLiteral("Another error occurred in the second phase of loading the data "
                                   "file.") +
                        vb::vbCrLf + QStringLiteral("Err#%1 - %2.").arg(number).arg(description) + vb::vbCrLf +
                        QStringLiteral("Do you want ") + shortName +
                        QStringLiteral(" to try and continue?"),
                    ui::vbYesNo + ui::vbExclamation, QStringLiteral("Error"));
                if (answer != ui::vbYes)
                    next = Step::Stop;
            }
        }
        if (next == Step::Stop) {
            stop();
            return LoadResult::Stopped;
        }
        if (next == Step::End)
            break;
    }
    return result;
}

} // namespace shell
