#include "nodemaptext.h"
#include "services/ifeaturetreestatusservice.h"

#include <QThread>
#include <QtTest>

namespace {

/// Takes the status signals: "<value>" per delivery on its own thread, "<value> elsewhere" on another.
class Receiver : public QObject
{
    Q_OBJECT
public:
    QStringList seen; // read by the test once the receiver's thread has stopped
public Q_SLOTS:
    void take(QSharedPointer<ParameterCollection::IParameter> p) { record(p ? p->getName() : "null"); }
    void take(GenApi::EVisibility v) { record(QString::number(v)); }
    void take(QString text) { record(text); }
    void record(const QString& value) { seen << value + (thread() == QThread::currentThread() ? "" : " elsewhere"); }
};

} // namespace

class TestFeatureTreeServices : public QObject
{
    Q_OBJECT
private slots:
    void statusSignalsCrossThreadsByName()
    {
        Plugin::FeatureTree::IFeatureTreeStatusService status(nullptr);
        const auto collection = NodeMapText::collection("Width=640");
        Receiver receiver;
        QThread thread;
        receiver.moveToThread(&thread);
        // Wired by signature, as hosts that connect services by name do: the arguments must be queued.
        for (const QByteArray signature : { "currentChanged(QSharedPointer<ParameterCollection::IParameter>)",
                                            "visibilityChanged(GenApi::EVisibility)", "newText(QString)" }) {
            const QByteArray signal = "2" + signature, slot = "1take" + signature.mid(signature.indexOf('('));
            QVERIFY2(QObject::connect(&status, signal.constData(), &receiver, slot.constData()), signature.constData());
        }
        thread.start();
        emit status.currentChanged(collection->getParameter("Width"));
        emit status.visibilityChanged(GenApi::Expert);
        emit status.newText("hello");
        // Delivered in order: once this call returns, so were the signals.
        QMetaObject::invokeMethod(
            &receiver, [] {}, Qt::BlockingQueuedConnection);
        thread.quit();
        QVERIFY(thread.wait(5000));
        QCOMPARE(receiver.seen, QStringList({ "Width", "1", "hello" }));
    }
};

QTEST_GUILESS_MAIN(TestFeatureTreeServices)
#include "tst_featuretreeservices.moc"
