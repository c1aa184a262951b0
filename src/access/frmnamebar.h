#pragma once

#include "platform/ui/form.h"

class QFrame;
class QLabel;

// The user name bar at the top right of the main window: the signed-in user's name
// and the sign-out label.
class frmNameBar : public ui::Form
{
    Q_OBJECT
public:
    frmNameBar();

    QFrame *Shape1;
    QLabel *Label1;
    QLabel *Label2;

    // Shows the name and the sign-out caption again and lays the bar out anew.
    Q_INVOKABLE void Reload();
    Q_INVOKABLE void Label2_Click();

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showNames();
};
