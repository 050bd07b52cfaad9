#include "common/settingsgroup.h"

SettingsGroup::SettingsGroup(const QString& group)
{
    m_settings.beginGroup(group);
}

SettingsGroup::~SettingsGroup()
{
    m_settings.endGroup();
}
