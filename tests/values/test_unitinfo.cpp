#include "faults.h"
#include "equalitycases.h"
#include "units.h"

#include <QCoreApplication>
#include <QTest>

#include <cfloat>
#include <cmath>

Q_DECLARE_METATYPE(std::shared_ptr<CUnitInfo>)
Q_DECLARE_METATYPE(CUnitInfo)
Q_DECLARE_METATYPE(ValueChange<CUnitInfo>)
Q_DECLARE_METATYPE(CAngleFormatInfo)
Q_DECLARE_METATYPE(ValueChange<CAngleFormatInfo>)

namespace {

std::shared_ptr<CUnitInfo> unitNamed(const QString& kind)
{
    if (kind == "metre")
        return metre();
    if (kind == "kilometre")
        return kilometre();
    if (kind == "degree")
        return degree();
    if (kind == "decimal")
        return degree(1);
    if (kind == "dms")
        return degree(2);
    if (kind == "dmsh")
        return degree(3);
    if (kind == "unity")
        return unity();
    return std::make_shared<CUnitInfo>();
}

} // namespace

class TestUnitInfo : public QObject
{
    Q_OBJECT

private slots:
    void factors_data();
    void factors();
    void unreadableFactors_data();
    void unreadableFactors();
    void toDouble_data();
    void toDouble();
    void toString_data();
    void toString();
    void dmsRoundTrip_data();
    void dmsRoundTrip();
    void unservableValuesGiveEmptyText_data();
    void unservableValuesGiveEmptyText();
    void adjustPrecision();
    void toBaseDouble();
    void equality_data();
    void equality();
    void formatEquality_data();
    void formatEquality();
    void clearEmpties();
};

void TestUnitInfo::factors_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("factorB");
    QTest::addColumn<QString>("factorC");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("inverse");
    QTest::addColumn<int>("precision");
    QTest::addColumn<bool>("valid");

    QTest::newRow("metre") << 1 << "1" << "1" << 1.0 << 1.0 << 3 << true;
    QTest::newRow("kilometre") << 1 << "1000" << "1" << 1000.0 << 0.001 << 6 << true;
    QTest::newRow("foot") << 1 << "0.3048" << "1" << 0.3048 << 1 / 0.3048 << 3 << true;
    QTest::newRow("radian") << 2 << "1" << "1" << 1.0 << 1.0 << 12 << true;
    QTest::newRow("degree") << 2 << "0.017453292519943295" << "1" << 0.017453292519943295
                            << 1 / 0.017453292519943295 << 11 << true;
    QTest::newRow("degree by pi") << 2 << "3.14159265358979" << "180" << 3.14159265358979 / 180
                                  << 180 / 3.14159265358979 << 11 << true;
    QTest::newRow("grad") << 2 << "3.14159265358979" << "200" << 3.14159265358979 / 200
                          << 200 / 3.14159265358979 << 11 << true;
    QTest::newRow("second") << 2 << "3.14159265358979" << "648000" << 3.14159265358979 / 648000
                            << 648000 / 3.14159265358979 << 7 << true;
    QTest::newRow("unity") << 3 << "1" << "1" << 1.0 << 1.0 << 9 << true;
    QTest::newRow("ppm") << 3 << "1" << "1000000" << 1e-6 << 1e6 << 3 << true;
    QTest::newRow("tiny length") << 1 << "1" << "1e9" << 1e-9 << 1e9 << 0 << true;
    QTest::newRow("denominator 0") << 1 << "1" << "0" << HUGE_VAL << 0.0 << 0 << false;
    QTest::newRow("numerator 0") << 1 << "0" << "1" << 0.0 << HUGE_VAL << 0 << false;
    QTest::newRow("negative") << 1 << "-1" << "1" << -1.0 << -1.0 << 0 << false;
    QTest::newRow("scope 0") << 0 << "1" << "1" << 1.0 << 1.0 << 0 << false;
}

