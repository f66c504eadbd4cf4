#include "geodesy/topocentric.h"
#include "geodesy/transform.h"

#include "pointcheck.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>

using namespace vexa;
using pointcheck::isNear;

Q_DECLARE_METATYPE(vexa::CCoords)

namespace {

const double degree = kPi / 180.0;
const double a = 6378137.0;

CEllipsoidParams grs80()
{
    CEllipsoidParams params;
    params.setInverseFlattening(a, 298.257222101);
    return params;
}

CLSRParams localSystem(double latitude, double longitude, double height, double azimuth)
{
    CLSRParams lsr;
    lsr.origin = CCoords(latitude, longitude, height);
    lsr.azimuth = azimuth;
    return lsr;
}

} // namespace

class TestTopocentric : public QObject
{
    Q_OBJECT

private slots:
    void frameAtEquator_data();
    void frameAtEquator();
    void roundTrip();
    void affineForms();
    void operationDirections();
    void auxDataOperation();
    void paramsEqualityAndValidity();
    void againstProj_data();
    void againstProj();
};

void TestTopocentric::frameAtEquator_data()
{
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<CCoords>("geocentric");
    QTest::addColumn<CCoords>("local");
    QTest::newRow("origin") << 0.0 << CCoords(a, 0, 0) << CCoords(0, 0, 0);
    QTest::newRow("up") << 0.0 << CCoords(a + 10, 0, 0) << CCoords(0, 0, 10);
    QTest::newRow("east") << 0.0 << CCoords(a, 5, 0) << CCoords(5, 0, 0);
    QTest::newRow("north") << 0.0 << CCoords(a, 0, 5) << CCoords(0, 5, 0);
    QTest::newRow("east, azimuth 90") << kHalfPi << CCoords(a, 5, 0) << CCoords(0, 5, 0);
    QTest::newRow("north, azimuth 90") << kHalfPi << CCoords(a, 0, 5) << CCoords(-5, 0, 0);
}

void TestTopocentric::frameAtEquator()
{
    QFETCH(double, azimuth);
    QFETCH(CCoords, geocentric);
    QFETCH(CCoords, local);
    const CLsrFrame frame(grs80(), localSystem(0, 0, 0, azimuth));
    QVERIFY(isNear(CCoords(frame.X0, frame.Y0, frame.Z0), CCoords(a, 0, 0), 1e-9));
    CCoords result;
    frame.geocentricToLocal(geocentric, &result);
    QVERIFY2(isNear(result, local, 1e-9), pointcheck::difference(result, local));
    frame.localToGeocentric(local, &result);
    QVERIFY2(isNear(result, geocentric, 1e-9), pointcheck::difference(result, geocentric));
}

void TestTopocentric::roundTrip()
{
    const CLsrFrame frame(grs80(), localSystem(-41.3 * degree, 174.8 * degree, 120, 1.2));
    const CCoords start(-4780000.5, 439000.25, -4190000.75);
    CCoords local;
    frame.geocentricToLocal(start, &local);
    CCoords back;
    frame.localToGeocentric(local, &back);
    QVERIFY2(isNear(back, start, 1e-8), pointcheck::difference(back, start));
}

// The affine forms map as the frame does; the inverse of the local-to-geocentric
// form is the geocentric-to-local mapping.
void TestTopocentric::affineForms()
{
    const CLsrFrame frame(grs80(), localSystem(55.75 * degree, 37.62 * degree, 150, 0.5));
    CTransformAffine3DParams out;
    CTransformAffine3DParams in;
    frame.getLocalToGeocentricParams(&out);
    frame.getGeocentricToLocalParams(&in);
    const CTransformAffine3D toGeocentric(out);
    const CTransformAffine3D toLocal(in);

    const CCoords local(-1234.5, 678.25, 42.0);
    CCoords expected;
    CCoords result;
    frame.localToGeocentric(local, &expected);
    toGeocentric.forwardTransform(local, &result);
    QVERIFY2(isNear(result, expected, 1e-8), pointcheck::difference(result, expected));
    toLocal.reverseTransform(local, &result);
    QVERIFY2(isNear(result, expected, 1e-8), pointcheck::difference(result, expected));

    const CCoords geocentric = expected;
    frame.geocentricToLocal(geocentric, &expected);
    toLocal.forwardTransform(geocentric, &result);
    QVERIFY2(isNear(result, expected, 1e-8), pointcheck::difference(result, expected));
    toGeocentric.reverseTransform(geocentric, &result);
    QVERIFY2(isNear(result, expected, 1e-8), pointcheck::difference(result, expected));
}

