#include "genicam/genericexception.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"

#include <QtTest>

#include <stdexcept>

using namespace ParameterCollection;
using Collection = MemoryParameterCollection;

namespace {

const char* const testNodeMap = R"(<?xml version="1.0" encoding="utf-8"?>
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Category name="ImageFormatControl" displayName="Image Format Control">
      <Integer name="SensorWidth" access="RO" value="2448" visibility="Expert"/>
      <Integer name="TLParamsLocked" value="0" min="0" max="1" visibility="Invisible"/>
      <Integer name="OffsetX" value="0" min="0" max="SensorWidth - Width" inc="4" unit="px"/>
      <Integer name="Width" value="2048" min="16" max="SensorWidth - OffsetX" inc="4" unit="px"
               representation="Linear" lockedIf="TLParamsLocked" description="Image width." tooltip="Width tip"/>
      <Integer name="LineStatusAll" access="RO" value="0x0F" representation="HexNumber"/>
      <Integer name="GevPersistentIPAddress" value="192.168.1.10" representation="IPV4Address"/>
      <Integer name="GevMACAddress" access="RO" value="00:0C:DF:01:02:03" representation="MACAddress"/>
      <Enumeration name="PixelFormat" value="Mono8" lockedIf="TLParamsLocked">
        <Entry name="Mono8" displayName="Mono 8" value="17301505"/>
        <Entry name="Mono12" displayName="Mono 12"/>
      </Enumeration>
      <Boolean name="ReverseX" value="false" visibility="Guru"/>
      <String name="DeviceUserID" value="" maxLength="8"/>
      <Register name="LUTValueAll"/>
    </Category>
    <Category name="AcquisitionControl" visibility="Expert">
      <Enumeration name="TriggerSelector" value="FrameStart">
        <Entry name="FrameStart"/><Entry name="LineStart"/>
      </Enumeration>
      <Enumeration name="TriggerMode" value="Off" selector="TriggerSelector">
        <Entry name="Off"/><Entry name="On"/>
        <Value for="LineStart">On</Value>
      </Enumeration>
      <Float name="ExposureTime" value="5000" min="16" max="1048576" precision="1" unit="us"
             representation="Logarithmic" aliasScale="1"/>
      <Float name="Gain" value="6" min="0" max="24" precision="2" representation="Linear" aliasScale="0.01"/>
      <Float name="BlackLevel" value="1.5" min="0" max="10" inc="0.5"/>
      <Boolean name="AcquisitionFrameRateEnable" value="false"/>
      <Float name="AcquisitionFrameRate" value="30" min="1" max="120" availableIf="AcquisitionFrameRateEnable"/>
      <Float name="DeviceTemperature" access="RO" value="40" min="-40" max="125" behaviour="drift"/>
      <Integer name="Timestamp" access="RO" value="0" behaviour="clock"/>
      <Command name="UserSetSave" busyMs="150"/>
      <Command name="AcquisitionStart"/>
      <Integer name="DeviceKey" access="WO" value="0"/>
      <Integer name="LegacyMode" access="NI" value="0"/>
      <Integer name="FutureMode" access="NA" value="0"/>
    </Category>
  </Category>
</NodeMap>
)";

QSharedPointer<Collection> makeCollection(Collection::TextEncoding encoding = Collection::TextEncoding::Utf8)
{
    return Collection::fromXml(QByteArray(testNodeMap), QStringLiteral("test.xml"), encoding);
}

QSharedPointer<const ParameterData> data(const QSharedPointer<Collection>& c, const char* name)
{
    return c->getParameter(QString::fromLatin1(name))->getParameterData();
}

// Each character of the result carries one byte, as the feature tree writes text.
QString asEightBit(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

class TestMemoryParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void walksTheTreeByFullNames();
    void snapshotsCarryTheNodeMap();
    void typedInterfacesMatchTheType();
    void rejectsBrokenNodeMaps_data();
    void rejectsBrokenNodeMaps();
    void writesTextByRepresentation_data();
    void writesTextByRepresentation();
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
    void dependentLimitsMoveAndAreReported();
    void lockedAndAvailableFollowTheirConditions();
    void selectorsChooseTheStoredValue();
    void encodingRoundTrips_data();
    void encodingRoundTrips();
    void imposedPropertiesReachTheSnapshots_data();
    void imposedPropertiesReachTheSnapshots();
    void aliasFollowsItsFloat();
    void busyCommandBecomesDoneThroughPolling();
    void pollMovesLiveFeaturesOnly();
    void refreshReportsOnlyRealChanges();
    void changesFromAnotherThreadArriveQueued();
    void concurrentWritersKeepTheMapConsistent();
    void injectedFaultsThrowTheChosenKind_data();
    void injectedFaultsThrowTheChosenKind();
    void closedOrDestroyedCollectionsGiveNullParameters();
};

