#include "records/wkt/wktitems.h"
#include "records/wkt/wktparser.h"

#include "tests/support/localescope.h"

#include <QFile>
#include <QtTest>

#include <cfloat>
#include <clocale>

namespace {

QString corpus(const QString& name)
{
    QFile file(QStringLiteral(TESTDATA_DIR "/wkt/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing corpus file %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

template <class T>
std::shared_ptr<T> parseAs(const QString& text)
{
    return std::dynamic_pointer_cast<T>(parseWkt(text));
}

const char* const geogBody =
    "\"WGS 84\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563],TOWGS84[0,0,0,0,0,0,0]],"
    "PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]";

QString geogcs(const QString& tail = QString())
{
    return QStringLiteral("GEOGCS[") + QLatin1String(geogBody) + tail + QStringLiteral("]");
}

QString projcs(const QString& body)
{
    return QStringLiteral("PROJCS[\"P\",") + geogcs() + QStringLiteral(",") + body + QStringLiteral("]");
}

const char* const tmParameters =
    "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
    "PARAMETER[\"central_meridian\",39],PARAMETER[\"scale_factor\",1],"
    "PARAMETER[\"false_easting\",7500000],PARAMETER[\"false_northing\",0]";

} // namespace

class TestWktParser : public QObject
{
    Q_OBJECT

private slots:
    void typeKeywords();
    void createByCode();
    void brackets_data();
    void brackets();
    void splitValues_data();
    void splitValues();

    void geographicWgs84();
    void utmZone();
    void gaussKrugerNorthFirst();
    void mixedCaseProjected();
    void refusedCorpus_data();
    void refusedCorpus();
    void refusedTexts_data();
    void refusedTexts();
    void nestingAndSizeBounds();

    void primeMeridianContentAndChildren();
    void primeMeridianIsInDegrees();
    void failingAndUnknownNodesAreSkippedWhole();
    void refusalsNameTheNodeAndWhy_data();
    void refusalsNameTheNodeAndWhy();
    void spheroidInverseFlattening_data();
    void spheroidInverseFlattening();
    void numbersIgnoreProcessLocale();
    void builders();
};

void TestWktParser::typeKeywords()
{
    QCOMPARE(CWktType::fromKeyword(QStringLiteral(" towgs84 ")), int(CWktType::TOWGS84));
    QCOMPARE(CWktType::fromKeyword(QStringLiteral("Authority")), int(CWktType::AUTHORITY));
    QCOMPARE(CWktType::fromKeyword(QStringLiteral("GEOGCRS")), int(CWktType::None));
    QCOMPARE(CWktType(CWktType::PRIMEM).keyword(), QStringLiteral("PRIMEM"));
    QCOMPARE(CWktType(12).keyword(), QString());

    CWktType type;
    QVERIFY(type.setKeyword(QStringLiteral("unit")));
    QCOMPARE(type.code(), int(CWktType::UNIT));
    QVERIFY(!type.set(12));
    QCOMPARE(type.code(), int(CWktType::None));
}

void TestWktParser::createByCode()
{
    for (int code = CWktType::PROJCS; code < CWktType::Count; ++code) {
        const CWktItemPtr item = CWktItem::create(CWktType(code));
        QVERIFY(item);
        QCOMPARE(item->type().code(), code);
        QVERIFY(!item->isValid());
    }
    QVERIFY(!CWktItem::create(CWktType(CWktType::None)));
    QVERIFY(!CWktItem::create(CWktType(12)));

    struct Untyped : CWktItem {
        Untyped() : CWktItem(CWktType::None) {}
        void clear() override {}
        bool isValid() const override { return false; }
    protected:
        int valueCount() const override { return 0; }
        void readValues(const QStringList&) override {}
    };
    QVERIFY_EXCEPTION_THROWN(Untyped(), std::runtime_error);
}

void TestWktParser::brackets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("plain") << "A[b,C[d]]" << QList<int>{-1, -5, 7, 8};
    QTest::newRow("quoted brackets") << "A[\"[x]\"]" << QList<int>{-1, 7};
    QTest::newRow("escaped quote") << "A[\"\\\"[\"]" << QList<int>{-1, 7};
    QTest::newRow("parentheses") << "A(b)" << QList<int>{};
}

void TestWktParser::brackets()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, expected);
    QCOMPARE(scanWktBrackets(text), expected);
}

