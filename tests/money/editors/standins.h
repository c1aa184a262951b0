#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QLineEdit>
#include <QStringList>

// Stands in for a window that shows a booking (a class view, a student record):
// txtField(0) holds its record and the reloads called on it are recorded.
class BookingWindowStandIn : public ui::Form
{
    Q_OBJECT
public:
    BookingWindowStandIn(const QString &name, qint32 record)
    {
        setObjectName(name);
        txtField.add(0, new QLineEdit(QString::number(record), this));
    }
    Q_INVOKABLE void Load_Students() { calls << QStringLiteral("Load_Students"); }
    Q_INVOKABLE void Load_LTS_History() { calls << QStringLiteral("Load_LTS_History"); }

    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QStringList calls;
};
