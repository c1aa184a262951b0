#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QDateTimeEdit;

namespace ui {

// The date picker: a date (and time) edit with a drop-down calendar, shown in a
// custom format ("dd-MMM-yyyy", "dddd, d MMMM yyyy", "h:mm tt" with "tt" for
// AM/PM), and, when it has a check box, an empty state: unticked, its value is null.
class DatePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    void setCustomFormat(const QString &format);
    QString customFormat() const { return m_format; }

    void setCheckBox(bool shown);
    bool hasCheckBox() const { return m_hasCheckBox; }

    // The date shown (a QDate), or the date and time when the format shows a time
    // (a QDateTime), or a null QVariant in the empty state.
    QVariant value() const;
    // A valid QDate, QDateTime or QTime (a time alone lies on 30 December 1899)
    // shows it and ticks the box; a null value empties a picker with a check box.
    void setValue(const QVariant &value);
    QDate date() const;
    void setDate(const QDate &date) { setValue(date); }
    bool isEmpty() const;

    QDateTimeEdit *dateEdit() const { return m_edit; }

    // The display format of a custom date format ("tt" becomes "AP", "t" "A").
    static QString toQtFormat(const QString &format);

signals:
    void change();

private:
    QCheckBox *m_check;
    QDateTimeEdit *m_edit;
    QString m_format;
    bool m_hasCheckBox = false;
};

} // namespace ui
