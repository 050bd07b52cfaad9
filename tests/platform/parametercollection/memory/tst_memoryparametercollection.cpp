#include "nodemaptext.h"
#include "parameterchecks.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "treefixture.h"

#include <QtTest>

#include <atomic>

using namespace ParameterCollection;
using Collection = MemoryParameterCollection;

namespace {

// Dependent limits and locks in Image; a selector, aliases, live features and every access mode in Acq.
const char* const tree
    = "Image[SensorWidth=2448#Expert!RO Locked=0#Invisible{min=0 max=1} OffsetX=0{min=0 max='SensorWidth - Width' inc=4}"
      " Width=2048{min=16 max='SensorWidth - OffsetX' inc=4 unit=px representation=Linear lockedIf=Locked"
      " description='Image width.' tooltip='Width tip'} Status=0x0F!RO{representation=HexNumber}"
      " Mac=00:0C:DF:01:02:03!RO{representation=MACAddress} PixelFormat:e=Mono8(Mono8 Mono12){lockedIf=Locked}"
      " ReverseX:b=false#Guru UserID:s{maxLength=8} Tag:s{maxLength=0} Lut:p] Acq#Expert[TriggerSelector:e=FrameStart(FrameStart LineStart)"
      " TriggerMode:e=Off(Off On){selector=TriggerSelector} ExposureTime:f=5000{min=16 max=1048576 precision=1"
      " representation=Logarithmic aliasScale=1} Gain:f=6{min=0 max=24 representation=Linear aliasScale=0.01}"
      " BlackLevel:f=1.5{min=0 max=10 inc=0.5} RateEnable:b=false Rate:f=30{min=1 max=120 availableIf=RateEnable}"
      " Temp:f=40!RO{min=-40 max=125 behaviour=drift} Timestamp=0!RO{behaviour=clock} Save:c{busyMs=150} Start:c"
      " Key=0!WO Legacy=0!NI Future=0!NA]";
const QString fullRange = "[-9223372036854775808,9223372036854775807,1]";

QSharedPointer<Collection> makeCollection()
{
    // Entry display names and values, and values per selector position, are beyond the tree text.
    return Collection::fromXml(
        NodeMapText::toXml(tree)
            .replace("<Entry name=\"Mono8\"/>", "<Entry name=\"Mono8\" displayName=\"Mono 8\" value=\"17301505\"/>")
            .replace("<Entry name=\"On\"/>", "<Entry name=\"On\"/><Value for=\"LineStart\">On</Value>"),
        "test.xml");
}

template<typename T>
QSharedPointer<T> typed(const QSharedPointer<Collection>& c, const QString& name)
{
    return qSharedPointerDynamicCast<T>(c->getParameter(name));
}

// Space-separated steps: "Name=text" writes a value, "Name.Key=text" a property, "latin1" switches the encoding.
void apply(Collection& c, const QString& steps)
{
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step == QLatin1String("latin1")) {
            c.setTextEncoding(Collection::TextEncoding::Latin1);
            continue;
        }
        const QString target = step.section('=', 0, 0), text = step.section('=', 1);
        const auto p = c.getParameter(target.section('.', 0, 0));
        if (target.contains('.'))
            p->getProperties()->setProperty(target.section('.', 1), text);
        else
            p->setValue(text);
    }
}

// One feature of every type, for the operations of operationsAfterClose().
OpenedHandles handles(const QSharedPointer<Collection>& c)
{
    OpenedHandles h{c, {}, c->getParameter("Width")->getProperties()};
    for (const char* name : {"Width", "ReverseX", "ExposureTime", "Save", "UserID", "PixelFormat", "Acq"})
        h.byType.insert(c->getParameter(name)->getType(), c->getParameter(name));
    return h;
}

std::function<bool(OpenedHandles&)> operation(const QString& name)
{
    for (const auto& op : operationsAfterClose()) {
        if (op.first == name)
            return op.second;
    }
    return nullptr;
}

