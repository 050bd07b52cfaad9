#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

/// Files written beside the test program (where the filter look-up searches
/// first) for one test, and removed when the guard goes, also when the test
/// fails half-way. Never overwrites, and so never removes, a file it did not
/// write. Tests that use it take the CTest resource lock "application-directory".
class FilesBesideApplication
{
public:
    FilesBesideApplication() = default;
    ~FilesBesideApplication()
    {
        for (const QString& path : qAsConst(m_paths))
            QFile::remove(path);
    }
    FilesBesideApplication(const FilesBesideApplication&) = delete;
    FilesBesideApplication& operator=(const FilesBesideApplication&) = delete;

    /// False when the file exists already or cannot be written.
    bool write(const QString& fileName, const QByteArray& content)
    {
        QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        m_paths << file.fileName();
        return file.write(content) == content.size();
    }

private:
    QStringList m_paths;
};
