#pragma once

#include <QString>
#include <QTemporaryDir>

namespace ovix::test {

// A temporary folder that lives as long as the object; removed with all it holds.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    // The full path of a file name inside the folder.
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Writes text (UTF-8) to a file inside the folder and gives its full path.
    QString write(const QString &name, const QByteArray &contents) const;

private:
    QTemporaryDir m_dir;
};

} // namespace ovix::test
