#include "filesbesideapplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

FilesBesideApplication::~FilesBesideApplication()
{
    for (const QString& path : qAsConst(m_paths))
        QFile::remove(path);
}

bool FilesBesideApplication::write(const QString& fileName, const QByteArray& content)
{
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    m_paths << file.fileName();
    return file.write(content) == content.size();
}
