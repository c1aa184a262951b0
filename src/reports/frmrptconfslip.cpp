#include "frmrptconfslip.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/timetablelookups.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/picture.h"
#include "platform/ui/printers.h"
#include "platform/ui/twips.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *slipLine(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

template <typename F>
void slipStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

} // namespace

frmRptConfSlip::frmRptConfSlip()
{
    setObjectName(QStringLiteral("frmRptConfSlip"));
    setCaption(QStringLiteral("Confirmation Slip"));
    imgLogo = slipLine("imgLogo", this);
    lblCentre = slipLine("lblCentre", this);
    QFont big = lblCentre->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    lblCentre->setFont(big);
    lblAddress = slipLine("lblAddress", this);
    lblContact = slipLine("lblContact", this);
    lblAmountOwing = slipLine("lblAmountOwing", this);
    lblClass = slipLine("lblClass", this);
    lblDates = slipLine("lblDates", this);
    lblBKID = slipLine("lblBKID", this);
    lblInstructor = slipLine("lblInstructor", this);
    lblName = slipLine("lblName", this);
    lblProgram = slipLine("lblProgram", this);
    lblPrinted = slipLine("lblPrinted", this);
    lblStatus = slipLine("lblStatus", this);
    imgFooter = slipLine("imgFooter", this);
    Command1 = ui::namedButton(QStringLiteral("Print"), QStringLiteral("Command1"), this);

    auto *v = new QVBoxLayout(this);
    for (QWidget *w : std::initializer_list<QWidget *>{
             imgLogo, lblCentre, lblAddress, lblContact, lblName, lblBKID, lblClass, lblDates,
             lblInstructor, lblProgram, lblStatus, lblAmountOwing, lblPrinted, imgFooter})
        v->addWidget(w);
    v->addStretch(1);
    v->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &frmRptConfSlip::Command1_Click);
    resize(ui::twipsToPixels(6600), ui::twipsToPixels(6000));
}

void frmRptConfSlip::onLoad()
{
    const GlobalSettings &s = Global::CentreSettings();
    auto setting = [&s](int id) {
        const QVariant v = s.Settings(id);
        return v.isNull() ? QString() : v.toString();
    };
    slipStep([&] { lblCentre->setText(setting(CentreSettingIds::CentreName)); });
    slipStep([&] {
        QStringList parts;
        for (int id : {int(CentreSettingIds::Address), int(CentreSettingIds::City),
                       int(CentreSettingIds::State), int(CentreSettingIds::Postcode)})
            if (!setting(id).isEmpty())
                parts << setting(id);
        QString line = parts.join(QStringLiteral(", "));
        if (!setting(CentreSettingIds::ABN).isEmpty())
            line += QStringLiteral("  ABN: ") + setting(CentreSettingIds::ABN);
        lblAddress->setText(line);
    });
    slipStep([&] {
        lblContact->setText(setting(CentreSettingIds::Phone) + QStringLiteral("  ") +
                            setting(CentreSettingIds::Website));
    });
}

void frmRptConfSlip::FillPage(const QString &AmountOwing, const QString &Class, const QString &Dates,
                              const QString &Instructor, const QString &Name,
                              const QString &Status, qint32 BKID, const QString &Program,
                              const QString &PoolArea)
{
    slipStep([&] { lblAmountOwing->setText(QStringLiteral("Amount Owing: ") + AmountOwing); });
    slipStep([&] {
        QString line = QStringLiteral("Class: ") + QString(Class).remove(QStringLiteral("Other"));
        if (!PoolArea.isEmpty() && Global::CountPoolAreas() >= 2)
            line += QStringLiteral(" [") + PoolArea + QLatin1Char(']');
        lblClass->setText(line);
    });
    slipStep([&] { lblDates->setText(QStringLiteral("Dates: ") + Dates); });
    slipStep([&] { lblBKID->setText(QStringLiteral("BKID: ") + QString::number(BKID)); });
    slipStep([&] { lblInstructor->setText(QStringLiteral("Instructor: ") + Instructor); });
    slipStep([&] { lblName->setText(QStringLiteral("Name: ") + Name); });
    slipStep([&] { lblProgram->setText(QStringLiteral("Program: ") + Program); });
    slipStep([&] {
        lblPrinted->setText(QStringLiteral("Printed: ") +
                            vb::Format(QDate::currentDate(), Global::DateFormat));
    });
    slipStep([&] { lblStatus->setText(QStringLiteral("Status: ") + Status); });
    const QString folder = Global::CentreSettings().DataFilesDirectory() + QLatin1Char('/');
    for (auto [box, file] : {std::pair{imgFooter, "confslip.bmp"}, {imgLogo, "bwlogo.bmp"}})
        slipStep([&] {
            const QString path = folder + QString::fromLatin1(file);
            if (QFile::exists(path))
                ui::LoadPicture(box, path);
        });
}

void frmRptConfSlip::Command1_Click()
{
    Command1->hide();
    try {
        ui::Printers::printWidget(this, ui::Printers::defaultName());
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        Command1->show();
        ui::Dialogs::msgBox(error.description + QStringLiteral(" (Err#") +
                                QString::number(error.number) + QLatin1Char(')'),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    Command1->show();
}
