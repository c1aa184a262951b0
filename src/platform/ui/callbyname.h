#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

class QObject;

namespace ui {

// Calls a public slot or Q_INVOKABLE member of an object by its name (matched
// without regard to case) with the given arguments, each converted to the
// parameter's type; gives the member's result, or an invalid QVariant for a
// member without one.
// Errors: 91 without an object, 438 when the object has no member of that name,
// 450 when none of that name takes that many arguments, 13 when an argument
// cannot be converted. Errors raised by the member itself pass to the caller.
QVariant callByName(QObject *target, const QString &member, const QVariantList &args = {});

} // namespace ui
