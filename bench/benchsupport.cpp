#include "benchsupport.h"

#include <QCoreApplication>
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

void BenchSettings::nameApplication(const char* name)
{
    QCoreApplication::setOrganizationName(QStringLiteral("OrvikBenchmarks"));
    QCoreApplication::setApplicationName(QString::fromLatin1(name));
}

int countAllRows(const QAbstractItemModel& model, const QModelIndex& parent)
{
    const int rows = model.rowCount(parent);
    int total = rows;
    for (int r = 0; r < rows; ++r)
        total += countAllRows(model, model.index(r, 0, parent));
    return total;
}

void configureLikeTheView(QSortFilterProxyModel& proxy)
{
    proxy.setDynamicSortFilter(false);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(1);
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}
