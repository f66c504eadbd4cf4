#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "values/transforminfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CTransformDetails)
Q_DECLARE_METATYPE(CTransformListDetails)

namespace {

template <class Change>
CTransformDetails changedTransform(Change change)
{
    CTransformDetails transform = affineTransform();
    change(transform);
    return transform;
}

template <class Change>
CTransformListDetails changedList(Change change)
{
    CTransformListDetails list = transformList(3, QStringLiteral("MSK50"));
    list.transforms.append(heightShift());
    change(list);
    return list;
}

} // namespace

class TestTransformDetails : public QObject
{
    Q_OBJECT

private slots:
    void transformXml();
    void transformRoundTrip();
    void transformWithoutValidParts();
    void transformReading();
    void readingNamesTheParameter_data();
    void readingNamesTheParameter();
    void transformValidity();
    void transformEquality_data();
    void transformEquality();
    void invalidTypeSurvivesRoundTrip_data();
    void invalidTypeSurvivesRoundTrip();
    void transformDescriptions();
    void transformToInfo();
    void failingTransformLeavesInfoCleared();

    void listXml();
    void listRoundTrip();
    void listEquality_data();
    void listEquality();
    void listEqualityIgnoresSharing();
    void listDescriptions();
    void listToInfo();
};

void TestTransformDetails::transformXml()
{
    QDomDocument document;
    const QDomElement element = affineTransform().toXml(document, QStringLiteral("transform"));
    QCOMPARE(childTags(element), (QStringList{"Name", "Description", "Type", "TransformType",
                                              "ParamValues", "ParamInfo"}));
    QCOMPARE(childTags(element.firstChildElement(QStringLiteral("ParamValues"))),
             QStringList(QVector<QString>(6, QStringLiteral("Param")).toList()));
    const QDomElement b1 = element.firstChildElement(QStringLiteral("ParamValues")).childNodes().at(4).toElement();
    QCOMPARE(childTags(b1), (QStringList{"Unit", "Value"}));
    const QDomElement definition =
        element.firstChildElement(QStringLiteral("ParamInfo")).firstChildElement();
    QCOMPARE(definition.attribute(QStringLiteral("code")), QStringLiteral("1"));
    QCOMPARE(definition.attribute(QStringLiteral("name")), QStringLiteral("A11"));

    CTransformDetails untyped = affineTransform();
    untyped.typeCode = 0;
    QCOMPARE(xmlText(untyped), QStringLiteral("<record/>"));
}

void TestTransformDetails::transformRoundTrip()
{
    bool read = false;
    const CTransformDetails copy = roundTrip(affineTransform(), &read);
    QVERIFY(read);
    QVERIFY(copy == affineTransform());
    QCOMPARE(copy.params.size(), 6);
    QCOMPARE(copy.params.value(6).name, QStringLiteral("B2"));
    QCOMPARE(copy.paramValues.value(2).value, QStringLiteral("-0.0000034"));
    QVERIFY(copy.paramValues.value(5).unit);
    QVERIFY(!copy.paramValues.value(1).unit);
    QCOMPARE(xmlText(copy), xmlText(affineTransform()));
}

void TestTransformDetails::transformWithoutValidParts()
{
    CTransformDetails transform = affineTransform();
    transform.transformType.name.clear();
    transform.paramValues.insert(7, paramValue(7, QString()));
    transform.params.insert(7, transformParam(7, QString()));
    QDomDocument document;
    const QDomElement element = transform.toXml(document, QStringLiteral("transform"));
    QCOMPARE(childTags(element), (QStringList{"Name", "Description", "Type", "ParamValues", "ParamInfo"}));
    QCOMPARE(element.firstChildElement(QStringLiteral("ParamValues")).childNodes().size(), 6);
    QCOMPARE(element.firstChildElement(QStringLiteral("ParamInfo")).childNodes().size(), 6);

    transform.paramValues.clear();
    transform.params = {{7, transformParam(7, QString())}};
    transform.paramValues.insert(1, paramValue(1, QString()));
    QCOMPARE(childTags(transform.toXml(document, QStringLiteral("transform"))),
             (QStringList{"Name", "Description", "Type"}));

    bool read = false;
    const CTransformDetails copy = roundTrip(transform, &read);
    QVERIFY(read);
    QVERIFY(!copy.transformType.isValid());
    QVERIFY(copy.paramValues.isEmpty());
}

