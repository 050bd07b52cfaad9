#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

/// Redirects the application's default QSettings into a fresh temporary
/// directory for as long as it lives, and restores nothing on purpose: the
/// test environment already points the user's configuration into the build
/// tree, so no test can ever touch the real settings.
class TestSettings
{
public:
    /// Also sets organisation and application names when they are unset.
    TestSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (QCoreApplication::organizationName().isEmpty())
            QCoreApplication::setOrganizationName(QStringLiteral("OrvikTests"));
        if (QCoreApplication::applicationName().isEmpty())
            QCoreApplication::setApplicationName(QStringLiteral("OrvikTestApplication"));
        for (auto format : { QSettings::NativeFormat, QSettings::IniFormat })
            for (auto scope : { QSettings::UserScope, QSettings::SystemScope })
                QSettings::setPath(format, scope, m_dir.path());
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