void TestMemoryParameterCollection::initTestCase()
{
    registerMetaTypes();
}

void TestMemoryParameterCollection::walksTheTreeByFullNames()
{
    auto c = makeCollection();
    QCOMPARE(c->getRoleName(), QStringLiteral("@CameraDevice"));
    const QSharedPointer<IParameter> root = c->getParameter(QStringLiteral("@CameraDevice/Root"));
    QVERIFY(root);
    QCOMPARE(root->getFullName(), QStringLiteral("@CameraDevice/Root"));
    QCOMPARE(root->getType(), int(TypeCategory));
    QCOMPARE(c->getChildren(root->getFullName(), 0, true),
             QStringList({QStringLiteral("@CameraDevice/ImageFormatControl"),
                          QStringLiteral("@CameraDevice/AcquisitionControl")}));
    const QStringList features = c->getChildren(QStringLiteral("@CameraDevice/ImageFormatControl"), 0, true);
    QCOMPARE(features.first(), QStringLiteral("@CameraDevice/SensorWidth"));
    QCOMPARE(features.last(), QStringLiteral("@CameraDevice/LUTValueAll"));

    // Plain and full names reach the same handle; unknown names give null.
    QCOMPARE(c->getParameter(QStringLiteral("Width")), c->getParameter(QStringLiteral("@CameraDevice/Width")));
    QVERIFY(!c->getParameter(QStringLiteral("NoSuchFeature")));
    QVERIFY(!c->getParameter(QStringLiteral("@OtherRole/Width")));
    QVERIFY(c->hasParameter(QStringLiteral("@CameraDevice/ExposureTime/Alias")));
    QVERIFY(!c->hasParameter(QStringLiteral("@CameraDevice/Nothing")));
    QVERIFY(c->getChildren(QStringLiteral("Width"), 0, true).isEmpty());
    QVERIFY_EXCEPTION_THROWN(c->getChildren(QStringLiteral("Nothing"), 0, true), GenICam::InvalidArgumentException);

    // A register is a node the collection cannot show, yet it takes properties.
    const QSharedPointer<IParameter> reg = c->getParameter(QStringLiteral("LUTValueAll"));
    QVERIFY(reg->isNull());
    QVERIFY(reg->acceptsProperties());
    QVERIFY(!c->getParameter(QStringLiteral("Width"))->isNull());
}

void TestMemoryParameterCollection::snapshotsCarryTheNodeMap()
{
    auto c = makeCollection();
    const auto width = data(c, "Width");
    QCOMPARE(width->type, int(TypeInteger));
    QCOMPARE(width->visibility, int(GenApi::Beginner));
    QVERIFY(width->isReadable && width->isWritable && width->isImplemented && width->isAvailable);
    QCOMPARE(width->intValue, qint64(2048));
    QCOMPARE(width->intMin, qint64(16));
    QCOMPARE(width->intMax, qint64(2448));
    QCOMPARE(width->intInc, qint64(4));
    QCOMPARE(width->valueString, QStringLiteral("2048"));
    QCOMPARE(width->representation, QStringLiteral("Linear"));

    const auto props = c->getParameter(QStringLiteral("Width"))->getProperties();
    QCOMPARE(props->getProperty(QStringLiteral("Unit")), QStringLiteral("px"));
    QCOMPARE(props->getProperty(QStringLiteral("Description")), QStringLiteral("Image width."));
    QCOMPARE(props->getProperty(QStringLiteral("Tooltip")), QStringLiteral("Width tip"));
    QCOMPARE(props->getProperty(QStringLiteral("DisplayName")), QStringLiteral("Width"));
    QCOMPARE(props->getProperty(QStringLiteral("DocuURL"), QStringLiteral("none")), QStringLiteral("none"));
    QCOMPARE(props->getProperty(QStringLiteral("NoSuchKey")), QString());

    QCOMPARE(data(c, "LineStatusAll")->valueString, QStringLiteral("0xF"));
    QCOMPARE(data(c, "GevPersistentIPAddress")->valueString, QStringLiteral("192.168.1.10"));
    QCOMPARE(data(c, "GevMACAddress")->valueString, QStringLiteral("00:0C:DF:01:02:03"));

    const auto pixel = data(c, "PixelFormat");
    QCOMPARE(pixel->type, int(TypeEnumeration));
    QCOMPARE(pixel->enumEntryNames, QStringList({QStringLiteral("Mono8"), QStringLiteral("Mono12")}));
    QCOMPARE(pixel->enumEntryDisplayNames, QStringList({QStringLiteral("Mono 8"), QStringLiteral("Mono 12")}));
    QCOMPARE(pixel->valueString, QStringLiteral("Mono8"));
    QCOMPARE(pixel->intValue, qint64(17301505));

    const auto exposure = data(c, "ExposureTime");
    QCOMPARE(exposure->type, int(TypeFloat));
    QCOMPARE(exposure->floatValue, 5000.0);
    QCOMPARE(exposure->floatMin, 16.0);
    QCOMPARE(exposure->floatMax, 1048576.0);
    QVERIFY(!exposure->hasFloatInc);
    QCOMPARE(exposure->displayPrecision, qint64(1));
    QCOMPARE(exposure->valueString, QStringLiteral("5000.0"));
    QVERIFY(data(c, "BlackLevel")->hasFloatInc);
    QCOMPARE(data(c, "BlackLevel")->floatInc, 0.5);

    QCOMPARE(data(c, "ReverseX")->visibility, int(GenApi::Guru));
    QCOMPARE(data(c, "AcquisitionControl")->visibility, int(GenApi::Expert));
    QCOMPARE(data(c, "AcquisitionControl")->type, int(TypeCategory));

    // Access modes as flags: write only, not implemented, not available.
    const auto key = data(c, "DeviceKey");
    QVERIFY(!key->isReadable && key->isWritable && key->valueString.isEmpty());
    const auto legacy = data(c, "LegacyMode");
    QVERIFY(!legacy->isImplemented && !legacy->isReadable && !legacy->isWritable);
    const auto future = data(c, "FutureMode");
    QVERIFY(future->isImplemented && !future->isAvailable && !future->isReadable && !future->isWritable);
    QVERIFY(data(c, "UserSetSave")->boolValue); // idle commands are done
}