void TestTopocentric::operationDirections()
{
    CAuxDataSet aux;
    CCoords point(a + 10, 5, 0);
    CCoordOperationGeocentricToLsr toLocal(grs80(), localSystem(0, 0, 0, 0), 1);
    QCOMPARE(toLocal.getType(), int(OperationGeocentricToLsr));
    QVERIFY(toLocal.apply(&point, &aux));
    QVERIFY(isNear(point, CCoords(5, 0, 10), 1e-9));
    CCoordOperationGeocentricToLsr toGeocentric(grs80(), localSystem(0, 0, 0, 0), 2);
    QVERIFY(toGeocentric.apply(&point, &aux));
    QVERIFY(isNear(point, CCoords(a + 10, 5, 0), 1e-9));
    CCoordOperationGeocentricToLsr other(grs80(), localSystem(0, 0, 0, 0), 3);
    const CCoords before = point;
    QVERIFY(!other.apply(&point, &aux));
    QVERIFY(point == before);
}

void TestTopocentric::auxDataOperation()
{
    const CLSRParams lsr = localSystem(55.75 * degree, 37.62 * degree, 150, 0.3);
    CAuxDataSet aux;
    CCoords point(0, 0, 0);
    CCoordOperationAuxdatasetLsrToGeodetic toGeodetic("togeodeticcoords", grs80(), lsr, 1);
    QCOMPARE(toGeodetic.getType(), int(OperationAuxDatasetLsrToGeodetic));
    QVERIFY(toGeodetic.apply(&point, &aux));
    QVERIFY(point == CCoords(0, 0, 0));
    const CAuxDataCoords* stored = aux.getCoords("togeodeticcoords");
    QVERIFY(stored);
    QVERIFY(isNear(stored->coords, lsr.origin, 1e-9));

    point = lsr.origin;
    CCoordOperationAuxdatasetLsrToGeodetic toLocal("fromgeodeticcoords", grs80(), lsr, 2);
    QVERIFY(toLocal.apply(&point, &aux));
    QVERIFY(point == lsr.origin);
    QVERIFY(isNear(aux.getCoords("fromgeodeticcoords")->coords, CCoords(0, 0, 0), 1e-8));

    CCoordOperationAuxdatasetLsrToGeodetic other("other", grs80(), lsr, 0);
    QVERIFY(!other.apply(&point, &aux));
    QVERIFY(!aux.find("other"));
}

void TestTopocentric::paramsEqualityAndValidity()
{
    const CLSRParams lsr = localSystem(0.5, 0.25, 100, 0.1);
    QVERIFY(lsr.isValid());
    QVERIFY(lsr.isEqual(localSystem(0.5, 0.25, 100, 0.1)));
    QVERIFY(!lsr.isEqual(localSystem(0.5, 0.25, 100, 0.2)));
    QVERIFY(!lsr.isEqual(localSystem(0.5, 0.25, 101, 0.1)));
    const CLSRParams undefinedAzimuth = localSystem(0.5, 0.25, 100, std::nan(""));
    QVERIFY(!undefinedAzimuth.isEqual(undefinedAzimuth));

    QVERIFY(!CLSRParams().isValid());
    QVERIFY(!localSystem(0.5, 0.25, kUndefined, 0.1).isValid());
    QVERIFY(!localSystem(0.5, 0.25, 100, kUndefined).isValid());
    CLSRParams cleared = lsr;
    cleared.clear();
    QVERIFY(!cleared.isValid());
    QVERIFY(cleared.origin == CCoords());
}

void TestTopocentric::againstProj_data()
{
    QTest::addColumn<QVector<double>>("row");
    const QVector<QVector<double>> rows = readReferenceTable("topocentric_proj.txt");
    QVERIFY(!rows.isEmpty());
    for (int k = 0; k < rows.size(); ++k)
        QTest::newRow(QByteArray::number(k + 1)) << rows[k];
}

void TestTopocentric::againstProj()
{
    QFETCH(QVector<double>, row);
    CEllipsoidParams ellipsoid;
    QVERIFY(ellipsoid.setInverseFlattening(row[0], row[1]));
    const CLSRParams lsr = localSystem(row[2] * degree, row[3] * degree, row[4], row[5] * degree);
    const CCoords geocentric(row[6], row[7], row[8]);
    const CCoords local(row[9], row[10], row[11]);
    CAuxDataSet aux;

    CCoords point = geocentric;
    CCoordOperationGeocentricToLsr(ellipsoid, lsr, 1).apply(&point, &aux);
    QVERIFY2(isNear(point, local, 1e-3), pointcheck::difference(point, local));
    point = local;
    CCoordOperationGeocentricToLsr(ellipsoid, lsr, 2).apply(&point, &aux);
    QVERIFY2(isNear(point, geocentric, 1e-3), pointcheck::difference(point, geocentric));
}

QTEST_APPLESS_MAIN(TestTopocentric)
#include "test_topocentric.moc"
