#include "dialogs.h"

#include "dialogscript.h"
#include "filefilter.h"
#include "printers.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace ui {

namespace {

QString titleOrAppName(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

// The script's answer; or, on the offscreen platform without a script, a failure;
// or nothing, and the real dialog shows.
std::optional<QVariant> scripted(const ShownDialog &box)
{
    if (DialogScript *script = DialogScript::active())
        return script->take(box);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        throw UnexpectedDialog(QStringLiteral("a dialog \"%1\": \"%2\" was shown without a script")
                                   .arg(box.title, box.text)
                                   .toStdString());
    return std::nullopt;
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::StandardButton standardButton(int result)
{
    switch (result) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QList<int> buttonResults(int buttons)
{
    switch (buttons) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

QMessageBox::Icon messageIcon(int icon)
{
    switch (icon) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString fileDialog(DialogKind kind, const QString &title, const QString &filter,
                   const QString &initial)
{
    ShownDialog box;
    box.kind = kind;
    box.title = title;
    box.filter = filter;
    box.initial = initial;
    if (auto answer = scripted(box))
        return answer->toString();

    QFileDialog dialog(dialogParent(), title, initial);
    dialog.setAcceptMode(kind == DialogKind::SaveFile ? QFileDialog::AcceptSave
                                                      : QFileDialog::AcceptOpen);
    dialog.setFileMode(kind == DialogKind::SaveFile ? QFileDialog::AnyFile
                                                    : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QList<FileFilter> filters = FileFilter::parse(filter);
    QStringList qtFilters;
    for (const FileFilter &f : filters)
        qtFilters << f.toQtFilter();
    if (!qtFilters.isEmpty())
        dialog.setNameFilters(qtFilters);
    // A name typed without an extension gets the chosen filter's first one.
    auto updateSuffix = [&dialog, &filters, &qtFilters](const QString &chosen) {
        const qsizetype i = qtFilters.indexOf(chosen);
        const QString first = i >= 0 ? filters.at(i).patterns.value(0) : QString();
        dialog.setDefaultSuffix(first.startsWith(QLatin1String("*.")) &&
                                        first.indexOf(QLatin1Char('*'), 1) < 0
                                    ? first.mid(2)
                                    : QString());
    };
    if (kind == DialogKind::SaveFile && !qtFilters.isEmpty()) {
        updateSuffix(qtFilters.first());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, updateSuffix);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

int Dialogs::msgBox(const QString &prompt, int style, const QString &title)
{
    ShownDialog box;
    box.kind = DialogKind::MessageBox;
    box.title = titleOrAppName(title);
    box.text = prompt;
    box.buttons = msgBoxButtons(style);
    box.icon = msgBoxIcon(style);
    box.defaultButton = msgBoxDefaultButton(style);
    if (auto answer = scripted(box))
        return answer->toInt();

    QMessageBox mb(messageIcon(box.icon), box.title, prompt, QMessageBox::NoButton, dialogParent());
    const QList<int> results = buttonResults(box.buttons);
    for (int r : results)
        mb.addButton(standardButton(r));
    const int defaultIndex = std::min(box.defaultButton, int(results.size())) - 1;
    mb.setDefaultButton(standardButton(results.at(defaultIndex)));
    // Escape answers Cancel where there is one, else closes an OK-only box.
    if (results.contains(vbCancel))
        mb.setEscapeButton(standardButton(vbCancel));
    else if (results.size() == 1)
        mb.setEscapeButton(standardButton(vbOK));
    mb.exec();
    const QAbstractButton *clicked = mb.clickedButton();
    for (int r : results) {
        if (clicked == mb.button(standardButton(r)))
            return r;
    }
    return results.contains(vbCancel) ? int(vbCancel) : results.last();
}

QString Dialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    ShownDialog box;
    box.kind = DialogKind::InputBox;
    box.title = titleOrAppName(title);
    box.text = prompt;
    box.initial = defaultText;
    if (auto answer = scripted(box))
        return answer->toString();
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), box.title, prompt, QLineEdit::Normal,
                                               defaultText, &ok);
    return ok ? text : QString();
}

QString Dialogs::openFile(const QString &title, const QString &filter, const QString &initial)
{
    return fileDialog(DialogKind::OpenFile, title, filter, initial);
}

QString Dialogs::saveFile(const QString &title, const QString &filter, const QString &initial)
{
    return fileDialog(DialogKind::SaveFile, title, filter, initial);
}

QString Dialogs::chooseFolder(const QString &title, const QString &initial)
{
    ShownDialog box;
    box.kind = DialogKind::Folder;
    box.title = title;
    box.initial = initial;
    if (auto answer = scripted(box))
        return answer->toString();
    return QFileDialog::getExistingDirectory(dialogParent(), title, initial);
}

QString Dialogs::choosePrinter(const QString &title)
{
    ShownDialog box;
    box.kind = DialogKind::Printer;
    box.title = title;
    box.initial = Printers::currentName();
    if (auto answer = scripted(box))
        return answer->toString();
    QPrinter printer;
    if (!box.initial.isEmpty())
        printer.setPrinterName(box.initial);
    QPrintDialog dialog(&printer, dialogParent());
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return printer.printerName();
}

} // namespace ui
