#pragma once

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QVector>

/// What every benchmark sets up before its QApplication: the offscreen
/// platform unless another is asked for, and settings (the favourites live
/// there) in a folder of their own that goes when the benchmark ends.
class BenchSettings
{
public:
    BenchSettings();

private:
    QTemporaryDir m_folder;
};

/// The median of `values`; 0 for none.
double median(QVector<double> values);

template<typename F> double timeMs(F&& f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1.0e6;
}
