#include "datepicker.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

namespace ui {

DatePicker::DatePicker(QWidget *parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_edit(new QDateTimeEdit(QDate::currentDate(), this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    m_check->setVisible(false);
    m_check->setChecked(true);
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    setFocusProxy(m_edit);
    connect(m_edit, &QDateTimeEdit::dateTimeChanged, this, &DatePicker::change);
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        emit change();
    });
}

QString DatePicker::toQtFormat(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
        } else if (!quoted && c == QLatin1Char('t')) {
            const bool twice = i + 1 < format.size() && format.at(i + 1) == QLatin1Char('t');
            out += twice ? QStringLiteral("AP") : QStringLiteral("A");
            if (twice)
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

void DatePicker::setCustomFormat(const QString &format)
{
    m_format = format;
    m_edit->setDisplayFormat(toQtFormat(format));
}

void DatePicker::setCheckBox(bool shown)
{
    m_hasCheckBox = shown;
    m_check->setVisible(shown);
    if (!shown)
        m_check->setChecked(true);
}

QVariant DatePicker::value() const
{
    if (isEmpty())
        return QVariant();
    if (m_edit->displayedSections() & QDateTimeEdit::TimeSections_Mask)
        return m_edit->dateTime();
    return m_edit->date();
}

void DatePicker::setValue(const QVariant &value)
{
    QDateTime when;
    if (value.metaType().id() == QMetaType::QTime)
        when = QDateTime(QDate(1899, 12, 30), value.toTime());
    else if (value.metaType().id() == QMetaType::QDate)
        when = QDateTime(value.toDate(), QTime(0, 0));
    else
        when = value.toDateTime();
    if (value.isNull() || !when.isValid()) {
        if (m_hasCheckBox)
            m_check->setChecked(false);
        return;
    }
    m_edit->setDateTime(when);
    m_check->setChecked(true);
}

QDate DatePicker::date() const
{
    return m_edit->date();
}

bool DatePicker::isEmpty() const
{
    return m_hasCheckBox && !m_check->isChecked();
}

} // namespace ui