void TestUnitInfo::factors()
{
    QFETCH(int, scope);
    QFETCH(QString, factorB);
    QFETCH(QString, factorC);
    QFETCH(double, factor);
    QFETCH(double, inverse);
    QFETCH(int, precision);
    QFETCH(bool, valid);

    CUnitInfo unit;
    unit.scope = scope;
    unit.name = "unit";
    unit.factor_b = factorB.toStdString();
    unit.factor_c = factorC.toStdString();
    QCOMPARE(unit.computeFactors(), precision);
    QCOMPARE(unit.factor, factor);
    QCOMPARE(unit.inverse_factor, inverse);
    QCOMPARE(unit.precision, precision);
    QCOMPARE(unit.isValid(), valid);
}

void TestUnitInfo::unreadableFactors_data()
{
    QTest::addColumn<QString>("factorB");
    QTest::addColumn<QString>("factorC");
    QTest::addColumn<QString>("fault");

    QTest::newRow("letters") << "abc" << "1" << "invalid_argument:stod";
    QTest::newRow("empty") << "1" << "" << "invalid_argument:stod";
    QTest::newRow("too large") << "1e999" << "1" << "out_of_range:stod";
    QTest::newRow("nan factors") << "nan" << "nan" << "";
    QTest::newRow("infinite factor") << "inf" << "1" << "";
}

void TestUnitInfo::unreadableFactors()
{
    QFETCH(QString, factorB);
    QFETCH(QString, factorC);
    QFETCH(QString, fault);

    CUnitInfo unit;
    unit.scope = 1;
    unit.name = "unit";
    unit.factor_b = factorB.toStdString();
    unit.factor_c = factorC.toStdString();
    QCOMPARE(faultOf([&] { unit.computeFactors(); }), fault);
    QCOMPARE(unit.precision, 0);
    QVERIFY(!unit.isValid());
}

