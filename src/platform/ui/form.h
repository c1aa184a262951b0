#pragma once

#include "closereason.h"

#include <QPointer>
#include <QWidget>

class QMdiSubWindow;

namespace ui {

// The base of every window. A window is loaded once (registered with Forms and
// its onLoad step run), shown modeless inside the main window's MDI area or as a
// window of its own, hidden, and unloaded: the query-unload and unload steps may
// cancel; otherwise it leaves the registry and is destroyed (deleteLater).
class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // The window's name: its object name when set, otherwise its class name
    // ("frmViewClass"). Several instances of a class share the name.
    QString name() const;
    QString caption() const { return windowTitle(); }
    void setCaption(const QString &text) { setWindowTitle(text); }

    // Whether the window shows inside the MDI area (the default) or on its own.
    bool isMdiChild() const { return m_mdiChild; }
    void setMdiChild(bool mdiChild) { m_mdiChild = mdiChild; }

    bool isLoaded() const { return m_loaded; }
    // Registers the window and runs its load step, once.
    void load();
    // Loads when needed and shows the window modeless, brought to the front.
    void showForm();
    void hideForm();
    // Runs the query-unload and unload steps with the reason; when neither cancels,
    // the window leaves the registry and is destroyed. Gives false when cancelled.
    bool unload(CloseReason reason = CloseReason::Code);

    // The record ID kept in txtField[0] (the text of the child named "txtField"
    // whose index is 0); empty when the window has none.
    QString recordId() const;

    // The widget that frames the window on screen: its MDI subwindow, or itself.
    QWidget *frame();

signals:
    void unloaded();

protected:
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onQueryUnload(CloseReason reason, bool &cancel);
    virtual void onUnload(CloseReason reason, bool &cancel);

    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    friend class MdiHost;
    void activated() { onActivate(); }

    bool m_mdiChild = true;
    bool m_loaded = false;
    bool m_unloading = false;
    QPointer<QMdiSubWindow> m_subWindow;
};

} // namespace ui
