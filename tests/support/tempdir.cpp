#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace ovix::test {

TempDir::TempDir()
    : m_dir(QDir::tempPath() + QStringLiteral("/ovixian-test-XXXXXX"))
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempDir::write(const QString &name, const QByteArray &contents) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write(contents);
    return path;
}

} // namespace ovix::test
