#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace ui {

class Form;

// The main window's MDI area, where the windows that are MDI children show.
// The main window hands its area over when it loads and takes it back (nullptr)
// when it unloads; without an area every window shows on its own.
class MdiHost
{
public:
    static void setArea(QMdiArea *area);
    static QMdiArea *area();

private:
    friend class Form;
    static QMdiSubWindow *attach(Form *form);
};

} // namespace ui
