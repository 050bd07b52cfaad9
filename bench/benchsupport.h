#pragma once

#include <QElapsedTimer>
#include <QModelIndex>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QVector>

/// What every benchmark sets up before its QApplication: the offscreen
/// platform unless another is asked for, and settings (the favourites live
/// there) in a folder of their own that goes when the benchmark ends.
class BenchSettings
{
public:
    BenchSettings();
    /// The names the settings are kept under, once the application exists.
    static void nameApplication(const char* name);

private:
    QTemporaryDir m_folder;
};

/// Asks for the rows of every row: what a fully expanded view does, and with
/// the model what loads every category.
int countAllRows(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex());

/// The filter settings the feature tree view gives its proxy.
void configureLikeTheView(QSortFilterProxyModel& proxy);

/// The median of `values`; 0 for none.
double median(QVector<double> values);

template<typename F> double timeMs(F&& f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1.0e6;
}
