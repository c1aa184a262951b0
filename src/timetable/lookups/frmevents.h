#pragma once

#include "core/lookupeditor.h"

namespace ui {
class DatePicker;
}

// The events: named dates.
class frmEvents : public LookupEditor
{
    Q_OBJECT
public:
    frmEvents();

    Q_INVOKABLE void lstEvents_Click() { showSelected(); }

    QListWidget *lstEvents;
    QLineEdit *txtEventName;
    ui::DatePicker *dtEventDate;
    // The EventID of the event shown; 0 for none. Save adds an event while it is 0.
    qint32 CurrentEventId = 0;

protected:
    QString listSql() const override;
    void showEntry(const QString &entry) override;
    void ClearFields() override;
    Message saveRefusal() override;
    Message writeRow() override;
    QString deleteSql() const override;
};
