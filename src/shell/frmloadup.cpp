#include "frmloadup.h"

#include "core/centresettings.h"
#include "pictures.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"

#include <QGridLayout>
#include <QLabel>

frmLoadUp::frmLoadUp(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(shell::pictures::Progress());
    lblHeading = ui::headingLabel(QString(), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    lblSubTitle = new QLabel(this);
    lblSubTitle->setObjectName(QStringLiteral("lblSubTitle"));
    lblSubTitle->setWordWrap(true);
    lblCurrent = new QLabel(this);
    lblCurrent->setObjectName(QStringLiteral("lblCurrent"));
    lblCurrent->setMinimumWidth(320);
    QFont current = lblCurrent->font();
    current.setItalic(true);
    lblCurrent->setFont(current);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setHorizontalSpacing(16);
    layout->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblHeading, 0, 1);
    layout->addWidget(lblSubTitle, 1, 1);
    layout->addWidget(lblCurrent, 2, 1);
    layout->setColumnStretch(1, 1);
    resize(460, 140);
}

void frmLoadUp::onLoad()
{
    const QString name = Global::CentreSettings().ApplicationName();
    LoadUp(name, name,
           QStringLiteral("Please wait while ") + name + QStringLiteral(" loads your data file"));
}

void frmLoadUp::LoadUp(const QString &strFormTitle, const QString &strFormHeading,
                       const QString &strFormSubTitle)
{
    setCaption(strFormTitle);
    lblHeading->setText(strFormHeading);
    lblSubTitle->setText(strFormSubTitle);
}

void frmLoadUp::ShowStep(const QString &text)
{
    frmLoadUp *f = ui::Forms::shared<frmLoadUp>();
    f->lblCurrent->setText(text);
    f->repaint();
    emit f->stepShown(text);
}
