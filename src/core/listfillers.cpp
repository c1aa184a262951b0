#include "listfillers.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/fieldvalues.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/os/capslock.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/vb/strings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <memory>

namespace imodGlobalSubs {

namespace {

using core::detail::text;

// Runs one step of a list filler; a failure only ends that step.
template <class Step> void tryStep(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

void fillPeopleList(QWidget *list, bool firstNameFirst, QLabel *countLabel, const QString &sql,
                    const QString &marker, const QString &suffix)
{
    QString rememberedText;
    int rememberedIndex = -1;
    tryStep([&] {
        rememberedText = core::listText(list);
        rememberedIndex = core::listIndex(list);
    });
    tryStep([&] { core::listClear(list); });
    tryStep([&] {
        // The items go in together, so that a sorted list sorts them once; the rows
        // read before a failure still go in.
        QList<QPair<QString, qint32>> items;
        try {
            auto rs = irecObjectCode::OpenRecordset(sql, false);
            for (; !rs->eof(); rs->moveNext()) {
                const QString id = text(rs->value(0));
                const QString first = text(rs->value(1));
                const QString last = text(rs->value(2));
                const QString name = firstNameFirst ? first + QLatin1Char(' ') + last
                                                    : last + QStringLiteral(", ") + first;
                items.append({name + marker + id + QLatin1Char(')'), 0});
            }
        } catch (...) {
            core::listAddItems(list, items);
            throw;
        }
        core::listAddItems(list, items);
    });
    tryStep([&] { countLabel->setText(QString::number(core::listCount(list)) + suffix); });
    tryStep([&] {
        core::setListText(list, rememberedText);
        if (core::listIndex(list) < 0 && rememberedIndex > 0 &&
            rememberedIndex < core::listCount(list))
            core::setListIndex(list, rememberedIndex);
    });
}

const QString chargeDateTable =
    QStringLiteral("CREATE TABLE ChargeDate ([ChargeDateID] COUNTER, [ProgramID] INT, "
                   "[Date] DATE, [Amount] CURRENCY, [Run] INT)");

void reportChargeError(const core::ErrorInfo &error)
{
    const QString app = Global::CentreSettings().ShortAppName();
    ui::Dialogs::msgBox(app +
                            QStringLiteral(" has encountered an error when searching for charges. "
                                           "(Err#") +
                            QString::number(error.number) + QStringLiteral(" - ") +
                            error.description +
                            QStringLiteral("). If the problem persists, please contact ") + app +
                            QStringLiteral(" support."),
                        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

void FillStudentList(QWidget *list, bool firstNameFirst, QLabel *countLabel, const QString &sql)
{
    QString query = sql;
    if (query.isEmpty()) {
        tryStep([&] {
            query = Global::AdaptSql(
                QStringLiteral("SELECT Students.* FROM Students WHERE ((Student = 'Y') AND (NOT "
                               "(Special = 'Y')) AND (Inactive = 0));"));
        });
    }
    fillPeopleList(list, firstNameFirst, countLabel, query, QStringLiteral(" (SID#"),
                   QStringLiteral(" students on file"));
}

void FillFamilyList(QWidget *list, bool firstNameFirst, QLabel *countLabel)
{
    QString query;
    tryStep([&] {
        query = Global::AdaptSql(QStringLiteral(
            "SELECT Students.* FROM Students WHERE (Vendor = 'Y') AND (NOT (Special = 'Y'));"));
    });
    fillPeopleList(list, firstNameFirst, countLabel, query, QStringLiteral(" (ID#"),
                   QStringLiteral(" families on file"));
}

void FillLevelList(QWidget *list)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Levels.* FROM Levels WHERE Inactive=0;"));
    for (; !rs->eof(); rs->moveNext())
        core::listAddItem(list, vb::CStr(rs->value(1)));
}

int CountDueCancellations()
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID, ClassID, Status, CancelDate FROM Bookings "
                       "WHERE ((Status <> 'Cancelled') AND (Status <> 'Moved')) AND (CancelDate "
                       "< ") +
        Global::SqlDate(vb::Date().date()) + QStringLiteral(");"));
    return int(rs->recordCount());
}

std::optional<int> CountDueCharges()
{
    const QString sql = QStringLiteral("SELECT ChargeDate.* FROM ChargeDate WHERE ([Date] <= ") +
                        Global::SqlDate(vb::Date().date()) + QStringLiteral(") AND Run = 0;");
    for (bool created = false;; created = true) {
        try {
            auto rs = irecObjectCode::OpenRecordset(sql);
            return int(rs->recordCount());
        } catch (...) {
            const core::ErrorInfo error = core::currentError();
            if (error.number != jet::err::NoSuchTable || created) {
                reportChargeError(error);
                return std::nullopt;
            }
        }
        // Created straight on the connection: neither adapted nor logged. A failure
        // here reaches the caller.
        Global::DbConnection().execute(chargeDateTable);
    }
}

QString GetStatusColour(const QString &status)
{
    static const struct
    {
        const char *status;
        long colour;
    } colours[] = {
        {"Confirmed", 0xFFFFFF}, {"Moved", 0x80FF80},   {"Cancelled", 0x8080FF},
        {"No Show", 0xC000C0},   {"Waiting", 0x00FFFF}, {"Tentative", 0xFFFF80},
    };
    for (const auto &c : colours) {
        if (status == QLatin1String(c.status))
            return QString::number(c.colour);
    }
    return QString::number(0x0000C0);
}

QString NormaliseResultWord(const QString &word)
{
    const QString upper = word.toUpper();
    if (upper == QLatin1String("COMPETENT"))
        return QStringLiteral("C");
    if (upper == QLatin1String("ACHIEVED"))
        return QStringLiteral("Pass");
    if (upper == QLatin1String("NOT YET COMPETENT"))
        return QStringLiteral("NYC");
    return word;
}

QString ShiftString(const QString &text, bool down, int key)
{
    const int shift = down ? -key : key;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        result += vb::Chr(vb::Asc(text.mid(i, 1)) + shift);
    return result;
}

int SetListIndex(QWidget *list, int index)
{
    try {
        core::setListIndex(list, index);
        return 0;
    } catch (...) {
        return int(core::currentError().number);
    }
}

int SetComboIndex(QWidget *combo, int index)
{
    return SetListIndex(combo, index);
}

int CheckFileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir() ? 0 : -1;
}

