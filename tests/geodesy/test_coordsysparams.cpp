#include "geodesy/coordsysparams.h"
#include "geodesy/ellipsoid.h"

#include "coordoperatorfixture.h"

#include <QtTest>

using namespace vexa;
using namespace coordoperatorfixture;

class TestCoordSysParams : public QObject
{
    Q_OBJECT

private slots:
    void defaultIsEmptyAndInvalid();
    void validityFollowsKind();
    void resetKeepsObjects();
    void neverEqual();
};

void TestCoordSysParams::defaultIsEmptyAndInvalid()
{
    const CCoordSysParams system;
    QVERIFY(!system.isValid());
    QCOMPARE(system.getKind(), int(CoordSysUndefined));
    QVERIFY(!system.datumShiftToWgs84 && !system.primeMeridian && !system.ellipsoid
            && !system.projection && !system.localSystem && !system.geoid && !system.transforms);
    QVERIFY(system.datumShifts.empty() && system.geographicDatumShifts.empty()
            && system.verticalDatumShifts.empty() && system.transformLists.empty());
}

void TestCoordSysParams::validityFollowsKind()
{
    CCoordSysParams system;
    system.kind = CoordSysLocalCartesian;
    QVERIFY(system.isValid());
    system.kind = CoordSysTopocentric;
    QVERIFY(system.isValid());
    QCOMPARE(system.getKind(), int(CoordSysTopocentric));
}

void TestCoordSysParams::resetKeepsObjects()
{
    CCoordSysParams system = withShift(makeSystem(CoordSysGeodetic, wgs84), 10.0);
    system.transformLists["a"] = inDegrees();
    const auto shift = system.datumShiftToWgs84;
    system.reset();
    QVERIFY(!system.isValid());
    QCOMPARE(system.datumShiftToWgs84, shift);
    QVERIFY(system.ellipsoid && system.primeMeridian);
    QCOMPARE(system.transformLists.size(), std::size_t(1));
}

void TestCoordSysParams::neverEqual()
{
    const CCoordSysParams system = makeSystem(CoordSysGeodetic, wgs84);
    QVERIFY(!system.isEqual(system));
    QVERIFY(!CCoordSysParams().isEqual(CCoordSysParams()));
}

QTEST_APPLESS_MAIN(TestCoordSysParams)
#include "test_coordsysparams.moc"
