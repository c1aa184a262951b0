#include "frmchangefamily.h"

#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "pickwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/simplecombo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class F> void quietStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

} // namespace

frmChangeFamily::frmChangeFamily()
{
    setObjectName(QStringLiteral("frmChangeFamily"));
    setCaption(QStringLiteral("Add Student to Family"));
    const families::PickParts p =
        families::MakePickParts(this, QStringLiteral("Add Student to Family"),
                                QStringLiteral("Choose a Family Contact Person from the List"));
    Image1 = p.Image1;
    Label2 = p.Label2;
    Label5 = p.Label5;
    cbo = p.cbo;
    optLF = p.optLF;
    optFL = p.optFL;
    lblStatus = p.lblStatus;
    cmdNext = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdNext"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    cmdNext->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    p.layout->addLayout(buttons);
    resize(420, 520);

    connect(optLF, &QRadioButton::clicked, this, &frmChangeFamily::Load_Students);
    connect(optFL, &QRadioButton::clicked, this, &frmChangeFamily::Load_Students);
    connect(cmdNext, &QPushButton::clicked, this, &frmChangeFamily::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChangeFamily::cmdClose_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this,
            &frmChangeFamily::cmdNext_Click);
}

void frmChangeFamily::onLoad()
{
    quietStep([this] { core::PlaceOnMainWindow(this); });
    quietStep([this] { core::ShowClassSearchLogo(Image1); });
    Load_Students();
}

void frmChangeFamily::onActivate()
{
    // Families added meanwhile appear; what was typed stays.
    const QString typed = cbo->text();
    Load_Students();
    quietStep([&] { cbo->setText(typed); });
}

void frmChangeFamily::Load_Up(QObject *xf)
{
    m_xf = xf;
}

void frmChangeFamily::Load_Students()
{
    imodGlobalSubs::FillFamilyList(cbo, optFL->isChecked(), lblStatus);
}

void frmChangeFamily::cmdNext_Click()
{
    const QString chosen = cbo->text();
    if (m_xf)
        quietStep([&] { ui::callByName(m_xf, QStringLiteral("ChangeFamily"), {chosen}); });
    unload();
}

void frmChangeFamily::cmdClose_Click()
{
    unload();
}
