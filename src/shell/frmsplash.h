#pragma once

#include "platform/ui/form.h"

#include <functional>

class QLabel;

namespace ui {
class Timer;
}

// The splash window: the program starts here. Its load settles the product's
// names, its picture and version, saves the print settings, shows itself and
// starts its timer; when the timer fires the data-file window takes over.
class frmSplash : public ui::Form
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    // The program's current printer; empty when the computer has none. Tests
    // replace it (an empty maker puts the real query back).
    static void setPrinterQuery(std::function<QString()> query);

    QLabel *SplashImage = nullptr;
    QLabel *lblVersion = nullptr;
    ui::Timer *Timer1 = nullptr;

    // "Version " major "." minor "." revision.
    static QString VersionText();

public slots:
    void Timer1_Timer();

protected:
    void onLoad() override;

private:
    void ReadProductInfo();
    void LoadSplashPicture();
    void SavePageSetup();
    void reportError(long number, const QString &description);
};
