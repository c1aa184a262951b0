#include "form.h"

#include "controlarray.h"
#include "forms.h"
#include "mdihost.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui {

Form::Form(QWidget *parent)
    : QWidget(parent)
{}

Form::~Form()
{
    Forms::remove(this);
}

QString Form::name() const
{
    return objectName().isEmpty() ? QString::fromLatin1(metaObject()->className()) : objectName();
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Forms::add(this);
    onLoad();
}

void Form::showForm()
{
    load();
    if (m_unloading)
        return;
    QMdiArea *area = MdiHost::area();
    if (m_mdiChild && area) {
        if (!m_subWindow)
            m_subWindow = MdiHost::attach(this);
        m_subWindow->show();
        show();
        area->setActiveSubWindow(m_subWindow);
    } else {
        show();
        raise();
        activateWindow();
    }
}

void Form::hideForm()
{
    frame()->hide();
}

bool Form::unload(CloseReason reason)
{
    if (m_unloading)
        return true;
    bool cancel = false;
    onQueryUnload(reason, cancel);
    if (cancel)
        return false;
    onUnload(reason, cancel);
    if (cancel)
        return false;
    m_unloading = true;
    Forms::remove(this);
    m_loaded = false;
    emit unloaded();
    QWidget *f = frame();
    f->hide();
    f->deleteLater();
    return true;
}

QString Form::recordId() const
{
    for (const QWidget *w : findChildren<QWidget *>(QStringLiteral("txtField"))) {
        if (controlIndex(w) == 0)
            return w->property("text").toString();
    }
    return {};
}

QWidget *Form::frame()
{
    if (m_subWindow)
        return m_subWindow;
    return this;
}

void Form::onQueryUnload(CloseReason, bool &)
{}

void Form::onUnload(CloseReason, bool &)
{}

void Form::closeEvent(QCloseEvent *event)
{
    if (m_unloading || unload(CloseReason::ControlMenu))
        event->accept();
    else
        event->ignore();
}

bool Form::event(QEvent *event)
{
    // Windows inside the MDI area are told of activation by the MDI host.
    if (event->type() == QEvent::WindowActivate && !m_subWindow && isWindow())
        onActivate();
    return QWidget::event(event);
}

} // namespace ui