void TestUnitInfo::toDouble_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("fault");

    const QString stod = "invalid_argument:stod";
    const QString range = "out_of_range:stod";
    const QString unitFault = "runtime_error:CUnitInfo::toDouble";
    const QString angleFault = "runtime_error:CAngleFormatInfo::toDouble";

    QTest::newRow("m plain") << "metre" << "12.5" << 12.5 << "";
    QTest::newRow("m trailing text") << "metre" << "12.5 m" << 0.0 << stod;
    QTest::newRow("m comma") << "metre" << "10,5" << 0.0 << stod;
    QTest::newRow("m two numbers") << "metre" << "55 45 00" << 0.0 << stod;
    QTest::newRow("m blanks around") << "metre" << " \t7 \n" << 7.0 << "";
    QTest::newRow("m plus sign") << "metre" << "+7.5" << 7.5 << "";
    QTest::newRow("m double sign") << "metre" << "+-7" << 0.0 << stod;
    QTest::newRow("m leading point") << "metre" << ".5" << 0.5 << "";
    QTest::newRow("m exponent") << "metre" << "-3e2" << -300.0 << "";
    QTest::newRow("m letters") << "metre" << "abc" << 0.0 << stod;
    QTest::newRow("m empty") << "metre" << "" << 0.0 << stod;
    QTest::newRow("m too large") << "metre" << "1e999" << 0.0 << range;
    QTest::newRow("m nan") << "metre" << "nan" << 0.0 << unitFault;
    QTest::newRow("m inf") << "metre" << "inf" << 0.0 << unitFault;
    QTest::newRow("m -inf") << "metre" << "-infinity" << 0.0 << unitFault;
    QTest::newRow("m undefined marker") << "metre" << "1.7976931348623157e308" << 0.0 << unitFault;
    QTest::newRow("scale") << "unity" << "0.9996" << 0.9996 << "";
    QTest::newRow("angle without format") << "degree" << "37.5" << 37.5 << "";
    QTest::newRow("angle without format nan") << "degree" << "nan" << 0.0 << unitFault;

    QTest::newRow("dec plain") << "decimal" << "12.5" << 12.5 << "";
    QTest::newRow("dec comma") << "decimal" << "12,5" << 0.0 << stod;
    QTest::newRow("dec degree sign") << "decimal" << "55°45'00\"" << 0.0 << stod;
    QTest::newRow("dec colons") << "decimal" << "55:45:00" << 0.0 << stod;
    QTest::newRow("dec blanks between") << "decimal" << "55 45 00" << 0.0 << stod;
    QTest::newRow("dec inf") << "decimal" << "inf" << 0.0 << angleFault;
    QTest::newRow("dec -inf") << "decimal" << "-inf" << 0.0 << angleFault;
    QTest::newRow("dec nan") << "decimal" << "nan" << 0.0 << angleFault;
    QTest::newRow("dec too large") << "decimal" << "1e999" << 0.0 << range;
    QTest::newRow("dec letters") << "decimal" << "x" << 0.0 << stod;
    QTest::newRow("dec empty") << "decimal" << "" << 0.0 << angleFault;

    QTest::newRow("dms three fields") << "dms" << "37 30 36" << 37.51 << "";
    QTest::newRow("dms negative") << "dms" << "-37 30 36" << -37.51 << "";
    QTest::newRow("dms minus zero") << "dms" << "-0 30 0" << -0.5 << "";
    QTest::newRow("dms two fields") << "dms" << "37 30" << 37.5 << "";
    QTest::newRow("dms one field") << "dms" << "37.51" << 37.51 << "";
    QTest::newRow("dms trailing letters") << "dms" << "37abc" << 0.0 << angleFault;
    QTest::newRow("dms four fields") << "dms" << "37 30 36 1" << 0.0 << angleFault;
    QTest::newRow("dms degree sign") << "dms" << "55°45'00\"" << 0.0 << angleFault;
    QTest::newRow("dms colons") << "dms" << "55:45:00" << 0.0 << angleFault;
    QTest::newRow("dms minutes over 60") << "dms" << "10 75" << 11.25 << "";
    QTest::newRow("dms signed minutes") << "dms" << "-37 -30 36" << 0.0 << angleFault;
    QTest::newRow("dms signed seconds") << "dms" << "37 30 -36" << 0.0 << angleFault;
    QTest::newRow("dms any white space") << "dms" << " 37\t30\n 36" << 37.51 << "";
    QTest::newRow("dms decimal point") << "dms" << "37.5 30" << 38.0 << "";
    QTest::newRow("dms comma") << "dms" << "37,5 30" << 0.0 << angleFault;
    QTest::newRow("dms carried text") << "dms" << "4 6 0.0" << 4.1 << "";
    QTest::newRow("dms letters") << "dms" << "abc" << 0.0 << angleFault;
    QTest::newRow("dms empty") << "dms" << "" << 0.0 << angleFault;
    QTest::newRow("dms blanks") << "dms" << "   " << 0.0 << angleFault;
    QTest::newRow("dms inf") << "dms" << "inf" << 0.0 << angleFault;
    QTest::newRow("dms nan minutes") << "dms" << "10 nan" << 0.0 << angleFault;
    QTest::newRow("dms -inf") << "dms" << "-inf 5" << 0.0 << angleFault;
    QTest::newRow("dms too large") << "dms" << "1e999" << 0.0 << angleFault;

    QTest::newRow("hemisphere format") << "dmsh" << "10 30 0 N" << 0.0 << angleFault;
    QTest::newRow("empty unit") << "empty" << "12.5" << DBL_MAX << "";
}

void TestUnitInfo::toDouble()
{
    QFETCH(QString, unit);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, fault);

    double read = 0.0;
    QCOMPARE(faultOf([&] { read = unitNamed(unit)->toDouble(text.toStdString()); }), fault);
    if (fault.isEmpty())
        QVERIFY2(std::fabs(read - value) <= 1e-12 * std::max(1.0, std::fabs(value)),
                 qPrintable(QString::number(read, 'g', 17)));
}

