#include "faults.h"
#include "units.h"

#include "values/mapprojinfo.h"

#include <QCoreApplication>
#include <QTest>

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
    void equality();
    void typeAndParamRecords();
};

void TestMapProjInfo::equality()
{
    QVERIFY(utm() == utm());

    CMapProjInfo other = utm();
    other.param_values[104] = "0.9996";
    QVERIFY(!(utm() == other));

    other = utm();
    other.param_values[102] = "S";
    QVERIFY(!(utm() == other));

    other = utm();
    other.params[101].code = 101;
    other.params[101].name = "zone";
    QVERIFY(utm() == other);

    other = utm();
    other.scale_unit = unity();
    QVERIFY(!(utm() == other));

    other = utm();
    other.coord2_sign = 0;
    QVERIFY(!other.isValid());
    QVERIFY(!(other == other));

    other = utm();
    other.type_info.clear();
    QVERIFY(!(utm() == other));

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