void TestMemoryParameterCollection::typedInterfacesMatchTheType()
{
    auto c = makeCollection();
    struct Case
    {
        const char* name;
        bool isInteger, isFloat, isBoolean, isEnum, isCommand;
    };
    const Case cases[] = {{"Width", true, false, false, false, false},
                          {"ExposureTime", false, true, false, false, false},
                          {"ExposureTime/Alias", true, false, false, false, false},
                          {"ReverseX", false, false, true, false, false},
                          {"PixelFormat", false, false, false, true, false},
                          {"UserSetSave", false, false, false, false, true},
                          {"DeviceUserID", false, false, false, false, false},
                          {"Root", false, false, false, false, false}};
    for (const Case& k : cases) {
        const QSharedPointer<IParameter> p = c->getParameter(QString::fromLatin1(k.name));
        QVERIFY2(p, k.name);
        QCOMPARE(bool(qSharedPointerDynamicCast<IIntegerParameter>(p)), k.isInteger);
        QCOMPARE(bool(qSharedPointerDynamicCast<IFloatParameter>(p)), k.isFloat);
        QCOMPARE(bool(qSharedPointerDynamicCast<IBooleanParameter>(p)), k.isBoolean);
        QCOMPARE(bool(qSharedPointerDynamicCast<IEnumParameter>(p)), k.isEnum);
        QCOMPARE(bool(qSharedPointerDynamicCast<ICommandParameter>(p)), k.isCommand);
    }
}

void TestMemoryParameterCollection::rejectsBrokenNodeMaps_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("message");

    auto wrap = [](const char* body) -> QByteArray {
        return QByteArray("<NodeMap role=\"@CameraDevice\">\n<Category name=\"Root\">\n") + body
             + "\n</Category>\n</NodeMap>";
    };
    QTest::newRow("malformed xml") << QByteArray("<NodeMap role=\"@X\"><Category name=\"Root\">")
                                   << "test.xml, line 1: malformed XML";
    QTest::newRow("no root category") << QByteArray("<NodeMap role=\"@X\"><Category name=\"Top\"/></NodeMap>")
                                      << "must hold exactly one <Category name=\"Root\">";
    QTest::newRow("role without marker") << QByteArray("<NodeMap role=\"Camera\"><Category name=\"Root\"/></NodeMap>")
                                         << "the role must be a marker character";
    QTest::newRow("unknown element") << wrap("<Integr name=\"A\"/>") << "line 3: unknown element <Integr>";
    QTest::newRow("duplicate name") << wrap("<Integer name=\"A\"/><Float name=\"A\"/>") << "a second node is named 'A'";
    QTest::newRow("name with slash") << wrap("<Integer name=\"A/B\"/>") << "needs a name without";
    QTest::newRow("unknown reference") << wrap("<Integer name=\"A\" max=\"B + 1\"/>")
                                       << "max refers to the unknown node 'B'";
    QTest::newRow("syntax error") << wrap("<Integer name=\"A\" max=\"(3 + \"/>") << "unexpected end";
    QTest::newRow("bad representation") << wrap("<Integer name=\"A\" representation=\"Octal\"/>")
                                        << "unknown representation 'Octal'";
    QTest::newRow("bad visibility") << wrap("<Integer name=\"A\" visibility=\"Novice\"/>")
                                    << "unknown visibility 'Novice'";
    QTest::newRow("bad access") << wrap("<Integer name=\"A\" access=\"RX\"/>") << "unknown access mode 'RX'";
    QTest::newRow("value outside limits") << wrap("<Integer name=\"A\" value=\"11\" max=\"10\"/>")
                                          << "node 'A': its value 11 is outside its limits";
    QTest::newRow("unparsable value") << wrap("<Integer name=\"A\" value=\"ten\"/>") << "'ten' is not";
    QTest::newRow("unknown entry") << wrap("<Enumeration name=\"E\" value=\"C\"><Entry name=\"A\"/></Enumeration>")
                                   << "'C' is not an entry of 'E'";
    QTest::newRow("enumeration without entries") << wrap("<Enumeration name=\"E\"/>") << "has no entries";
    QTest::newRow("selector not selecting") << wrap("<Boolean name=\"S\"/><Integer name=\"A\" selector=\"S\"/>")
                                            << "selector 'S' is not an enumeration or integer";
    QTest::newRow("value for unknown position")
        << wrap("<Enumeration name=\"S\"><Entry name=\"X\"/></Enumeration>"
                "<Integer name=\"A\" selector=\"S\"><Value for=\"Y\">1</Value></Integer>")
        << "'Y' is no position of selector 'S'";
    QTest::newRow("selected behaviour")
        << wrap("<Enumeration name=\"S\"><Entry name=\"X\"/></Enumeration>"
                "<Float name=\"T\" selector=\"S\" behaviour=\"drift\"/>")
        << "a feature with a behaviour cannot be selected";
    QTest::newRow("unknown behaviour") << wrap("<Float name=\"T\" behaviour=\"wobble\"/>")
                                       << "behaviour 'wobble' does not fit <Float>";
}