void TestWktParser::splitValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("numbers") << " 1, 2.5 ,x" << QStringList{"1", "2.5", "x"};
    QTest::newRow("quoted comma, brackets, blanks")
        << "\"  a, [b] \",2" << QStringList{"a, [b]", "2"};
    QTest::newRow("escapes") << "\"q\\\"x\\\\y\\z\"" << QStringList{"q\"x\\y\\z"};
    QTest::newRow("text after quote joins") << "\"a\"b,c" << QStringList{"ab", "c"};
    QTest::newRow("empty between commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("no trailing empty") << "a,b," << QStringList{"a", "b"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestWktParser::splitValues()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(splitWktValues(text, QStringLiteral(","), true), expected);
}

void TestWktParser::geographicWgs84()
{
    const auto root = parseAs<CWktItemGEOGCS>(corpus(QStringLiteral("geographic_wgs84.wkt")));
    QVERIFY(root);
    QCOMPARE(root->name, QStringLiteral("WGS 84"));
    QCOMPARE(root->authority->epsgCode(), 4326);
    QCOMPARE(root->datum->name, QStringLiteral("WGS_1984"));
    QCOMPARE(root->datum->authority->epsgCode(), 6326);
    QCOMPARE(root->datum->spheroid->semiMajorAxis(), 6378137.0);
    QCOMPARE(root->datum->spheroid->inverseFlatteningText, QStringLiteral("298.257223563"));
    QCOMPARE(root->datum->spheroid->authority->epsgCode(), 7030);
    QCOMPARE(root->datum->towgs84->ppm(), 0.0);
    QCOMPARE(root->primem->longitude(), 0.0);
    QCOMPARE(root->unit->factorText, QStringLiteral("0.0174532925199433"));
    QCOMPARE(root->unit->authority->epsgCode(), 9122);
    QCOMPARE(root->children.size(), 4);
}

void TestWktParser::utmZone()
{
    const auto root = parseAs<CWktItemPROJCS>(corpus(QStringLiteral("utm_zone_33n.wkt")));
    QVERIFY(root);
    QCOMPARE(root->name, QStringLiteral("WGS 84 / UTM zone 33N"));
    QCOMPARE(root->authority->epsgCode(), 32633);
    QCOMPARE(root->geogcs->name, QStringLiteral("WGS 84"));
    QCOMPARE(root->unit->factor(), 1.0);

    QMap<int, QString> values;
    QVERIFY(root->parameters(&values));
    const QMap<int, QString> expected{{WktParameterLatitudeOfOrigin, "0"},
                                      {WktParameterCentralMeridian, "15"},
                                      {WktParameterScaleFactor, "0.9996"},
                                      {WktParameterFalseEasting, "500000"},
                                      {WktParameterFalseNorthing, "0"}};
    QCOMPARE(values, expected);

    QCOMPARE(root->axes.size(), 2);
    QCOMPARE(root->axes[0]->direction, int(WktAxisEast));
    QCOMPARE(root->axes[1]->direction, int(WktAxisNorth));
}