// Every node's snapshot and every report, so that a test sees that exactly the
// nodes whose snapshot changed were reported, each once, with its new snapshot.
class Watch
{
public:
    explicit Watch(Collection& c)
        : m_collection(c)
    {
        for (const QString& name : c.nodeNames()) {
            m_before[name] = snapshotText(*c.getParameter(name)->getParameterData());
            QObject::connect(c.getParameter(name).data(), &IParameter::parameterDataChangedDecoupled, &m_context,
                             [this, name](QSharedPointer<const ParameterData> d) { m_reports << name + ": " + snapshotText(*d); });
        }
    }
    QStringList changes() const
    {
        QStringList changed;
        for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
            const QString now = snapshotText(*m_collection.getParameter(it.key())->getParameterData());
            if (now != it.value())
                changed << it.key() + ": " + now;
        }
        changed.sort();
        return changed;
    }
    QStringList reports() const
    {
        QStringList sorted = m_reports;
        sorted.sort();
        return sorted;
    }

private:
    Collection& m_collection;
    QMap<QString, QString> m_before;
    QStringList m_reports;
    QObject m_context;
};

} // namespace

class TestMemoryParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { resetTestState(); }

    void walksTheTree()
    {
        auto c = makeCollection();
        QCOMPARE(c->getRoleName(), QString("@CameraDevice"));
        QCOMPARE(collectionTreeText(*c, "@CameraDevice/Root"),
                 QString("Image[SensorWidth Locked OffsetX Width Status Mac PixelFormat ReverseX UserID Tag Lut] "
                         "Acq[TriggerSelector TriggerMode ExposureTime Gain BlackLevel RateEnable Rate Temp Timestamp "
                         "Save Start Key Legacy Future]"));
        QCOMPARE(c->getParameter("Width"), c->getParameter("@CameraDevice/Width"));
        QVERIFY(!c->getParameter("NoSuchFeature") && !c->getParameter("@OtherRole/Width"));
        QVERIFY(c->hasParameter("@CameraDevice/Gain/Alias") && !c->hasParameter("@CameraDevice/Nothing"));
        QVERIFY(thrownBy([&] { c->getChildren("Nothing", 0, true); }).startsWith("InvalidArgument: "));
        // A port has no value to show, yet it takes properties.
        QVERIFY(c->getParameter("Lut")->isNull() && c->getParameter("Lut")->acceptsProperties());
        const auto props = c->getParameter("Width")->getProperties();
        QCOMPARE(QStringList({props->getProperty("Unit"), props->getProperty("Description"), props->getProperty("Tooltip"),
                              props->getProperty("DisplayName"), props->getProperty("DocuURL", "none"),
                              props->getProperty("NoSuchKey"), props->getProperty("AccessMode")}),
                 QStringList({"px", "Image width.", "Width tip", "Width", "none", "", "RW"}));
        QCOMPARE(c->getParameter("PixelFormat")->getParameterData()->enumEntryDisplayNames, QStringList({"Mono 8", "Mono12"}));
    }

    void snapshots_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // snapshotText and the typed interfaces the handle offers
        const auto row = [](const char* name, const QString& expected) { QTest::newRow(name) << name << expected; };
        row("Width", "i '2048' RWIA Beginner [16,2448,4] Linear <I>");
        row("SensorWidth", "i '2448' R-IA Expert " + fullRange + " PureNumber <I>");
        row("OffsetX", "i '0' RWIA Beginner [0,400,4] PureNumber <I>");
        row("Status", "i '0xF' R-IA Beginner " + fullRange + " HexNumber <I>");
        row("Mac", "i '00:0C:DF:01:02:03' R-IA Beginner " + fullRange + " MACAddress <I>");
        row("PixelFormat", "e 'Mono8' RWIA Beginner (Mono8 Mono12) 17301505 <E>");
        row("TriggerMode", "e 'Off' RWIA Beginner (Off On) 0 <E>");
        row("ReverseX", "b '0' RWIA Guru <B>");
        row("UserID", "s '' RWIA Beginner <>");
        row("ExposureTime", "f '5000.0' RWIA Beginner [16,1048576,-] p1 Logarithmic <F>");
        row("ExposureTime/Alias", "i '5000' RWIA Beginner [16,1048576,1] Logarithmic <I>");
        row("Gain/Alias", "i '600' RWIA Beginner [0,2400,1] Linear <I>");
        row("BlackLevel", "f '1.50' RWIA Beginner [0,10,0.5] p2 PureNumber <F>");
        row("Rate", "f '' --I- Beginner [1,120,-] p2 PureNumber <F>");
        row("Temp", "f '40.00' R-IA Beginner [-40,125,-] p2 PureNumber <F>");
        row("Save", "c '' RWIA Beginner done <C>");
        row("Key", "i '' -WIA Beginner " + fullRange + " PureNumber <I>");
        row("Legacy", "i '' ---- Beginner [0,0,1] PureNumber <I>");
        row("Future", "i '' --I- Beginner " + fullRange + " PureNumber <I>");
        row("Acq", "C '' R-IA Expert <>");
    }

    void snapshots()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const auto c = makeCollection();
        const auto p = c->getParameter(name);
        const auto d = p->getParameterData();
        const QString interfaces = QString(qSharedPointerDynamicCast<IIntegerParameter>(p) ? "I" : "")
                                 + (qSharedPointerDynamicCast<IFloatParameter>(p) ? "F" : "")
                                 + (qSharedPointerDynamicCast<IBooleanParameter>(p) ? "B" : "")
                                 + (qSharedPointerDynamicCast<IEnumParameter>(p) ? "E" : "")
                                 + (qSharedPointerDynamicCast<ICommandParameter>(p) ? "C" : "");
        QCOMPARE(snapshotText(*d) + " <" + interfaces + ">", expected);
        QCOMPARE(QStringList({d->fullName, p->getFullName()}), QStringList({"@CameraDevice/" + name, "@CameraDevice/" + name}));
        QCOMPARE(QList<int>({p->getType(), p->getVisibility(), p->isWritable()}), QList<int>({d->type, d->visibility, d->isWritable}));
    }

    void rejectsBrokenNodeMaps_data()
    {
        QTest::addColumn<QByteArray>("xml"); // a body inside Root, or a whole document starting with '<'; empty: no file
        QTest::addColumn<QString>("message");
        const char* const rows[][2] = {
            {"", "Cannot open the node map '/nonexistent/map.xml'"},
            {"<<NodeMap role=\"@X\">\n<Category name=\"Root\">", "test.xml, line 2: malformed XML"},
            {"<<Map/>", "the document element must be <NodeMap>"},
            {"<<NodeMap role=\"@X\"><Category name=\"Top\"/></NodeMap>", "must hold exactly one <Category name=\"Root\">"},
            {"<<NodeMap role=\"Camera\"><Category name=\"Root\"/></NodeMap>", "the role must be a marker character"},
            {"<Integr name=\"A\"/>", "line 3: unknown element <Integr>"},
            {"<Integer name=\"A\"/><Float name=\"A\"/>", "a second node is named 'A'"},
            {"<Integer name=\"A/B\"/>", "needs a name without"},
            {"<Integer name=\"A\" max=\"B + 1\"/>", "max refers to the unknown node 'B'"},
            {"<Integer name=\"A\" min=\"Root\"/>", "min refers to 'Root', which has no value"},
            {"<Integer name=\"A\" max=\"(3 + \"/>", "unexpected end"},
            {"<Integer name=\"A\" representation=\"Octal\"/>", "unknown representation 'Octal'"},
            {"<Float name=\"A\" representation=\"HexNumber\"/>", "unknown representation 'HexNumber'"},
            {"<Integer name=\"A\" visibility=\"Novice\"/>", "unknown visibility 'Novice'"},
            {"<Integer name=\"A\" access=\"RX\"/>", "unknown access mode 'RX'"},
            {"<Integer name=\"A\" value=\"11\" max=\"10\"/>", "node 'A': its value 11 is outside its limits"},
            {"<Float name=\"A\" value=\"-1\" min=\"0\"/>", "node 'A': its value -1 is outside its limits"},
            {"<Integer name=\"A\" min=\"5\" max=\"4\" value=\"5\"/>", "its minimum is above its maximum"},
            {"<Integer name=\"A\" value=\"ten\"/>", "'ten' is not"},
            {"<Float name=\"A\" precision=\"18\"/>", "precision must be 0 to 17"},
            {"<Float name=\"A\" aliasScale=\"0\"/>", "aliasScale must be a number above 0"},
            {"<String name=\"S\" maxLength=\"-1\"/>", "maxLength must be 0 or more"},
            {"<Command name=\"C\" busyMs=\"-5\"/>", "busyMs must be 0 or more"},
            {"<Enumeration name=\"E\" value=\"C\"><Entry name=\"A\"/></Enumeration>", "'C' is not an entry of 'E'"},
            {"<Enumeration name=\"E\"/>", "has no entries"},
            {"<Enumeration name=\"E\"><Entry name=\"A\"/><Entry name=\"A\"/></Enumeration>", "entry 'A' appears twice"},
            {"<Enumeration name=\"E\"><Entry name=\"A\" value=\"x\"/></Enumeration>", "needs a name and an integer value"},
            {"<Boolean name=\"S\"/><Integer name=\"A\" selector=\"S\"/>", "selector 'S' is not an enumeration or integer"},
            {"<Integer name=\"S\"/><Integer name=\"T\" selector=\"S\"/><Integer name=\"A\" selector=\"T\"/>",
             "selector 'T' is itself selected"},
            {"<Integer name=\"A\"><Value for=\"1\">2</Value></Integer>", "<Value> needs a selector on 'A'"},
            {"<Enumeration name=\"S\"><Entry name=\"X\"/></Enumeration><Integer name=\"A\" selector=\"S\"><Value for=\"Y\">1"
             "</Value></Integer>", "'Y' is no position of selector 'S'"},
            {"<Enumeration name=\"S\"><Entry name=\"X\"/></Enumeration><Float name=\"T\" selector=\"S\" behaviour=\"drift\"/>",
             "a feature with a behaviour cannot be selected"},
            {"<Float name=\"T\" behaviour=\"clock\"/>", "behaviour 'clock' does not fit <Float>"}};
        for (const auto& row : rows) {
            const QByteArray body(row[0]);
            QTest::newRow(row[1]) << (body.startsWith("<<") ? body.mid(1) : body.isEmpty() ? body
                                      : "<NodeMap role=\"@CameraDevice\">\n<Category name=\"Root\">\n" + body + "\n</Category></NodeMap>")
                                  << row[1];
        }
    }

    void rejectsBrokenNodeMaps()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, message);
        const QString thrown = thrownBy(
            [&] { xml.isEmpty() ? Collection::fromFile("/nonexistent/map.xml") : Collection::fromXml(xml, "test.xml"); });
        QVERIFY2(thrown.startsWith("InvalidArgument: ") && thrown.contains(message), qPrintable(thrown));
    }

    void writes_data()
    {
        QTest::addColumn<QString>("steps"); // applied first
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("expected"); // the written feature's value text, or "<exception>: <part of its message>"
        // Each character of written text carries one byte, as the feature tree writes text.
        const auto bytes = [](const char* utf8) { return QString::fromLatin1(QByteArray(utf8)); };
        const auto row = [](const char* tag, const char* steps, const QString& write, const QString& expected) {
            QTest::newRow(tag) << steps << write << expected;
        };
        row("decimal", "", "Width=1024", "1024");
        row("hex in a decimal field", "", "Width=0x400", "1024");
        row("up to the live maximum", "OffsetX=200", "Width=2248", "2248");
        row("float", "", "ExposureTime=1234.56", "1234.6");
        row("float on the increment", "", "BlackLevel=2.5", "2.50");
        row("boolean", "", "ReverseX=true", "1");
        row("enumeration", "", "PixelFormat=Mono12", "Mono12");
        row("write only", "", "Key=77", "");
        row("utf-8", "", "UserID=" + bytes("Grüße"), "Grüße");
        row("latin-1", "latin1", "UserID=Grüße", "Grüße");
        row("latin-1 takes utf-8 bytes one by one", "latin1", "UserID=" + bytes("ü"), bytes("ü"));
        row("above the maximum", "", "Width=2452", "OutOfRange: out of the range [16, 2448]");
        row("above the live maximum", "OffsetX=200", "Width=2252", "OutOfRange: out of the range [16, 2248]");
        row("off the increment", "", "Width=1025", "OutOfRange: not on the increment 4");
        row("float off the increment", "", "BlackLevel=2.25", "OutOfRange: not on the increment 0.5");
        row("float above the maximum", "", "Gain=24.5", "OutOfRange: out of the range");
        row("alias above the maximum", "", "Gain/Alias=2401", "OutOfRange: out of the range [0, 2400]");
        row("unknown entry", "", "PixelFormat=RGB8", "InvalidArgument: 'RGB8' is not an entry of the enumeration");
        row("unparsable", "", "Width=wide", "InvalidArgument: 'wide' is not");
        row("read only", "", "SensorWidth=1000", "Access: Node 'SensorWidth' is not writable (read only)");
        row("locked", "Locked=1", "PixelFormat=Mono12", "Access: Node 'PixelFormat' is not writable (read only)");
        row("not implemented", "", "Legacy=1", "Access: Node 'Legacy' is not implemented");
        row("not available", "", "Future=1", "Access: Node 'Future' is not available");
        row("not available by condition", "", "Rate=10", "Access: Node 'Rate' is not available");
        row("no room at all", "", "Tag=x", "OutOfRange: The text of 1 bytes is longer than the 0 bytes");
        row("string too long", "", "UserID=123456789", "OutOfRange: The text of 9 bytes is longer than the 8 bytes");
        row("utf-8 longer in bytes", "", "UserID=" + bytes("カメラ"), "OutOfRange: The text of 9 bytes");
        row("invalid utf-8", "", "UserID=" + bytes("ab\xff\xfe"), "InvalidArgument: The text is not valid UTF-8");
        row("beyond latin-1", "latin1", "UserID=写", "InvalidArgument: Node 'UserID' holds Latin-1 text only");
        row("command", "", "Save=1", "LogicalError: Command 'Save' takes no value; execute it instead");
        row("category", "", "Root=1", "LogicalError: Node 'Root' has no value to set");
        row("fixed property", "", "OffsetX.Unit=m", "LogicalError: Property 'Unit' of node 'OffsetX' cannot be set");
        row("unknown visibility", "", "OffsetX.Visibility=Sometimes", "InvalidArgument: 'Sometimes' is no visibility");
        row("unknown access", "", "OffsetX.AccessMode=RX", "InvalidArgument: 'RX' is no access mode");
    }

    void writes()
    {
        QFETCH(QString, steps);
        QFETCH(QString, write);
        QFETCH(QString, expected);
        auto c = makeCollection();
        apply(*c, steps);
        const Watch watch(*c);
        const QString thrown = thrownBy([&] { apply(*c, write); });
        if (expected.contains(": ")) {
            QVERIFY2(thrown.startsWith(expected.section(": ", 0, 0) + ": ") && thrown.contains(expected.section(": ", 1)),
                     qPrintable(thrown));
            QCOMPARE(watch.changes(), QStringList()); // a refused write changes nothing anywhere
        } else {
            QCOMPARE(thrown, QString());
            QCOMPARE(c->getParameter(write.section('=', 0, 0))->getParameterData()->valueString, expected);
        }
        QCOMPARE(watch.reports(), watch.changes());
    }

    void dependentsFollow_data()
    {
        QTest::addColumn<QString>("steps"); // what the last one changes is watched
        QTest::addColumn<QString>("change"); // a node's snapshot after it
        const char* const rows[][2] = {
            {"OffsetX=200", "Width: i '2048' RWIA Beginner [16,2248,4] Linear"},
            {"Width=1024", "OffsetX: i '0' RWIA Beginner [0,1424,4] PureNumber"},
            {"Locked=1", "Width: i '2048' R-IA Beginner [16,2448,4] Linear"},
            {"Locked=1", "PixelFormat: e 'Mono8' R-IA Beginner (Mono8 Mono12) 17301505"},
            {"Locked=1 Locked=0", "PixelFormat: e 'Mono8' RWIA Beginner (Mono8 Mono12) 17301505"},
            {"RateEnable=1", "Rate: f '30.00' RWIA Beginner [1,120,-] p2 PureNumber"},
            {"TriggerSelector=LineStart", "TriggerMode: e 'On' RWIA Beginner (Off On) 1"},
            {"TriggerMode=On TriggerSelector=LineStart TriggerMode=Off TriggerSelector=FrameStart",
             "TriggerMode: e 'On' RWIA Beginner (Off On) 1"},
            {"Gain/Alias=1250", "Gain: f '12.50' RWIA Beginner [0,24,-] p2 Linear"},
            {"Gain=3", "Gain/Alias: i '300' RWIA Beginner [0,2400,1] Linear"},
            {"Gain.AccessMode=RO", "Gain/Alias: i '600' R-IA Beginner [0,2400,1] Linear"},
            {"OffsetX.Visibility=Guru", "OffsetX: i '0' RWIA Guru [0,400,4] PureNumber"},
            {"OffsetX.Visibility=Invisible", "OffsetX: i '0' RWIA Invisible [0,400,4] PureNumber"},
            {"OffsetX.AccessMode=RO", "OffsetX: i '0' R-IA Beginner [0,400,4] PureNumber"},
            {"OffsetX.AccessMode=WO", "OffsetX: i '' -WIA Beginner [0,400,4] PureNumber"},
            {"OffsetX.AccessMode=NA", "OffsetX: i '' --I- Beginner [0,400,4] PureNumber"},
            {"OffsetX.AccessMode=NI", "OffsetX: i '' ---- Beginner [0,0,1] PureNumber"},
            {"Width.AccessMode=WO Locked=1", "Width: i '' --I- Beginner [16,2448,4] Linear"}};
        for (const auto& row : rows)
            QTest::addRow("%s, %s", row[0], row[1]) << row[0] << row[1];
    }

    void dependentsFollow()
    {
        QFETCH(QString, steps);
        QFETCH(QString, change);
        auto c = makeCollection();
        apply(*c, steps.section(' ', 0, -2));
        const Watch watch(*c);
        apply(*c, steps.section(' ', -1));
        QVERIFY2(watch.changes().contains(change), qPrintable(watch.changes().join('\n')));
        QCOMPARE(watch.reports(), watch.changes());
    }

    void typedAccess()
    {
        auto c = makeCollection();
        const auto width = typed<IIntegerParameter>(c, "Width");
        QCOMPARE(QList<qint64>({width->getValue(), width->getMinimum(), width->getMaximum(), width->getIncrement()}),
                 QList<qint64>({2048, 16, 2448, 4}));
        width->setValue(1027, false); // without verification only the increment goes unchecked
        QCOMPARE(width->getValue(), qint64(1027));
        QVERIFY(thrownBy([&] { width->setValue(5000, false); }).startsWith("OutOfRange: "));
        QVERIFY(thrownBy([&] { width->setValue(1026, true); }).startsWith("OutOfRange: "));
        const auto gain = typed<IFloatParameter>(c, "Gain");
        gain->setValue(3.0);
        QCOMPARE(QList<double>({gain->getValue(), gain->getMinimum(), gain->getMaximum()}), QList<double>({3.0, 0.0, 24.0}));
        typed<IBooleanParameter>(c, "ReverseX")->setValue(true);
        QVERIFY(typed<IBooleanParameter>(c, "ReverseX")->getValue());
        QCOMPARE(typed<IEnumParameter>(c, "PixelFormat")->getValue(), QString("Mono8"));
        QCOMPARE(typed<IEnumParameter>(c, "PixelFormat")->getEntryNames(), QStringList({"Mono8", "Mono12"}));
        QVERIFY(thrownBy([&] { typed<IIntegerParameter>(c, "Key")->getValue(); }).startsWith("Access: "));
        QVERIFY(thrownBy([&] { typed<IFloatParameter>(c, "Rate")->getValue(); }).startsWith("Access: "));

        const auto save = typed<ICommandParameter>(c, "Save");
        QSignalSpy saved(save.data(), &IParameter::parameterDataChangedDecoupled);
        save->execute(true);
        save->setState(true);
        QVERIFY(!save->isDone() && !lastReport(saved)->boolValue);
        QTRY_VERIFY_WITH_TIMEOUT((c->poll(50), save->isDone()), 5000); // busy for a while, then polled done
        c->poll(50);
        QCOMPARE(saved.count(), 2);
        QVERIFY(lastReport(saved)->boolValue);
        typed<ICommandParameter>(c, "Start")->execute(true); // no busy time: done at once
        QVERIFY(typed<ICommandParameter>(c, "Start")->isDone());
    }

    void pollMovesLiveFeaturesOnly()
    {
        auto c = makeCollection();
        apply(*c, "OffsetX=8"); // a write moves the baseline that refresh compares with
        const Watch watch(*c);
        c->refresh();
        QCOMPARE(watch.reports(), QStringList());
        const auto temperature = c->getParameter("Temp");
        QSet<double> seen;
        for (int i = 0; i < 10; ++i) {
            c->poll(300);
            const double t = temperature->getParameterData()->floatValue;
            QVERIFY(t >= -40.0 && t <= 125.0);
            seen << t;
        }
        QVERIFY2(seen.size() >= 8, "the temperature should move on nearly every poll");
        QCOMPARE(watch.reports().filter("Temp: ").size(), seen.contains(40.0) ? 9 : 10);
        QCOMPARE(typed<IIntegerParameter>(c, "Timestamp")->getValue(), qint64(10) * 300 * 1000000);
        QCOMPARE(watch.changes().size(), 2);
    }

    void deliversAcrossThreads()
    {
        auto c = makeCollection();
        const auto width = typed<IIntegerParameter>(c, "Width");
        const auto offset = typed<IIntegerParameter>(c, "OffsetX");
        QThread* receiverThread = nullptr;
        qint64 received = -1;
        QObject receiver;
        connect(width.data(), &IParameter::parameterDataChangedDecoupled, &receiver, [&](QSharedPointer<const ParameterData> d) {
            receiverThread = QThread::currentThread();
            received = d->intValue;
        });
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
                for (int i = 0; i < 2000; ++i) {
                    refused += thrownBy([&] { p->setValue(qint64(((seed * 7919 + i * 104729) % 600) * 4), true); })
                                   .startsWith("OutOfRange: ");
                    c->poll(1);
                }
            }));
        };
        const auto a = writer(width, 1), b = writer(offset, 2);
        a->start();
        b->start();
        QVERIFY(a->wait(60000) && b->wait(60000));
        QVERIFY(width->getValue() + offset->getValue() <= 2448);
        QVERIFY(refused.load() > 0);
    }

    void injectedFaults_data() { addFaultRows(); }

    void injectedFaults()
    {
        QFETCH(int, operation);
        QFETCH(int, kind);
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
        const auto op = ::operation(name);
        const auto call = [&] { op(h); };
        const QString node = name.startsWith("collection") ? "" : name.contains("4") || name.startsWith("command") ? "Save" : "Width";
        const QString expected = QStringList({"Runtime: Injected fault in ", "std: Injected fault in ", "other"}).at(kind);
        const auto injected = [&] { return thrownBy(call).startsWith(expected); }; // other failures may happen
        // A counted fault fires that often; an uncounted one stays until cleared.
        c->injectFault(node, Op(operation), Collection::FaultKind(kind), 1);
        QVERIFY(injected());
        QVERIFY(!injected());
        c->injectFault(node, Op(operation), Collection::FaultKind(kind));
        QVERIFY(injected() && injected());
        c->clearFaults();
        QVERIFY(!injected());
        // Any matches every operation of its node and no other node's.
        c->injectFault(node, Op::Any, Collection::FaultKind(kind));
        QVERIFY(injected());
        if (!node.isEmpty())
            QCOMPARE(thrownBy([&] { c->getParameter("OffsetX")->getParameterData(); }), QString());
    }

    void everyOperationAfterClose_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("destroyed"); // instead of closed
        const auto ops = operationsAfterClose();
        for (int i = 0; i < ops.size(); ++i) {
            QTest::addRow("closed: %s", qPrintable(ops.at(i).first)) << i << false;
            if (!ops.at(i).first.startsWith("collection"))
                QTest::addRow("destroyed: %s", qPrintable(ops.at(i).first)) << i << true;
        }
    }

    void everyOperationAfterClose()
    {
        QFETCH(int, operation);
        QFETCH(bool, destroyed);
        auto c = makeCollection();
        OpenedHandles h = handles(c);
        QCOMPARE(h.byType.size(), int(TypeCategory));
        if (destroyed) {
            h.collection.reset();
            c.reset();
        } else {
            c->close();
        }
        bool acceptable = false;
        const QString thrown = thrownBy([&] { acceptable = operationsAfterClose().at(operation).second(h); });
        QVERIFY2(thrown.startsWith("Access: ") || (thrown.isEmpty() && acceptable), qPrintable(thrown));
    }
};

QTEST_GUILESS_MAIN(TestMemoryParameterCollection)
#include "tst_memoryparametercollection.moc"
