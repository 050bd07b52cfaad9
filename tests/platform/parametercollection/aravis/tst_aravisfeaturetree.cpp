// The whole stack over Aravis: the feature tree widget and its model show the
// fake camera and edit it.
#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include <memory>

using namespace ParameterCollection;

namespace {
const QString role = QStringLiteral("@CameraDevice");

/// Loads every row, so that each feature can be found by its full name.
int expandAll(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    int rows = 0;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        ++rows;
        if (model.hasChildren(index))
            rows += expandAll(model, index);
    }
    return rows;
}
} // namespace

class TestAravisFeatureTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void showsEveryFeatureOfTheFakeCamera();
    void editsAValueThroughTheModel_data();
    void editsAValueThroughTheModel();
    void showsTheFakeCameraInTheWidget();

private:
    std::unique_ptr<TestSettings> m_settings;
    QSharedPointer<AravisParameterCollection> m_camera;
};

void TestAravisFeatureTree::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
    registerMetaTypes();
    GetTheGlobalAsyncErrorQueue();
}

void TestAravisFeatureTree::init()
{
    m_camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
}

void TestAravisFeatureTree::cleanup()
{
    m_camera.reset();
    GetTheGlobalAsyncErrorQueue()->clear();
}

void TestAravisFeatureTree::showsEveryFeatureOfTheFakeCamera()
{
    FeatureTreeModel model;
    model.addParameterCollection(m_camera, QStringLiteral("Fake Camera"), role, true);
    expandAll(model);
    // Every feature the collection lists under Root has its row, with its value.
    QStringList pending = m_camera->getChildren(role + QStringLiteral("/Root"), 0, true);
    int features = 0;
    while (!pending.isEmpty()) {
        const QString fullName = pending.takeFirst();
        pending << m_camera->getChildren(fullName, 0, true);
        const QModelIndex index = model.findItemByFullName(fullName, nullptr, 1);
        QVERIFY2(index.isValid(), qPrintable(fullName));
        const auto data = m_camera->getParameter(fullName)->getParameterData();
        if (data->type != TypeCategory && data->isReadable) {
            QCOMPARE(index.data(Qt::DisplayRole).toString().isEmpty(), data->valueString.isEmpty());
            ++features;
        }
    }
    QVERIFY(features > 10);
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(0));
}

void TestAravisFeatureTree::editsAValueThroughTheModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("integer") << "Width"
                             << "320" << true;
    QTest::newRow("enumeration") << "PixelFormat"
                                 << "Mono16" << true;
    QTest::newRow("out of range") << "Width"
                                  << "100000" << false;
}

void TestAravisFeatureTree::editsAValueThroughTheModel()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    FeatureTreeModel model;
    model.addParameterCollection(m_camera, QStringLiteral("Fake Camera"), role, true);
    expandAll(model);
    const QModelIndex value = model.findItemByFullName(role + QLatin1Char('/') + name, nullptr, 1);
    const QModelIndex payload = model.findItemByFullName(role + QStringLiteral("/PayloadSize"), nullptr, 1);
    QVERIFY(value.isValid() && payload.isValid());
    const QString before = value.data(Qt::DisplayRole).toString();
    const QString payloadBefore = payload.data(Qt::DisplayRole).toString();
    QCOMPARE(model.setData(value, text, Qt::EditRole), accepted);
    const auto data = m_camera->getParameter(name)->getParameterData();
    if (!accepted) {
        QCOMPARE(value.data(Qt::DisplayRole).toString(), before);
        QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(0)); // a refused value is silent
        return;
    }
    // The device has the value; the rows show it, and the payload that depends on it.
    QCOMPARE(data->valueString, text);
    QTRY_VERIFY(value.data(Qt::DisplayRole).toString().contains(text));
    const QString payloadNow = m_camera->getParameter(QStringLiteral("PayloadSize"))->getParameterData()->valueString;
    QVERIFY(payloadNow != payloadBefore);
    QTRY_VERIFY(payload.data(Qt::DisplayRole).toString().contains(payloadNow));
}

void TestAravisFeatureTree::showsTheFakeCameraInTheWidget()
{
    const AravisDeviceInfo info = m_camera->deviceInfo();
    auto baseInfo = QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(
        m_camera->deviceClass(), info.model, info.serialNumber, info.model, info.vendor);
    FeatureTreeWidget widget(QStringLiteral("AravisTest"), baseInfo);
    widget.addParameterCollection(m_camera, QStringLiteral("Fake Camera"), role, true);
    widget.expandRootNodes();
    widget.copyToClipboard();
    const QString text = QApplication::clipboard()->text();
    QVERIFY2(text.contains(QLatin1String("Fake Camera")), qPrintable(text));
    const QString width = m_camera->getParameter(QStringLiteral("Width"))->getParameterData()->valueString;
    QVERIFY2(text.contains(width), qPrintable(text));
}

QTEST_MAIN(TestAravisFeatureTree)
#include "tst_aravisfeaturetree.moc"