void TestWktParser::gaussKrugerNorthFirst()
{
    const auto root = parseAs<CWktItemPROJCS>(corpus(QStringLiteral("pulkovo_1942_gk_zone_7.wkt")));
    QVERIFY(root);
    QCOMPARE(root->name, QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"));
    QCOMPARE(root->keyword, QStringLiteral("PROJCS"));
    QCOMPARE(root->geogcs->keyword, QStringLiteral("GEOGCS"));
    QCOMPARE(root->axes.size(), 2);
    QCOMPARE(root->axes[0]->name, QStringLiteral("X"));
    QCOMPARE(root->axes[0]->direction, int(WktAxisNorth));
    QCOMPARE(root->axes[1]->name, QStringLiteral("Y"));
    QCOMPARE(root->axes[1]->direction, int(WktAxisEast));

    const auto towgs84 = root->geogcs->datum->towgs84;
    QCOMPARE(towgs84->dx(), 23.57);
    QCOMPARE(towgs84->dy(), -140.95);
    QCOMPARE(towgs84->ez(), 0.79);
    QCOMPARE(towgs84->ppmText, QStringLiteral("-0.22"));
    QCOMPARE(root->geogcs->datum->spheroid->name, QStringLiteral("Krassowsky 1940"));

    QMap<int, QString> values;
    QVERIFY(root->parameters(&values));
    QCOMPARE(values.value(WktParameterFalseEasting), QStringLiteral("7500000"));
    QCOMPARE(values.value(WktParameterCentralMeridian), QStringLiteral("39"));
}

void TestWktParser::mixedCaseProjected()
{
    const auto root = parseAs<CWktItemPROJCS>(corpus(QStringLiteral("projected_mixed_case.wkt")));
    QVERIFY(root);
    QVERIFY(!root->authority);
    QVERIFY(root->axes.isEmpty());
    QCOMPARE(root->unit->name, QStringLiteral("Meter"));
    QCOMPARE(root->geogcs->datum->spheroid->semiMajorAxisText, QStringLiteral("6378245.0"));
    QCOMPARE(root->geogcs->datum->towgs84->exText, QStringLiteral("0.0"));

    QMap<int, QString> values;
    QVERIFY(root->parameters(&values));
    const QMap<int, QString> expected{{WktParameterLatitudeOfOrigin, "0.0"},
                                      {WktParameterCentralMeridian, "39.0"},
                                      {WktParameterScaleFactor, "1.0"},
                                      {WktParameterFalseEasting, "7500000.0"},
                                      {WktParameterFalseNorthing, "0.0"}};
    QCOMPARE(values, expected);
}

void TestWktParser::refusedCorpus_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("datum without TOWGS84") << "refused_no_towgs84.wkt";
    QTest::newRow("unsupported projection") << "refused_unsupported_projection.wkt";
    QTest::newRow("WKT2 keywords") << "refused_wkt2.wkt";
    QTest::newRow("two trees") << "refused_two_trees.wkt";
    QTest::newRow("unbalanced brackets") << "refused_unbalanced.wkt";
}

void TestWktParser::refusedCorpus()
{
    QFETCH(QString, file);
    QVERIFY(!parseWkt(corpus(file)));
}

void TestWktParser::refusedTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("no bracket") << "GEOGCS";
    QTest::newRow("bracket at start") << "[\"x\",1]";
    QTest::newRow("parentheses") << QString(geogcs()).replace('[', '(').replace(']', ')');
    QTest::newRow("closing bracket in quotes only")
        << geogcs().chopped(1) + QStringLiteral(",AUTHORITY[\"EPSG\",\"]\"");
    QTest::newRow("three TOWGS84 values")
        << QString(geogcs()).replace(QStringLiteral("TOWGS84[0,0,0,0,0,0,0]"),
                                     QStringLiteral("TOWGS84[1,2,3]"));
    QTest::newRow("TOWGS84 not finite")
        << QString(geogcs()).replace(QStringLiteral("TOWGS84[0,0,0,0,0,0,0]"),
                                     QStringLiteral("TOWGS84[0,0,0,0,0,0,inf]"));
    QTest::newRow("missing parameter")
        << projcs(QString(tmParameters).replace(QStringLiteral(",PARAMETER[\"false_northing\",0]"),
                                                QString()) + QStringLiteral(",UNIT[\"m\",1]"));
    QTest::newRow("no unit") << projcs(QLatin1String(tmParameters));
    QTest::newRow("negative axis") << QString(geogcs()).replace(QStringLiteral("6378137"),
                                                                QStringLiteral("-6378137"));
}

void TestWktParser::refusedTexts()
{
    QFETCH(QString, text);
    QVERIFY(!parseWkt(text));
}

void TestWktParser::nestingAndSizeBounds()
{
    const auto nested = [](int depth) {
        QString text = geogcs();
        for (int i = 1; i < depth; ++i)
            text = QStringLiteral("AUTHORITY[\"EPSG\",\"1\",") + text + QStringLiteral("]");
        return text;
    };
    QVERIFY(parseWkt(nested(WktMaxDepth - 5)));
    QVERIFY(!parseWkt(nested(WktMaxDepth + 1)));
    QVERIFY(!parseWkt(QString(200000, QLatin1Char('[')) + QString(200000, QLatin1Char(']'))));

    const QString padding(WktMaxLength, QLatin1Char(' '));
    QVERIFY(parseWkt(geogcs() + padding.left(WktMaxLength - geogcs().size())));
    QVERIFY(!parseWkt(geogcs() + padding));
}

