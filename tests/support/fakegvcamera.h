#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>

#include <csignal>
#include <functional>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

/// Aravis's fake GigE Vision camera (arv-fake-gv-camera-0.8, aravis-tools) on
/// 127.0.0.1 only, with a serial number of this process's own, serving
/// `genicamFile` instead of its own XML when given; ended by its PID whatever
/// happens, also when this process dies. Its tests take the CTest resource
/// lock "gigevision-control-port" and carry the label "network".
class FakeGvCamera
{
public:
    explicit FakeGvCamera(QByteArray genicamFile = QByteArray())
        : m_genicamFile(std::move(genicamFile))
    {
        start();
    }
    ~FakeGvCamera() { kill(); }

    /// Why no fake camera can run here, for QSKIP; empty when one can.
    static QString unavailable()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("arv-fake-gv-camera-0.8")).isEmpty())
            return QStringLiteral("arv-fake-gv-camera-0.8 is not installed (aravis-tools)");
        QUdpSocket port; // a device there already (another test's) is not ours to kill
        return port.bind(QHostAddress::LocalHost, 3956) ? QString() : QStringLiteral("127.0.0.1:3956 is taken");
    }
    static QString serial() { return QStringLiteral("ORVIK%1").arg(QCoreApplication::applicationPid()); }

    void start()
    {
        const QByteArray serialNumber = serial().toLatin1();
        if ((m_pid = fork()) == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            execlp("arv-fake-gv-camera-0.8", "arv-fake-gv-camera-0.8", "-i", "127.0.0.1", "-s",
                   serialNumber.constData(), m_genicamFile.isEmpty() ? nullptr : "-g", m_genicamFile.constData(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    void signal(int number) const
    {
        if (m_pid > 0)
            ::kill(m_pid, number);
    }
    void kill()
    {
        if (m_pid <= 0)
            return;
        signal(SIGCONT);
        signal(SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

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