void TestMemoryParameterCollection::rejectsBrokenNodeMaps()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, message);
    try {
        Collection::fromXml(xml, QStringLiteral("test.xml"));
        QFAIL("a broken node map was accepted");
    } catch (const GenICam::InvalidArgumentException& e) {
        QVERIFY2(QString::fromUtf8(e.GetDescription()).contains(message), e.GetDescription());
    }
    QVERIFY_EXCEPTION_THROWN(Collection::fromFile(QStringLiteral("/nonexistent/map.xml")),
                             GenICam::InvalidArgumentException);
}

void TestMemoryParameterCollection::writesTextByRepresentation_data()
{
    QTest::addColumn<QString>("feature");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("decimal") << "Width" << "1024" << "1024";
    QTest::newRow("decimal as hex") << "Width" << "0x400" << "1024";
    QTest::newRow("ipv4") << "GevPersistentIPAddress" << "10.0.0.7" << "10.0.0.7";
    QTest::newRow("float") << "ExposureTime" << "1234.56" << "1234.6";
    QTest::newRow("float on increment") << "BlackLevel" << "2.5" << "2.50";
    QTest::newRow("boolean") << "ReverseX" << "true" << "1";
    QTest::newRow("enumeration") << "PixelFormat" << "Mono12" << "Mono12";
    QTest::newRow("string") << "DeviceUserID" << "cam-1" << "cam-1";
    QTest::newRow("write only") << "DeviceKey" << "77" << "";
}

void TestMemoryParameterCollection::writesTextByRepresentation()
{
    QFETCH(QString, feature);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    auto c = makeCollection();
    const QSharedPointer<IParameter> p = c->getParameter(feature);
    QSignalSpy changed(p.data(), &IParameter::parameterDataChangedDecoupled);
    p->setValue(text);
    QCOMPARE(p->getParameterData()->valueString, shown);
    if (!shown.isEmpty()) {
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<QSharedPointer<const ParameterData>>()->valueString, shown);
    }
}

void TestMemoryParameterCollection::refusedWritesChangeNothing_data()
{
    QTest::addColumn<QString>("feature");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("above maximum") << "Width" << "2452" << "out of the range [16, 2448]";
    QTest::newRow("below minimum") << "Width" << "12" << "out of the range";
    QTest::newRow("off increment") << "Width" << "1025" << "not on the increment 4";
    QTest::newRow("float off increment") << "BlackLevel" << "2.25" << "not on the increment";
    QTest::newRow("float above maximum") << "Gain" << "24.5" << "out of the range";
    QTest::newRow("unknown entry") << "PixelFormat" << "RGB8" << "'RGB8' is not an entry of the enumeration";
    QTest::newRow("unparsable") << "Width" << "wide" << "'wide' is not";
    QTest::newRow("unparsable float") << "Gain" << "1,5" << "'1,5' is not";
    QTest::newRow("malformed address") << "GevPersistentIPAddress" << "10.0.0" << "IPv4 address";
    QTest::newRow("read only") << "SensorWidth" << "1000" << "not writable (read only)";
    QTest::newRow("not implemented") << "LegacyMode" << "1" << "not implemented";
    QTest::newRow("not available") << "FutureMode" << "1" << "not available";
    QTest::newRow("not available by condition") << "AcquisitionFrameRate" << "10" << "not available";
    QTest::newRow("string too long") << "DeviceUserID" << "123456789" << "longer than the 8 bytes";
    QTest::newRow("utf-8 longer in bytes than in characters")
        << "DeviceUserID" << asEightBit(QString::fromUtf8("カメラ").toUtf8()) << "text of 9 bytes";
    QTest::newRow("invalid utf-8") << "DeviceUserID" << asEightBit(QByteArray("ab\xff\xfe")) << "not valid UTF-8";
    QTest::newRow("command takes no value") << "UserSetSave" << "1" << "execute it instead";
    QTest::newRow("category") << "Root" << "1" << "has no value";
}

