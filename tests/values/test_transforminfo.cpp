#include "faults.h"
#include "equalitycases.h"
#include "units.h"
#include "transforms.h"

#include "database/codetablesaxes.h"
#include "geodesy/transform.h"
#include "values/coordsystypeinfo.h"
#include "values/transforminfo.h"

#include <QCoreApplication>
#include <QTest>

Q_DECLARE_METATYPE(CTransformInfo)
Q_DECLARE_METATYPE(ValueChange<CTransformInfo>)
Q_DECLARE_METATYPE(CTransformListInfo)
Q_DECLARE_METATYPE(ValueChange<CTransformListInfo>)

namespace {

using ParamsList = std::vector<std::unique_ptr<vexa::CTransformParams>>;

CTransformInfo affine()
{
    return transform(1, {{1, "1"}, {2, "0"}, {3, "0"}, {4, "1"}, {5, "100"}, {6, "-50"}});
}

const vexa::CTransformAffine3DParams* affineParams(const std::unique_ptr<vexa::CTransformParams>& params)
{
    return dynamic_cast<const vexa::CTransformAffine3DParams*>(params.get());
}

void compareMatrix(const vexa::CTransformAffine3DParams& p, const std::vector<double>& expected)
{
    const std::vector<double> actual{p.m11, p.m12, p.m13, p.m21, p.m22, p.m23,
                                     p.m31, p.m32, p.m33, p.t1,  p.t2,  p.t3};
    QCOMPARE(actual, expected);
}

} // namespace

class TestTransformInfo : public QObject
{
    Q_OBJECT

private slots:
    void affineTransform();
    void affineWithUnits();
    void affineNeedsEveryParameter();
    void planeShiftIgnoresUnit();
    void planeShiftNeedsBoth();
    void heightShiftInHeightUnit();
    void otherTypesGiveNothing();
    void typesUseTheirParameters();
    void unreadableValue_data();
    void unreadableValue();
    void listKeepsWhatBuilds();
    void emptyList();
    void equality_data();
    void equality();
    void listEquality_data();
    void listEquality();
    void clearEmpties();
    void coordSysType();
};

void TestTransformInfo::affineTransform()
{
    const auto params = affine().toTransformParams(metre().get(), metre().get());
    QVERIFY(affineParams(params));
    QVERIFY(params->isValid());
    compareMatrix(*affineParams(params), {1, 0, 0, 0, 1, 0, 0, 0, 1, 100, -50, 0});
}

void TestTransformInfo::affineWithUnits()
{
    CTransformInfo info = affine();
    info.param_values[2].value = "2";
    info.param_values[2].unit = partsPerMillion();
    info.param_values[5].unit = kilometre();
    const auto params = info.toTransformParams(metre().get(), metre().get());
    QVERIFY(affineParams(params));
    compareMatrix(*affineParams(params), {1, 2e-6, 0, 0, 1, 0, 0, 0, 1, 100000, -50, 0});

    double value = 0;
    QVERIFY(info.findParamValue(5, value));
    QCOMPARE(value, 100000.0);
    QVERIFY(!info.findParamValue(7, value));
}

void TestTransformInfo::affineNeedsEveryParameter()
{
    for (int code = 1; code <= 6; ++code) {
        CTransformInfo info = affine();
        info.param_values.erase(code);
        QVERIFY2(!info.toTransformParams(nullptr, nullptr), qPrintable(QString::number(code)));
    }
}

void TestTransformInfo::planeShiftIgnoresUnit()
{
    const auto params =
        transform(2, {{5, "12.5"}, {6, "-3"}}, kilometre()).toTransformParams(nullptr, nullptr);
    QVERIFY(affineParams(params));
    compareMatrix(*affineParams(params), {1, 0, 0, 0, 1, 0, 0, 0, 1, 12.5, -3, 0});
}

void TestTransformInfo::planeShiftNeedsBoth()
{
    QVERIFY(!transform(2, {{5, "12.5"}}).toTransformParams(nullptr, nullptr));
    QVERIFY(!transform(2, {{6, "12.5"}}).toTransformParams(nullptr, nullptr));
}

void TestTransformInfo::heightShiftInHeightUnit()
{
    const CTransformInfo info = transform(3, {{7, "1"}}, metre());
    const auto params = info.toTransformParams(metre().get(), foot().get());
    QVERIFY(affineParams(params));
    compareMatrix(*affineParams(params), {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 3.280839895013123});

    const auto plain = transform(3, {{7, "2.5"}}).toTransformParams(nullptr, metre().get());
    QVERIFY(affineParams(plain));
    QCOMPARE(affineParams(plain)->t3, 2.5);

    QVERIFY(!info.toTransformParams(metre().get(), nullptr));
    QVERIFY(!transform(3, {{6, "1"}}).toTransformParams(nullptr, metre().get()));
}

void TestTransformInfo::otherTypesGiveNothing()
{
    CTransformInfo info = affine();
    for (int type : {0, 4, 1000}) {
        info.type = type;
        QVERIFY(!info.toTransformParams(metre().get(), metre().get()));
    }
}

// A transform of each type builds with the parameters that its type uses, and not without any
// one of them: the reading of exchange files asks for these.
void TestTransformInfo::typesUseTheirParameters()
{
    for (int type = TransformAffine2D; type <= TransformShiftH; ++type) {
        const std::vector<int> codes = transformTypeParamCodes(type);
        std::map<int, const char*> values;
        for (const int code : codes)
            values[code] = "1";
        QVERIFY(transform(type, values).toTransformParams(metre().get(), metre().get()));
        for (const int code : codes) {
            std::map<int, const char*> fewer = values;
            fewer.erase(code);
            QVERIFY2(!transform(type, fewer).toTransformParams(metre().get(), metre().get()),
                     qPrintable(QStringLiteral("type %1 without %2").arg(type).arg(code)));
        }
    }
}

