#pragma once

#include "platform/ui/form.h"

#include <QCheckBox>
#include <functional>

class QLabel;
class QPushButton;

// The "Don't Show This Again" box: tells its window when the mouse button was
// released on it (ticking with the keyboard does not).
class NoShowCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;
    std::function<void()> mouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The data-file window: at its load it reads "DataPath.txt" and either loads the
// remembered data file at once, never showing, or shows itself so that the user
// creates, opens or chooses a data file, restores a backup or leaves.
class frmOpen : public ui::Form
{
    Q_OBJECT
public:
    explicit frmOpen(QWidget *parent = nullptr);

    // The program's command line as one text (the arguments after the program's
    // name joined by blanks). Tests set their own; a null text puts the real one back.
    static void setCommandLine(const QString &commandLine);
    static QString commandLine();

    // The data file to load next.
    QString DataFileFolder;
    QString DataFileName;
    // Set once the Open button has chosen a file: the loader then leaves an existing
    // "DataPath.txt" as it is (unless chkNoShow is ticked).
    bool boolKeepDataPath = false;

    QPushButton *cmdNew = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdPractice = nullptr;
    QPushButton *cmdOptions = nullptr;
    QPushButton *cmdExit = nullptr;
    NoShowCheckBox *chkNoShow = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *TreeImage = nullptr;
    QLabel *Image5 = nullptr;

    // The loader (see shell::LoadDataFile2) with this window's box and flag.
    Q_INVOKABLE void LoadDataFile2(QString &AppString, QString &FileName);
    // Shows the progress window and loads DataFileFolder / DataFileName.
    Q_INVOKABLE void LoadSelectedFile();

public slots:
    void CreateNewDataFile();
    void OpenExistingDataFile();
    void OpenSampleFile();
    void cmdOptions_Click();
    void cmdExit_Click();

protected:
    void onLoad() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void LoadTreePicture();
    void chkNoShow_MouseUp();
};