void TestTransformDetails::transformReading()
{
    CTransformDetails transform;
    QVERIFY(readXml(transform, QStringLiteral(
        "<t><Name>T</Name><Type>2</Type>"
        "<ParamValues><Param code=\"5\">1</Param><Any code=\"5\">2</Any>text<Param/></ParamValues>"
        "<ParamValues><Param code=\"6\">3</Param></ParamValues>"
        "<ParamInfo><Param><Code>5</Code><Name>B1</Name></Param>"
        "<Other><Code>6</Code><Name>B2</Name></Other></ParamInfo>"
        "<TransformType><Code>2</Code></TransformType></t>")));
    QCOMPARE(transform.paramValues.keys(), (QList<int>{5, 6}));
    QCOMPARE(transform.paramValues.value(5).value, QStringLiteral("2"));
    QCOMPARE(transform.params.keys(), QList<int>{5});
    QVERIFY(!transform.transformType.isValid());
    QCOMPARE(transform.typeCode, 2);
}

void TestTransformDetails::readingNamesTheParameter_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("reason");
    // An affine transform with the fourth value and the definitions given.
    const auto affine = [](const QString& fourth, const QString& definitions = QString()) {
        return QStringLiteral("<t><Name>T</Name><Type>1</Type><ParamValues><Param code=\"1\">1</Param>"
                              "<Param code=\"2\">0</Param><Param code=\"3\">0</Param>%1<Param code=\"5\">0</Param>"
                              "<Param code=\"6\">0</Param></ParamValues>%2</t>")
            .arg(fourth, definitions);
    };
    const QString a22 = QStringLiteral("Элемент «ParamValues/Param[code=4, «A22»]»: ");
    const QString notGiven = QStringLiteral("значение не задано");
    QTest::newRow("every parameter") << affine("<Param code=\"4\">1</Param>") << QString();
    QTest::newRow("parameter left out") << affine(QString()) << a22 + notGiven;
    QTest::newRow("parameter empty") << affine("<Param code=\"4\"/>") << a22 + notGiven;
    QTest::newRow("parameter blank") << affine("<Param code=\"4\"> </Param>") << a22 + notGiven;
    QTest::newRow("parameter given twice") << affine("<Param code=\"4\">1</Param><Param code=\"4\">1.1</Param>")
                                           << a22 + "параметр задан повторно";
    QTest::newRow("named as the file defines it")
        << affine(QString(), "<ParamInfo><Param><Code>4</Code><Name>Масштаб по Y</Name></Param></ParamInfo>")
        << "Элемент «ParamValues/Param[code=4, «Масштаб по Y»]»: " + notGiven;
    QTest::newRow("value in its unit")
        << affine("<Param><Unit><Scope>1</Scope><Name>Метр</Name><FactorB>1</FactorB><FactorC>1</FactorC></Unit>"
                  "<Value code=\"4\">1,5</Value></Param>")
        << "Элемент «ParamValues/Param[code=4, «A22»]/Value»: «1,5» не является числом в единице «Метр»";
    QTest::newRow("shift with its two parameters")
        << "<t><Name>T</Name><Type>2</Type><ParamValues><Param code=\"5\">1</Param><Param code=\"6\">2</Param>"
           "</ParamValues></t>"
        << QString();
    QTest::newRow("shift without its second parameter")
        << "<t><Name>T</Name><Type>2</Type><ParamValues><Param code=\"5\">1</Param></ParamValues></t>"
        << "Элемент «ParamValues/Param[code=6, «B2»]»: " + notGiven;
    QTest::newRow("height shift without its parameter") << "<t><Name>T</Name><Type>3</Type></t>"
                                                        << "Элемент «ParamValues/Param[code=7, «dH»]»: " + notGiven;
}