void TestTransformInfo::unreadableValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");

    QTest::newRow("affine letters") << 1 << false << "x" << "invalid_argument:stod";
    QTest::newRow("affine nan") << 1 << false << "nan"
                                << "runtime_error:CTransformInfo::findParamValue";
    QTest::newRow("affine inf in unit") << 1 << true << "inf" << "runtime_error:CUnitInfo::toDouble";
    QTest::newRow("shift inf") << 2 << false << "-inf"
                               << "runtime_error:CTransformInfo::toTransformParams";
    QTest::newRow("shift too large") << 2 << false << "1e999" << "out_of_range:stod";
}

void TestTransformInfo::unreadableValue()
{
    QFETCH(int, type);
    QFETCH(bool, withUnit);
    QFETCH(QString, text);
    QFETCH(QString, fault);

    CTransformInfo info = affine();
    info.type = type;
    info.param_values[5].value = text.toStdString();
    if (withUnit)
        info.param_values[5].unit = metre();
    QCOMPARE(faultOf([&] { info.toTransformParams(nullptr, nullptr); }), fault);
}

void TestTransformInfo::listKeepsWhatBuilds()
{
    CTransformListInfo list;
    list.name = "list";
    list.transforms = {affine(), transform(2, {{5, "1"}}), transform(2, {{5, "1"}, {6, "2"}})};
    ParamsList out;
    QVERIFY(!list.toTransformParams(nullptr, nullptr, out));
    QCOMPARE(out.size(), size_t(2));
    QCOMPARE(affineParams(out[1])->t2, 2.0);

    list.transforms.erase(list.transforms.begin() + 1);
    QVERIFY(list.toTransformParams(nullptr, nullptr, out));
    QCOMPARE(out.size(), size_t(2));
}

void TestTransformInfo::emptyList()
{
    ParamsList out;
    out.push_back(std::make_unique<vexa::CTransformAffine3DParams>());
    QVERIFY(CTransformListInfo().toTransformParams(nullptr, nullptr, out));
    QVERIFY(out.empty());
}

void TestTransformInfo::equality_data()
{
    addEqualityColumns<CTransformInfo>();
    using Change = ValueChange<CTransformInfo>;
    addEqualityRow<CTransformInfo>("same", affine(), Change([](CTransformInfo&) {}), true);
    addEqualityRow<CTransformInfo>("value", affine(),
                                   Change([](CTransformInfo& info) { info.param_values[5].value = "100.0"; }), false);
    addEqualityRow<CTransformInfo>("value added", affine(), Change([](CTransformInfo& info) {
                                       info.param_values[7].param = 7;
                                       info.param_values[7].value = "0";
                                   }),
                                   false);
    addEqualityRow<CTransformInfo>("value unit", affine(),
                                   Change([](CTransformInfo& info) { info.param_values[5].unit = metre(); }), false);
    addEqualityRow<CTransformInfo>("parameter definitions not compared", affine(), Change([](CTransformInfo& info) {
                                       info.params[1].code = 1;
                                       info.params[1].name = "A11";
                                   }),
                                   true);
    addEqualityRow<CTransformInfo>("type record", affine(), Change([](CTransformInfo& info) { info.type_info.clear(); }),
                                   false, false);
}

void TestTransformInfo::equality()
{
    checkEqualityRow<CTransformInfo>();
}

void TestTransformInfo::listEquality_data()
{
    CTransformListInfo list;
    list.name = "list";
    list.identifier = "id";
    list.transforms = {affine(), transform(2, {{5, "1"}, {6, "2"}})};

    addEqualityColumns<CTransformListInfo>();
    using Change = ValueChange<CTransformListInfo>;
    addEqualityRow<CTransformListInfo>("same", list, Change([](CTransformListInfo&) {}), true);
    addEqualityRow<CTransformListInfo>("order", list, Change([](CTransformListInfo& other) {
                                           std::swap(other.transforms[0], other.transforms[1]);
                                       }),
                                       false);
    addEqualityRow<CTransformListInfo>("one fewer", list,
                                       Change([](CTransformListInfo& other) { other.transforms.pop_back(); }), false);
    addEqualityRow<CTransformListInfo>("scope", list, Change([](CTransformListInfo& other) { other.scope = 2; }),
                                       false);
    addEqualityRow<CTransformListInfo>("without name equals nothing", list,
                                       Change([](CTransformListInfo& other) { other.name.clear(); }), false, false);
}

void TestTransformInfo::listEquality()
{
    checkEqualityRow<CTransformListInfo>();
}

void TestTransformInfo::clearEmpties()
{
    CTransformInfo other = affine();
    other.clear();
    QVERIFY(other.param_values.empty() && other.type == 0 && other.type_info.code == 0);
    CTransformListInfo list;
    list.name = "list";
    QVERIFY(list.isValid());
    list.name.clear();
    QVERIFY(!list.isValid());
}

void TestTransformInfo::coordSysType()
{
    CCoordSysTypeInfo type;
    type.code = 5;
    type.name = "projected";
    QVERIFY(type.isValid());
    CCoordSysTypeInfo other = type;
    QVERIFY(type == other);
    other.description = "x";
    QVERIFY(!(type == other));
    type.clear();
    QVERIFY(!type.isValid());
    QVERIFY(!(type == type));
}

VALUES_TEST_MAIN(TestTransformInfo)
#include "test_transforminfo.moc"
