#pragma once

#include "platform/ui/form.h"

#include <QStringList>
#include <functional>

class QLineEdit;
class QPushButton;

// "Import SQL File": runs a support script, after its access code was typed,
// against the open data file and opens the rows of its SELECT statements in the
// desktop's text editor.
class frmSQL : public ui::Form
{
    Q_OBJECT
public:
    explicit frmSQL(QWidget *parent = nullptr);

    QLineEdit *txtFilePath = nullptr;
    QPushButton *btnFile = nullptr;
    QLineEdit *txtPass = nullptr;
    QPushButton *cmdNow = nullptr;
    QPushButton *cmdLater = nullptr;

    // Opens the export file for reading (the desktop's text editor). Tests put a
    // hook in its place; an empty hook puts the real one back.
    static void setOpenExportHook(std::function<void(const QString &)> hook);

public slots:
    void btnFile_Click();
    void txtPass_Change();
    void cmdNow_Click();
    void cmdLater_Click();

private:
    bool m_haveScript = false;
    QStringList m_statements;
};
