#include "projectionreference.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QtTest>

#include <cmath>

using namespace vexa;

namespace projectionreference {

namespace {


double longitudeDifference(double a, double b)
{
    double difference = a - b;
    normalizeLongitude(difference);
    return difference;
}

QString describe(const QString& what, const CCoords& expected, const CCoords& actual)
{
    return QStringLiteral("%1: expected %2 %3, got %4 %5\n")
        .arg(what)
        .arg(expected.first, 0, 'g', 15)
        .arg(expected.second, 0, 'g', 15)
        .arg(actual.first, 0, 'g', 15)
        .arg(actual.second, 0, 'g', 15);
}

// Latitude and longitude within their ranges, as an inverse leaves them.
bool isNormal(const CCoords& geodetic)
{
    return std::fabs(geodetic.first) <= kPi / 2.0 && std::fabs(geodetic.second) <= kPi;
}

// Distance on the ellipsoid of semi-major axis a between two nearby geodetic points.
bool isWithin(const CCoords& actual, const CCoords& expected, double a, double tolerance)
{
    const double northError = a * std::fabs(actual.first - expected.first);
    const double eastError = a * std::cos(expected.first)
                             * std::fabs(longitudeDifference(actual.second, expected.second));
    return northError <= tolerance && eastError <= tolerance;
}

// One line per failure; empty when all points pass.
QString compareWithTable(const CMapProjection& projection, double a, const QString& fileName,
                         double tolerance, double roundTripTolerance)
{
    QFile file(QStringLiteral(TESTDATA_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot open ") + file.fileName();

    QString failures;
    int points = 0;
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() != 4)
            return QStringLiteral("bad line: ") + line;
        const CCoords geodetic(fields[1].toDouble() * kDegree, fields[0].toDouble() * kDegree, 0.0);
        const CCoords projected(fields[2].toDouble(), fields[3].toDouble(), 0.0);
        const QString pointFailures = checkPoint(projection, a, geodetic, projected, tolerance,
                                                     roundTripTolerance);
        if (!pointFailures.isEmpty())
            failures += QStringLiteral("at %1 %2\n").arg(fields[1], fields[0]) + pointFailures;
        ++points;
    }
    if (points == 0)
        return QStringLiteral("no points in ") + fileName;
    return failures;
}

} // namespace

CEllipsoidParams ellipsoid(double a, double inverseFlattening)
{
    CEllipsoidParams params;
    params.setInverseFlattening(a, inverseFlattening);
    return params;
}

CCoords geodetic(double latitude, double longitude)
{
    return CCoords(latitude * kDegree, longitude * kDegree, 0.0);
}

QString checkPoint(const CMapProjection& projection, double a, const CCoords& geodetic,
                   const CCoords& projected, double tolerance, double roundTripTolerance)
{
    QString failures;
    CCoords forward;
    projection.GeodeticToProjected(geodetic, &forward);
    if (!(std::fabs(forward.first - projected.first) <= tolerance
          && std::fabs(forward.second - projected.second) <= tolerance))
        failures += describe(QStringLiteral("forward"), projected, forward);

    CCoords inverse;
    projection.ProjectedToGeodetic(projected, &inverse);
    if (!isWithin(inverse, geodetic, a, tolerance) || !isNormal(inverse))
        failures += describe(QStringLiteral("inverse"), geodetic, inverse);

    CCoords back;
    projection.ProjectedToGeodetic(forward, &back);
    if (!isWithin(back, geodetic, a, roundTripTolerance))
        failures += describe(QStringLiteral("round trip"), geodetic, back);
    return failures;
}

std::shared_ptr<CMapProjection> make(const CEllipsoidParams& ellipsoid,
                                     const CMapProjectionParams& params)
{
    return std::shared_ptr<CMapProjection>(createMapProjection(ellipsoid, params));
}

void addTableColumns()
{
    QTest::addColumn<std::shared_ptr<CMapProjection>>("projection");
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("table");
}

void checkTableRow(double tolerance, double roundTripTolerance)
{
    QFETCH(std::shared_ptr<CMapProjection>, projection);
    QFETCH(int, type);
    QFETCH(double, a);
    QFETCH(QString, table);

    QVERIFY(projection);
    QCOMPARE(projection->getType(), type);
    const QString failures = compareWithTable(*projection, a, table, tolerance, roundTripTolerance);
    QVERIFY2(failures.isEmpty(), qPrintable(failures));
}

} // namespace projectionreference