void TestMemoryParameterCollection::refusedWritesChangeNothing()
{
    QFETCH(QString, feature);
    QFETCH(QString, text);
    QFETCH(QString, message);
    auto c = makeCollection();
    const QSharedPointer<IParameter> p = c->getParameter(feature);
    const QSharedPointer<const ParameterData> before = p->getParameterData();
    QSignalSpy changed(p.data(), &IParameter::parameterDataChangedDecoupled);
    try {
        p->setValue(text);
        QFAIL("the write was accepted");
    } catch (const GenICam::GenericException& e) {
        QVERIFY2(QString::fromUtf8(e.GetDescription()).contains(message), e.GetDescription());
    }
    QCOMPARE(*p->getParameterData(), *before);
    QCOMPARE(changed.count(), 0);
}

void TestMemoryParameterCollection::dependentLimitsMoveAndAreReported()
{
    auto c = makeCollection();
    auto width = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("Width")));
    auto offset = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("OffsetX")));
    QSignalSpy widthChanged(width.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy offsetChanged(offset.data(), &IParameter::parameterDataChangedDecoupled);

    QCOMPARE(offset->getMaximum(), qint64(400));
    offset->setValue(qint64(200), true);
    QCOMPARE(offsetChanged.count(), 1);
    // Width's maximum followed OffsetX: a report for Width although nobody wrote it.
    QCOMPARE(widthChanged.count(), 1);
    const auto reported = widthChanged.first().first().value<QSharedPointer<const ParameterData>>();
    QCOMPARE(reported->intMax, qint64(2248));
    QCOMPARE(reported->intValue, qint64(2048));
    QVERIFY_EXCEPTION_THROWN(width->setValue(qint64(2252), true), GenICam::OutOfRangeException);

    width->setValue(qint64(1024), true);
    QCOMPARE(offset->getMaximum(), qint64(1424));
    QCOMPARE(offsetChanged.last().first().value<QSharedPointer<const ParameterData>>()->intMax, qint64(1424));

    // Without verification only the increment check is skipped.
    width->setValue(qint64(1027), false);
    QCOMPARE(width->getValue(), qint64(1027));
    QVERIFY_EXCEPTION_THROWN(width->setValue(qint64(5000), false), GenICam::OutOfRangeException);
}

void TestMemoryParameterCollection::lockedAndAvailableFollowTheirConditions()
{
    auto c = makeCollection();
    auto width = c->getParameter(QStringLiteral("Width"));
    auto pixel = c->getParameter(QStringLiteral("PixelFormat"));
    auto rate = c->getParameter(QStringLiteral("AcquisitionFrameRate"));
    QSignalSpy widthChanged(width.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy rateChanged(rate.data(), &IParameter::parameterDataChangedDecoupled);

    c->getParameter(QStringLiteral("TLParamsLocked"))->setValue(QStringLiteral("1"));
    QVERIFY(!width->isWritable());
    QVERIFY(!pixel->isWritable());
    QCOMPARE(widthChanged.count(), 1);
    QVERIFY(!widthChanged.first().first().value<QSharedPointer<const ParameterData>>()->isWritable);
    QVERIFY_EXCEPTION_THROWN(pixel->setValue(QStringLiteral("Mono12")), GenICam::AccessException);

    QVERIFY(!rate->getParameterData()->isAvailable);
    c->getParameter(QStringLiteral("AcquisitionFrameRateEnable"))->setValue(QStringLiteral("1"));
    QCOMPARE(rateChanged.count(), 1);
    QVERIFY(rate->getParameterData()->isWritable);
    rate->setValue(QStringLiteral("60"));
    QCOMPARE(qSharedPointerDynamicCast<IFloatParameter>(rate)->getValue(), 60.0);
}

void TestMemoryParameterCollection::selectorsChooseTheStoredValue()
{
    auto c = makeCollection();
    auto selector = c->getParameter(QStringLiteral("TriggerSelector"));
    auto mode = qSharedPointerDynamicCast<IEnumParameter>(c->getParameter(QStringLiteral("TriggerMode")));
    QSignalSpy modeChanged(mode.data(), &IParameter::parameterDataChangedDecoupled);

    QCOMPARE(mode->getValue(), QStringLiteral("Off"));
    selector->setValue(QStringLiteral("LineStart"));
    QCOMPARE(mode->getValue(), QStringLiteral("On"));
    QCOMPARE(modeChanged.count(), 1); // the selected value changed with the selector

    mode->setValue(QStringLiteral("Off"));
    selector->setValue(QStringLiteral("FrameStart"));
    mode->setValue(QStringLiteral("On"));
    selector->setValue(QStringLiteral("LineStart"));
    QCOMPARE(mode->getValue(), QStringLiteral("Off"));
    selector->setValue(QStringLiteral("FrameStart"));
    QCOMPARE(mode->getValue(), QStringLiteral("On"));
}

void TestMemoryParameterCollection::encodingRoundTrips_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const QString umlaut = QString::fromUtf8("Grüße");
    QTest::newRow("utf-8") << int(Collection::TextEncoding::Utf8) << umlaut.toUtf8() << umlaut;
    QTest::newRow("latin-1") << int(Collection::TextEncoding::Latin1) << umlaut.toLatin1() << umlaut;
    QTest::newRow("utf-8 japanese") << int(Collection::TextEncoding::Utf8) << QString::fromUtf8("写真").toUtf8()
                                    << QString::fromUtf8("写真");
    QTest::newRow("latin-1 reads utf-8 bytes one by one")
        << int(Collection::TextEncoding::Latin1) << QByteArray("\xc3\xbc") << QString::fromLatin1("\xc3\xbc");
}

