#include "widgets/asyncerrorqueue.h"

#include <QFile>
#include <QImage>
#include <QTranslator>
#include <QtTest>

// The resources compiled into the library: the message box icons and the
// translations a host installs.
class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void translations_data();
    void translations();
    void icons_data();
    void icons();
};

void TestResources::initTestCase()
{
    // A host uses the library before it looks for its resources; so does this
    // test, or the linker would leave the library (and its resources) out.
    QVERIFY(GetTheGlobalAsyncErrorQueue());
}

void TestResources::translations_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("language");

    QTest::newRow("English") << "orvikviewercomponents6_en.qm"
                             << "en";
    QTest::newRow("Japanese") << "orvikviewercomponents6_ja.qm"
                              << "ja";
    QTest::newRow("Korean") << "orvikviewercomponents6_ko.qm"
                            << "ko";
    QTest::newRow("Chinese") << "orvikviewercomponents6_zh.qm"
                             << "zh_CN";
}

void TestResources::translations()
{
    QFETCH(QString, file);
    QFETCH(QString, language);
    const QString path = QStringLiteral(":/translation/") + file;
    QVERIFY2(QFile::exists(path), qPrintable(path));

    QTranslator translator;
    QVERIFY(translator.load(path));
    // The language recorded by the update step: the right file under the right name.
    QCOMPARE(translator.language(), language);
    QCOMPARE(translator.filePath(), path);
}

void TestResources::icons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");

    QTest::newRow("information") << "Info_32.png" << 32;
    QTest::newRow("warning") << "Warning_16_black.png" << 16;
    QTest::newRow("critical") << "Error_32.png" << 32;
    QTest::newRow("question") << "Question_32.png" << 32;
}

void TestResources::icons()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    const QImage image(QStringLiteral(":/orvikviewercomponents/Resources/") + name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    // Drawn on a transparent ground: the corners show nothing.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, 0)), 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
