#include "parametercollection/memoryparametercollection.h"
#include "services/ifeaturetreecontrolservice.h"
#include "services/ifeaturetreestatusservice.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <atomic>

using ParameterCollection::IParameter;
using Plugin::FeatureTree::IFeatureTreeControlService;
using Plugin::FeatureTree::IFeatureTreeStatusService;

namespace {

/// What a host provides: an implementation of the four operations.
class HostControlService : public IFeatureTreeControlService
{
public:
    using IFeatureTreeControlService::IFeatureTreeControlService;

    void setVisibility(GenApi::EVisibility) override { }
    bool showFeature(const QString&) override { return false; }
    void setPollingEnabled(bool) override { }
    void refresh() override { }
};

/// Receives the status signals on its own thread.
/// The fields are written once, before `delivered` is set; the test reads
/// them only after it has seen `delivered`.
class Receiver : public QObject
{
    Q_OBJECT
public:
    QSharedPointer<IParameter> parameter;
    GenApi::EVisibility visibility = GenApi::_UndefinedVisibility;
    QThread* thread = nullptr;
    std::atomic<bool> delivered { false };

public Q_SLOTS:
    void onCurrentChanged(QSharedPointer<ParameterCollection::IParameter> p)
    {
        parameter = p;
        thread = QThread::currentThread();
        delivered = true;
    }
    void onVisibilityChanged(GenApi::EVisibility v)
    {
        visibility = v;
        thread = QThread::currentThread();
        delivered = true;
    }
};

const char nodeMap[] = "<NodeMap role=\"@CameraDevice\">"
                       "<Category name=\"Root\"><Integer name=\"Width\" value=\"640\"/></Category>"
                       "</NodeMap>";

} // namespace

// The two plug-in service interfaces: their meta-objects, the order of the
// status signals and the meta-types that let the signals cross threads.
class TestFeatureTreeServices : public QObject
{
    Q_OBJECT
private slots:
    void metaObjects();
    void metaTypeRegistered();
    void queuedCurrentChanged_data();
    void queuedCurrentChanged();
    void queuedVisibilityChanged();
};

void TestFeatureTreeServices::metaObjects()
{
    QObject parent;
    HostControlService control(&parent);
    IFeatureTreeStatusService status(&parent);
    Core::Service::IService plain(&parent);

    // A registry hands out IService pointers; plug-ins find services by cast.
    const QList<Core::Service::IService*> services { &control, &status, &plain };
    QCOMPARE(qobject_cast<IFeatureTreeControlService*>(services.at(0)), &control);
    QCOMPARE(qobject_cast<IFeatureTreeStatusService*>(services.at(0)), nullptr);
    QCOMPARE(qobject_cast<IFeatureTreeStatusService*>(services.at(1)), &status);
    QCOMPARE(qobject_cast<IFeatureTreeControlService*>(services.at(1)), nullptr);
    QCOMPARE(qobject_cast<IFeatureTreeControlService*>(services.at(2)), nullptr);
    QCOMPARE(qobject_cast<IFeatureTreeStatusService*>(services.at(2)), nullptr);

    // Own class names and members; the control service has no signals or slots.
    const QMetaObject* controlMeta = control.metaObject();
    QCOMPARE(controlMeta->className(), "Plugin::FeatureTree::IFeatureTreeControlService");
    QCOMPARE(controlMeta->superClass(), &Core::Service::IService::staticMetaObject);
    QCOMPARE(controlMeta->methodCount() - controlMeta->methodOffset(), 0);
    QCOMPARE(controlMeta->propertyCount() - controlMeta->propertyOffset(), 0);

    // The status service has exactly its three public signals, in this order.
    const QMetaObject* mo = status.metaObject();
    QCOMPARE(mo->className(), "Plugin::FeatureTree::IFeatureTreeStatusService");
    QCOMPARE(mo->superClass(), &Core::Service::IService::staticMetaObject);
    QCOMPARE(mo->propertyCount() - mo->propertyOffset(), 0);
    const QList<QByteArray> signatures { "visibilityChanged(GenApi::EVisibility)",
                                         "currentChanged(QSharedPointer<ParameterCollection::IParameter>)",
                                         "newText(QString)" };
    QCOMPARE(mo->methodCount() - mo->methodOffset(), signatures.size());
    for (int i = 0; i < signatures.size(); ++i) {
        const QMetaMethod method = mo->method(mo->methodOffset() + i);
        QCOMPARE(method.methodSignature(), signatures.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Signal);
        QCOMPARE(method.access(), QMetaMethod::Public);
    }
}