void TestUnitInfo::toString_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("m default") << "metre" << 1.5 << -1 << "1.500";
    QTest::newRow("km default") << "kilometre" << 1.5 << -1 << "1.500000";
    QTest::newRow("m given") << "metre" << 1234567.891 << 2 << "1234567.89";
    QTest::newRow("m no grouping") << "metre" << 12345678.0 << 0 << "12345678";
    QTest::newRow("m tiny negative") << "metre" << -0.0001 << -1 << "-0.000";
    QTest::newRow("m no exponent") << "metre" << 1e22 << 1 << "1" + QString(22, QLatin1Char('0')) + ".0";
    QTest::newRow("m infinite") << "metre" << HUGE_VAL << -1 << "";
    QTest::newRow("m nan") << "metre" << std::nan("") << 2 << "";
    QTest::newRow("scale default") << "unity" << 0.9996 << -1 << "0.999600000";
    QTest::newRow("angle without format") << "degree" << 37.5 << -1 << "37.50000000000";
    QTest::newRow("dec default") << "decimal" << 37.5 << -1 << "37.50000000000";
    QTest::newRow("dec given") << "decimal" << -37.5 << 2 << "-37.50";
    QTest::newRow("dms default") << "dms" << 37.5 << -1 << "37 30 0.00000000";
    QTest::newRow("dms 37.51") << "dms" << 37.51 << 3 << "37 30 36.000";
    QTest::newRow("dms minus half") << "dms" << -0.5 << 3 << "-0 30 0.000";
    QTest::newRow("dms 37.5") << "dms" << 37.5 << 3 << "37 30 0.000";
    QTest::newRow("dms -10.5") << "dms" << -10.5 << 3 << "-10 30 0.000";
    QTest::newRow("dms zero decimals") << "dms" << 37.6 << 0 << "37 36 0";
    QTest::newRow("dms seconds rounded") << "dms" << 37.6 + 0.7 / 3600 << 0 << "37 36 1";
    QTest::newRow("dms seconds without noise") << "dms" << 55.75 + 1.23456 / 3600 << 5 << "55 45 1.23456";
    QTest::newRow("dms negative zero") << "dms" << -0.0 << 2 << "0 0 0.00";
    QTest::newRow("dms tiny negative") << "dms" << -1e-12 << 3 << "0 0 0.000";
    QTest::newRow("dms seconds carry 4.1") << "dms" << 4.1 << 1 << "4 6 0.0";
    QTest::newRow("dms seconds carry 1.15") << "dms" << 1.15 << 3 << "1 9 0.000";
    QTest::newRow("dms seconds carry negative") << "dms" << -4.1 << 1 << "-4 6 0.0";
    QTest::newRow("dms carry into degrees") << "dms" << 0.9999999999999 << 8 << "1 0 0.00000000";
    QTest::newRow("dms seconds kept below a degree") << "dms" << 0.99999999999 << 8 << "0 59 59.99999996";
    QTest::newRow("hemisphere format") << "dmsh" << 37.5 << -1 << "";
    QTest::newRow("empty unit") << "empty" << 37.5 << 3 << "";
}

void TestUnitInfo::toString()
{
    QFETCH(QString, unit);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);

    QCOMPARE(QString::fromStdString(unitNamed(unit)->toString(value, decimals)), text);
}

void TestUnitInfo::dmsRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");

    QTest::newRow("4.1") << 4.1 << 1;
    QTest::newRow("1.15") << 1.15 << 3;
    QTest::newRow("-37.51") << -37.51 << 3;
    QTest::newRow("59.9") << 59.9 << 1;
    QTest::newRow("0.3") << 0.3 << 1;
    QTest::newRow("179.99999999") << 179.99999999 << 8;
    QTest::newRow("37.6 whole seconds") << 37.6 << 0;
    QTest::newRow("just below a degree") << 0.99999999999 << 8;
    QTest::newRow("just below 90") << 89.99999 << 0;
    QTest::newRow("-0.0001") << -0.0001 << 2;
    QTest::newRow("55.7512345678") << 55.7512345678 << 4;
    QTest::newRow("-123.456789") << -123.456789 << 6;
    QTest::newRow("359.999999999") << 359.999999999 << 5;
}

