#include "frmloading.h"

#include "pictures.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/timer.h"
#include "platform/ui/windowregistry.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QStackedLayout>
#include <QVBoxLayout>

frmLoading::frmLoading(QWidget *parent)
    : ui::Form(parent)
    , Image1(QStringLiteral("Image1"))
{
    setMdiChild(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setCaption(QStringLiteral("Ovixian"));
    auto *pictureHost = new QWidget(this);
    m_pictures = new QStackedLayout(pictureHost);
    m_pictures->setStackingMode(QStackedLayout::StackAll);
    for (int i = 0; i <= 5; ++i) {
        auto *picture = Image1.add(i, new QLabel(pictureHost));
        picture->setPixmap(shell::pictures::Waiting(i));
        picture->setAlignment(Qt::AlignCenter);
        m_pictures->addWidget(picture);
    }
    Label1 = new QLabel(QStringLiteral("Loading... Please Wait..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(pictureHost, 0, Qt::AlignHCenter);
    layout->addWidget(Label1);
    Timer1 = new ui::Timer(this, 300);
    connect(Timer1, &ui::Timer::timer, this, &frmLoading::Timer1_Timer);
    resize(240, 130);
}

void frmLoading::onLoad()
{
    const int i = int(QRandomGenerator::global()->generateDouble() * 6);
    m_pictures->setCurrentIndex(i);
    Image1[i]->raise();
}

int frmLoading::shownPicture() const
{
    return m_pictures->currentIndex();
}

void frmLoading::Timer1_Timer()
{
    Timer1->setEnabled(false);
    if (ui::Form *search = shell::LoadWindowByName(QStringLiteral("Main")))
        ui::callByName(search, QStringLiteral("CheckBeforeFill"));
    unload();
}