bool IsCapsLockOn()
{
    return os::isCapsLockOn();
}

QDateTime GetPickerDate(ui::DatePicker *picker)
{
    try {
        if (!picker)
            throw vb::Error(vb::err::ObjectVariableNotSet);
        const QVariant value = picker->value();
        if (value.isNull())
            throw vb::Error(vb::err::InvalidUseOfNull); // an empty picker
        const QDate date = vb::CDate(value).date();
        return vb::DateSerial(date.year(), date.month(), date.day());
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occured in DTDate.\r\n") + error.description +
                                QStringLiteral(" (Err#") + QString::number(error.number) +
                                QStringLiteral(")."),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Date Error"));
        return vb::zeroDate();
    }
}

} // namespace imodGlobalSubs

namespace Global {

int UnloadFormsByName(const QString &formName)
{
    return ui::Forms::unloadByName(formName);
}

bool IsChecked(const QCheckBox *checkBox)
{
    return checkBox->checkState() == Qt::Checked;
}

int ColumnNumberForLetter(const QString &letter, int offset)
{
    const QString upper = letter.toUpper();
    if (upper.size() != 1 || upper[0] < QLatin1Char('A') || upper[0] > QLatin1Char('Z'))
        return 0;
    return offset + (upper[0].unicode() - 'A');
}

QString GetMembershipStatusText(qint32 memType, const QDateTime &startDate, int duration,
                                int visitsUsed)
{
    switch (memType) {
    case 0: return QString::number(duration - visitsUsed) + QStringLiteral(" visits left.");
    case 1:
        return vb::Format(vb::DateAdd(QStringLiteral("d"), duration, startDate),
                          QStringLiteral("Short Date"));
    case 2: return QStringLiteral("No Expiry Date");
    default: return QStringLiteral("Expiry Unknown");
    }
}

} // namespace Global