// A transform that leaves out a parameter its type uses, gives it empty or gives it twice is
// refused naming the parameter by its code and name.
void TestTransformDetails::readingNamesTheParameter()
{
    QFETCH(QString, xml);
    CTransformDetails transform;
    QTEST(readFault(transform, xml), "reason");
}

void TestTransformDetails::transformValidity()
{
    QVERIFY(affineTransform().isValid());
    QVERIFY(!changedTransform([](CTransformDetails& t) { t.name.clear(); }).isValid());
    QVERIFY(!changedTransform([](CTransformDetails& t) { t.typeCode = 0; }).isValid());
    QVERIFY(changedTransform([](CTransformDetails& t) { t.transformType.clear(); }).isValid());
    CTransformDetails cleared = affineTransform();
    cleared.clear();
    QVERIFY(cleared.paramValues.isEmpty() && cleared.params.isEmpty());
    QCOMPARE(cleared.kindName(), QStringLiteral("transform"));
}

void TestTransformDetails::transformEquality_data()
{
    QTest::addColumn<CTransformDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << affineTransform() << true;
    QTest::newRow("other definitions")
        << changedTransform([](CTransformDetails& t) { t.params.clear(); }) << true;
    QTest::newRow("one value less")
        << changedTransform([](CTransformDetails& t) { t.paramValues.remove(6); }) << false;
    QTest::newRow("one value text")
        << changedTransform([](CTransformDetails& t) { t.paramValues[6].value = "7.250"; }) << false;
    QTest::newRow("value under another code") << changedTransform([](CTransformDetails& t) {
        t.paramValues.insert(7, t.paramValues.take(6));
    }) << false;
    QTest::newRow("numbered name")
        << changedTransform([](CTransformDetails& t) { t.name += "[1]"; }) << true;
    QTest::newRow("type texts") << changedTransform([](CTransformDetails& t) {
        t.transformType.name = QStringLiteral("Аффинное");
        t.transformType.description.clear();
    }) << true;
    QTest::newRow("type code") << changedTransform([](CTransformDetails& t) { t.typeCode = 2; }) << false;
    QTest::newRow("invalid type record")
        << changedTransform([](CTransformDetails& t) { t.transformType.clear(); }) << true;
}

