#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "values/transforminfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CTransformParamValueDetails)

class TestTransformParamValueDetails : public QObject
{
    Q_OBJECT

private slots:
    void typeXml();
    void typeEqualityAndInfo();
    void paramXml();
    void paramEqualityAndInfo();

    void plainForm();
    void unitForm();
    void unitFormWithUnreadableUnit();
    void malformedElements_data();
    void malformedElements();
    void valueEquality_data();
    void valueEquality();
    void valueDescriptions();
    void valueToInfo();
};

void TestTransformParamValueDetails::typeXml()
{
    const CTransformTypeDetails type = transformType(3);
    QCOMPARE(xmlText(type), QStringLiteral("<record><Code>3</Code><Name>Сдвиг высот</Name>"
                                           "<Description>Преобразование типа 3</Description></record>"));
    bool read = false;
    const CTransformTypeDetails copy = roundTrip(type, &read);
    QVERIFY(read);
    QVERIFY(copy == type);
    QCOMPARE(copy.kindName(), QStringLiteral("transformtype"));

    CTransformTypeDetails unnamed = type;
    unnamed.name.clear();
    QCOMPARE(xmlText(unnamed), QStringLiteral("<record/>"));
    QVERIFY(!readXml(unnamed, QStringLiteral("<t><Code>3</Code></t>")));
    QCOMPARE(unnamed.code, 3);
    QCOMPARE(treeLines(type), (QStringList{"Название: Сдвиг высот",
                                           "Описание: Преобразование типа 3"}));
    QCOMPARE(type.infoText(),
             QStringLiteral("Название: Сдвиг высот\nОписание: Преобразование типа 3\n"));
}

void TestTransformParamValueDetails::typeEqualityAndInfo()
{
    const CTransformTypeDetails type = transformType(1);
    CTransformTypeDetails other = type;
    other.description += QLatin1Char('.');
    QVERIFY(other == type);
    other.code = 2;
    QVERIFY(!(other == type));
    CTransformTypeDetails invalid;
    QVERIFY(invalid == invalid);

    CTransformTypeInfo info;
    QVERIFY(type.toInfo(info));
    QCOMPARE(info.code, 1);
    QCOMPARE(QString::fromStdString(info.name), type.name);
    QCOMPARE(QString::fromStdString(info.description), type.description);
    QVERIFY(!invalid.toInfo(info));
    QCOMPARE(info.code, 0);
    QVERIFY(info.name.empty());
}

void TestTransformParamValueDetails::paramXml()
{
    CTransformParamDetails param = transformParam(5, QStringLiteral("B1"));
    param.shortName = QStringLiteral("b1");
    QDomDocument document;
    const QDomElement element = param.toXml(document, QStringLiteral("Param"));
    QCOMPARE(element.attribute(QStringLiteral("code")), QStringLiteral("5"));
    QCOMPARE(element.attribute(QStringLiteral("name")), QStringLiteral("B1"));
    QCOMPARE(childTags(element), (QStringList{"Code", "Name", "Description", "ShortName"}));
    param.type = 1;
    bool read = false;
    const CTransformParamDetails copy = roundTrip(param, &read);
    QVERIFY(read);
    QVERIFY(copy == param);
    QCOMPARE(copy.type, 1);

    CTransformParamDetails invalid;
    invalid.name = QStringLiteral("A11");
    const QDomElement empty = invalid.toXml(document, QStringLiteral("Param"));
    QVERIFY(!empty.hasChildNodes());
    QCOMPARE(empty.attribute(QStringLiteral("code")), QStringLiteral("0"));
    QCOMPARE(empty.attribute(QStringLiteral("name")), QStringLiteral("A11"));
    QVERIFY(!readXml(invalid, QStringLiteral("<Param code=\"1\" name=\"A11\"/>")));
    QCOMPARE(invalid.code, 0);

    QCOMPARE(param.infoText(), QStringLiteral("Название: B1\nОписание: Параметр B1\nКраткое название: b1\n"));
}

void TestTransformParamValueDetails::paramEqualityAndInfo()
{
    const CTransformParamDetails param = transformParam(7, QStringLiteral("dH"));
    CTransformParamDetails other = param;
    other.type = 1;
    QVERIFY(other == param);
    QVERIFY(!(transformParam(6, param.name) == param));

    CTransformParamInfo info;
    QVERIFY(other.toInfo(info));
    QCOMPARE(info.code, 7);
    QCOMPARE(info.type, 1);
    QCOMPARE(QString::fromStdString(info.short_name), QString());
    other.code = 0;
    QVERIFY(!other.toInfo(info));
    QVERIFY(info.name.empty());
}

void TestTransformParamValueDetails::plainForm()
{
    const CTransformParamValueDetails value = paramValue(7, QStringLiteral("0.35"));
    QDomDocument document;
    const QDomElement element = value.toXml(document, QStringLiteral("Param"));
    QCOMPARE(element.attribute(QStringLiteral("code")), QStringLiteral("7"));
    QCOMPARE(element.attribute(QStringLiteral("name")), QStringLiteral("Name"));
    QCOMPARE(element.childNodes().size(), 1);
    QCOMPARE(element.text(), QStringLiteral("0.35"));
    bool read = false;
    const CTransformParamValueDetails copy = roundTrip(value, &read);
    QVERIFY(read);
    QCOMPARE(copy.paramCode, 7);
    QCOMPARE(copy.value, QStringLiteral("0.35"));
    QVERIFY(!copy.unit);
    QVERIFY(copy.getName().isEmpty());
}

