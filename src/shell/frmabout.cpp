#include "frmabout.h"

#include "makerpages.h"

#include "core/centresettings.h"
#include "core/imodvista.h"
#include "platform/ui/buttons.h"
#include "platform/ui/labels.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

frmAbout::frmAbout()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/shell/icons/about.png")));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    HeadingLabel = ui::headingLabel(QStringLiteral("About Ovix"), this);
    HeadingLabel->setObjectName(QStringLiteral("HeadingLabel"));
    SubHeading = new QLabel(QStringLiteral("About this product"), this);
    SubHeading->setObjectName(QStringLiteral("SubHeading"));
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    cmdOK = ui::namedButton(QStringLiteral("Close"), QStringLiteral("cmdOK"), this);
    connect(cmdOK, &QPushButton::clicked, this, [this] { unload(); });

    auto *text = new QVBoxLayout;
    text->addWidget(HeadingLabel);
    text->addWidget(SubHeading);
    text->addSpacing(12);
    text->addWidget(lblVersion);
    text->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(420, 220);
}

QString frmAbout::HeadingFor(const QString &shortAppName)
{
    return shortAppName.size() > 5 ? shortAppName : QStringLiteral("About ") + shortAppName;
}

void frmAbout::LoadAboutPicture()
{
    const QString path = imodVista::GetAppDataFolder() + QStringLiteral("about.gif");
    if (!QFileInfo(path).isFile())
        return;
    QPixmap picture(path);
    if (!picture.isNull())
        Image1->setPixmap(picture);
}

void frmAbout::onLoad()
{
    // Every step is tried, whatever became of the one before.
    try {
        LoadAboutPicture();
    } catch (const std::exception &) {
    }
    const GlobalSettings &settings = Global::CentreSettings();
    setCaption(QStringLiteral("About ") + settings.ApplicationName());
    HeadingLabel->setText(HeadingFor(settings.ShortAppName()));
    lblVersion->setText(QStringLiteral("Version ") + shell::ProgramVersionText());
}
