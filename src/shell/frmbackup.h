#pragma once

#include "platform/ui/form.h"

#include <QDateTime>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Data Maintenance": the last window shown for an open data file. It runs the
// maintenance statements, deletes the report viewer's left-over files and copies
// the data file to a backup, then ends the program (OnClose 1) or brings back the
// data-file window (OnClose 0).
class frmBackup : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(int OnClose READ onClose WRITE setOnClose)
public:
    explicit frmBackup(QWidget *parent = nullptr);

    int onClose() const { return OnClose; }
    Q_INVOKABLE void setOnClose(int value) { OnClose = value; }

    // Runs the whole backup as chosen in the window.
    Q_INVOKABLE void BackupNow();

    // 1 = end the program when done, 0 = show the data-file window again.
    int OnClose = 0;

    QLabel *lblBackupTarget = nullptr;
    QLabel *lblChangeTarget = nullptr;
    QLabel *MaintenanceIntro = nullptr;
    QListWidget *lst = nullptr;
    QRadioButton *optBackup = nullptr;
    QRadioButton *optNoBackup = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdClose = nullptr;

public slots:
    void cmdOK_Click();
    void cmdClose_Click();
    void lblChangeTarget_Click();

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void RunDataMaintenance();
    void DeleteReportTempFiles();
    // Copies the data file; a failure is shown with the offer to try again. Gives
    // whether a copy was made.
    bool CopyDataFile(const QString &target);
    void FinishAndClose();
    bool isTaskSelected(int index) const;
};
