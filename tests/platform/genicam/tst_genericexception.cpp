#include "genicam/genericexception.h"

#include <QtTest>

class TestGenericException : public QObject
{
    Q_OBJECT
private slots:
    void carriesDescriptionAndLocation();
    void subclassesAreCaughtAsTheFamily();
};

void TestGenericException::carriesDescriptionAndLocation()
{
    unsigned int line = 0;
    try {
        line = __LINE__ + 1;
        GENICAM_THROW(OutOfRangeException, "Value 5 is too large");
    } catch (const GenICam::GenericException& e) {
        QCOMPARE(QString::fromUtf8(e.GetDescription()), QStringLiteral("Value 5 is too large"));
        QCOMPARE(e.GetSourceLine(), line);
        QVERIFY(QString::fromUtf8(e.GetSourceFileName()).endsWith(QLatin1String("tst_genericexception.cpp")));
        const QString what = QString::fromUtf8(e.what());
        QVERIFY2(what.startsWith(QLatin1String("Value 5 is too large : OutOfRangeException thrown")), e.what());
        QVERIFY2(what.contains(QStringLiteral("line %1").arg(line)), e.what());
        QVERIFY2(what.contains(QLatin1String("'tst_genericexception.cpp'")), e.what());
    }
}

void TestGenericException::subclassesAreCaughtAsTheFamily()
{
    // The classes' type information lives in their own shared library; catches
    // by exact class and by the family's base must both match.
    int caught = 0;
    for (int kind = 0; kind < 3; ++kind) {
        try {
            if (kind == 0)
                GENICAM_THROW(InvalidArgumentException, "a");
            if (kind == 1)
                GENICAM_THROW(AccessException, "b");
            GENICAM_THROW(TimeoutException, "c");
        } catch (const GenICam::InvalidArgumentException&) {
            QCOMPARE(kind, 0);
            ++caught;
        } catch (const GenICam::GenericException& e) {
            QVERIFY(kind > 0);
            QVERIFY(dynamic_cast<const GenICam::InvalidArgumentException*>(&e) == nullptr);
            ++caught;
        }
    }
    QCOMPARE(caught, 3);
}

QTEST_GUILESS_MAIN(TestGenericException)
#include "tst_genericexception.moc"
