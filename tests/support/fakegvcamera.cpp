#include "fakegvcamera.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QStandardPaths>
#include <QUdpSocket>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

FakeGvCamera::FakeGvCamera(QByteArray genicamFile)
    : m_genicamFile(std::move(genicamFile))
{
    start();
}

FakeGvCamera::~FakeGvCamera()
{
    kill();
}

QString FakeGvCamera::unavailable()
{
    if (QStandardPaths::findExecutable(QStringLiteral("arv-fake-gv-camera-0.8")).isEmpty())
        return QStringLiteral("arv-fake-gv-camera-0.8 is not installed (aravis-tools)");
    // A device that answers at 127.0.0.1 already (another run of a test) is not ours to kill.
    QUdpSocket port;
    if (!port.bind(QHostAddress::LocalHost, 3956))
        return QStringLiteral("127.0.0.1:3956 is taken: another GigE Vision device runs here");
    return QString();
}

QString FakeGvCamera::serial()
{
    return QStringLiteral("ORVIK%1").arg(QCoreApplication::applicationPid());
}

void FakeGvCamera::start()
{
    const QByteArray serialNumber = serial().toLatin1();
    m_pid = fork();
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        execlp("arv-fake-gv-camera-0.8", "arv-fake-gv-camera-0.8", "-i", "127.0.0.1", "-s", serialNumber.constData(),
               m_genicamFile.isEmpty() ? nullptr : "-g", m_genicamFile.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

void FakeGvCamera::signal(int number) const
{
    if (m_pid > 0)
        ::kill(m_pid, number);
}

void FakeGvCamera::kill()
{
    if (m_pid <= 0)
        return;
    signal(SIGCONT);
    signal(SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}
