#include "familypanel.h"

#include "platform/ui/color.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"
#include "platform/ui/tag.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace students {

const QString IndividualCaption = QStringLiteral("(individual)");

namespace {

QWidget *child(QObject *window, const char *name)
{
    return window ? window->findChild<QWidget *>(QLatin1String(name)) : nullptr;
}

// Shows one button of a pair where the other stood (a window without a layout
// places its controls itself), and hides the other.
void swap(QWidget *shown, QWidget *hidden)
{
    if (shown && hidden && shown->parentWidget() && !shown->parentWidget()->layout())
        shown->move(shown->x(), hidden->y());
    if (hidden)
        hidden->setVisible(false);
    if (shown)
        shown->setVisible(true);
}

} // namespace

void SetFamilyLine(QObject *window, const QString &caption, const QString &tag)
{
    if (auto *line = qobject_cast<QLabel *>(child(window, "lblFamily"))) {
        line->setText(caption);
        ui::setTag(line, tag);
    }
    ShowFamilyButtons(window);
}

void ShowFamilyButtons(QObject *window)
{
    auto *line = qobject_cast<QLabel *>(child(window, "lblFamily"));
    if (!line)
        return;
    const bool member = line->text() != IndividualCaption;
    QWidget *family = child(window, "cmdFamily");
    QWidget *attach = child(window, "cmdAttachFamily");
    QWidget *remove = child(window, "cmdRemoveFamily");
    QWidget *pick = child(window, "cmdEditFamily");
    if (member) {
        swap(family, attach);
        swap(remove, pick);
    } else {
        swap(attach, family);
        swap(pick, remove);
    }
}

void ShowFamilyContactName(QObject *window, const QString &contactName)
{
    auto *form = qobject_cast<ui::Form *>(window);
    if (!form || form->name() == QLatin1String("frmEmpDetails"))
        return;
    for (QWidget *w : window->findChildren<QWidget *>(QStringLiteral("txtField"))) {
        if (ui::controlIndex(w) != 4)
            continue;
        if (auto *box = qobject_cast<QLineEdit *>(w)) {
            box->setText(contactName);
            box->setReadOnly(true);
            QPalette p = box->palette();
            p.setColor(QPalette::Base, ui::fromVbColor(0x8000000FLL));
            box->setPalette(p);
        }
        return;
    }
}

} // namespace students
