#include "frmnamebar.h"

#include "access/signin.h"
#include "platform/ui/forms.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {
// Twips per pixel at the usual 96 dots per inch.
constexpr int Twips = 15;
} // namespace

frmNameBar::frmNameBar()
{
    setObjectName(QStringLiteral("frmNameBar"));
    setCaption(QStringLiteral("Current User"));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setCursor(Qt::PointingHandCursor);
    QFont underline = Label2->font();
    underline.setUnderline(true);
    Label2->setFont(underline);
    Label2->installEventFilter(this);
}

void frmNameBar::onLoad()
{
    showNames();
}

bool frmNameBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) {
        // Signing out unloads the main window this bar sits in: after the click.
        QTimer::singleShot(0, this, [] { useraccess::SignOut(); });
        return true;
    }
    return ui::Form::eventFilter(watched, event);
}

void frmNameBar::showNames()
{
    Label1->setText(Global::CurrentUserName);
    Label2->setText(Global::SignOutCaption);
    Label1->adjustSize();
    Label2->adjustSize();
    if (ui::Form *parent = ui::Forms::find(QStringLiteral("frmParent"))) {
        if (auto *logoff = parent->findChild<QAction *>(QStringLiteral("mnuFileLogoff")))
            logoff->setText(Label2->text());
    }
}

void frmNameBar::Reload()
{
    if (!isLoaded())
        load();
    showNames();
    const int width = std::max(Label1->width() + 230 / Twips, 750 / Twips) + Label2->width();
    const int height = std::max(Label1->height(), Label2->height()) + 4;
    QWidget *host = frame() ? frame() : this;
    host->resize(width, height + (host == this ? 0 : host->height() - this->height()));
    resize(width, height);
    Shape1->setGeometry(0, 0, width, height);
    Label1->move(165 / Twips, 2);
    Label2->move(width - 165 / Twips - Label2->width(), 2);
    if (ui::Form *parent = ui::Forms::find(QStringLiteral("frmParent"))) {
        const int left = parent->width() - 185 / Twips - host->width() - 150 / Twips;
        host->move(std::max(0, left), 7 / Twips);
    }
}

void frmNameBar::Label2_Click()
{
    useraccess::SignOut();
}
