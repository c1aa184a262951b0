#include "pickwindow.h"

#include "core/workingwindow.h"
#include "platform/ui/labels.h"
#include "platform/ui/simplecombo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace families {

PickParts MakePickParts(QWidget *window, const QString &heading, const QString &prompt)
{
    PickParts p;
    p.Image1 = core::NewLogoLabel(window);
    p.Label2 = ui::headingLabel(heading, window);
    p.Label2->setObjectName(QStringLiteral("Label2"));
    p.Label5 = new QLabel(prompt, window);
    p.Label5->setObjectName(QStringLiteral("Label5"));
    p.cbo = new ui::SimpleCombo(window);
    p.cbo->setObjectName(QStringLiteral("cbo"));
    p.optLF = new QRadioButton(QStringLiteral("Smith, John"), window);
    p.optLF->setObjectName(QStringLiteral("optLF"));
    p.optLF->setChecked(true);
    p.optFL = new QRadioButton(QStringLiteral("John Smith"), window);
    p.optFL->setObjectName(QStringLiteral("optFL"));
    p.lblStatus = new QLabel(QStringLiteral("Searching"), window);
    p.lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto *header = new QHBoxLayout;
    header->addWidget(p.Image1);
    header->addWidget(p.Label2, 1);
    auto *order = new QHBoxLayout;
    order->addWidget(p.optLF);
    order->addWidget(p.optFL);
    order->addStretch(1);
    p.layout = new QVBoxLayout(window);
    p.layout->addLayout(header);
    p.layout->addWidget(p.Label5);
    p.layout->addWidget(p.cbo, 1);
    p.layout->addLayout(order);
    p.layout->addWidget(p.lblStatus);
    return p;
}

QString ChosenItemText(const ui::SimpleCombo *cbo)
{
    const QListWidgetItem *marked = cbo->listWidget()->currentItem();
    if (marked && marked->text().compare(cbo->text(), Qt::CaseInsensitive) == 0)
        return marked->text();
    const int index = cbo->listIndex();
    return index < 0 ? QString() : cbo->list(index);
}

} // namespace families
