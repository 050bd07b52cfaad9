#include "camerapool/ibaseinfo.h"
#include "nodemaptext.h"
#include "parameterchecks.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/valuetext.h"
#include "treefixture.h"

#include <QtTest>

#include <atomic>

using namespace ParameterCollection;
using Collection = MemoryParameterCollection;

namespace {

// Dependent limits and locks in Image; a selector, aliases, live features and every access mode in Acq.
const char* const tree
    = "Image[SensorWidth=2448#Expert!RO Locked=0#Invisible{min=0 max=1}"
      " OffsetX=0{min=0 max='SensorWidth - Width' inc=4}"
      " Width=2048{min=16 max='SensorWidth - OffsetX' inc=4 unit=px representation=Linear lockedIf=Locked"
      " description='Image width.' tooltip='Width tip'} Status=0x0F!RO{representation=HexNumber}"
      " Mac=00:0C:DF:01:02:03!RO{representation=MACAddress} PixelFormat:e=Mono8(Mono8 Mono12){lockedIf=Locked}"
      " ReverseX:b=false#Guru UserID:s{maxLength=8} Tag:s{maxLength=0} Lut:p]"
      " Acq#Expert[TriggerSelector:e=FrameStart(FrameStart LineStart)"
      " TriggerMode:e=Off(Off On){selector=TriggerSelector}"
      " ExposureTime:f=5000{min=16 max=1048576 precision=1 notation=Fixed representation=Logarithmic aliasScale=1}"
      " Gain:f=6{min=0 max=24 representation=Linear aliasScale=0.01}"
      " BlackLevel:f=1.5{min=0 max=10 inc=0.5 notation=Scientific}"
      " RateEnable:b=false Rate:f=30{min=1 max=120 availableIf=RateEnable}"
      " Temp:f=40!RO{min=-40 max=125 behaviour=drift} Timestamp=0!RO{behaviour=clock} Save:c{busyMs=150} Start:c"
      " Key=0!WO Legacy=0!NI Future=0!NA]";

QSharedPointer<Collection> makeCollection()
{
    // Entry display names and values, and values per selector position, are beyond the tree text.
    QByteArray xml = NodeMapText::toXml(tree);
    xml.replace("<Entry name=\"Mono8\"/>", "<Entry name=\"Mono8\" displayName=\"Mono 8\" value=\"17301505\"/>");
    xml.replace("<Entry name=\"On\"/>", "<Entry name=\"On\"/><Value for=\"LineStart\">On</Value>");
    return Collection::fromXml(xml, "test.xml");
}

template<typename T> QSharedPointer<T> typed(const QSharedPointer<Collection>& c, const QString& name)
{
    return qSharedPointerDynamicCast<T>(c->getParameter(name));
}

OpenedHandles handles(const QSharedPointer<Collection>& c)
{
    return OpenedHandles(c, {"Width", "ReverseX", "ExposureTime", "Save", "UserID", "PixelFormat", "Acq"});
}

} // namespace

class TestMemoryParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { resetTestState(); }

    void showsEveryNode()
    {
        auto c = makeCollection();
        QCOMPARE(collectionTreeText(*c, "@CameraDevice/Root"),
                 QString("Image[SensorWidth Locked OffsetX Width Status Mac PixelFormat ReverseX UserID Tag Lut] "
                         "Acq[TriggerSelector TriggerMode ExposureTime Gain BlackLevel RateEnable Rate Temp Timestamp "
                         "Save Start Key Legacy Future]"));
        QStringList shown;
        QString misfits;
        for (const QString& name : c->nodeNames()) {
            const auto p = c->getParameter(name);
            const auto d = p->getParameterData();
            shown << (p->isNull() ? name : name + ": " + snapshotText(*d)); // a port has no value to show
            misfits += typedMisfits(p);
            QCOMPARE(d->fullName + " " + p->getFullName(), "@CameraDevice/" + name + " @CameraDevice/" + name);
            QCOMPARE(QList<int>({p->getType(), p->getVisibility(), p->isWritable()}),
                     QList<int>({d->type, d->visibility, d->isWritable}));
        }
        QCOMPARE(misfits, QString());
        const QString all = "[-9223372036854775808,9223372036854775807,1]";
        QCOMPARE(shown, QStringList({"Root: C '' R-IA Beginner", "Image: C '' R-IA Beginner",
                                     "SensorWidth: i '2448' R-IA Expert " + all + " PureNumber",
                                     "Locked: i '0' RWIA Invisible [0,1,1] PureNumber",
                                     "OffsetX: i '0' RWIA Beginner [0,400,4] PureNumber",
                                     "Width: i '2048' RWIA Beginner [16,2448,4] Linear",
                                     "Status: i '0xF' R-IA Beginner " + all + " HexNumber",
                                     "Mac: i '00:0C:DF:01:02:03' R-IA Beginner " + all + " MACAddress",
                                     "PixelFormat: e 'Mono8' RWIA Beginner (Mono8 Mono12) 17301505",
                                     "ReverseX: b '0' RWIA Guru", "UserID: s '' RWIA Beginner", "Tag: s '' RWIA Beginner",
                                     "Lut", "Acq: C '' R-IA Expert",
                                     "TriggerSelector: e 'FrameStart' RWIA Beginner (FrameStart LineStart) 0",
                                     "TriggerMode: e 'Off' RWIA Beginner (Off On) 0",
                                     "ExposureTime: f '5000.0' RWIA Beginner [16,1048576,-] p1f Logarithmic",
                                     "Gain: f '6.00' RWIA Beginner [0,24,-] p2a Linear",
                                     "BlackLevel: f '1.50e+00' RWIA Beginner [0,10,0.5] p2s PureNumber",
                                     "RateEnable: b '0' RWIA Beginner", "Rate: f '' --I- Beginner [1,120,-] p2a PureNumber",
                                     "Temp: f '40.00' R-IA Beginner [-40,125,-] p2a PureNumber",
                                     "Timestamp: i '0' R-IA Beginner " + all + " PureNumber",
                                     "Save: c '' RWIA Beginner done", "Start: c '' RWIA Beginner done",
                                     "Key: i '' -WIA Beginner " + all + " PureNumber",
                                     "Legacy: i '' ---- Beginner [0,0,1] PureNumber",
                                     "Future: i '' --I- Beginner " + all + " PureNumber",
                                     "ExposureTime/Alias: i '5000' RWIA Beginner [16,1048576,1] Logarithmic",
                                     "Gain/Alias: i '600' RWIA Beginner [0,2400,1] Linear"}));
        QVERIFY(c->getParameter("Width") == c->getParameter("@CameraDevice/Width") && !c->getParameter("Nothing"));
        QVERIFY(!c->getParameter("@OtherRole/Width") && c->getRoleName() == QLatin1String("@CameraDevice"));
        QVERIFY(c->hasParameter("@CameraDevice/Gain/Alias") && !c->hasParameter("@CameraDevice/Nothing"));
        QVERIFY(thrownBy([&] { c->getChildren("Nothing", 0, true); }).startsWith("InvalidArgument: "));
        QVERIFY(c->getParameter("Lut")->acceptsProperties());
        QStringList properties;
        for (const char* key : {"Unit", "Description", "Tooltip", "DisplayName", "NoSuchKey", "AccessMode"})
            properties << c->getParameter("Width")->getProperties()->getProperty(key);
        QCOMPARE(properties << c->getParameter("Width")->getProperties()->getProperty("DocuURL", "none"),
                 QStringList({"px", "Image width.", "Width tip", "Width", "", "RW", "none"}));
        QCOMPARE(c->getParameter("PixelFormat")->getParameterData()->enumEntryDisplayNames,
                 QStringList({"Mono 8", "Mono12"}));
        QCOMPARE(ownValueMisfits(*c, c->nodeNames()), QString());
    }

    void rejectsBrokenNodeMaps_data()
    {
        QTest::addColumn<QByteArray>("xml"); // from tree text, or XML: a document, or a body inside Root from line 3 on
        QTest::addColumn<QString>("message");
        QByteArray nested;
        for (int i = 0; i < 20000; ++i)
            nested += "<Category name=\"C" + QByteArray::number(i) + "\">";
        const QByteArray rows[][2] = {
            {"", "Cannot open the node map '/nonexistent/map.xml'"}, {"<Map/>", "the document element must be <NodeMap>"},
            {"<NodeMap role=\"@X\">\n<Category name=\"Root\">", "test.xml, line 2: malformed XML"},
            {"<NodeMap role=\"@X\"><Category name=\"Top\"/></NodeMap>", "must hold exactly one <Category name=\"Root\">"},
            {"<NodeMap role=\"Camera\"><Category name=\"Root\"/></NodeMap>", "the role must be a marker character"},
            {"<Integr name=\"A\"/>", "line 3: unknown element <Integr>"}, {"A/B", "needs a name without"},
            {"A A:f", "a second node is named 'A'"}, {"A{max='B + 1'}", "max refers to the unknown node 'B'"},
            {"A{min=Root}", "min refers to 'Root', which has no value"}, {"A{max='(3 + '}", "unexpected end"},
            {"A{max='1 + .'}", "at 5: unexpected character '.'"}, // a dot at the very end
            {"A!RX", "unknown access mode 'RX'"}, {"A{representation=Octal}", "unknown representation 'Octal'"},
            {"A:f{representation=HexNumber}", "unknown representation 'HexNumber'"}, {"A#Novice", "unknown visibility"},
            {"A=11{max=10}", "node 'A': its value 11 is outside its limits"}, {"A=5{min=5 max=4}", "minimum is above"},
            {"A:f=-1{min=0}", "node 'A': its value -1 is outside its limits"}, {"A=ten", "'ten' is not"},
            {"A:f{precision=18}", "precision must be 0 to 17"}, {"A:f{notation=Engineering}", "notation must be Automatic"},
            {"A:f{aliasScale=0}", "aliasScale must be a number above 0"},
            {"S:s{maxLength=-1}", "maxLength must be 0 or more"}, {"C:c{busyMs=-5}", "busyMs must be 0 or more"},
            {"E:e=C(A)", "'C' is not an entry of 'E'"}, {"E:e", "has no entries"}, {"E:e(A A)", "entry 'A' appears twice"},
            {"<Enumeration name=\"E\"><Entry name=\"A\" value=\"x\"/></Enumeration>", "needs a name and an integer value"},
            {"S:b A{selector=S}", "selector 'S' is not an enumeration or integer"},
            {"S T{selector=S} A{selector=T}", "selector 'T' is itself selected"},
            {"<Integer name=\"A\"><Value for=\"1\">2</Value></Integer>", "<Value> needs a selector on 'A'"},
            {"<Enumeration name=\"S\"><Entry name=\"X\"/></Enumeration>"
             "<Integer name=\"A\" selector=\"S\"><Value for=\"Y\">1</Value></Integer>", "'Y' is no position of selector 'S'"},
            {"S:e(X) T:f{selector=S behaviour=drift}", "a feature with a behaviour cannot be selected"},
            {"T:f{behaviour=clock}", "behaviour 'clock' does not fit <Float>"},
            {"<Register name=\"R\" value=\"0G\"/>", "value must be bytes in hexadecimal digits"},
            {"<Register name=\"R\" value=\"0102\" length=\"1\"/>", "length must be 1 to 1048576 and hold the value"},
            {"<Register name=\"R\" address=\"far\" length=\"1\"/>", "address must be a number"},
            {"<Register name=\"R\" length=\"1\"/><Integer name=\"A\" max=\"R\"/>", "max refers to 'R', which has no value"},
            {"<Enumeration name=\"E\"><Entry name=\"A\" value=\"9223372036854775807\"/><Entry name=\"B\"/></Enumeration>",
             "an <Entry> after the value 9223372036854775807 needs a value of its own"},
            {"A:f{max='1e308 * 10'}", "node 'A': The maximum of node 'A' is not a finite number"},
            {"A:f{min='1e308 * 10 - 1e308 * 10'}", "The minimum of node 'A' is not a finite number"},
            {"A:f{inc='-1e308 * 10'}", "The increment of node 'A' is not a finite number"},
            {"A{max='1e308 * 10'}", "The maximum of node 'A' is not a finite number"},
            // hostile sizes: each would exhaust a stack by recursion
            {"<NodeMap role=\"@X\"><Category name=\"Root\">" + nested + QByteArray("</Category>").repeated(20001)
                 + "</NodeMap>", "line 1: elements nested deeper than 64 levels"},
            {"A{max='" + QByteArray("(").repeated(20000) + "1" + QByteArray(")").repeated(20000) + "'}",
             "at 65: nested deeper than 64 levels"},
            {"A{max='" + QByteArray("-").repeated(20000) + "1'}", "nested deeper than 64 levels"},
            {"A{max='1" + QByteArray(" + 1").repeated(20000) + "'}", "more than 128 levels of operations"}};
        for (const auto& row : rows) {
            const QByteArray text(row[0]), body = "<NodeMap role=\"@CameraDevice\">\n<Category name=\"Root\">\n" + text;
            const bool whole = text.startsWith("<N") || text.startsWith("<M") || text.isEmpty();
            const QByteArray xml = text.startsWith('<') ? body + "\n</Category></NodeMap>" : NodeMapText::toXml(text);
            QTest::newRow(row[1].constData()) << (whole ? text : xml) << QString(row[1]);
        }
    }
    void rejectsBrokenNodeMaps()
    {
        QFETCH(QByteArray, xml); QFETCH(QString, message);
        const QString thrown = thrownOnSmallStack([&] {
            xml.isEmpty() ? Collection::fromFile("/nonexistent/map.xml") : Collection::fromXml(xml, "test.xml");
        });
        QVERIFY2(thrown.startsWith("InvalidArgument: ") && thrown.contains(message), qPrintable(thrown));
    }

    // Every operator of limit and condition expressions, at the values that tell it from its neighbours.
    void evaluatesExpressions()
    {
        const char* const rows[][2] = {
            {"2 + 3 * 4 - 10 / 4", "11.5"}, {"7 % 4", "3"}, {"-(2 - 5)", "3"}, {".5 + 0x10", "16.5"},
            {"B < 3", "0"}, {"B <= 3", "1"}, {"B <= 2", "0"}, {"B > 2", "1"}, {"B > 3", "0"}, {"B >= 3", "1"},
            {"B >= 4", "0"}, {"B == 3", "1"}, {"B != 3", "0"}, {"!(B == 3) || 0 && 1", "0"},
            {"1 || 0 && 0", "1"}, {"true && !false", "1"}};
        for (const auto& row : rows) {
            const auto c = NodeMapText::collection(QString("B=3 A:f=0{min=-100 max='%1'}").arg(row[0]));
            QCOMPARE(QString::number(c->getParameter("A")->getParameterData()->floatMax) + " from " + row[0],
                     QString(row[1]) + " from " + row[0]);
        }
    }

    // A clock counts nanoseconds and wraps from its maximum to its minimum, also past 2^63 - 1: a clock's value and
    // limits, and its value after one poll of 300 ms.
    void clockWraps()
    {
        const std::pair<const char*, qint64> rows[] = {
            {"0{", 300000000}, {"9223372036854775000{", -9223372036554776616},
            {"999999999{min=0 max=1000000000 ", 299999998}, {"5{min=0 max=9 ", 5}};
        for (const auto& [clock, expected] : rows) {
            auto c = NodeMapText::collection("T=" + QString(clock).replace("{", "!RO{") + "behaviour=clock}");
            c->poll(300);
            QCOMPARE(typed<IIntegerParameter>(c, "T")->getValue(), expected);
        }
    }

    void writes_data()
    {
        QTest::addColumn<QString>("steps"); // "; "-separated, the last one watched (see outcomeOf); "latin1": the encoding
        QTest::addColumn<QString>("expected");
        // Text goes as the feature tree writes it, a byte a character, and in Latin-1 as text.
        const char* const rows[][2] = {
            {"Width=1024", "OffsetX [0,1424,4]; Width '1024'"}, {"Width=0x400", "OffsetX [0,1424,4]; Width '1024'"},
            {"OffsetX=200; Width=2248", "OffsetX [0,200,4]; Width '2248'"}, {"OffsetX=200", "OffsetX '200'; Width [16,2248,4]"},
            {"ExposureTime=1234.56", "ExposureTime '1234.6'; ExposureTime/Alias '1235'"}, {"ReverseX=true", "ReverseX '1'"},
            {"BlackLevel=2.5", "BlackLevel '2.50e+00'"}, {"PixelFormat=Mono12", "PixelFormat 'Mono12' 17301506"}, {"Key=77", ""},
            {"UserID=Grüße", "UserID 'Grüße'"}, {"UserID=12345678", "UserID '12345678'"},
            {"latin1; UserID=Grüße", "UserID 'Grüße'"}, {"latin1; UserID=Ã¼", "UserID 'Ã¼'"},
            {"latin1; UserID=ab\\0cd", "UserID 'ab\\0cd'"}, {"UserID=ab\\0cd", "UserID 'ab\\0cd'"},
            {"Locked=1", "Locked '1'; PixelFormat R-IA; Width R-IA"}, {"Locked=1; Locked=0", "Locked '0'; PixelFormat RWIA; Width RWIA"},
            {"Width.AccessMode=WO; Locked=1", "Locked '1'; PixelFormat R-IA; Width --I-"},
            {"RateEnable=1", "Rate '30.00' RWIA; RateEnable '1'"},
            {"TriggerSelector=LineStart", "TriggerMode 'On' 1; TriggerSelector 'LineStart' 1"},
            {"TriggerMode=On; TriggerSelector=LineStart; TriggerMode=Off; TriggerSelector=FrameStart",
             "TriggerMode 'On' 1; TriggerSelector 'FrameStart' 0"},
            {"Gain/Alias=1250", "Gain '12.50'; Gain/Alias '1250'"}, {"Gain=3", "Gain '3.00'; Gain/Alias '300'"},
            {"Gain.AccessMode=RO", "Gain R-IA; Gain/Alias R-IA"}, {"OffsetX.Visibility=Guru", "OffsetX Guru"},
            {"OffsetX.Visibility=Invisible", "OffsetX Invisible"}, {"OffsetX.AccessMode=RO", "OffsetX R-IA"},
            {"OffsetX.AccessMode=WO", "OffsetX '' -WIA"}, {"OffsetX.AccessMode=NA", "OffsetX '' --I-"},
            {"OffsetX.AccessMode=NI", "OffsetX '' ---- [0,0,1]"}, {"Gain.AccessMode=RO; Gain.AccessMode=; Gain=3", "Gain '3.00'; Gain/Alias '300'"},
            // refused: nothing changes anywhere
            {"Width=2452", "OutOfRange: out of the range [16, 2448]"}, {"Width=1025", "OutOfRange: not on the increment 4"},
            {"OffsetX=200; Width=2252", "OutOfRange: out of the range [16, 2248]"},
            {"BlackLevel=2.25", "OutOfRange: not on the increment 0.5"}, {"Gain=24.5", "OutOfRange: out of the range"},
            {"Gain/Alias=2401", "OutOfRange: out of the range [0, 2400]"}, {"Width=wide", "InvalidArgument: 'wide' is not"},
            {"PixelFormat=RGB8", "InvalidArgument: 'RGB8' is not an entry of the enumeration"},
            {"SensorWidth=1000", "Access: Node 'SensorWidth' is not writable (read only)"},
            {"Locked=1; PixelFormat=Mono12", "Access: Node 'PixelFormat' is not writable (read only)"},
            {"Legacy=1", "Access: Node 'Legacy' is not implemented"}, {"Future=1", "Access: Node 'Future' is not available"},
            {"Rate=10", "Access: Node 'Rate' is not available"}, {"Tag=x", "OutOfRange: The text of 1 bytes is longer than the 0"},
            {"UserID=123456789", "OutOfRange: The text of 9 bytes is longer than the 8 bytes"},
            {"UserID=カメラ", "OutOfRange: The text of 9 bytes"}, {"UserID=ab\xff\xfe", "InvalidArgument: not valid UTF-8"},
            {"UserID=ab\xe3\x82", "InvalidArgument: not valid UTF-8"}, // cut short
            {"latin1; UserID=写", "InvalidArgument: Node 'UserID' holds Latin-1 text only"},
            {"Save=1", "LogicalError: Command 'Save' takes no value; execute it instead"},
            {"Root=1", "LogicalError: Node 'Root' has no value to set"},
            {"OffsetX.Unit=m", "LogicalError: Property 'Unit' of node 'OffsetX' cannot be set"},
            {"OffsetX.Visibility=Sometimes", "InvalidArgument: 'Sometimes' is no visibility"},
            {"OffsetX.AccessMode=RX", "InvalidArgument: 'RX' is no access mode"}};
        for (const auto& row : rows) {
            const QByteArray steps(row[0]);
            const QString text = steps.startsWith("latin1") ? QString::fromUtf8(steps) : QString::fromLatin1(steps);
            QTest::newRow(row[0]) << text << QString::fromUtf8(row[1]);
        }
    }
    void writes()
    {
        QFETCH(QString, steps); QFETCH(QString, expected);
        steps.replace("\\0", QChar(0)); // a zero character in a text
        expected.replace("\\0", QChar(0));
        auto c = makeCollection();
        QStringList earlier = steps.split("; ");
        const QString write = earlier.takeLast();
        if (earlier.removeAll("latin1"))
            c->setTextEncoding(Collection::TextEncoding::Latin1);
        apply(*c, earlier.join(' '));
        QCOMPARE(outcomeOf(*c, c->nodeNames(), write, expected), expected);
    }

    void typedWritesCommandsAndPolls()
    {
        auto c = makeCollection();
        const Watch watch(*c, {"Width", "Gain", "ReverseX"});
        const auto width = typed<IIntegerParameter>(c, "Width");
        width->setValue(1027, false); // without verification only the increment goes unchecked
        typed<IFloatParameter>(c, "Gain")->setValue(3.0);
        typed<IBooleanParameter>(c, "ReverseX")->setValue(true);
        QCOMPARE(watch.changes(), QString("Gain '3.00'; ReverseX '1'; Width '1027'"));
        QCOMPARE(thrownBy([&] { width->setValue(5000, false); }) + thrownBy([&] { width->setValue(1026, true); }),
                 QString("OutOfRange: Value 5000 is out of the range [16, 2448] of node 'Width'"
                         "OutOfRange: Value 1026 of node 'Width' is not on the increment 4 from the minimum 16"));
        // Not a number would pass every range check: refused, as are infinities.
        for (double v : {qQNaN(), qInf(), -qInf()})
            QVERIFY(thrownBy([&] { typed<IFloatParameter>(c, "Gain")->setValue(v); }).endsWith("takes finite numbers only"));
        const auto save = typed<ICommandParameter>(c, "Save");
        QSignalSpy saved(save.data(), &IParameter::parameterDataChangedDecoupled);
        save->execute(true);
        save->setState(true);
        QVERIFY(!save->isDone() && !lastReport(saved)->boolValue);
        QTRY_VERIFY_WITH_TIMEOUT((c->poll(50), save->isDone()), 5000); // busy for a while, then polled done
        c->poll(50);
        QVERIFY(saved.count() == 2 && lastReport(saved)->boolValue);
        typed<ICommandParameter>(c, "Start")->execute(true); // no busy time: done at once
        QVERIFY(typed<ICommandParameter>(c, "Start")->isDone());
        // Refresh finds nothing new, for a write moves the baseline it compares with; polls move live features only.
        const Watch everything(*c, c->nodeNames());
        c->refresh();
        QCOMPARE(everything.changes(), QString());
        QSignalSpy moved(c->getParameter("Temp").data(), &IParameter::parameterDataChangedDecoupled);
        const qint64 started = typed<IIntegerParameter>(c, "Timestamp")->getValue();
        QSet<double> seen;
        for (int i = 0; i < 10; ++i)
            c->poll(300), seen << c->getParameter("Temp")->getParameterData()->floatValue;
        const auto [lowest, highest] = std::minmax_element(seen.begin(), seen.end());
        QVERIFY2(seen.size() >= 8 && *lowest >= -40 && *highest <= 125, "it should move in range on nearly every poll");
        QCOMPARE(moved.count(), seen.contains(40.0) ? 9 : 10);
        QCOMPARE(typed<IIntegerParameter>(c, "Timestamp")->getValue() - started, qint64(10) * 300 * 1000000);
        QCOMPARE(everything.changes(true), QString("Temp Timestamp"));
    }

    void deliversAcrossThreads()
    {
        auto c = makeCollection();
        const auto width = typed<IIntegerParameter>(c, "Width"), offset = typed<IIntegerParameter>(c, "OffsetX");
        QThread* receiverThread = nullptr;
        qint64 received = -1;
        QObject receiver;
        const auto receive = [&](QSharedPointer<const ParameterData> d) {
            receiverThread = QThread::currentThread(), received = d->intValue;
        };
        connect(width.data(), &IParameter::parameterDataChangedDecoupled, &receiver, receive);
        std::unique_ptr<QThread> worker(QThread::create([&] { width->setValue("512"); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        QCOMPARE(received, qint64(-1)); // queued: nothing arrives before the event loop runs
        QTRY_COMPARE(received, qint64(512));
        QCOMPARE(receiverThread, QThread::currentThread());
        // Two writers race for the room on the sensor; whatever the interleaving, the pair fits.
        std::atomic<int> refused{0};
        const auto writer = [&](const QSharedPointer<IIntegerParameter>& p, int seed) {
            return std::unique_ptr<QThread>(QThread::create([&, p, seed] {
                for (int i = 0; i < 2000; ++i, c->poll(1)) {
                    const qint64 value = ((seed * 7919 + i * 104729) % 600) * 4;
                    refused += thrownBy([&] { p->setValue(value, true); }).startsWith("OutOfRange: ");
                }
            }));
        };
        const auto a = writer(width, 1), b = writer(offset, 2);
        a->start(), b->start();
        QVERIFY(a->wait(60000) && b->wait(60000));
        QVERIFY(width->getValue() + offset->getValue() <= 2448 && refused.load() > 0);
    }

    void injectedFaults_data() { addFaultRows(); }
    void injectedFaults()
    {
        QFETCH(int, operation); QFETCH(int, kind);
        using Op = Collection::Operation;
        auto c = makeCollection();
        OpenedHandles h = handles(c);
        // The call of operationsAfterClose() that runs each operation of the fault injection.
        const QString name = QStringList({"collection getParameter", "collection getChildren", "collection hasParameter",
                                          "collection refresh", "collection poll", "getType of type 1",
                                          "getVisibility of type 1", "isWritable of type 1", "getParameterData of type 1",
                                          "getProperties of type 1", "properties getProperty", "properties setProperty",
                                          "setValue of type 1", "setState of type 4", "command execute", "integer getValue"})
                                 .at(operation - int(Op::GetParameter));
        std::function<bool(OpenedHandles&)> op;
        for (const auto& candidate : operationsAfterClose())
            op = candidate.first == name ? candidate.second : op;
        const QString node = name.startsWith("collection")                 ? ""
                           : name.contains(QRegularExpression("4|command")) ? "Save"
                                                                             : "Width";
        const QString expected = QStringList({"Runtime: Injected fault in ", "std: Injected fault in ", "other"}).at(kind);
        QString fired;
        const auto fire = [&] { fired += thrownBy([&] { op(h); }).startsWith(expected) ? '1' : '0'; };
        // A counted fault fires that often, an uncounted one until cleared; Any matches every operation of its node.
        c->injectFault(node, Op(operation), Collection::FaultKind(kind), 1);
        fire(), fire();
        c->injectFault(node, Op(operation), Collection::FaultKind(kind));
        fire(), fire(), c->clearFaults(), fire();
        c->injectFault(node, Op::Any, Collection::FaultKind(kind));
        fire();
        QCOMPARE(fired, QString("101101"));
        if (!node.isEmpty()) // and no other node's
            QCOMPARE(thrownBy([&] { c->getParameter("OffsetX")->getParameterData(); }), QString());
    }

    void everyOperationAfterClose_data() { addOperationRows(true); }
    void everyOperationAfterClose()
    {
        QFETCH(int, operation);
        auto closed = makeCollection(), destroyed = makeCollection();
        OpenedHandles h = handles(closed), gone = handles(destroyed);
        closed->close();
        QCOMPARE(misbehaviourAfterClose(h, operation), QString());
        gone.collection.reset();
        destroyed.reset();
        if (!operationsAfterClose().at(operation).first.startsWith("collection")) // nothing to call once it is gone
            QCOMPARE(misbehaviourAfterClose(gone, operation), QString());
    }

    void emulatedCamera()
    {
        EmulatedCamera camera;
        QStringList roles;
        for (const EmulatedCamera::Collection& c : camera.collections()) {
            const bool found = c.collection == camera.collection(c.roleName) && c.collection->getRoleName() == c.roleName;
            roles << c.roleName + (found && !c.rootName.isEmpty() ? "" : "?");
            // Every node but the aliases has its row.
            QStringList rows = namesOf(collectionTreeText(*c.collection, c.roleName + "/Root")) << "Root";
            QStringList nodes = c.collection->nodeNames().filter(QRegularExpression("^[^/]*$"));
            rows.sort(), nodes.sort();
            QVERIFY2(rows == nodes && nodes.size() > (c.roleName == "@CameraDevice" ? 150 : 8), qPrintable(c.roleName));
            QCOMPARE(ownValueMisfits(*c.collection, c.collection->nodeNames()), QString());
        }
        QCOMPARE(roles, QStringList({"@CameraDevice", "@DeviceTransportLayer", "@StreamGrabber0", "@ImageFormatConverter"}));
        QVERIFY(!camera.collection("@Nothing") && camera.info()->getDeviceClass() == "CamEmu");
        QVERIFY(!camera.info()->getModelName().isEmpty() && !camera.info()->getSerialNumber().isEmpty());
        // The device shows every kind of feature a feature tree has to show.
        const auto device = camera.collection("@CameraDevice");
        QMap<QString, QSet<QString>> kinds;
        for (const QString& name : device->nodeNames()) {
            const auto p = device->getParameter(name);
            const auto d = p->getParameterData();
            kinds["type"] << QString::number(p->isNull() ? -1 : d->type);
            kinds["access"] << p->getProperties()->getProperty("AccessMode");
            kinds["visibility"] << ValueText::formatVisibility(GenApi::EVisibility(d->visibility));
            if (d->type == TypeFloat || d->type == TypeInteger)
                kinds[d->type == TypeFloat ? "float" : "integer"] << d->representation;
        }
        QStringList census;
        for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
            QStringList values = it.value().values();
            values.sort();
            census << it.key() + ": " + values.join(' ');
        }
        QCOMPARE(census, QStringList({"access: NA NI RO RW WO", "float: Linear Logarithmic PureNumber",
                                      "integer: Boolean HexNumber IPV4Address Linear Logarithmic MACAddress PureNumber",
                                      "type: -1 1 2 3 4 5 6 7 8", "visibility: Beginner Expert Guru Invisible"}));
        // A register shows its bytes, length and address, and takes no text.
        QCOMPARE(snapshotText(*device->getParameter("FileAccessBuffer")->getParameterData()),
                 "r '4F 72 76 69 6B 20 75 73 65 72 20 73 65 74 0A 00 (16 bytes at 0x00020000)' R-IA Guru");
        // Its temperature drifts as it is polled, and image size and offsets limit each other.
        QSignalSpy drifted(device->getParameter("DeviceTemperature").data(), &IParameter::parameterDataChangedDecoupled);
        for (int i = 0; i < 5; ++i)
            device->poll(300);
        QVERIFY(drifted.count() >= 4 && !device->getParameter("DeviceTemperature")->isWritable());
        const QString minimum = QString::number(device->getParameter("Width")->getParameterData()->intMin);
        QCOMPARE(outcomeOf(*device, {"Width", "OffsetX"}, "Width=" + minimum, "").section(' ', 0, 0), QString("OffsetX"));
    }
};

QTEST_GUILESS_MAIN(TestMemoryParameterCollection)
#include "tst_memoryparametercollection.moc"