void TestFeatureTreeServices::metaTypeRegistered()
{
    IFeatureTreeStatusService status(nullptr);
    const int id = QMetaType::type("QSharedPointer<ParameterCollection::IParameter>");
    QVERIFY(id != QMetaType::UnknownType);
    QCOMPARE(id, qMetaTypeId<QSharedPointer<IParameter>>());
    QVERIFY(QMetaType::hasRegisteredConverterFunction(id, QMetaType::QObjectStar));
    QVERIFY(QMetaType::type("GenApi::EVisibility") != QMetaType::UnknownType);

    // The conversion Qt provides for shared pointers to QObjects.
    const auto collection = ParameterCollection::MemoryParameterCollection::fromXml(QByteArray(nodeMap));
    const QSharedPointer<IParameter> width = collection->getParameter(QStringLiteral("Width"));
    const QVariant value = QVariant::fromValue(width);
    QCOMPARE(value.value<QObject*>(), static_cast<QObject*>(width.data()));
}

void TestFeatureTreeServices::queuedCurrentChanged_data()
{
    QTest::addColumn<bool>("otherThread");

    QTest::newRow("queued on one thread") << false;
    QTest::newRow("across threads") << true;
}

void TestFeatureTreeServices::queuedCurrentChanged()
{
    QFETCH(bool, otherThread);

    const auto collection = ParameterCollection::MemoryParameterCollection::fromXml(QByteArray(nodeMap));
    QSharedPointer<IParameter> width = collection->getParameter(QStringLiteral("Width"));
    QVERIFY(width);

    IFeatureTreeStatusService status(nullptr);
    Receiver receiver;
    QThread thread;
    if (otherThread) {
        receiver.moveToThread(&thread);
        thread.start();
    }
    QVERIFY(connect(&status, &IFeatureTreeStatusService::currentChanged, &receiver, &Receiver::onCurrentChanged,
                    Qt::QueuedConnection));
    // Connected by name as well, as hosts that wire services by signature do.
    QSignalSpy spy(&status, SIGNAL(currentChanged(QSharedPointer<ParameterCollection::IParameter>)));
    QVERIFY(spy.isValid());

    emit status.currentChanged(width);
    if (!otherThread)
        QVERIFY(!receiver.delivered); // queued: not delivered during the emit
    QTRY_VERIFY(receiver.delivered);
    QCOMPARE(receiver.parameter.data(), width.data());
    QCOMPARE(receiver.thread, otherThread ? &thread : QThread::currentThread());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<QSharedPointer<IParameter>>(), width);

    // The event held a reference: the parameter lives on while the receiver keeps it.
    QWeakPointer<IParameter> weak = width;
    width.reset();
    QVERIFY(!weak.isNull());
    QCOMPARE(receiver.parameter->getName(), QStringLiteral("Width"));

    if (otherThread) {
        thread.quit();
        QVERIFY(thread.wait(5000));
    }
}

void TestFeatureTreeServices::queuedVisibilityChanged()
{
    IFeatureTreeStatusService status(nullptr);
    Receiver receiver;
    QThread thread;
    receiver.moveToThread(&thread);
    thread.start();
    QVERIFY(connect(&status, &IFeatureTreeStatusService::visibilityChanged, &receiver, &Receiver::onVisibilityChanged));

    emit status.visibilityChanged(GenApi::Expert);
    QTRY_VERIFY(receiver.delivered);
    QCOMPARE(int(receiver.visibility), int(GenApi::Expert));
    QCOMPARE(receiver.thread, &thread);

    thread.quit();
    QVERIFY(thread.wait(5000));
}

QTEST_GUILESS_MAIN(TestFeatureTreeServices)
#include "tst_featuretreeservices.moc"
