// Points carried from coordinate-system records (built in code and read from
// WKT) to points in another system, against tables made by cs2cs and cct
// (tests/records/data/e2e/make-references.sh).
#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "records/coordsysdetails.h"
#include "records/wkt/wktparser.h"
#include "values/coordsysinfo.h"

#include "tests/support/localescope.h"

#include <QFile>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <functional>

using SystemMaker = std::function<CCoordSysDetails()>;
Q_DECLARE_METATYPE(SystemMaker)

namespace {

constexpr double kMetreInDegrees = 1.0 / 111320.0;

QString dataPath(const QString& name)
{
    return QStringLiteral(TESTDATA_DIR "/") + name;
}

// The rows of a reference table, each split at ";".
QList<QStringList> referenceRows(const QString& name)
{
    QFile file(dataPath(QStringLiteral("e2e/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing reference table %s", qPrintable(name));
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows.append(line.split(QLatin1Char(';')));
    }
    return rows;
}

// Pulkovo 1942 with the published seven parameters to WGS 84.
std::shared_ptr<CDatumDetails> pulkovoDatum()
{
    const auto shift =
        shiftToWgs84({"23.92", "-141.27", "-80.9", "0", "0.35", "0.82", "-0.12"});
    auto datum = std::make_shared<CDatumDetails>();
    datum->name = QStringLiteral("Пулково 1942");
    datum->ellipsoid = std::make_shared<CEllipsoidDetails>(krassowsky());
    datum->datumShift = shift;
    return datum;
}

CCoordSysDetails system(int type, const QString& name, const std::shared_ptr<CDatumDetails>& datum)
{
    CCoordSysDetails record;
    record.name = name;
    record.type = type;
    record.coordSysType.setCode(type);
    record.datum = datum;
    record.primeMeridian = std::make_shared<CPrimeMeridianDetails>(greenwich());
    record.heightUnit = metre();
    return record;
}

CCoordSysDetails wgs84Geodetic(const std::shared_ptr<CUnitDetails>& angleUnit)
{
    CCoordSysDetails record = system(4, QStringLiteral("WGS 84"), wgs84Datum());
    record.angleUnit = angleUnit;
    return record;
}

CCoordSysDetails projected(const QString& name, const std::shared_ptr<CDatumDetails>& datum,
                           const CMapProjDetails& projection)
{
    CCoordSysDetails record = system(5, name, datum);
    record.mapProjection = std::make_shared<CMapProjDetails>(projection);
    record.lengthUnit = metre();
    record.swapCoords = projection.swapCoords != 0;
    return record;
}

CCoordSysDetails utm37()
{
    return projected(QStringLiteral("WGS 84 / UTM zone 37N"), wgs84Datum(), utmZone37());
}

CCoordSysDetails gaussKruger7()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.swapCoords = 1;
    projection.coord1Abbr = QStringLiteral("X");
    projection.coord2Abbr = QStringLiteral("Y");
    return projected(QStringLiteral("СК-42, зона 7"), pulkovoDatum(), projection);
}

CCoordSysDetails fromWktFile(const QString& path)
{
    QFile file(dataPath(path));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing WKT %s", qPrintable(path));
    CCoordSysDetails record;
    const CWktItemPtr root = parseWkt(QString::fromUtf8(file.readAll()));
    if (!record.fromWkt(root.get()))
        qWarning("WKT %s gives no coordinate system", qPrintable(path));
    return record;
}

// Column indexes of the source texts and of the expected numbers.
struct Columns
{
    int source[3];
    int expected[3];
};

void addCase(const char* name, const SystemMaker& from, const SystemMaker& to,
             const QString& table, const Columns& columns, bool geodeticResult)
{
    for (const QStringList& row : referenceRows(table)) {
        QStringList texts;
        QList<double> expected;
        for (int i = 0; i < 3; ++i) {
            texts.append(row.at(columns.source[i]));
            expected.append(row.at(columns.expected[i]).toDouble());
        }
        QTest::addRow("%s: %s", name, qPrintable(texts.join(QLatin1String("; "))))
            << from << to << texts << expected << geodeticResult;
    }
}

} // namespace

class TestCoordSysEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void points_data();
    void points();
    void pointsUnderRussianLocale_data();
    void pointsUnderRussianLocale();
};

void TestCoordSysEndToEnd::initTestCase()
{
    QCOMPARE(referenceRows(QStringLiteral("utm37_from_wgs84.txt")).size(), 6);
}

