#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

#include <sys/types.h>

/// Aravis's fake GigE Vision camera (arv-fake-gv-camera-0.8, aravis-tools) on
/// 127.0.0.1 only, with a serial number of this process's own; ended by its
/// PID whatever happens, also when this process dies. Tests that start one
/// take the CTest resource lock "gigevision-control-port" and carry the label
/// "network".
class FakeGvCamera
{
public:
    /// Starts it, serving `genicamFile` (a file on disk) instead of its own XML when given.
    explicit FakeGvCamera(QByteArray genicamFile = QByteArray());
    ~FakeGvCamera();
    FakeGvCamera(const FakeGvCamera&) = delete;
    FakeGvCamera& operator=(const FakeGvCamera&) = delete;

    /// Why no fake camera can run here (for QSKIP); empty when one can.
    static QString unavailable();
    /// The serial number it announces.
    static QString serial();

    void start();
    void signal(int number) const;
    void kill();

private:
    QByteArray m_genicamFile;
    pid_t m_pid = -1;
};

/// The longest time the GUI thread's event loop could not run while it
/// watched and, when given, `watching` answered true.
struct GuiWatch : QObject
{
    explicit GuiWatch(std::function<bool()> watching = {})
    {
        connect(&timer, &QTimer::timeout, this, [this, watching] {
            if (!watching || watching())
                longest = qMax(longest, since.elapsed());
            since.restart();
        });
        timer.start(2);
        since.start();
    }
    QTimer timer;
    QElapsedTimer since;
    qint64 longest = 0;
};