void TestTransformDetails::transformEquality()
{
    QFETCH(CTransformDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(affineTransform() == other, equal);
    QCOMPARE(other == affineTransform(), equal);
}

void TestTransformDetails::invalidTypeSurvivesRoundTrip_data()
{
    QTest::addColumn<CTransformDetails>("transform");
    QTest::newRow("type record cleared")
        << changedTransform([](CTransformDetails& t) { t.transformType.clear(); });
    QTest::newRow("type record without a name")
        << changedTransform([](CTransformDetails& t) { t.transformType.name.clear(); });
}

// A transform whose type record is not valid equals itself and its XML copy, alone and in a list.
void TestTransformDetails::invalidTypeSurvivesRoundTrip()
{
    QFETCH(CTransformDetails, transform);
    QVERIFY(transform == transform);
    QVERIFY(roundTrip(transform) == transform);

    CTransformListDetails list = transformList(3, QStringLiteral("MSK50"));
    list.transforms = {transform, heightShift()};
    QVERIFY(roundTrip(list) == list);
}

void TestTransformDetails::transformDescriptions()
{
    CTransformDetails transform = heightShift();
    transform.paramValues.insert(8, paramValue(8, QStringLiteral("1")));
    QCOMPARE(treeLines(transform),
             (QStringList{"Название: Сдвиг БСВ", "Тип преобразования: Сдвиг высот",
                          "  Название: Сдвиг высот", "  Описание: Преобразование типа 3",
                          "Параметры", "  dH: 0.35 м", "    Значение: 0.35 м",
                          "    Единица измерения: Метр", "      Название: Метр",
                          "      Краткое название: м", "      1 м = 1 м", "      Экспорт",
                          "        Код EPSG (GeoTIFF): 9001", "        Код MapInfo: 7",
                          "  : 1 ", "    Значение: 1 "}));
    QCOMPARE(transform.infoText(),
             QStringLiteral("Название: Сдвиг БСВ\nТип преобразования: Сдвиг высот\nПараметры: \n"
                            "    dH: 0.35 м\n    : 1 \n"));
}

void TestTransformDetails::transformToInfo()
{
    CTransformInfo info;
    QVERIFY(affineTransform().toInfo(info));
    QCOMPARE(info.name, affineTransform().name.toStdString());
    QCOMPARE(info.description, affineTransform().description.toStdString());
    QCOMPARE(info.type, 1);
    QCOMPARE(info.type_info.code, 1);
    QCOMPARE(info.param_values.size(), std::size_t(6));
    QCOMPARE(info.param_values.at(3).value, std::string("0.0000034"));
    QVERIFY(info.param_values.at(6).unit);
    QCOMPARE(info.params.at(4).name, std::string("A22"));

    CTransformDetails untyped = affineTransform();
    untyped.transformType.clear();
    QVERIFY(untyped.toInfo(info));
    QCOMPARE(info.type_info.code, 0);
}

void TestTransformDetails::failingTransformLeavesInfoCleared()
{
    CTransformInfo info;
    const CTransformDetails brokenValue = changedTransform([](CTransformDetails& t) {
        t.paramValues[5].unit = metre();
        t.paramValues[5].unit->factorB = QStringLiteral("0");
    });
    QVERIFY(!brokenValue.toInfo(info));
    QVERIFY(info.name.empty());
    QCOMPARE(info.type, 0);
    QVERIFY(info.param_values.empty());

    const CTransformDetails brokenDefinition = changedTransform([](CTransformDetails& t) {
        t.params[6].name.clear();
    });
    QVERIFY(!brokenDefinition.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(info.param_values.empty());
    QVERIFY(info.params.empty());
}

void TestTransformDetails::listXml()
{
    const CTransformListDetails list = changedList([](CTransformListDetails&) {});
    QDomDocument document;
    const QDomElement element = list.toXml(document, QStringLiteral("transformlist"));
    QCOMPARE(childTags(element), (QStringList{"Name", "Description", "Scope", "Identifier", "Transforms"}));
    QCOMPARE(childTags(element.lastChildElement()), (QStringList{"Transform", "Transform"}));

    CTransformListDetails bare;
    bare.name = QStringLiteral("L");
    QCOMPARE(xmlText(bare), QStringLiteral("<record><Name>L</Name></record>"));
    bare.name.clear();
    QCOMPARE(xmlText(bare), QStringLiteral("<record/>"));
}

void TestTransformDetails::listRoundTrip()
{
    CTransformListDetails list = changedList([](CTransformListDetails& l) {
        CTransformDetails unnamed = affineTransform();
        unnamed.name.clear();
        l.transforms.insert(1, unnamed);
    });
    bool read = false;
    const CTransformListDetails copy = roundTrip(list, &read);
    QVERIFY(read);
    QCOMPARE(copy.transforms.size(), 2);
    QCOMPARE(copy.transforms.at(0).name, affineTransform().name);
    QCOMPARE(copy.transforms.at(1).name, heightShift().name);
    list.transforms.remove(1);
    QVERIFY(copy == list);

    CTransformListDetails twice;
    QVERIFY(readXml(twice, QStringLiteral("<l><Name>L</Name><Scope>x</Scope>"
                                          "<Transforms><Transform><Name>A</Name><Type>1</Type></Transform></Transforms>"
                                          "<Transforms><Other/><Transform><Name>B</Name><Type>3</Type></Transform></Transforms></l>")));
    QCOMPARE(twice.scope, 0);
    QCOMPARE(twice.transforms.size(), 2);
    QCOMPARE(twice.transforms.at(1).name, QStringLiteral("B"));
}

void TestTransformDetails::listEquality_data()
{
    QTest::addColumn<CTransformListDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << changedList([](CTransformListDetails&) {}) << true;
    QTest::newRow("other order") << changedList([](CTransformListDetails& l) {
        std::swap(l.transforms[0], l.transforms[1]);
    }) << false;
    QTest::newRow("one transform less")
        << changedList([](CTransformListDetails& l) { l.transforms.removeLast(); }) << false;
    QTest::newRow("scope") << changedList([](CTransformListDetails& l) { l.scope = 4; }) << false;
    QTest::newRow("identifier")
        << changedList([](CTransformListDetails& l) { l.identifier = "MSK77"; }) << false;
    QTest::newRow("value inside a transform") << changedList([](CTransformListDetails& l) {
        l.transforms[1].paramValues[7].value = "0.36";
    }) << false;
}

void TestTransformDetails::listEquality()
{
    QFETCH(CTransformListDetails, other);
    QFETCH(bool, equal);
    const CTransformListDetails list = changedList([](CTransformListDetails&) {});
    QCOMPARE(list == other, equal);

    CTransformListDetails empty;
    empty.name = QStringLiteral("L");
    QVERIFY(empty == empty);
    empty.name.clear();
    QVERIFY(!(empty == empty));
}

// Lists compare their transforms one by one, whether they share them or not.
void TestTransformDetails::listEqualityIgnoresSharing()
{
    const CTransformListDetails list = changedList([](CTransformListDetails& l) {
        l.transforms.append(affineTransform());
        l.transforms.last().name.clear();
    });
    CTransformListDetails copy = list;
    copy.transforms = QVector<CTransformDetails>(list.transforms.cbegin(), list.transforms.cend());
    QCOMPARE(list == list, list == copy);
}

void TestTransformDetails::listDescriptions()
{
    const CTransformListDetails list = changedList([](CTransformListDetails&) {});
    const QStringList lines = treeLines(list);
    QCOMPARE(lines.mid(0, 6),
             (QStringList{"Название: Список MSK50", "Описание: Для проверки",
                          "Область применения: Плановое преобразование датума ",
                          "Идентификатор: MSK50", "Преобразования",
                          "  МСК-50 зона 1: Аффинное"}));
    QVERIFY(lines.contains(QStringLiteral("  Сдвиг БСВ: Сдвиг высот")));
    QVERIFY(lines.contains(QStringLiteral("    Название: МСК-50 зона 1")));
    QCOMPARE(list.infoText(),
             QStringLiteral("Название: Список MSK50\nОписание: Для проверки\n"
                            "Область применения: Плановое преобразование датума \n"
                            "Идентификатор: MSK50\nПреобразования: \n"
                            "    МСК-50 зона 1: Аффинное\n    Сдвиг БСВ: Сдвиг высот\n"));

    QDomDocument document;
    for (int scope : {0, 7}) {
        CTransformListDetails unscoped = list;
        unscoped.scope = scope;
        QVERIFY(!unscoped.infoText().contains(QStringLiteral("Область применения")));
        const QStringList tags = childTags(unscoped.toXml(document, QStringLiteral("l")));
        QCOMPARE(tags.contains(QStringLiteral("Scope")), scope != 0);
    }
}

void TestTransformDetails::listToInfo()
{
    CTransformListDetails list = changedList([](CTransformListDetails& l) { l.scope = 7; });
    CTransformListInfo info;
    QVERIFY(list.toInfo(info));
    QCOMPARE(info.scope, 7);
    QCOMPARE(info.identifier, std::string("MSK50"));
    QCOMPARE(info.transforms.size(), std::size_t(2));
    QCOMPARE(info.transforms.at(1).type, 3);

    list.transforms.prepend(heightShift());
    list.transforms[1].paramValues[5].unit = arcSecond();
    list.transforms[1].paramValues[5].unit->factorC = QStringLiteral("-1");
    QVERIFY(!list.toInfo(info));
    QCOMPARE(info.name, list.name.toStdString());
    QCOMPARE(info.transforms.size(), std::size_t(2));
    QCOMPARE(info.transforms.at(0).name, heightShift().name.toStdString());
    QCOMPARE(info.transforms.at(1).name, heightShift().name.toStdString());

    list.name.clear();
    QVERIFY(!list.toInfo(info));
    QVERIFY(info.transforms.empty());
}

QTEST_MAIN(TestTransformDetails)
#include "test_transformdetails.moc"