void TestMemoryParameterCollection::encodingRoundTrips()
{
    QFETCH(int, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    auto c = makeCollection(Collection::TextEncoding(encoding));
    auto id = c->getParameter(QStringLiteral("DeviceUserID"));
    id->setValue(asEightBit(bytes));
    QCOMPARE(id->getParameterData()->valueString, shown);
}

void TestMemoryParameterCollection::imposedPropertiesReachTheSnapshots_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("visibility");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("implemented");

    QTest::newRow("Expert") << "Visibility" << "Expert" << int(GenApi::Expert) << true << true << true;
    QTest::newRow("Guru") << "Visibility" << "Guru" << int(GenApi::Guru) << true << true << true;
    QTest::newRow("Invisible") << "Visibility" << "Invisible" << int(GenApi::Invisible) << true << true << true;
    QTest::newRow("RO") << "AccessMode" << "RO" << int(GenApi::Beginner) << true << false << true;
    QTest::newRow("WO") << "AccessMode" << "WO" << int(GenApi::Beginner) << false << true << true;
    QTest::newRow("NA") << "AccessMode" << "NA" << int(GenApi::Beginner) << false << false << true;
    QTest::newRow("NI") << "AccessMode" << "NI" << int(GenApi::Beginner) << false << false << false;
}

void TestMemoryParameterCollection::imposedPropertiesReachTheSnapshots()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, visibility);
    QFETCH(bool, readable);
    QFETCH(bool, writable);
    QFETCH(bool, implemented);
    auto c = makeCollection();
    auto p = c->getParameter(QStringLiteral("OffsetX"));
    QSignalSpy changed(p.data(), &IParameter::parameterDataChangedDecoupled);
    p->getProperties()->setProperty(key, value);

    const auto d = p->getParameterData();
    QCOMPARE(d->visibility, visibility);
    QCOMPARE(d->isReadable, readable);
    QCOMPARE(d->isWritable, writable);
    QCOMPARE(d->isImplemented, implemented);
    QCOMPARE(int(p->getVisibility()), visibility);
    QCOMPARE(p->isWritable(), writable);
    QCOMPARE(p->getProperties()->getProperty(key), value);
    QCOMPARE(changed.count(), 1);
}

void TestMemoryParameterCollection::aliasFollowsItsFloat()
{
    auto c = makeCollection();
    auto gain = qSharedPointerDynamicCast<IFloatParameter>(c->getParameter(QStringLiteral("Gain")));
    auto raw = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("@CameraDevice/Gain/Alias")));
    QVERIFY(gain && raw);
    QCOMPARE(raw->getFullName(), gain->getFullName() + QLatin1String("/Alias"));
    QCOMPARE(raw->getValue(), qint64(600));
    QCOMPARE(raw->getMinimum(), qint64(0));
    QCOMPARE(raw->getMaximum(), qint64(2400));
    QCOMPARE(raw->getParameterData()->representation, QStringLiteral("Linear"));

    QSignalSpy gainChanged(gain.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy rawChanged(raw.data(), &IParameter::parameterDataChangedDecoupled);
    raw->setValue(qint64(1250), true);
    QCOMPARE(gain->getValue(), 12.5);
    QCOMPARE(gainChanged.count(), 1);
    QCOMPARE(rawChanged.count(), 1);

    gain->setValue(3.0);
    QCOMPARE(raw->getValue(), qint64(300));
    QCOMPARE(rawChanged.count(), 2);
    QVERIFY_EXCEPTION_THROWN(raw->setValue(qint64(2401), true), GenICam::OutOfRangeException);
    QCOMPARE(gain->getValue(), 3.0);

    // The alias is reached by name only, never listed in a category.
    for (const QString& child : c->getChildren(QStringLiteral("AcquisitionControl"), 0, true))
        QVERIFY(!child.endsWith(QLatin1String("/Alias")));
    // Its access follows the float's.
    gain->getProperties()->setProperty(QStringLiteral("AccessMode"), QStringLiteral("RO"));
    QVERIFY(!raw->isWritable());
}

