#pragma once

#include "core/lookupeditor.h"

// The activities: the kind of lesson a class is. A class carries the activity's
// name, which is also the row's key.
class frmActivities : public LookupEditor
{
    Q_OBJECT
public:
    frmActivities();

    Q_INVOKABLE void lstActivities_Click() { showSelected(); }

    QListWidget *lstActivities;
    QLineEdit *txtActivityName;
    // The stored name of the activity last shown; empty after New.
    QString CurrentActivityName;

protected:
    QString listSql() const override;
    void showEntry(const QString &entry) override;
    void ClearFields() override;
    Message saveRefusal() override;
    Message writeRow() override;
    Message deleteRefusal() override;
    QString deleteSql() const override;
    void refreshClassSearch() override;
};