void TestCoordSysEndToEnd::points_data()
{
    QTest::addColumn<SystemMaker>("from");
    QTest::addColumn<SystemMaker>("to");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<bool>("geodeticResult");

    const SystemMaker wgs84 = [] { return wgs84Geodetic(decimalDegree()); };
    const SystemMaker wgs84Dms = [] { return wgs84Geodetic(degree()); };
    const SystemMaker wgs84Wkt = [] { return fromWktFile(QStringLiteral("wkt/geographic_wgs84.wkt")); };
    const SystemMaker utmWkt = [] { return fromWktFile(QStringLiteral("e2e/utm_zone_37n.wkt")); };
    const SystemMaker gk7Wkt = [] { return fromWktFile(QStringLiteral("e2e/pulkovo_1942_gk_zone_7.wkt")); };
    const SystemMaker idahoWkt = [] { return fromWktFile(QStringLiteral("e2e/idaho_east_ftus.wkt")); };
    const QString utmTable = QStringLiteral("utm37_from_wgs84.txt");
    const QString gkTable = QStringLiteral("gk7_to_wgs84.txt");
    const QString idahoTable = QStringLiteral("idaho_ftus_from_wgs84.txt");

    // utm37 and idaho: lat dms;lon dms;h;lat;lon;E;N;h   gk7: X;Y;H;lat;lon;h
    const Columns decimalToPlane{{3, 4, 2}, {5, 6, 7}};
    const Columns dmsToPlane{{0, 1, 2}, {5, 6, 7}};
    const Columns planeToDecimal{{5, 6, 7}, {3, 4, 2}};
    const Columns gkToGeodetic{{0, 1, 2}, {3, 4, 5}};
    const Columns geodeticToGk{{3, 4, 5}, {0, 1, 2}};

    addCase("records, degrees to UTM", wgs84, utm37, utmTable, decimalToPlane, false);
    addCase("records, DMS to UTM", wgs84Dms, utm37, utmTable, dmsToPlane, false);
    addCase("records, UTM to degrees", utm37, wgs84, utmTable, planeToDecimal, true);
    addCase("records, Gauss-Kruger to WGS 84", gaussKruger7, wgs84, gkTable, gkToGeodetic, true);
    addCase("records, WGS 84 to Gauss-Kruger", wgs84, gaussKruger7, gkTable, geodeticToGk, false);
    addCase("WKT, degrees to UTM", wgs84Wkt, utmWkt, utmTable, decimalToPlane, false);
    addCase("WKT, Gauss-Kruger to WGS 84", gk7Wkt, wgs84Wkt, gkTable, gkToGeodetic, true);
    addCase("WKT, WGS 84 to Gauss-Kruger", wgs84Wkt, gk7Wkt, gkTable, geodeticToGk, false);
    addCase("WKT, degrees to US survey feet", wgs84Wkt, idahoWkt, idahoTable, decimalToPlane,
            false);
}

void TestCoordSysEndToEnd::points()
{
    QFETCH(SystemMaker, from);
    QFETCH(SystemMaker, to);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, expected);
    QFETCH(bool, geodeticResult);

    CCoordSysInfo source;
    CCoordSysInfo target;
    QVERIFY(from().toInfo(source));
    QVERIFY(to().toInfo(target));
    vexa::CCoordSysParams sourceParams;
    vexa::CCoordSysParams targetParams;
    QVERIFY(source.toCoordSysParams(sourceParams, nullptr));
    QVERIFY(target.toCoordSysParams(targetParams, nullptr));
    const auto coordOperator = vexa::CCoordOperator::create(sourceParams, targetParams);
    QVERIFY(coordOperator);

    vexa::CCoords point;
    QVERIFY(source.stringsToCoords(CCoordStrings(texts[0].toStdString(), texts[1].toStdString(),
                                                 texts[2].toStdString()),
                                   point));
    vexa::CCoords result;
    QVERIFY(coordOperator->transform(point, &result));
    CCoordStrings out;
    target.coordsToStrings(result, out);

    // Within 1 mm of the reference; the texts hold the result to their decimals.
    const double values[] = {result.first, result.second, result.third};
    const std::string* outTexts[] = {&out.coord1, &out.coord2, &out.coord3};
    const double planar = geodeticResult ? kMetreInDegrees : 1.0 / target.length_unit->factor;
    for (int i = 0; i < 3; ++i) {
        const double tolerance = (i < 2 ? planar : 1.0) * 1e-3;
        if (std::fabs(values[i] - expected[i]) > tolerance)
            QFAIL(qPrintable(QStringLiteral("component %1: %2, expected %3")
                                 .arg(i + 1)
                                 .arg(values[i], 0, 'f', 10)
                                 .arg(expected[i], 0, 'f', 10)));
        const QString text = QString::fromStdString(*outTexts[i]);
        const int decimals = text.size() - text.indexOf(QLatin1Char('.')) - 1;
        QVERIFY(text.contains(QLatin1Char('.')));
        QVERIFY(std::fabs(text.toDouble() - values[i]) <= 0.5 * std::pow(10.0, -decimals) + 1e-12);
    }
}

void TestCoordSysEndToEnd::pointsUnderRussianLocale_data()
{
    points_data();
}

void TestCoordSysEndToEnd::pointsUnderRussianLocale()
{
    ENTER_RUSSIAN_LOCALE();
    QCOMPARE(QString(std::localeconv()->decimal_point), QStringLiteral(","));
    points();
}

QTEST_MAIN(TestCoordSysEndToEnd)
#include "test_coordsysendtoend.moc"
