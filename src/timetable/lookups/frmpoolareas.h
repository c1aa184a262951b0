#pragma once

#include "core/lookupeditor.h"
#include "platform/ui/controlarray.h"

// The pool areas, shown to users as locations: where a class runs.
class frmPoolAreas : public LookupEditor
{
    Q_OBJECT
public:
    frmPoolAreas();

    Q_INVOKABLE void lstLevels_Click() { showSelected(); }

    QListWidget *lstLevels;
    // Bound by their tags: 0 "AreaID/R" (read-only), 1 "AreaName/E".
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};

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
