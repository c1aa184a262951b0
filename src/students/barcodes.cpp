#include "barcodes.h"

#include "imodstudents.h"
#include "platform/ui/dialogs.h"

namespace imodStudents {

std::optional<QString> AskForBarcode(const QString &personId, const QString &who,
                                     const QString &noneText)
{
    try {
        const QString code = ui::Dialogs::inputBox(QStringLiteral("Scan New Barcode:"),
                                                   QStringLiteral("Change Barcode"))
                                 .toUpper();
        if (code.isEmpty()) {
            if (ui::Dialogs::msgBox(QStringLiteral("A blank barcode was entered. Do you want this ") +
                                        who +
                                        QStringLiteral(" to no longer have an assigned barcode?"),
                                    ui::vbExclamation | ui::vbYesNo,
                                    QStringLiteral("Remove barcode?")) == ui::vbYes)
                return noneText;
            return std::nullopt;
        }
        const qint32 holder = GetStudentIDByBarcode(code);
        if (holder >= 1 && QString::number(holder) != personId.trimmed()) {
            ui::Dialogs::msgBox(QStringLiteral("The barcode you entered is already assigned to ") +
                                    GetStudentName(holder) + QLatin1Char('.'),
                                ui::vbExclamation, QStringLiteral("Cannot assign barcode"));
            return std::nullopt;
        }
        return code;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace imodStudents
