#include "recordfixtures.h"

#include "records/coordsystypedetails.h"
#include "records/datumshifttypedetails.h"
#include "records/mapprojparamdetails.h"
#include "records/mapprojtypedetails.h"

#include <QtTest>

class TestRecordFramework : public QObject
{
    Q_OBJECT

private slots:
    void kindNames();
    void kindNameSurvivesCopyAndClear();
    void sqlValues();
    void sameUnitLinks();
    void fromXmlSkipsNonElements();
};

void TestRecordFramework::kindNames()
{
    const std::vector<std::pair<std::shared_ptr<CAbstractDetails>, QString>> records{
        {std::make_shared<CUnitDetails>(), "unit"},
        {std::make_shared<CAngleFormatDetails>(), "angleformat"},
        {std::make_shared<CEllipsoidDetails>(), "ellipsoid"},
        {std::make_shared<CPrimeMeridianDetails>(), "primemeridian"},
        {std::make_shared<CDatumShiftTypeDetails>(), "datumshifttype"},
        {std::make_shared<CCoordSysTypeDetails>(), "coordsystype"},
        {std::make_shared<CMapProjParamDetails>(), "mapprojparam"},
        {std::make_shared<CMapProjTypeDetails>(), "mapprojtype"},
    };
    for (const auto& [record, kind] : records) {
        QCOMPARE(record->kindName(), kind);
        QVERIFY(record->getName().isEmpty());
        QVERIFY(!record->fromXml(QDomNode()));
    }
}

void TestRecordFramework::kindNameSurvivesCopyAndClear()
{
    CEllipsoidDetails ellipsoid = krassowsky();
    const CEllipsoidDetails copy(ellipsoid);
    QCOMPARE(copy.kindName(), QStringLiteral("ellipsoid"));
    QCOMPARE(copy.unit, ellipsoid.unit);
    ellipsoid.clear();
    QCOMPARE(ellipsoid.kindName(), QStringLiteral("ellipsoid"));
    QCOMPARE(ellipsoid.mapinfoCode, NoValue);
    QVERIFY(!ellipsoid.unit);
    ellipsoid = copy;
    QCOMPARE(ellipsoid.getName(), QStringLiteral("Красовского"));
}

void TestRecordFramework::sqlValues()
{
    QVERIFY(sqlTextOrNull(QString()).isNull());
    QCOMPARE(sqlTextOrNull(QStringLiteral("O'Brien %1")).toString(), QStringLiteral("O'Brien %1"));
    QVERIFY(sqlNumberOrNull(NoValue, NoValue).isNull());
    const QVariant zero = sqlNumberOrNull(0, NoValue);
    QVERIFY(!zero.isNull());
    QCOMPARE(zero.toInt(), 0);
    QVERIFY(sqlNumberOrNull(0, 0).isNull());
}

void TestRecordFramework::sameUnitLinks()
{
    QVERIFY(sameUnit(nullptr, nullptr));
    QVERIFY(!sameUnit(nullptr, metre()));
    QVERIFY(!sameUnit(metre(), nullptr));
    QVERIFY(sameUnit(metre(), metre()));
    QVERIFY(!sameUnit(metre(), degree()));
}

void TestRecordFramework::fromXmlSkipsNonElements()
{
    CAngleFormatDetails format;
    QVERIFY(readXml(format, QStringLiteral("<f><!-- note --><Code>1</Code>text<Name>Д</Name></f>")));
    QCOMPARE(format.code, 1);
    QCOMPARE(format.name, QStringLiteral("Д"));
}

QTEST_MAIN(TestRecordFramework)
#include "test_recordframework.moc"
