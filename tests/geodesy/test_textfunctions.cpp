#include "geodesy/textfunctions.h"

#include "tests/support/localescope.h"

#include <QtTest>

#include <cmath>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace vexa;

class TestTextFunctions : public QObject
{
    Q_OBJECT

private slots:
    void stringToDoubleReadsPrefix_data();
    void stringToDoubleReadsPrefix();
    void stringToIntReadsPrefix_data();
    void stringToIntReadsPrefix();
    void parsersAcceptAndRefuse();
    void numbersToText();
    void longFormattedTextIsWhole();
    void printTextStaysInBuffer();
    void scanTextReadsSeveralValues();
    void splitText_data();
    void splitText();
    void splitTextStoresOnlyWithinRoom();
    void parsersIgnoreProcessLocale();
    void readNumberTakesTheWholeText_data();
    void readNumberTakesTheWholeText();
};

void TestTextFunctions::stringToDoubleReadsPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << -1.0;
    QTest::newRow("letters") << "abc" << -1.0;
    QTest::newRow("number then letters") << "12.5abc" << 12.5;
    QTest::newRow("blanks and exponent") << "  3e2" << 300.0;
    QTest::newRow("comma ends the number") << "1,5" << 1.0;
    QTest::newRow("nan refused") << "nan" << -1.0;
    QTest::newRow("overflow refused") << "1e999" << -1.0;
}

void TestTextFunctions::stringToDoubleReadsPrefix()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(stringToDouble(text.toStdString(), -1.0), expected);
}

void TestTextFunctions::stringToIntReadsPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << 99;
    QTest::newRow("letters") << "x1" << 99;
    QTest::newRow("number") << "42" << 42;
    QTest::newRow("negative then letters") << " -7z" << -7;
    QTest::newRow("fraction cut") << "12.7" << 12;
    QTest::newRow("beyond int") << "99999999999" << 99;
}

void TestTextFunctions::stringToIntReadsPrefix()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(stringToInt(text.toStdString(), 99), expected);
}

void TestTextFunctions::parsersAcceptAndRefuse()
{
    double d = 0.0;
    QVERIFY(parseDouble("  3e2", &d));
    QCOMPARE(d, 300.0);
    QVERIFY(parseDouble("1.5 2.5", &d));
    QCOMPARE(d, 1.5);
    d = 7.0;
    QVERIFY(!parseDouble("", &d));
    QVERIFY(!parseDouble("inf", &d));
    QVERIFY(!parseDouble("-nan", &d));
    QCOMPARE(d, 7.0);

    float f = 0.0f;
    QVERIFY(parseFloat("0.25", &f));
    QCOMPARE(f, 0.25f);
    QVERIFY(!parseFloat("1e39", &f));
    QVERIFY(!parseFloat("x", &f));

    unsigned long u = 0;
    QVERIFY(parseUnsigned(" 42", &u));
    QCOMPARE(u, 42ul);
    QVERIFY(!parseUnsigned("-1", &u));
    QVERIFY(!parseUnsigned(" -1", &u));
    QVERIFY(!parseUnsigned("99999999999999999999999", &u));
    QVERIFY(!parseUnsigned("", &u));
    QCOMPARE(u, 42ul);
}

void TestTextFunctions::numbersToText()
{
    QCOMPARE(doubleToString(0.1), std::string("0.1"));
    QCOMPARE(doubleToString(1234567.0), std::string("1.23457e+06"));
    QCOMPARE(doubleToString(3.14159, "%.3f"), std::string("3.142"));
    QCOMPARE(floatToString(0.5f), std::string("0.5"));
    QCOMPARE(floatToString(0.1f, "%.9f"), std::string("0.100000001"));
    QCOMPARE(unsignedToString(4294967295u), std::string("4294967295"));
    QCOMPARE(unsignedToString(7u, "%05u"), std::string("00007"));
}

void TestTextFunctions::longFormattedTextIsWhole()
{
    const std::string text = doubleToString(1e300, "%.20f");
    QCOMPARE(text.size(), std::size_t(301 + 1 + 20));
    QVERIFY(text.rfind(".00000000000000000000") == text.size() - 21);
}

void TestTextFunctions::printTextStaysInBuffer()
{
    char buffer[12];
    std::memset(buffer, 'z', sizeof buffer);
    QCOMPARE(printText(buffer, 8, "%d", 1234567), 7);
    QCOMPARE(std::string(buffer), std::string("1234567"));
    QCOMPARE(printText(buffer, 8, "%d", 123456789), -1);
    QCOMPARE(std::string(buffer), std::string("1234567"));
    QCOMPARE(buffer[8], 'z');
}

void TestTextFunctions::scanTextReadsSeveralValues()
{
    double d = 0.0;
    int i = 0;
    QCOMPARE(scanText("1.5 -3", "%lf %d", &d, &i), 2);
    QCOMPARE(d, 1.5);
    QCOMPARE(i, -3);
    QCOMPARE(scanText("", "%lf", &d), EOF);
}