void TestMemoryParameterCollection::busyCommandBecomesDoneThroughPolling()
{
    auto c = makeCollection();
    auto save = qSharedPointerDynamicCast<ICommandParameter>(c->getParameter(QStringLiteral("UserSetSave")));
    QSignalSpy changed(save.data(), &IParameter::parameterDataChangedDecoupled);
    save->execute(true);
    save->setState(true);
    QVERIFY(!save->isDone());
    QCOMPARE(changed.count(), 1);
    QVERIFY(!changed.last().first().value<QSharedPointer<const ParameterData>>()->boolValue);

    QTRY_VERIFY_WITH_TIMEOUT((c->poll(50), save->isDone()), 5000);
    c->poll(50);
    QCOMPARE(changed.count(), 2);
    QVERIFY(changed.last().first().value<QSharedPointer<const ParameterData>>()->boolValue);
    save->setState(false);

    // A command without busy time is done at once.
    auto start = qSharedPointerDynamicCast<ICommandParameter>(c->getParameter(QStringLiteral("AcquisitionStart")));
    start->execute(true);
    QVERIFY(start->isDone());
}

void TestMemoryParameterCollection::pollMovesLiveFeaturesOnly()
{
    auto c = makeCollection();
    auto temperature = c->getParameter(QStringLiteral("DeviceTemperature"));
    auto timestamp = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("Timestamp")));
    auto width = c->getParameter(QStringLiteral("Width"));
    QSignalSpy temperatureChanged(temperature.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy widthChanged(width.data(), &IParameter::parameterDataChangedDecoupled);

    QSet<double> seen;
    for (int i = 0; i < 10; ++i) {
        c->poll(300);
        const auto d = temperature->getParameterData();
        QVERIFY(d->floatValue >= -40.0 && d->floatValue <= 125.0);
        seen << d->floatValue;
    }
    QVERIFY2(seen.size() >= 8, "the temperature should move on nearly every poll");
    QCOMPARE(temperatureChanged.count(), seen.contains(40.0) ? 9 : 10);
    QCOMPARE(timestamp->getValue(), qint64(10) * 300 * 1000000);
    QCOMPARE(widthChanged.count(), 0);
}

void TestMemoryParameterCollection::refreshReportsOnlyRealChanges()
{
    auto c = makeCollection();
    auto width = c->getParameter(QStringLiteral("Width"));
    QSignalSpy widthChanged(width.data(), &IParameter::parameterDataChangedDecoupled);
    c->refresh();
    QCOMPARE(widthChanged.count(), 0);
    c->getParameter(QStringLiteral("OffsetX"))->setValue(QStringLiteral("8"));
    QCOMPARE(widthChanged.count(), 1);
    c->refresh();
    QCOMPARE(widthChanged.count(), 1);
}

void TestMemoryParameterCollection::changesFromAnotherThreadArriveQueued()
{
    auto c = makeCollection();
    auto width = c->getParameter(QStringLiteral("Width"));
    QThread* receiverThread = nullptr;
    qint64 received = -1;
    QObject receiver;
    connect(width.data(), &IParameter::parameterDataChangedDecoupled, &receiver,
            [&](QSharedPointer<const ParameterData> d) {
                receiverThread = QThread::currentThread();
                received = d->intValue;
            });

    QThread* worker = QThread::create([&] { width->setValue(QStringLiteral("512")); });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;
    QCOMPARE(received, qint64(-1)); // queued: nothing arrives before the event loop runs
    QTRY_COMPARE(received, qint64(512));
    QCOMPARE(receiverThread, QThread::currentThread());
}

void TestMemoryParameterCollection::concurrentWritersKeepTheMapConsistent()
{
    auto c = makeCollection();
    auto width = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("Width")));
    auto offset = qSharedPointerDynamicCast<IIntegerParameter>(c->getParameter(QStringLiteral("OffsetX")));
    std::atomic<int> refused{0};
    auto writer = [&](const QSharedPointer<IIntegerParameter>& p, int seed) {
        return QThread::create([&, p, seed] {
            for (int i = 0; i < 2000; ++i) {
                try {
                    p->setValue(qint64(((seed * 7919 + i * 104729) % 600) * 4), true);
                } catch (const GenICam::OutOfRangeException&) {
                    ++refused; // the other writer took the room first
                }
                c->poll(1);
            }
        });
    };
    QThread* a = writer(width, 1);
    QThread* b = writer(offset, 2);
    a->start();
    b->start();
    QVERIFY(a->wait(60000) && b->wait(60000));
    delete a;
    delete b;
    // Whatever interleaving happened, the pair never exceeds the sensor.
    QVERIFY(width->getValue() + offset->getValue() <= 2448);
    QVERIFY(refused.load() > 0);
}

