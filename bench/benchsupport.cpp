#include "benchsupport.h"

#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

BenchSettings::BenchSettings()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    for (auto format : { QSettings::NativeFormat, QSettings::IniFormat })
        for (auto scope : { QSettings::UserScope, QSettings::SystemScope })
            QSettings::setPath(format, scope, m_folder.path());
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}
