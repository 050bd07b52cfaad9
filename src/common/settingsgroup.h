#pragma once

#include "orvikviewercomponents6_export.h"

#include <QSettings>
#include <QString>

/// The application's default settings (organisation and application names of
/// QCoreApplication), opened at one group for as long as this object lives.
///     SettingsGroup settings(QStringLiteral("FeatureTree"));
///     settings->value(QStringLiteral("HighlightColor"));
class ORVIKVIEWERCOMPONENTS6_EXPORT SettingsGroup
{
public:
    explicit SettingsGroup(const QString& group);
    ~SettingsGroup();
    SettingsGroup(const SettingsGroup&) = delete;
    SettingsGroup& operator=(const SettingsGroup&) = delete;

    QSettings& settings() { return m_settings; }
    QSettings* operator->() { return &m_settings; }

private:
    QSettings m_settings;
};
