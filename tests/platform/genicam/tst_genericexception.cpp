#include "genicam/genericexception.h"

#include <QtTest>

class TestGenericException : public QObject
{
    Q_OBJECT
private slots:
    void describesItselfAndIsCaughtByClassAndFamily()
    {
        // The classes' type information lives in their own shared library: catches
        // by exact class and by the family's base must both match, siblings must not.
        const unsigned int line = __LINE__ + 2;
        try {
            GENICAM_THROW(OutOfRangeException, "Value 5 is too large");
        } catch (const GenICam::InvalidArgumentException&) {
            QFAIL("caught as a sibling class");
        } catch (const GenICam::OutOfRangeException& e) {
            QCOMPARE(QString(e.GetDescription()), QString("Value 5 is too large"));
            QCOMPARE(e.GetSourceLine(), line);
            QVERIFY(QString(e.GetSourceFileName()).endsWith("/tst_genericexception.cpp"));
            QCOMPARE(QString(e.what()),
                     QString("Value 5 is too large : OutOfRangeException thrown (file 'tst_genericexception.cpp', line %1)")
                         .arg(line));
        }
        bool caught = false;
        try {
            GENICAM_THROW(TimeoutException, "t");
        } catch (const GenICam::GenericException& e) {
            caught = dynamic_cast<const GenICam::TimeoutException*>(&e) && !dynamic_cast<const GenICam::AccessException*>(&e);
        }
        QVERIFY(caught);
    }
};

QTEST_GUILESS_MAIN(TestGenericException)
#include "tst_genericexception.moc"
