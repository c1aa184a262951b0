#include "searchlists.h"

#include "classsearchquery.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/modregistryapis.h"
#include "core/timetablelookups.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/error.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <algorithm>
#include <cmath>

namespace classsearch {

namespace {

// The list's box: its first sentence, the error being handled, its last sentence.
void showListError(const ListErrorTexts &texts)
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(texts.first + QStringLiteral("\r\nErr#") + QString::number(e.number) +
                            QStringLiteral(" - ") + e.description + QStringLiteral(".\r\n") +
                            texts.last,
                        ui::vbExclamation, texts.title);
}

template <typename Step>
void listStep(const ListErrorTexts &texts, Step step)
{
    try {
        step();
    } catch (...) {
        showListError(texts);
    }
}

const QString WindowPos = QStringLiteral("WindowPos");

QVariant stored(const char *name, int fallback)
{
    return modRegistryAPIs::GetRegValue(QStringLiteral("HKCU"), QStringLiteral("Ovix"),
                                        QStringLiteral("Ovix"), WindowPos,
                                        QString::fromLatin1(name), fallback);
}

} // namespace

QStringList TimeModes()
{
    return {QStringLiteral("(All)"),        QStringLiteral("AM Only"),
            QStringLiteral("PM Only"),      QStringLiteral("All Weekends"),
            QStringLiteral("All Weekdays"), QStringLiteral("AM + Weekdays"),
            QStringLiteral("PM + Weekends")};
}

void FillFilterList(QComboBox *list, const QString &sql, const ListErrorTexts &texts)
{
    listStep(texts, [&] { core::listClear(list); });
    listStep(texts, [&] { core::listAddItem(list, All); });
    listStep(texts, [&] { irecObjectCode::FillListFromSql(list, sql, 1); });
    imodGlobalSubs::SetComboIndex(list, 0);
}

void FillLevelLists(const QList<QComboBox *> &lists)
{
    const ListErrorTexts texts{QStringLiteral("Error loading class group list"),
                               QStringLiteral("There was an error when loading the level list."),
                               QStringLiteral("The class groups may not display correctly.")};
    listStep(texts, [&] {
        for (QComboBox *c : lists) {
            core::listClear(c);
            core::listAddItem(c, All);
        }
    });
    listStep(texts, [&] {
        for (QComboBox *c : lists)
            irecObjectCode::FillListFromSql(c, LevelListSql, 1);
    });
    for (QComboBox *c : lists)
        imodGlobalSubs::SetComboIndex(c, 0);
}

void FillProgramList(QComboBox *programs)
{
    const ListErrorTexts texts{QStringLiteral("Error loading program list"),
                               QStringLiteral("There was an error when loading the program list."),
                               QStringLiteral("The list of programs may not display correctly.")};
    listStep(texts, [&] {
        const int err = imodPrograms::FillProgramCombo(programs, false);
        if (err != 0)
            throw vb::Error(err);
    });
    if (core::listCount(programs) > 0)
        imodGlobalSubs::SetComboIndex(programs, 0);
    listStep(texts, [&] {
        const QVariant wanted =
            Global::CentreSettings().Settings(int(CentreSettingIds::DefaultProgramName));
        if (wanted.isNull())
            throw vb::Error(94); // Invalid use of Null
        const QString name = wanted.toString();
        const int at = programs->findText(name, Qt::MatchFixedString);
        if (at >= 0) {
            programs->setCurrentIndex(at);
            return;
        }
        // Not among the active programs: the first one stands in for this session.
        imodGlobalSubs::SetComboIndex(programs, 0);
        const QString stand = programs->currentText();
        ui::Dialogs::msgBox(
            QStringLiteral("The default program selected in Global Settings (") + name +
                QStringLiteral(") could not be found in the list of active programs.\r\n"
                               "This program has either been marked as inactive, renamed or "
                               "deleted.\r\n\r\nTo resolve this issue, please select a new "
                               "default program in Global Settings.\r\n") +
                Global::CentreSettings().ShortAppName() +
                QStringLiteral(" will temporarily use ") + stand +
                QStringLiteral(" as the default program for this session, as it appears first "
                               "in the list."),
            ui::vbInformation, QStringLiteral("Default Program Unavailable"));
        Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName), stand);
    });
}

QPoint DefaultPlace(QSize area, QSize design)
{
    // Halves go to the even whole twip.
    return {std::max(0, int(std::nearbyint((area.width() - design.width()) / 2.0))),
            std::max(0, int(std::nearbyint((area.height() - design.height()) / 2.0 - 500)))};
}

QRect StoredPlace(QPoint place, QSize design)
{
    const int left = int(stored("WindowLeft", place.x()).toFloat());
    const int top = int(stored("WindowTop", place.y()).toFloat());
    const int height = int(stored("WindowHeight", design.height()).toFloat());
    const int width = int(stored("WindowWidth", design.width()).toFloat());
    return {left, top, std::max(width, design.width()), std::max(height, design.height())};
}

void SavePlace(const QRect &frame)
{
    const auto save = [](const char *name, int twips) {
        modRegistryAPIs::SaveRegValue(QStringLiteral("HKCU"), QStringLiteral("Ovix"),
                                      QStringLiteral("Ovix"), WindowPos, QString::fromLatin1(name),
                                      QString::number(twips));
    };
    save("WindowTop", frame.y());
    save("WindowLeft", frame.x());
    save("WindowHeight", frame.height());
    save("WindowWidth", frame.width());
}

} // namespace classsearch
