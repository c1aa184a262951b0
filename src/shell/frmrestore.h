#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QListWidget;
class QPushButton;

// "Restore Backup File": copies one of the backups this computer made to a path the
// user picks. Opened from the data-file window before a data file is opened.
class frmRestore : public ui::Form
{
    Q_OBJECT
public:
    explicit frmRestore(QWidget *parent = nullptr);

    QComboBox *cboType = nullptr;
    // The files of the chosen kind (the folder is flbPath, names matching flbPattern).
    QListWidget *flb = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdClose = nullptr;

    QString flbPath() const { return m_path; }
    QString flbPattern() const { return m_pattern; }

public slots:
    void cboType_Click();
    void cmdOK_Click();
    void cmdClose_Click();

protected:
    void onLoad() override;

private:
    void refreshList();

    QString m_path;
    QString m_pattern;
};
