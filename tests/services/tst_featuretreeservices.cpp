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
    void casts();
    void classNames_data();
    void classNames();
    void statusSignals_data();
    void statusSignals();
    void metaTypeRegistered();
    void queuedCurrentChanged_data();
    void queuedCurrentChanged();
    void queuedVisibilityChanged();
};

void TestFeatureTreeServices::casts()
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
    // Casting up still answers through the base class.
    QCOMPARE(qobject_cast<Core::Service::IService*>(static_cast<QObject*>(&status)), &status);
    QVERIFY(control.inherits("Core::Service::IService"));
    QVERIFY(status.inherits("Plugin::FeatureTree::IFeatureTreeStatusService"));
}

void TestFeatureTreeServices::classNames_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("methods"); // own signals and slots
    QTest::addColumn<int>("properties");

    QTest::newRow("control") << "control"
                             << "Plugin::FeatureTree::IFeatureTreeControlService" << 0 << 0;
    QTest::newRow("status") << "status"
                            << "Plugin::FeatureTree::IFeatureTreeStatusService" << 3 << 0;
}

void TestFeatureTreeServices::classNames()
{
    QFETCH(QString, service);
    QFETCH(QString, className);
    QFETCH(int, methods);
    QFETCH(int, properties);

    // Through an instance, as a plug-in meets the service.
    QObject parent;
    const QObject* instance = service == QLatin1String("control")
        ? static_cast<QObject*>(new HostControlService(&parent))
        : static_cast<QObject*>(new IFeatureTreeStatusService(&parent));
    const QMetaObject* metaObject = instance->metaObject();
    QCOMPARE(QString::fromLatin1(metaObject->className()), className);
    QCOMPARE(metaObject->superClass(), &Core::Service::IService::staticMetaObject);
    QCOMPARE(metaObject->methodCount() - metaObject->methodOffset(), methods);
    QCOMPARE(metaObject->propertyCount() - metaObject->propertyOffset(), properties);
}

void TestFeatureTreeServices::statusSignals_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("signature");

    QTest::newRow("0") << 0 << QByteArray("visibilityChanged(GenApi::EVisibility)");
    QTest::newRow("1") << 1 << QByteArray("currentChanged(QSharedPointer<ParameterCollection::IParameter>)");
    QTest::newRow("2") << 2 << QByteArray("newText(QString)");
}

void TestFeatureTreeServices::statusSignals()
{
    QFETCH(int, index);
    QFETCH(QByteArray, signature);

    const QMetaObject& mo = IFeatureTreeStatusService::staticMetaObject;
    const QMetaMethod method = mo.method(mo.methodOffset() + index);
    QCOMPARE(method.methodSignature(), signature);
    QCOMPARE(method.methodType(), QMetaMethod::Signal);
    QCOMPARE(method.access(), QMetaMethod::Public);
    QCOMPARE(mo.indexOfSignal(signature.constData()), mo.methodOffset() + index);
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