// The text reads back within half a unit of its last decimal of a second, and no field
// reaches 60.
void TestUnitInfo::dmsRoundTrip()
{
    QFETCH(double, value);
    QFETCH(int, decimals);

    const auto unit = degree(2);
    const std::string text = unit->toString(value, decimals);
    QVERIFY2(text.find(" 60") == std::string::npos, text.c_str());
    const double halfUnit = 0.5 * std::pow(10.0, -decimals) / 3600.0;
    QVERIFY2(std::fabs(unit->toDouble(text) - value) <= halfUnit * (1 + 1e-9), text.c_str());
}

void TestUnitInfo::unservableValuesGiveEmptyText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");

    QTest::newRow("undefined") << DBL_MAX << 3;
    QTest::newRow("infinite") << HUGE_VAL << 3;
    QTest::newRow("minus infinite") << -HUGE_VAL << 3;
    QTest::newRow("nan") << std::nan("") << 3;
    QTest::newRow("beyond int degrees") << 3e9 << 0;
    QTest::newRow("huge precision") << 10.0 << 400;
    QTest::newRow("overflowing rounding") << 1e301 << 8;
}

void TestUnitInfo::unservableValuesGiveEmptyText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);

    QCOMPARE(degree(2)->toString(value, decimals), std::string());
}

void TestUnitInfo::adjustPrecision()
{
    CAngleFormatInfo format;
    format.name = "format";
    for (int code : {2, 3}) {
        format.code = code;
        QCOMPARE(format.adjustPrecision(11), 8);
        QCOMPARE(format.adjustPrecision(2), 0);
    }
    format.code = 1;
    QCOMPARE(format.adjustPrecision(11), 11);
}

void TestUnitInfo::toBaseDouble()
{
    QCOMPARE(kilometre()->toBaseDouble("2"), 2000.0);
    QCOMPARE(degree(2)->toBaseDouble("180"), 3.14159265358979);
    QCOMPARE(kilometre()->toBase(1.5), 1500.0);
    QCOMPARE(kilometre()->fromBase(1500.0), 1.5);
    QCOMPARE(faultOf([] { kilometre()->toBaseDouble("1e306"); }),
             QString("runtime_error:CUnitInfo::toBaseDouble"));
}

void TestUnitInfo::equality_data()
{
    addEqualityColumns<CUnitInfo>();
    const ValueChange<CUnitInfo> none = [](CUnitInfo&) {};
    addEqualityRow<CUnitInfo>("metre", *metre(), none, true);
    addEqualityRow<CUnitInfo>("mapinfo", *metre(), [](CUnitInfo& unit) { unit.mapinfo = 7; }, false);
    addEqualityRow<CUnitInfo>("with format", *degree(2), none, true);
    addEqualityRow<CUnitInfo>("format dropped", *degree(2), [](CUnitInfo& unit) { unit.format.reset(); }, false);
    addEqualityRow<CUnitInfo>("empty equals nothing", CUnitInfo(), none, false, false);
}

void TestUnitInfo::equality()
{
    checkEqualityRow<CUnitInfo>();
}

void TestUnitInfo::formatEquality_data()
{
    addEqualityColumns<CAngleFormatInfo>();
    const CAngleFormatInfo dms = *degree(2)->format;
    addEqualityRow<CAngleFormatInfo>("same", dms, [](CAngleFormatInfo&) {}, true);
    addEqualityRow<CAngleFormatInfo>("epsg", dms, [](CAngleFormatInfo& format) { format.epsg = 9110; }, false);
    addEqualityRow<CAngleFormatInfo>("cleared", dms, [](CAngleFormatInfo& format) { format.clear(); }, false, false);
}

void TestUnitInfo::formatEquality()
{
    checkEqualityRow<CAngleFormatInfo>();
}

void TestUnitInfo::clearEmpties()
{
    CAngleFormatInfo format = *degree(2)->format;
    format.clear();
    QCOMPARE(format.code, 0);
    QVERIFY(format.name.empty());
    CUnitInfo unit = *degree(2);
    unit.clear();
    QCOMPARE(unit.scope, 0);
    QVERIFY(!unit.format);
    QCOMPARE(unit.mapinfo, 2147483647);
}

VALUES_TEST_MAIN(TestUnitInfo)
#include "test_unitinfo.moc"