void TestMemoryParameterCollection::injectedFaultsThrowTheChosenKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("GenICam") << int(Collection::FaultKind::GenICamException);
    QTest::newRow("standard") << int(Collection::FaultKind::StandardException);
    QTest::newRow("other") << int(Collection::FaultKind::OtherException);
}

void TestMemoryParameterCollection::injectedFaultsThrowTheChosenKind()
{
    QFETCH(int, kind);
    auto c = makeCollection();
    auto width = c->getParameter(QStringLiteral("Width"));
    // Returns 0 for no exception, 1 GenICam, 2 other standard, 3 anything else.
    auto outcome = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const GenICam::GenericException&) {
            return 1;
        } catch (const std::exception&) {
            return 2;
        } catch (const Collection::InjectedFault&) {
            return 3;
        }
        return 0;
    };
    const int expected = kind + 1;
    using Op = Collection::Operation;
    const QList<QPair<Op, std::function<void()>>> calls{
        {Op::GetParameterData, [&] { width->getParameterData(); }},
        {Op::GetProperties, [&] { width->getProperties(); }},
        {Op::GetProperty, [&] { width->getProperties()->getProperty(QStringLiteral("Unit")); }},
        {Op::SetProperty,
         [&] { width->getProperties()->setProperty(QStringLiteral("Visibility"), QStringLiteral("Guru")); }},
        {Op::SetValue, [&] { width->setValue(QStringLiteral("64")); }},
        {Op::GetType, [&] { width->getType(); }},
        {Op::GetVisibility, [&] { width->getVisibility(); }},
        {Op::IsWritable, [&] { width->isWritable(); }},
    };
    for (const auto& call : calls) {
        c->injectFault(QStringLiteral("Width"), call.first, Collection::FaultKind(kind), 1);
        QCOMPARE(outcome(call.second), expected);
        QCOMPARE(outcome(call.second), 0); // a counted fault fires once
    }
    QCOMPARE(width->getParameterData()->intValue, qint64(64));

    const QList<QPair<Op, std::function<void()>>> collectionCalls{
        {Op::GetParameter, [&] { c->getParameter(QStringLiteral("Width")); }},
        {Op::GetChildren, [&] { c->getChildren(QStringLiteral("Root"), 0, true); }},
        {Op::HasParameter, [&] { c->hasParameter(QStringLiteral("Width")); }},
        {Op::Refresh, [&] { c->refresh(); }},
        {Op::Poll, [&] { c->poll(300); }},
    };
    for (const auto& call : collectionCalls) {
        c->injectFault(QString(), call.first, Collection::FaultKind(kind));
        QCOMPARE(outcome(call.second), expected);
        QCOMPARE(outcome(call.second), expected); // uncounted faults stay
    }
    c->clearFaults();
    QCOMPARE(outcome([&] { c->poll(300); }), 0);

    // Any matches every operation of the node; other nodes are untouched.
    c->injectFault(QStringLiteral("Width"), Op::Any, Collection::FaultKind(kind));
    QCOMPARE(outcome([&] { width->getParameterData(); }), expected);
    QCOMPARE(outcome([&] { c->getParameter(QStringLiteral("OffsetX"))->getParameterData(); }), 0);
}

void TestMemoryParameterCollection::closedOrDestroyedCollectionsGiveNullParameters()
{
    auto c = makeCollection();
    auto width = c->getParameter(QStringLiteral("Width"));
    c->close();
    QVERIFY(width->isNull());
    QVERIFY(!width->acceptsProperties());
    QVERIFY_EXCEPTION_THROWN(width->getParameterData(), GenICam::AccessException);
    QVERIFY_EXCEPTION_THROWN(width->setValue(QStringLiteral("64")), GenICam::AccessException);
    QVERIFY_EXCEPTION_THROWN(c->poll(300), GenICam::AccessException);

    auto other = makeCollection();
    auto exposure = other->getParameter(QStringLiteral("ExposureTime"));
    other.reset();
    QVERIFY(exposure->isNull());
    QCOMPARE(exposure->getName(), QStringLiteral("ExposureTime"));
    QVERIFY_EXCEPTION_THROWN(exposure->getParameterData(), GenICam::AccessException);
}

QTEST_GUILESS_MAIN(TestMemoryParameterCollection)
#include "tst_memoryparametercollection.moc"
