#include "irecobjectcode.h"

#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/color.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <limits>

namespace irecObjectCode {

namespace {

// The binding tag of a control: trimmed and in upper case; empty when unbound.
QString boundTag(const QWidget *control)
{
    return ui::tag(control).trimmed().toUpper();
}

// The controls of a window in its control order (creation order, depth first).
QList<QWidget *> controlsOf(QWidget *form)
{
    return form ? form->findChildren<QWidget *>() : QList<QWidget *>();
}

// The control's default value: the text of a text box or combo box, the state of
// a check box (0, 1 or 2), the date of a date picker, the value of a spin box.
QVariant defaultValue(QWidget *control)
{
    if (auto *check = qobject_cast<QCheckBox *>(control))
        return int(check->checkState());
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *simple = qobject_cast<ui::SimpleCombo *>(control))
        return simple->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(control))
        return rich->toPlainText();
    if (auto *picker = qobject_cast<ui::DatePicker *>(control))
        return picker->value();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        return spin->property("value");
    const QVariant text = control->property("text");
    if (text.isValid())
        return text;
    throw vb::Error(vb::err::ObjectDoesNotSupport);
}

void setBackColor(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

// The result code of the saving steps for the error being handled: its number,
// 16 bits wide. An error without a number is passed on, never reported as 0.
int resultCode()
{
    const long number = core::currentError().number;
    if (number == 0)
        throw;
    if (number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        throw vb::Error(vb::err::Overflow);
    return int(number);
}

QString fieldSql(const QString &table, const QString &keyColumn, qint32 keyValue,
                 const QString &field)
{
    return QStringLiteral("SELECT ") + field + QStringLiteral(" FROM ") + table +
           QStringLiteral(" WHERE ") + keyColumn + QStringLiteral(" = ") +
           Global::SqlNumber(keyValue) + QLatin1Char(';');
}

void showFieldError(const QString &kind, const QString &table, const core::ErrorInfo &error)
{
    ui::Dialogs::msgBox(QStringLiteral("There was an error when obtaining the value of the ") +
                            kind + QStringLiteral(" Field from the ") + table +
                            QStringLiteral(" Table.\r\nErr#") + QString::number(error.number) +
                            QStringLiteral(" - ") + error.description +
                            QStringLiteral(".\r\nThe operation may not complete as expected."),
                        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Unexpected Error"));
}

} // namespace

void PrepareRecordset(jet::Recordset &recordset)
{
    recordset.setActiveConnection(&Global::DbConnection());
}

std::unique_ptr<jet::Recordset> OpenRecordset(const QString &sql, bool adapt)
{
    auto rs = std::make_unique<jet::Recordset>();
    PrepareRecordset(*rs);
    rs->setSource(adapt ? Global::AdaptSql(sql) : sql);
    rs->open();
    return rs;
}

int GetIntegerField(const QString &table, const QString &keyColumn, qint32 keyValue,
                    const QString &field)
{
    try {
        auto rs = OpenRecordset(fieldSql(table, keyColumn, keyValue, field));
        int result = 0;
        if (rs->recordCount() > 0)
            result = vb::CInt(rs->value(0));
        rs->close();
        return result;
    } catch (...) {
        showFieldError(QStringLiteral("Integer"), table, core::currentError());
        return 0;
    }
}

QString GetStringField(const QString &table, const QString &keyColumn, qint32 keyValue,
                       const QString &field)
{
    try {
        auto rs = OpenRecordset(fieldSql(table, keyColumn, keyValue, field));
        QString result;
        if (rs->recordCount() > 0)
            result = vb::CStr(rs->value(0));
        rs->close();
        return result;
    } catch (...) {
        showFieldError(QStringLiteral("String"), table, core::currentError());
        return {};
    }
}

void LoadListFromSql(QWidget * /*form*/, QWidget *list, const QString &sql)
{
    try {
        const int remembered = core::listCount(list) > 0 ? core::listIndex(list) : 0;
        core::listClear(list);
        auto rs = OpenRecordset(sql);
        while (!rs->eof()) {
            const QVariant value = rs->value(0);
            if (!value.isNull()) {
                const QString text = vb::CStr(value);
                if (!text.isEmpty())
                    core::listAddItem(list, text);
            }
            rs->moveNext();
        }
        rs->close();
        const int count = core::listCount(list);
        if (count > 0)
            core::setListIndex(list, remembered < count ? remembered : 0);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred while loading the list. (Err#") +
                                QString::number(error.number) + QLatin1Char(')'),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void FillListFromSql(QWidget *list, const QString &sql, int keepItems)
{
    if (keepItems == 0)
        core::listClear(list);
    auto rs = OpenRecordset(sql);
    while (!rs->eof()) {
        core::listAddItem(list, vb::CStr(rs->value(0)));
        rs->moveNext();
    }
    rs->close();
}

int EnableBoundControls(QWidget *form, bool enable, const QString &colour)
{
    ui::Hourglass::show();
    QColor background;
    if (!enable) {
        background = colour.isEmpty() ? form->palette().color(QPalette::Window)
                                      : ui::fromVbColor(qint64(vb::Val(colour)));
    }
    for (QWidget *control : controlsOf(form)) {
        const QString tag = boundTag(control);
        if (tag.isEmpty())
            continue;
        if (enable) {
            if (tag.contains(QLatin1String("/R")))
                continue;
            control->setEnabled(true);
            setBackColor(control, ui::fromVbColor(0x80000005));
        } else {
            setBackColor(control, background);
        }
    }
    ui::Hourglass::reset();
    return 0;
}

int SaveFormToRecord(QWidget *form, jet::Recordset &recordset)
{
    ui::Hourglass::show();
    try {
        for (QWidget *control : controlsOf(form)) {
            const QString tag = boundTag(control);
            if (tag.isEmpty() || control->objectName().contains(QLatin1String("cmd")))
                continue;
            const QStringList parts = tag.split(QLatin1Char('/'));
            if (parts.size() < 2)
                throw vb::Error(vb::err::SubscriptOutOfRange);
            if (parts[1] == QLatin1String("E"))
                recordset.setValue(parts[0], defaultValue(control));
        }
    } catch (...) {
        ui::Hourglass::reset();
        return resultCode();
    }
    ui::Hourglass::reset();
    return 0;
}

int SaveRecordset(jet::Recordset &recordset)
{
    ui::Hourglass::show();
    try {
        recordset.update();
    } catch (...) {
        ui::Hourglass::reset();
        return resultCode();
    }
    ui::Hourglass::reset();
    return 0;
}

} // namespace irecObjectCode
