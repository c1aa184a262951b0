#include "callbyname.h"

#include "platform/vb/error.h"

#include <QMetaMethod>
#include <QObject>
#include <array>

namespace ui {

namespace {

constexpr int MaxArguments = 10;

bool isCallable(const QMetaMethod &m)
{
    return m.access() == QMetaMethod::Public &&
           (m.methodType() == QMetaMethod::Method || m.methodType() == QMetaMethod::Slot);
}

} // namespace

QVariant callByName(QObject *target, const QString &member, const QVariantList &args)
{
    if (!target)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    const QMetaObject *mo = target->metaObject();
    bool nameFound = false;
    // From the most derived class down, so that a window's own member wins.
    for (int i = mo->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = mo->method(i);
        if (!isCallable(m) ||
            QString::fromLatin1(m.name()).compare(member, Qt::CaseInsensitive) != 0)
            continue;
        nameFound = true;
        if (m.parameterCount() != args.size() || args.size() > MaxArguments)
            continue;

        QVariantList values = args;
        std::array<QGenericArgument, MaxArguments> a{};
        for (int p = 0; p < m.parameterCount(); ++p) {
            const QMetaType type = m.parameterMetaType(p);
            QVariant &v = values[p];
            if (type.id() == QMetaType::QVariant) {
                a[p] = QGenericArgument("QVariant", &v);
                continue;
            }
            if (v.metaType() != type && (!v.canConvert(type) || !v.convert(type)))
                throw vb::Error(vb::err::TypeMismatch);
            a[p] = QGenericArgument(type.name(), v.constData());
        }

        QVariant result;
        QGenericReturnArgument ret;
        const QMetaType returnType = m.returnMetaType();
        if (returnType.id() == QMetaType::QVariant) {
            ret = QGenericReturnArgument("QVariant", &result);
        } else if (returnType.id() != QMetaType::Void && returnType.isValid()) {
            result = QVariant(returnType);
            ret = QGenericReturnArgument(returnType.name(), result.data());
        }
        if (!m.invoke(target, Qt::DirectConnection, ret, a[0], a[1], a[2], a[3], a[4], a[5], a[6],
                      a[7], a[8], a[9]))
            throw vb::Error(vb::err::ObjectDoesNotSupport);
        return result;
    }
    if (nameFound)
        throw vb::Error(450, QStringLiteral("Wrong number of arguments or invalid property "
                                            "assignment"));
    throw vb::Error(vb::err::ObjectDoesNotSupport);
}

} // namespace ui
