// Coordinate systems imported from WKT into a database, read back by key with their linked
// records, and points recalculated between them, against tables made by cs2cs
// (tests/records/data/importroad/make-references.sh).
#include "storagefixture.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/wkt/wktparser.h"
#include "values/coordsysinfo.h"

#include "tests/support/localescope.h"

#include <QFile>
#include <QtTest>

#include <clocale>
#include <cmath>

namespace {

const QString gaussKruger7 = QStringLiteral("wkt/pulkovo_1942_gk_zone_7.wkt");
const QString utm37 = QStringLiteral("wkt/utm_zone_37n.wkt");

QString readData(const QString& name)
{
    QFile file(QStringLiteral(TESTDATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

// The rows of a reference table, each split at ";".
QList<QStringList> referenceRows(const QString& name)
{
    QList<QStringList> rows;
    for (const QString& line : readData(QStringLiteral("importroad/") + name).split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows.append(line.split(QLatin1Char(';')));
    }
    return rows;
}

// The key under which the WKT file's coordinate system is stored.
int importWkt(const QString& name)
{
    CCoordSysDetails record;
    const CWktItemPtr root = parseWkt(readData(name));
    if (!record.fromWkt(root.get()))
        return NoValue;
    QString error;
    const int key = insertCoordSysDetails(record, false, nullptr, &error);
    if (key == NoValue)
        qWarning("%s not stored: %s", qPrintable(name), qPrintable(error));
    return key;
}

// The stored coordinate system of the key as the computation's definition.
bool storedSystem(int key, CCoordSysInfo& info, vexa::CCoordSysParams& params)
{
    CCoordSysDetails record;
    return readCoordSysDetails(key, record) && record.toInfo(info) && info.toCoordSysParams(params, nullptr);
}

} // namespace

class TestImportRoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void points_data();
    void points();
    void pointsUnderRussianLocale_data();
    void pointsUnderRussianLocale();

private:
    std::unique_ptr<CTestDatabase> m_database;
};

void TestImportRoad::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
}

void TestImportRoad::cleanup()
{
    m_database.reset();
}

void TestImportRoad::points_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("expected");

    const struct {
        QString table;
        QString from;
        QString to;
    } tables[] = {{QStringLiteral("gk7_to_utm37.txt"), gaussKruger7, utm37},
                  {QStringLiteral("utm37_to_gk7.txt"), utm37, gaussKruger7}};
    for (const auto& table : tables) {
        for (const QStringList& row : referenceRows(table.table)) {
            const QList<double> expected{row[3].toDouble(), row[4].toDouble(), row[5].toDouble()};
            const QStringList texts = row.mid(0, 3);
            QTest::addRow("%s: %s", qPrintable(table.table), qPrintable(texts.join(QLatin1String("; "))))
                << table.from << table.to << texts << expected;
        }
    }
}

void TestImportRoad::points()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, expected);

    const int sourceKey = importWkt(from);
    const int targetKey = importWkt(to);
    QVERIFY(sourceKey != NoValue && targetKey != NoValue);
    CCoordSysInfo source;
    CCoordSysInfo target;
    vexa::CCoordSysParams sourceParams;
    vexa::CCoordSysParams targetParams;
    QVERIFY(storedSystem(sourceKey, source, sourceParams));
    QVERIFY(storedSystem(targetKey, target, targetParams));
    const auto coordOperator = vexa::CCoordOperator::create(sourceParams, targetParams);
    QVERIFY(coordOperator);

    vexa::CCoords point;
    QVERIFY(source.stringsToCoords(
        CCoordStrings(texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString()), point));
    vexa::CCoords result;
    QVERIFY(coordOperator->transform(point, &result));
    const double values[] = {result.first, result.second, result.third};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(values[i] - expected[i]) > 1e-3)
            QFAIL(qPrintable(QStringLiteral("component %1: %2, expected %3")
                                 .arg(i + 1)
                                 .arg(values[i], 0, 'f', 6)
                                 .arg(expected[i], 0, 'f', 6)));
    }
}

void TestImportRoad::pointsUnderRussianLocale_data()
{
    points_data();
}

void TestImportRoad::pointsUnderRussianLocale()
{
    ENTER_RUSSIAN_LOCALE();
    QCOMPARE(QString(std::localeconv()->decimal_point), QStringLiteral(","));
    points();
}

QTEST_MAIN(TestImportRoad)
#include "test_importroad.moc"
