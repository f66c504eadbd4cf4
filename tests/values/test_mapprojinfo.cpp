#include "faults.h"
#include "equalitycases.h"
#include "units.h"

#include "geodesy/transform.h"
#include "values/mapprojinfo.h"

#include <QCoreApplication>
#include <QTest>

Q_DECLARE_METATYPE(CMapProjInfo)
Q_DECLARE_METATYPE(ValueChange<CMapProjInfo>)

namespace {

CMapProjInfo utm()
{
    CMapProjInfo info;
    info.name = "UTM";
    info.type = 1002;
    info.coord1_sign = 1;
    info.coord2_sign = 1;
    info.length_unit = metre();
    info.angle_unit = degree();
    info.type_info.code = 1002;
    info.type_info.name = "UTM";
    info.param_values = {{101, "37"}, {102, "N"}};
    return info;
}

} // namespace

class TestMapProjInfo : public QObject
{
    Q_OBJECT

private slots:
    void axisTransform_data();
    void axisTransform();
    void equality_data();
    void equality();
    void clearEmpties();
    void typeAndParamRecords();
};

void TestMapProjInfo::axisTransform_data()
{
    QTest::addColumn<int>("sign1");
    QTest::addColumn<int>("sign2");
    QTest::addColumn<int>("swap");
    QTest::addColumn<QVector<double>>("matrix");

    QTest::newRow("identity") << 1 << 1 << 0 << QVector<double>{1, 0, 0, 0, 1, 0, 0, 0, 1};
    QTest::newRow("swapped") << 1 << 1 << 1 << QVector<double>{0, 1, 0, 1, 0, 0, 0, 0, 1};
    QTest::newRow("swapped, first negative")
        << -1 << 1 << 1 << QVector<double>{0, 1, 0, -1, 0, 0, 0, 0, 1};
    QTest::newRow("second negative") << 1 << -1 << 0 << QVector<double>{1, 0, 0, 0, -1, 0, 0, 0, 1};
}

void TestMapProjInfo::axisTransform()
{
    QFETCH(int, sign1);
    QFETCH(int, sign2);
    QFETCH(int, swap);
    QFETCH(QVector<double>, matrix);

    CMapProjInfo info = utm();
    info.coord1_sign = sign1;
    info.coord2_sign = sign2;
    info.swap_coords = swap;
    const auto p = info.toAxisTransform();
    QVERIFY(p);
    QCOMPARE(p->getType(), 2);
    QCOMPARE(QVector<double>({p->m11, p->m12, p->m13, p->m21, p->m22, p->m23, p->m31, p->m32,
                              p->m33}),
             matrix);
    QCOMPARE(QVector<double>({p->t1, p->t2, p->t3}), QVector<double>({0, 0, 0}));
}

void TestMapProjInfo::equality_data()
{
    addEqualityColumns<CMapProjInfo>();
    using Change = ValueChange<CMapProjInfo>;
    addEqualityRow<CMapProjInfo>("same", utm(), Change([](CMapProjInfo&) {}), true);
    addEqualityRow<CMapProjInfo>("parameter value", utm(),
                                 Change([](CMapProjInfo& info) { info.param_values[104] = "0.9996"; }), false);
    addEqualityRow<CMapProjInfo>("parameter added", utm(),
                                 Change([](CMapProjInfo& info) { info.param_values[102] = "S"; }), false);
    addEqualityRow<CMapProjInfo>("parameter definitions not compared", utm(), Change([](CMapProjInfo& info) {
                                     info.params[101].code = 101;
                                     info.params[101].name = "zone";
                                 }),
                                 true);
    addEqualityRow<CMapProjInfo>("scale unit", utm(), Change([](CMapProjInfo& info) { info.scale_unit = unity(); }),
                                 false);
    addEqualityRow<CMapProjInfo>("invalid equals nothing", utm(),
                                 Change([](CMapProjInfo& info) { info.coord2_sign = 0; }), false, false);
    addEqualityRow<CMapProjInfo>("type record", utm(), Change([](CMapProjInfo& info) { info.type_info.clear(); }),
                                 false, false);
}

void TestMapProjInfo::equality()
{
    checkEqualityRow<CMapProjInfo>();
}

void TestMapProjInfo::clearEmpties()
{
    CMapProjInfo other = utm();
    other.coord2_sign = 0;
    QVERIFY(!other.isValid());
    other.clear();
    QVERIFY(other.param_values.empty() && !other.length_unit && other.type == 0);
    QCOMPARE(other.mapinfo, 2147483647);
    QCOMPARE(other.type_info.mapinfo, 2147483647);
}

void TestMapProjInfo::typeAndParamRecords()
{
    CMapProjParamInfo param;
    param.code = 101;
    param.name = "zone";
    param.type = 4;
    QVERIFY(param.isValid());
    CMapProjParamInfo copy = param;
    QVERIFY(param == copy);
    copy.reserved = 0;
    QVERIFY(!(param == copy));
    param.clear();
    QCOMPARE(param.reserved, 2147483647);
    QVERIFY(!param.isValid());

    CMapProjTypeInfo type;
    type.code = 1;
    type.name = "TM";
    CMapProjTypeInfo same = type;
    QVERIFY(type == same);
    same.swap_coords = 1;
    QVERIFY(!(type == same));
    type.clear();
    QVERIFY(!(type == type));
}

VALUES_TEST_MAIN(TestMapProjInfo)
#include "test_mapprojinfo.moc"