void TestWktParser::primeMeridianContentAndChildren()
{
    const QString text = QStringLiteral(
        "PRIMEM[\"Greenwich\", 0 , AUTHORITY[\"EPSG\",\"8901\"]]");
    const auto primem = parseAs<CWktItemPRIMEM>(text);
    QVERIFY(primem);
    QCOMPARE(primem->content, QStringLiteral("\"Greenwich\", 0 "));
    QCOMPARE(primem->values, (QStringList{"Greenwich", "0"}));
    QCOMPARE(primem->children.size(), 1);
    QCOMPARE(primem->children[0]->content, QStringLiteral("\"EPSG\",\"8901\""));
    QCOMPARE(primem->authority->epsgCode(), 8901);
    QVERIFY(!primem->unit);
    QCOMPARE(primem->unitOrDegree()->name, QStringLiteral("degree"));
}

void TestWktParser::primeMeridianIsInDegrees()
{
    const QString text = QStringLiteral(
        "geogcs[\"G\", datum[\"D\", spheroid[\"S\",6378137,298.3], "
        "towgs84[0,0,0,0,0,0,0]],\n primem[\"P\",2.33722917],\n unit[\"%1\",%2]]");
    const auto grad = parseAs<CWktItemGEOGCS>(text.arg("grad", "0.015707963267949"));
    QVERIFY(grad);
    QVERIFY(!grad->primem->unit);
    QCOMPARE(grad->primem->unitOrDegree()->name, QStringLiteral("degree"));
    QCOMPARE(grad->datum->spheroid->unitOrMetre()->name, QStringLiteral("metre"));

    const auto degree = parseAs<CWktItemGEOGCS>(text.arg("Degree", "0.017453292519943295"));
    QVERIFY(degree);
    QCOMPARE(degree->primem->unit, degree->unit);
}

// A failing node and a node of an unknown keyword are dropped whole; the nodes after them
// are still read.
void TestWktParser::failingAndUnknownNodesAreSkippedWhole()
{
    const auto root = parseAs<CWktItemGEOGCS>(
        QString(geogcs(QStringLiteral(",AUTHORITY[\"EPSG\",\"4326\"]")))
            .replace(QStringLiteral("PRIMEM"), QStringLiteral("AUTHORITY[\"OTHER\",\"1\"],PRIMEM")));
    QVERIFY(root);
    QCOMPARE(root->children.size(), 4);
    QCOMPARE(root->authority->epsgCode(), 4326);
    QVERIFY(root->primem && root->unit);

    const auto unknown = parseAs<CWktItemGEOGCS>(
        geogcs(QStringLiteral(",EXTENSION[\"x\",AUTHORITY[\"EPSG\",\"5\"]],AUTHORITY[\"EPSG\",\"6\"]")));
    QVERIFY(unknown);
    QCOMPARE(unknown->authority->epsgCode(), 6);
    QCOMPARE(unknown->children.size(), 4);

    QString error = QStringLiteral("untouched");
    QVERIFY(parseWkt(geogcs(), &error));
    QCOMPARE(error, QStringLiteral("untouched"));
}

void TestWktParser::refusalsNameTheNodeAndWhy_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("datum without TOWGS84")
        << QString(geogcs()).replace(QStringLiteral(",TOWGS84[0,0,0,0,0,0,0]"), QString())
        << "DATUM[\"D\"]: нет узла TOWGS84 (параметров перехода к WGS 84)\nGEOGCS[\"WGS 84\"]: нет узла DATUM";
    QTest::newRow("three TOWGS84 values")
        << QString(geogcs()).replace(QStringLiteral("TOWGS84[0,0,0,0,0,0,0]"), QStringLiteral("TOWGS84[1,2,3]"))
        << "TOWGS84[\"1\"]: ожидается значений: 7, в тексте: 3\nDATUM[\"D\"]: нет узла TOWGS84";
    QTest::newRow("other projection")
        << projcs(QString(tmParameters).replace("Transverse_Mercator", "Mercator_1SP") + ",UNIT[\"m\",1]")
        << "PROJECTION[\"Mercator_1SP\"]: проекция «Mercator_1SP» не поддерживается, только TRANSVERSE_MERCATOR"
           "\nPROJCS[\"P\"]: нет узла PROJECTION";
    QTest::newRow("missing parameter")
        << projcs(QString(tmParameters).replace(",PARAMETER[\"scale_factor\",1]", QString()) + ",UNIT[\"m\",1]")
        << "PROJCS[\"P\"]: нет параметров: SCALE_FACTOR";
    QTest::newRow("parameter given twice")
        << projcs(QString(tmParameters).replace("PARAMETER[\"false_northing\"", "PARAMETER[\"false_easting\",500000],"
                                                                               "PARAMETER[\"false_northing\"")
                  + ",UNIT[\"m\",1]")
        << "PROJCS[\"P\"]: параметр «false_easting» задан повторно: 7500000, 500000";
    QTest::newRow("parameter not a number")
        << projcs(QString(tmParameters).replace("\"scale_factor\",1", "\"scale_factor\",x") + ",UNIT[\"m\",1]")
        << "PARAMETER[\"scale_factor\"]: значение «x» не число\nPROJCS[\"P\"]: нет параметров: SCALE_FACTOR";
    QTest::newRow("second AXIS of an unknown direction")
        << projcs(QLatin1String(tmParameters) + ",UNIT[\"m\",1],AXIS[\"X\",NORTH],AXIS[\"Y\",SIDEWAYS]")
        << "AXIS[\"Y\"]: направление «SIDEWAYS» не поддерживается"
           "\nPROJCS[\"P\"]: ось AXIS[\"Y\"] не прочитана, порядок координат неизвестен";
    QTest::newRow("first AXIS without a name")
        << projcs(QLatin1String(tmParameters) + ",UNIT[\"m\",1],AXIS[\"\",NORTH],AXIS[\"Y\",EAST]")
        << "AXIS[\"\"]: нет названия\nPROJCS[\"P\"]: ось AXIS[\"\"] не прочитана, порядок координат неизвестен";
    QTest::newRow("another authority as the root")
        << QStringLiteral("AUTHORITY[\"ESRI\",\"102100\"]")
        << "AUTHORITY[\"ESRI\"]: источник кода «ESRI» не поддерживается, только EPSG";
    QTest::newRow("unknown root") << QStringLiteral("COMPD_CS[\"x\",GEOGCS[\"y\"]]") << "неизвестный узел «COMPD_CS»";
    QTest::newRow("unbalanced") << geogcs().chopped(1) << "Квадратные скобки текста WKT не образуют одно дерево узлов";
}

