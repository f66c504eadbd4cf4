#include "values/numbertext.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

std::string referenceFixed(double value, int decimals)
{
    char buffer[1024];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// The value, the next double below and the next above.
void compareAround(double value, int decimals, int& mismatches)
{
    for (const double probe : {std::nextafter(value, 0.0), value, std::nextafter(value, 2 * value + 1)}) {
        for (const double signed_ : {probe, -probe}) {
            if (fixedToString(signed_, decimals) == referenceFixed(signed_, decimals))
                continue;
            if (mismatches++ < 5)
                qWarning("%.17g with %d decimals: %s, not %s", signed_, decimals,
                         fixedToString(signed_, decimals).c_str(), referenceFixed(signed_, decimals).c_str());
        }
    }
}

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void fixedToString_data();
    void fixedToString();
    void fixedToStringAsToChars();
};

void TestNumberText::fixedToString_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("metres") << 406353.4904 << 3 << "406353.490";
    QTest::newRow("carry into a new digit") << 999999.9996 << 3 << "1000000.000";
    QTest::newRow("leading zeros of the fraction") << 0.05 << 3 << "0.050";
    QTest::newRow("no decimals") << 7.5 << 0 << "8";
    QTest::newRow("tie to even, down") << 0.125 << 2 << "0.12";
    QTest::newRow("tie to even, up") << 0.375 << 2 << "0.38";
    QTest::newRow("tie without decimals") << 2.5 << 0 << "2";
    QTest::newRow("binary below the half") << 1.005 << 2 << "1.00";
    QTest::newRow("binary above the half") << 0.155 << 2 << "0.15";
    QTest::newRow("negative") << -37.617777 << 4 << "-37.6178";
    QTest::newRow("negative rounded to zero") << -0.0001 << 3 << "-0.000";
    QTest::newRow("negative zero") << -0.0 << 2 << "-0.00";
    QTest::newRow("zero") << 0.0 << 1 << "0.0";
    QTest::newRow("six by default") << M_PI << -1 << "3.141593";
    QTest::newRow("many decimals") << 0.1 << 20 << "0.10000000000000000555";
    QTest::newRow("large") << 1e20 << 1 << "100000000000000000000.0";
    QTest::newRow("not finite") << qInf() << 3 << "";
}

void TestNumberText::fixedToString()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(::fixedToString(value, decimals)), text);
}

// Random values of every size, the halves between two results and values whose digits fill a
// double, each with its neighbours, give to_chars' text.
void TestNumberText::fixedToStringAsToChars()
{
    int mismatches = 0;
    std::uint64_t seed = 88172645463325252ull;
    for (int i = 0; i < 20000; ++i) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        const int decimals = static_cast<int>(seed % 17);
        const double mantissa = static_cast<double>(seed >> 11) / 9007199254740992.0;
        compareAround(std::ldexp(mantissa, static_cast<int>(seed % 70) - 30), decimals, mismatches);
        const double half = (static_cast<double>(seed % 100000000) + 0.5) / std::pow(10.0, decimals);
        compareAround(half, decimals, mismatches);
        const double nearTwoTo53 = std::ldexp(0.5 + mantissa, 53) / std::pow(10.0, decimals);
        compareAround(nearTwoTo53, decimals, mismatches);
    }
    QCOMPARE(mismatches, 0);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_numbertext.moc"