void TestTextFunctions::splitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxTokens");
    QTest::addColumn<bool>("keepEmpty");
    QTest::addColumn<QStringList>("expected");
    const QString numbers = "1  2\r\n3\n";
    QTest::newRow("runs skipped") << numbers << 0 << false << QStringList{"1", "2", "3"};
    QTest::newRow("empty kept") << numbers << 0 << true
                                << QStringList{"1", "", "2", "", "3", ""};
    QTest::newRow("leading delimiters") << "\t\t7 8" << 0 << false << QStringList{"7", "8"};
    QTest::newRow("stop after two") << "a b c" << 2 << false << QStringList{"a", "b"};
    QTest::newRow("empty text") << "" << 0 << false << QStringList{};
    QTest::newRow("empty text kept") << "" << 0 << true << QStringList{""};
}

void TestTextFunctions::splitText()
{
    QFETCH(QString, text);
    QFETCH(int, maxTokens);
    QFETCH(bool, keepEmpty);
    QFETCH(QStringList, expected);
    const std::string source = text.toStdString();
    const char* delimiters = " \n\r\t";
    const int count = vexa::splitText(source.c_str(), delimiters, nullptr, maxTokens, nullptr,
                                      keepEmpty);
    QCOMPARE(count, expected.size());
    std::vector<std::string> tokens(static_cast<std::size_t>(count));
    QCOMPARE(vexa::splitText(source.c_str(), delimiters, tokens.data(), count, nullptr, keepEmpty),
             count);
    QStringList got;
    for (const std::string& token : tokens)
        got << QString::fromStdString(token);
    QCOMPARE(got, expected);
}

void TestTextFunctions::splitTextStoresOnlyWithinRoom()
{
    std::string tokens[2] = {"x", "y"};
    QCOMPARE(vexa::splitText("a b c", " ", tokens, 0, nullptr, false), 3);
    QCOMPARE(tokens[0], std::string("x"));
    QCOMPARE(tokens[1], std::string("y"));
}

void TestTextFunctions::parsersIgnoreProcessLocale()
{
    ENTER_RUSSIAN_LOCALE();
    char native[16];
    std::snprintf(native, sizeof native, "%.1f", 1.5);
    QCOMPARE(std::string(native), std::string("1,5"));

    double d = 0.0;
    QVERIFY(parseDouble("2.75", &d));
    QCOMPARE(d, 2.75);
    float f = 0.0f;
    QVERIFY(parseFloat("0.5", &f));
    QCOMPARE(f, 0.5f);
    QCOMPARE(stringToDouble("1.25", 0.0), 1.25);
    double whole = 0.0;
    QVERIFY(readNumber("7.25", &whole) == NumberRead::Number);
    QCOMPARE(whole, 7.25);
    QVERIFY(readNumber("7,25", &whole) == NumberRead::NotANumber);
    double scanned = 0.0;
    QCOMPARE(scanText("3.5", "%lf", &scanned), 1);
    QCOMPARE(scanned, 3.5);
    QCOMPARE(doubleToString(1.5), std::string("1.5"));
    QCOMPARE(floatToString(2.5f, "%.2f"), std::string("2.50"));
    char buffer[16];
    printText(buffer, sizeof buffer, "%.1f", 4.5);
    QCOMPARE(std::string(buffer), std::string("4.5"));
}

void TestTextFunctions::readNumberTakesTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<double>("value");

    const int number = int(NumberRead::Number);
    const int notANumber = int(NumberRead::NotANumber);
    const int outOfRange = int(NumberRead::OutOfRange);
    QTest::newRow("plain") << "12.5" << number << 12.5;
    QTest::newRow("blanks around") << " \t-3e2 \r\n" << number << -300.0;
    QTest::newRow("plus sign") << "+0.5" << number << 0.5;
    QTest::newRow("leading point") << ".5" << number << 0.5;
    QTest::newRow("trailing point") << "5." << number << 5.0;
    QTest::newRow("infinity read as such") << "-inf" << number << -HUGE_VAL;
    QTest::newRow("text after the number") << "12.5 m" << notANumber << 0.0;
    QTest::newRow("comma") << "12,5" << notANumber << 0.0;
    QTest::newRow("two numbers") << "55 45" << notANumber << 0.0;
    QTest::newRow("two signs") << "+-1" << notANumber << 0.0;
    QTest::newRow("sign alone") << "+" << notANumber << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << notANumber << 0.0;
    QTest::newRow("empty") << "" << notANumber << 0.0;
    QTest::newRow("blanks") << "  " << notANumber << 0.0;
    QTest::newRow("beyond double") << "1e999" << outOfRange << 0.0;
    QTest::newRow("below the normal range") << "1e-310" << outOfRange << 0.0;
    QTest::newRow("zero") << "0e-999" << number << 0.0;
}

void TestTextFunctions::readNumberTakesTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(int, outcome);
    QFETCH(double, value);

    double read = 0.0;
    QCOMPARE(int(readNumber(text.toStdString(), &read)), outcome);
    QCOMPARE(read, value);
}

QTEST_APPLESS_MAIN(TestTextFunctions)
#include "test_textfunctions.moc"