void TestWktParser::refusalsNameTheNodeAndWhy()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QString error;
    QVERIFY(!parseWkt(text, &error));
    QVERIFY2(error.startsWith(reason), qPrintable(error));
}

void TestWktParser::spheroidInverseFlattening_data()
{
    QTest::addColumn<QString>("inverse");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("reading");
    QTest::newRow("positive") << "298.3" << true << 298.3;
    QTest::newRow("zero") << "0" << true << 0.0;
    QTest::newRow("not a number") << "abc" << true << 0.0;
    QTest::newRow("negative") << "-1" << false << 0.0;
}

void TestWktParser::spheroidInverseFlattening()
{
    QFETCH(QString, inverse);
    QFETCH(bool, valid);
    QFETCH(double, reading);
    const auto spheroid = parseAs<CWktItemSPHEROID>(
        QStringLiteral("SPHEROID[\"S\",6371000,%1]").arg(inverse));
    QCOMPARE(bool(spheroid), valid);
    if (spheroid)
        QCOMPARE(spheroid->inverseFlattening(), reading);
}

void TestWktParser::numbersIgnoreProcessLocale()
{
    ENTER_RUSSIAN_LOCALE();
    const auto towgs84 = parseAs<CWktItemTOWGS84>(QStringLiteral("TOWGS84[1.5,-2.25,3,0.1,0.2,0.3,-0.5]"));
    QVERIFY(towgs84);
    QCOMPARE(towgs84->dy(), -2.25);
    QCOMPARE(towgs84->ppm(), -0.5);
}

void TestWktParser::builders()
{
    struct Expected {
        std::shared_ptr<CWktItemUNIT> unit;
        const char* name;
        const char* factor;
        int epsg;
    };
    const Expected table[] = {
        {CWktItemUNIT::makeMetre(), "metre", "1", 9001},
        {CWktItemUNIT::makeDegree(), "degree", "0.0174532925199433", 9122},
        {CWktItemUNIT::makeArcSecond(), "arc-second", "0.0000048481368110953599359", 9104},
        {CWktItemUNIT::makeUnity(), "unity", "1", 9201},
        {CWktItemUNIT::makePpm(), "ppm", "0.000001", 9202},
    };
    for (const Expected& row : table) {
        QVERIFY(row.unit->isValid());
        QCOMPARE(row.unit->name, QLatin1String(row.name));
        QCOMPARE(row.unit->factorText, QLatin1String(row.factor));
        QCOMPARE(row.unit->authority->epsgCode(), row.epsg);
        QVERIFY(row.unit->children.isEmpty());
        QVERIFY(row.unit->keyword.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestWktParser)
#include "test_wktparser.moc"
