#include "testsettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

TestSettings::TestSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    if (QCoreApplication::organizationName().isEmpty())
        QCoreApplication::setOrganizationName(QStringLiteral("OrvikTests"));
    if (QCoreApplication::applicationName().isEmpty())
        QCoreApplication::setApplicationName(QStringLiteral("OrvikTestApplication"));
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, m_dir.path());
}

TestSettings::~TestSettings() = default;
