#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QLabel;
class QStackedLayout;

namespace ui {
class Timer;
}

// The plain wait window. Each showing shows one of six pictures at random; a
// caller that enables Timer1 has the class search refill itself 300 ms later,
// after which the window unloads itself.
class frmLoading : public ui::Form
{
    Q_OBJECT
public:
    explicit frmLoading(QWidget *parent = nullptr);

    ui::ControlArray<QLabel> Image1;
    QLabel *Label1 = nullptr;
    ui::Timer *Timer1 = nullptr;

    // The index of the picture in front.
    int shownPicture() const;

public slots:
    void Timer1_Timer();

protected:
    void onLoad() override;

private:
    QStackedLayout *m_pictures = nullptr;
};