void TestTransformParamValueDetails::unitForm()
{
    const CTransformParamValueDetails value = paramValue(5, QStringLiteral("-12.5"), metre());
    QDomDocument document;
    const QDomElement element = value.toXml(document, QStringLiteral("Param"));
    QCOMPARE(childTags(element), (QStringList{"Unit", "Value"}));
    QVERIFY(!element.hasAttribute(QStringLiteral("code")));
    const QDomElement valueElement = element.lastChildElement();
    QCOMPARE(valueElement.attribute(QStringLiteral("code")), QStringLiteral("5"));
    QCOMPARE(valueElement.text(), QStringLiteral("-12.5"));

    bool read = false;
    const CTransformParamValueDetails copy = roundTrip(value, &read);
    QVERIFY(read);
    QVERIFY(copy == value);
    QVERIFY(copy.unit);
    QCOMPARE(copy.unit->shortName, QStringLiteral("м"));
}

void TestTransformParamValueDetails::unitFormWithUnreadableUnit()
{
    auto unit = metre();
    unit->factorC.clear();
    const CTransformParamValueDetails value = paramValue(6, QStringLiteral("7.25"), unit);
    QDomDocument document;
    const QDomElement element = value.toXml(document, QStringLiteral("Param"));
    QCOMPARE(childTags(element), (QStringList{"Unit", "Value"}));
    QVERIFY(!element.firstChildElement().hasChildNodes());
    bool read = false;
    const CTransformParamValueDetails copy = roundTrip(value, &read);
    QVERIFY(read);
    QCOMPARE(copy.paramCode, 6);
    QCOMPARE(copy.value, QStringLiteral("7.25"));
    QVERIFY(!copy.unit);
}

void TestTransformParamValueDetails::malformedElements_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("value");
    QTest::newRow("no children") << "<Param code=\"3\"/>" << 3 << "";
    QTest::newRow("no code") << "<Param>1.5</Param>" << 0 << "1.5";
    QTest::newRow("unreadable code") << "<Param code=\"x\">1.5</Param>" << 0 << "1.5";
    QTest::newRow("unit without value") << "<Param code=\"3\"><Unit><Name>м</Name></Unit></Param>"
                                        << 0 << "";
    QTest::newRow("value in lower case") << "<Param><value code=\"3\">1</value></Param>" << 0 << "";
    QTest::newRow("last value wins")
        << "<Param><Value code=\"1\">1</Value><Value code=\"2\">2</Value></Param>" << 2 << "2";
}

void TestTransformParamValueDetails::malformedElements()
{
    QFETCH(QString, xml);
    QFETCH(int, code);
    QFETCH(QString, value);
    CTransformParamValueDetails record;
    QCOMPARE(readXml(record, xml), code != 0 && !value.isEmpty());
    QCOMPARE(record.paramCode, code);
    QCOMPARE(record.value, value);
    QVERIFY(!record.unit);
}

void TestTransformParamValueDetails::valueEquality_data()
{
    QTest::addColumn<CTransformParamValueDetails>("other");
    QTest::addColumn<bool>("equal");
    auto numbered = metre();
    numbered->name += QStringLiteral("[2]");
    QTest::newRow("same") << paramValue(5, "1", metre()) << true;
    QTest::newRow("unit with numbered name") << paramValue(5, "1", numbered) << true;
    QTest::newRow("same number, other text") << paramValue(5, "1.0", metre()) << false;
    QTest::newRow("other code") << paramValue(6, "1", metre()) << false;
    QTest::newRow("without unit") << paramValue(5, "1") << false;
    QTest::newRow("other unit") << paramValue(5, "1", arcSecond()) << false;
}

void TestTransformParamValueDetails::valueEquality()
{
    QFETCH(CTransformParamValueDetails, other);
    QFETCH(bool, equal);
    const CTransformParamValueDetails value = paramValue(5, QStringLiteral("1"), metre());
    QCOMPARE(value == other, equal);
    QCOMPARE(other == value, equal);
}

void TestTransformParamValueDetails::valueDescriptions()
{
    const CTransformParamValueDetails plain = paramValue(7, QStringLiteral("0.35"));
    QCOMPARE(treeLines(plain), QStringList{"Значение: 0.35 "});
    QCOMPARE(plain.infoText(), QStringLiteral("Значение: 0.35 \n"));

    const CTransformParamValueDetails withShortName = paramValue(5, QStringLiteral("-12.5"), metre());
    const QStringList lines = treeLines(withShortName);
    QCOMPARE(lines.mid(0, 3), (QStringList{"Значение: -12.5 м", "Единица измерения: Метр",
                                           "  Название: Метр"}));
    QCOMPARE(withShortName.infoText(), QStringLiteral("Значение: -12.5 м\n"));

    const CTransformParamValueDetails withName = paramValue(1, QStringLiteral("2"), partsPerMillion());
    QCOMPARE(treeLines(withName).first(), QStringLiteral("Значение: 2 (Миллионная доля)"));
    QCOMPARE(withName.infoText(), QStringLiteral("Значение: 2 (Миллионная доля)\n"));
}

void TestTransformParamValueDetails::valueToInfo()
{
    CTransformParamValueInfo info;
    QVERIFY(paramValue(5, QStringLiteral("-12.5"), metre()).toInfo(info));
    QCOMPARE(info.param, 5);
    QCOMPARE(info.value, std::string("-12.5"));
    QVERIFY(info.unit);
    QCOMPARE(info.unit->factor, 1.0);

    QVERIFY(paramValue(7, QStringLiteral("0.35")).toInfo(info));
    QVERIFY(!info.unit);

    auto broken = metre();
    broken->factorC.clear();
    QVERIFY(!paramValue(5, QStringLiteral("-12.5"), broken).toInfo(info));
    QCOMPARE(info.param, 0);
    QVERIFY(info.value.empty());
    QVERIFY(!info.unit);
}

QTEST_MAIN(TestTransformParamValueDetails)
#include "test_transformparamvaluedetails.moc"
