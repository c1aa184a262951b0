#include "passwords.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>
#include <exception>
#include <optional>

namespace Global {

namespace {

const QString method = QStringLiteral("pbkdf2-sha256");
constexpr int saltBytes = 16;
constexpr int keyBytes = 32;

QByteArray derive(const QString &password, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, keyBytes);
}

struct Parts
{
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
};

std::optional<Parts> parse(const QString &stored)
{
    const QStringList fields = stored.split(QLatin1Char('$'));
    if (fields.size() != 4 || fields[0] != method)
        return std::nullopt;
    Parts p;
    bool ok = false;
    p.iterations = fields[1].toInt(&ok);
    if (!ok || p.iterations < 1)
        return std::nullopt;
    const auto salt = QByteArray::fromBase64Encoding(fields[2].toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
    const auto key = QByteArray::fromBase64Encoding(fields[3].toLatin1(),
                                                    QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !key || salt.decoded.isEmpty() || key.decoded.isEmpty())
        return std::nullopt;
    p.salt = salt.decoded;
    p.key = key.decoded;
    return p;
}

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

QString HashPassword(const QString &password, int iterations)
{
    QByteArray salt(saltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return method + QLatin1Char('$') + QString::number(iterations) + QLatin1Char('$') +
           QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') +
           QString::fromLatin1(derive(password, salt, iterations).toBase64());
}

bool IsPasswordHash(const QString &stored)
{
    return parse(stored).has_value();
}

bool PasswordMatches(const QVariant &stored, const QString &typed)
{
    if (stored.isNull())
        return typed.isEmpty();
    const QString text = stored.toString();
    if (const auto p = parse(text))
        return sameBytes(derive(typed, p->salt, p->iterations), p->key);
    return text == typed;
}

bool CheckUserPasswordValue(const QString &userId, const QVariant &stored, const QString &typed)
{
    if (!PasswordMatches(stored, typed))
        return false;
    // A password kept as typed is replaced by its hash at its first good check; an
    // empty one stays empty (the default account has none).
    if (!stored.isNull() && !typed.isEmpty() && !IsPasswordHash(stored.toString())) {
        try {
            StoreUserPassword(userId, HashPassword(typed));
        } catch (const std::exception &) {
        }
    }
    return true;
}

bool StoreUserPassword(const QString &userId, const QVariant &storedForm)
{
    jet::Recordset rs(Global::DbConnection(),
                      Global::AdaptSql(QStringLiteral("SELECT UserID, [Password] FROM Users WHERE "
                                                      "UserID = ") +
                                       Global::SqlText(userId) + QStringLiteral(";")));
    bool written = false;
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.value(0).toString() != userId)
            continue;
        rs.setValue(1, storedForm);
        rs.update();
        written = true;
    }
    return written;
}

} // namespace Global
