// What a user sees when a GigE Vision camera goes away: Aravis's fake camera
// (arv-fake-gv-camera-0.8, on 127.0.0.1 only) shown in a feature tree with
// every row expanded and polling on, then killed, stalled for 10 s, or killed
// and started again. For each case it prints the longest time the GUI thread
// could not run, how long until the loss was noticed, how many reports reached
// the user, how long a refused edit and closing the collection took, whether
// control was taken back and how long reconnecting took. The reports are
// those of the loss; the refused edit adds one of its own.

#include "fakegvcamera.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/metatypes.h"
#include "widgets/asyncerrorqueue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <memory>

using namespace ParameterCollection;
using State = IParameterCollection::ConnectionState;

namespace {

/// Runs the event loop until `done` or `timeoutMs`; answers the time it took, or -1.
template<typename Done> qint64 waitFor(const Done& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return clock.elapsed();
}

QSharedPointer<AravisParameterCollection> open()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        try {
            return AravisParameterCollection::openDevice(QStringLiteral("127.0.0.1"));
        } catch (const std::exception&) {
            QThread::msleep(100);
        }
    }
    return nullptr;
}

struct Figures
{
    qint64 longestBlock = -1;
    qint64 detect = -1;
    int reports = 0;
    qint64 refuseEdit = -1;
    qint64 close = -1;
    QString control = QStringLiteral("-");
    qint64 reconnect = -1;
    QString restored = QStringLiteral("-");
};

Figures runCase(const QString& which)
{
    Figures figures;
    FakeGvCamera camera;
    QSharedPointer<AravisParameterCollection> collection = open();
    if (!collection)
        return figures;
    collection->setProbeInterval(500);
    auto widget = std::make_unique<FeatureTreeWidget>(QStringLiteral("Bench"), nullptr);
    widget->resize(800, 1000);
    widget->show();
    widget->addParameterCollection(collection, QStringLiteral("Camera"), collection->getRoleName(), true);
    widget->treeView()->expandAll();
    widget->setPolling(true);
    auto* ext = dynamic_cast<IFeatureTreeModelExtension*>(widget->treeView()->model());
    const QModelIndex width = ext->findItemByFullName(QStringLiteral("@CameraDevice/Width"), nullptr, 1);
    const int shownRows = widget->treeView()->model()->rowCount(widget->treeView()->model()->index(2, 0));
    int reports = 0;
    QObject::connect(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError, widget.get(),
                     [&reports] { ++reports; });

    GuiWatch watch;
    waitFor([] { return false; }, 1000); // polling settles
    watch.longest = 0;
    reports = 0;
    if (which == QLatin1String("stall"))
        camera.signal(SIGSTOP);
    else
        camera.kill();
    figures.detect = waitFor([&] { return collection->connectionState() == State::Lost; }, 15000);
    waitFor([] { return false; }, 1000); // what the GUI goes through after the loss
    figures.reports = reports;
    QElapsedTimer edit;
    edit.start();
    widget->treeView()->model()->setData(width, QStringLiteral("320"), Qt::EditRole);
    figures.refuseEdit = edit.elapsed();

    if (which == QLatin1String("stall")) {
        waitFor([] { return false; }, 9000 - 1000);
        camera.signal(SIGCONT);
        figures.reconnect = waitFor([&] { return collection->connectionState() != State::Lost; }, 15000);
        figures.control
            = collection->connectionState() == State::Connected ? QStringLiteral("yes") : QStringLiteral("no");
    } else if (which == QLatin1String("comeback")) {
        camera.start();
        QElapsedTimer back;
        back.start();
        // The browser's automatic retry: reconnect every few seconds while lost.
        QTimer retry;
        QObject::connect(&retry, &QTimer::timeout, [&] { collection->reconnect(); });
        retry.start(3000);
        figures.reconnect = waitFor([&] { return collection->connectionState() != State::Lost; }, 20000);
        figures.control
            = collection->connectionState() == State::Connected ? QStringLiteral("yes") : QStringLiteral("no");
        const int rowsNow = widget->treeView()->model()->rowCount(widget->treeView()->model()->index(2, 0));
        figures.restored = rowsNow == shownRows && widget->treeView()->isExpanded(width.siblingAtColumn(0).parent())
            ? QStringLiteral("yes")
            : QStringLiteral("no");
    }
    waitFor([] { return false; }, 500);
    figures.longestBlock = watch.longest;
    if (which == QLatin1String("kill")) {
        QElapsedTimer close;
        close.start();
        widget->clear();
        collection.reset();
        figures.close = close.elapsed();
    }
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    registerMetaTypes();
    QTextStream out(stdout);
    if (QStandardPaths::findExecutable(QStringLiteral("arv-fake-gv-camera-0.8")).isEmpty()) {
        out << "bench_deviceloss: arv-fake-gv-camera-0.8 is not installed (Debian package aravis-tools)\n";
        return 1;
    }
    const auto ms = [](qint64 value) { return value < 0 ? QStringLiteral("-") : QString::number(value); };
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
               .arg("case", -9)
               .arg("GUI block ms", 13)
               .arg("detect ms", 10)
               .arg("reports", 8)
               .arg("refuse ms", 10)
               .arg("close ms", 9)
               .arg("control", 8)
               .arg("reconnect ms", 13)
               .arg("restored", 9);
    for (const char* which : { "kill", "stall", "comeback" }) {
        const Figures f = runCase(QString::fromLatin1(which));
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                   .arg(QString::fromLatin1(which), -9)
                   .arg(ms(f.longestBlock), 13)
                   .arg(ms(f.detect), 10)
                   .arg(f.reports, 8)
                   .arg(ms(f.refuseEdit), 10)
                   .arg(ms(f.close), 9)
                   .arg(f.control, 8)
                   .arg(ms(f.reconnect), 13)
                   .arg(f.restored, 9);
        out.flush();
    }
    return 0;
}
