#include "printers.h"

#include "platform/vb/error.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace ui {

namespace {
QString &chosen()
{
    static QString name;
    return name;
}
} // namespace

QStringList Printers::names()
{
    return QPrinterInfo::availablePrinterNames();
}

QString Printers::defaultName()
{
    return QPrinterInfo::defaultPrinterName();
}

QString Printers::currentName()
{
    if (!chosen().isEmpty() && names().contains(chosen()))
        return chosen();
    const QString d = defaultName();
    if (!d.isEmpty())
        return d;
    const QStringList all = names();
    return all.isEmpty() ? QString() : all.first();
}

bool Printers::setCurrent(const QString &name)
{
    if (!names().contains(name))
        return false;
    chosen() = name;
    return true;
}

std::unique_ptr<QPrinter> Printers::open(const QString &name)
{
    const QStringList all = names();
    if (all.isEmpty())
        throw vb::Error(vb::err::PrinterDriverProblem);
    const QString target = name.isEmpty() ? currentName() : name;
    if (!all.contains(target))
        throw vb::Error(vb::err::PrinterError);
    auto printer =
        std::make_unique<QPrinter>(QPrinterInfo::printerInfo(target), QPrinter::HighResolution);
    if (!printer->isValid())
        throw vb::Error(vb::err::PrinterError);
    return printer;
}

void Printers::printWidget(QWidget *window, const QString &printerName)
{
    auto printer = open(printerName);
    printWidget(window, *printer);
}

void Printers::printWidget(QWidget *window, QPrinter &printer)
{
    if (!window)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    const QPixmap picture = window->grab();
    QPainter painter;
    if (!painter.begin(&printer))
        throw vb::Error(vb::err::PrinterError);
    const QRect page = painter.viewport();
    QSize size = picture.size();
    // Printed at the screen's size where it fits, otherwise shrunk to the page.
    const double dotsPerPixel = printer.resolution() / 96.0;
    size *= dotsPerPixel;
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), picture);
    if (!painter.end())
        throw vb::Error(vb::err::PrinterError);
}

} // namespace ui
