#include "recordfixtures.h"

#include "records/coordsystypedetails.h"
#include "records/datumshifttypedetails.h"
#include "values/coordsystypeinfo.h"
#include "values/datumshiftinfo.h"

#include <QtTest>

class TestCodeTableDetails : public QObject
{
    Q_OBJECT

private slots:
    void datumShiftTypeSetCode_data();
    void datumShiftTypeSetCode();
    void coordSysTypeSetCode_data();
    void coordSysTypeSetCode();
    void xmlForms();
    void fromXmlIgnoresOtherCase();
    void equality();
    void descriptions();
    void toInfo();
};

void TestCodeTableDetails::datumShiftTypeSetCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("epsg");
    QTest::newRow("Helmert") << 4 << true << "Гельмерта" << "Направление поворотов, принятое зарубежом"
                             << 1033;
    QTest::newRow("Molodensky") << 1 << true << "Молоденского" << "Сдвиг по трем осям" << 1031;
    QTest::newRow("unknown") << 6 << true << "" << "" << 0;
    QTest::newRow("zero") << 0 << false << "" << "" << 0;
}

void TestCodeTableDetails::datumShiftTypeSetCode()
{
    QFETCH(int, code);
    QFETCH(bool, result);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, epsg);
    CDatumShiftTypeDetails type;
    type.description = QStringLiteral("old");
    QCOMPARE(type.setCode(code), result);
    QCOMPARE(type.code, code);
    QCOMPARE(type.name, name);
    QCOMPARE(type.description, description);
    QCOMPARE(type.epsgCode, epsg);
    QCOMPARE(type.isValid(), !name.isEmpty());
}

void TestCodeTableDetails::coordSysTypeSetCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("name");
    QTest::newRow("geodetic") << 4 << true << "Геодезическая";
    QTest::newRow("projected") << 5 << true << "Картографическая";
    QTest::newRow("no type 2") << 2 << true << "";
    QTest::newRow("zero") << 0 << false << "";
}

void TestCodeTableDetails::coordSysTypeSetCode()
{
    QFETCH(int, code);
    QFETCH(bool, result);
    QFETCH(QString, name);
    CCoordSysTypeDetails type;
    QCOMPARE(type.setCode(code), result);
    QCOMPARE(type.code, code);
    QCOMPARE(type.name, name);
    QCOMPARE(type.isValid(), !name.isEmpty());
}

void TestCodeTableDetails::xmlForms()
{
    CDatumShiftTypeDetails shiftType;
    shiftType.setCode(2);
    QDomDocument document;
    const QDomElement element = shiftType.toXml(document, QStringLiteral("datumshifttype"));
    QCOMPARE(childTags(element), (QStringList{"Code", "Name", "Description", "EpsgCode"}));
    bool read = false;
    QVERIFY(roundTrip(shiftType, &read) == shiftType);
    QVERIFY(read);

    shiftType.epsgCode = 0;
    QCOMPARE(childTags(shiftType.toXml(document, QStringLiteral("t"))),
             (QStringList{"Code", "Name", "Description"}));

    CCoordSysTypeDetails systemType;
    systemType.setCode(6);
    QCOMPARE(xmlText(systemType, QStringLiteral("Type")),
             QStringLiteral("<Type><Code>6</Code><Name>Топоцентрическая</Name>"
                            "<Description>Топоцентрическая декартова</Description></Type>"));
    QVERIFY(roundTrip(systemType) == systemType);

    systemType.setCode(2);
    QCOMPARE(xmlText(systemType, QStringLiteral("Type")), QStringLiteral("<Type/>"));
}

void TestCodeTableDetails::fromXmlIgnoresOtherCase()
{
    CCoordSysTypeDetails type;
    QVERIFY(!readXml(type, QStringLiteral("<t><code>4</code><Name>Геодезическая</Name></t>")));
    QCOMPARE(type.code, 0);
    QVERIFY(readXml(type, QStringLiteral("<t><Code>4</Code><Code>9</Code><Name>X</Name></t>")));
    QCOMPARE(type.code, 9);
}

// Records of one code are the same row, whatever their texts and validity.
void TestCodeTableDetails::equality()
{
    CDatumShiftTypeDetails a;
    a.setCode(3);
    CDatumShiftTypeDetails b = a;
    b.name = QStringLiteral("Другое");
    b.description = QStringLiteral("Другое");
    b.epsgCode = 0;
    QVERIFY(a == b);
    b.code = 4;
    QVERIFY(!(a == b));

    CCoordSysTypeDetails invalid;
    invalid.setCode(2);
    const CCoordSysTypeDetails copy = invalid;
    QVERIFY(invalid == copy);
    QCOMPARE(copy.kindName(), QStringLiteral("coordsystype"));
}

void TestCodeTableDetails::descriptions()
{
    CDatumShiftTypeDetails shiftType;
    shiftType.setCode(5);
    QCOMPARE(treeLines(shiftType),
             (QStringList{"Название: Молоденского-Бадекаса (Гельмерт)",
                          "Описание: Направление поворотов, принятое зарубежом", "Экспорт",
                          "  Код EPSG (GeoTIFF): 1061"}));
    QCOMPARE(shiftType.infoText(),
             QStringLiteral("Название: Молоденского-Бадекаса (Гельмерт)\n"
                            "Описание: Направление поворотов, принятое зарубежом\n"
                            "Код EPSG (GeoTIFF): 1061\n"));
    shiftType.epsgCode = 0;
    shiftType.description.clear();
    QCOMPARE(treeLines(shiftType), QStringList{"Название: Молоденского-Бадекаса (Гельмерт)"});

    CCoordSysTypeDetails systemType;
    QCOMPARE(systemType.infoText(), QStringLiteral("Название: \n"));
    systemType.setCode(1);
    QCOMPARE(treeLines(systemType),
             (QStringList{"Название: Декартова", "Описание: Локальная декартова"}));
}

void TestCodeTableDetails::toInfo()
{
    CDatumShiftTypeDetails shiftType;
    shiftType.setCode(4);
    CDatumShiftTypeInfo shiftInfo;
    QVERIFY(shiftType.toInfo(shiftInfo));
    QCOMPARE(shiftInfo.code, 4);
    QCOMPARE(shiftInfo.name, std::string("Гельмерта"));
    QCOMPARE(shiftInfo.epsg, 1033);

    shiftType.code = 5;
    shiftType.name.clear();
    QVERIFY(!shiftType.toInfo(shiftInfo));
    QCOMPARE(shiftInfo.code, 0);
    QVERIFY(shiftInfo.description.empty());

    CCoordSysTypeDetails systemType;
    systemType.setCode(3);
    CCoordSysTypeInfo systemInfo;
    QVERIFY(systemType.toInfo(systemInfo));
    QCOMPARE(systemInfo.code, 3);
    QCOMPARE(systemInfo.description, std::string("Геоцентрическая декартова"));
}

QTEST_MAIN(TestCodeTableDetails)
#include "test_codetabledetails.moc"
