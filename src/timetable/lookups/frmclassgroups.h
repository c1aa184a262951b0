#pragma once

#include "core/lookupeditor.h"
#include "platform/ui/controlarray.h"

class QCheckBox;

// The class groups: the level names a class is given, each with a default class
// size and an inactive flag.
class frmClassGroups : public LookupEditor
{
    Q_OBJECT
public:
    frmClassGroups();

    Q_INVOKABLE void lstLevels_Click() { showSelected(); }
    // "Hide inactive" ticked or unticked: the list is loaded again.
    Q_INVOKABLE void Check1_Click() { LoadList(); }

    QListWidget *lstLevels;
    // 0 the ID (ClassGroupCode, always read-only), 1 the name, 3 Max in Class.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QCheckBox *chkInactive;
    QCheckBox *Check1;

protected:
    QString listSql() const override;
    void showEntry(const QString &entry) override;
    void ClearFields() override;
    void clearForNew() override;
    Message saveRefusal() override;
    Message writeRow() override;
    QString deleteSql() const override;
    QString deleteError(const core::ErrorInfo &error) const override;
    void refreshClassSearch() override;
};
