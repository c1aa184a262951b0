#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;

// The program's name, version and picture.
class frmAbout : public ui::Form
{
    Q_OBJECT
public:
    frmAbout();

    QLabel *Image1;
    QLabel *HeadingLabel;
    QLabel *SubHeading;
    QLabel *lblVersion;
    QPushButton *cmdOK;

    // The heading for a short application name: the name alone when it is longer
    // than 5 characters, otherwise "About " and the name.
    static QString HeadingFor(const QString &shortAppName);

protected:
    void onLoad() override;

private:
    void LoadAboutPicture();
};
