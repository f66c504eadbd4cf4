#include "testfiles.h"

#include "database/names.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/xmlwriters.h"

#include "tests/support/localescope.h"

#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <limits>
#include <memory>

class TestNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void nextNumberedName_data();
    void nextNumberedName();
    void baseName_data();
    void baseName();
    void sameBaseName_data();
    void sameBaseName();
    void numbersEqual_data();
    void numbersEqual();
    void textToDouble_data();
    void textToDouble();
    void variantToInt_data();
    void variantToInt();
    void numberTexts_data();
    void numberTexts();
    void formatNumber_data();
    void formatNumber();
    void exactNumberText_data();
    void exactNumberText();
    void elementWriters();
    void xmlDoctypeName();

private:
    std::unique_ptr<CLocaleScope> m_russianLocale;
};

// Number texts must not follow the process locale, which uses a decimal comma here.
void TestNames::initTestCase()
{
    m_russianLocale = std::make_unique<CLocaleScope>("ru_RU.UTF-8");
    QVERIFY2(m_russianLocale->isSet(), russianLocaleMissing);
}

void TestNames::cleanupTestCase()
{
    m_russianLocale.reset();
}

void TestNames::nextNumberedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("next");
    QTest::newRow("plain") << "Road" << "Road[1]";
    QTest::newRow("numbered") << "Road[1]" << "Road[2]";
    QTest::newRow("empty counter") << "Road[]" << "Road[1]";
    QTest::newRow("carry") << "Road[9]" << "Road[10]";
    QTest::newRow("two counters") << "A[2][3]" << "A[2][4]";
    QTest::newRow("nothing before") << "[3]" << "[3][1]";
    QTest::newRow("blank before") << "Road [2]" << "Road [3]";
    QTest::newRow("letters") << "Road[x]" << "Road[x][1]";
    QTest::newRow("quote") << "O'Neil's [1]" << "O'Neil's [2]";
    QTest::newRow("placeholder") << "%1" << "%1[1]";
    QTest::newRow("placeholder numbered") << "%1[%2][7]" << "%1[%2][8]";
    QTest::newRow("empty") << "" << "[1]";
    QTest::newRow("beyond int") << "Road[99999999999]" << "Road[1]";
    QTest::newRow("largest int") << "Road[2147483646]" << "Road[2147483647]";
    QTest::newRow("no overflow") << "Road[2147483647]" << "Road[2147483647][1]";
    QTest::newRow("line break") << "a\nb[1]" << "a\nb[2]";
}

void TestNames::nextNumberedName()
{
    QFETCH(QString, name);
    QFETCH(QString, next);
    QCOMPARE(::nextNumberedName(name), next);
}

void TestNames::baseName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::newRow("numbered") << "Road[12]" << "Road";
    QTest::newRow("blank kept") << "Road [2]" << "Road ";
    QTest::newRow("letters") << "Road[x]" << "Road[x]";
    QTest::newRow("counter only") << "[12]" << "[12]";
    QTest::newRow("empty counter") << "Road[]" << "Road";
    QTest::newRow("two counters") << "A[2][3]" << "A[2]";
    QTest::newRow("plain") << "Road" << "Road";
    QTest::newRow("placeholder") << "%1[3]" << "%1";
}

void TestNames::baseName()
{
    QFETCH(QString, name);
    QFETCH(QString, base);
    QCOMPARE(::baseName(name), base);
}

void TestNames::sameBaseName_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("counter and blanks") << "Road[2]" << " Road " << true;
    QTest::newRow("case") << "Road[2]" << "road" << false;
    QTest::newRow("blank counter") << "Метр [2]" << "Метр" << true;
    QTest::newRow("two counters") << "Road[1][2]" << "Road" << false;
    QTest::newRow("different") << "Road" << "Street" << false;
}

void TestNames::sameBaseName()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(::sameBaseName(a, b), same);
    QCOMPARE(::sameBaseName(b, a), same);
}

void TestNames::numbersEqual_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("equal");
    QTest::newRow("zeros") << "0" << "0.0" << 1e-12 << true;
    QTest::newRow("within") << "100" << "100.0000001" << 1e-8 << true;
    QTest::newRow("outside") << "100" << "100.0000001" << 1e-10 << false;
    QTest::newRow("text reads zero") << "abc" << "0" << 1e-12 << true;
    QTest::newRow("strictly less") << "1" << "0.5" << 0.5 << false;
    QTest::newRow("comma is no number") << "1,5" << "0" << 1e-12 << true;
    QTest::newRow("sign") << "-2" << "2" << 1e-6 << false;
    QTest::newRow("not a number") << "nan" << "0" << 1e-12 << true;
    QTest::newRow("infinite") << "inf" << "inf" << 1e-12 << true;
}

void TestNames::numbersEqual()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(double, tolerance);
    QFETCH(bool, equal);
    QCOMPARE(::numbersEqual(a, b, tolerance), equal);
}

void TestNames::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks") << "  " << 5.0;
    QTest::newRow("empty") << "" << 5.0;
    QTest::newRow("comma") << "1,5" << 5.0;
    QTest::newRow("padded") << " 2.5 " << 2.5;
    QTest::newRow("exponent") << "-1.25e3" << -1250.0;
    QTest::newRow("grouping") << "1 000" << 5.0;
    QTest::newRow("text") << "abc" << 5.0;
    QTest::newRow("not a number") << "nan" << 5.0;
    QTest::newRow("infinite") << "-inf" << 5.0;
    QTest::newRow("overflow") << "1e400" << 5.0;
}

void TestNames::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::textToDouble(text, 5.0), value);
}

void TestNames::variantToInt_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("result");
    QTest::newRow("null") << QVariant() << NoValue;
    QTest::newRow("null int") << QVariant(QVariant::Int) << NoValue;
    QTest::newRow("int") << QVariant(42) << 42;
    QTest::newRow("text number") << QVariant("12") << 12;
    QTest::newRow("text") << QVariant("x") << 0;
    QTest::newRow("text fraction") << QVariant("1.5") << 0;
    QTest::newRow("double") << QVariant(7.0) << 7;
    QTest::newRow("long long") << QVariant(qlonglong(123)) << 123;
    QTest::newRow("beyond int") << QVariant(qlonglong(1) << 40) << NoValue;
    QTest::newRow("below int") << QVariant(-(qlonglong(1) << 40)) << NoValue;
    QTest::newRow("text beyond int") << QVariant("99999999999") << NoValue;
    QTest::newRow("huge double") << QVariant(1e20) << NoValue;
    QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << NoValue;
    QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity()) << NoValue;
    QTest::newRow("list") << QVariant(QVariantList{1}) << NoValue;
}

void TestNames::variantToInt()
{
    QFETCH(QVariant, value);
    QFETCH(int, result);
    QCOMPARE(::variantToIntOrNone(value), result);
    QCOMPARE(::variantToInt(value, -3), result == NoValue ? -3 : result);
}

void TestNames::numberTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("fraction zeros") << "12.500" << "12.5";
    QTest::newRow("whole") << "12.000" << "12";
    QTest::newRow("no point") << "1200" << "1200";
    QTest::newRow("zero") << "0.0" << "0";
    QTest::newRow("negative zero") << "-0.000" << "-0";
    QTest::newRow("padded") << " 10.50 " << "10.5";
}

void TestNames::numberTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(::trimNumberText(text), trimmed);
}

void TestNames::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("tenth") << 0.1 << 15 << "0.1";
    QTest::newRow("hundred") << 100.0 << 15 << "100";
    QTest::newRow("negative") << -2.5 << 12 << "-2.5";
    QTest::newRow("rounded") << 1.23456789 << 3 << "1.235";
    QTest::newRow("large") << 6378137.0 << 9 << "6378137";
}

void TestNames::formatNumber()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(::formatNumber(value, decimals), text);
    QCOMPARE(::formatNumberText(QString::number(value, 'g', 17), decimals), text);
    QCOMPARE(::formatNumberText("abc", decimals), QString("0"));
}

void TestNames::exactNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::newRow("whole") << 1000.0 << "1000" << 0;
    QTest::newRow("degree") << 0.0174532925199433 << "0.0174532925199433" << 16;
    QTest::newRow("arc second") << 4.84813681109536e-06 << "0.00000484813681109536" << 20;
    QTest::newRow("third") << 1.0 / 3 << "0.3333333333333333" << 16;
    QTest::newRow("large") << 1e25 << "10000000000000000905969664" << 0;
}

void TestNames::exactNumberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QCOMPARE(::exactNumberText(value), text);
    QCOMPARE(::decimalsOf(text), decimals);
    double read = 0.0;
    QVERIFY(::readNumber(text, read));
    QVERIFY(read == value);
    for (const char* refused : {"-", ".", "nan", "inf", "1 2", ""})
        QVERIFY2(!::readNumber(refused, read), refused);
}

void TestNames::elementWriters()
{
    QDomDocument document;
    QDomElement root = document.createElement("Root");
    document.appendChild(root);

    appendTextElement(document, root, "Skipped", QString(), true);
    appendTextElement(document, root, "Empty", QString(), false);
    appendTextElement(document, root, "Name", "O'Neil & <%1>", true);
    appendNumberElement(document, root, "Number", -12);
    appendNumberElementIfSet(document, root, "MapinfoCode", NoValue, NoValue);
    appendNumberElementIfSet(document, root, "EpsgCode", 0, NoValue);
    appendNumberElementIfSet(document, root, "Code", 0, 0);
    appendBoolElement(document, root, "SkippedFalse", false, true);
    appendBoolElement(document, root, "False", false, false);
    appendBoolElement(document, root, "True", true, true);

    QStringList tags;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        tags << e.tagName() + "=" + e.text();
    QCOMPARE(tags, (QStringList{"Empty=", "Name=O'Neil & <%1>", "Number=-12", "EpsgCode=0",
                                "False=0", "True=1"}));
    QVERIFY(root.firstChildElement("Empty").firstChild().isText());

    QDomDocument reread;
    QVERIFY(reread.setContent(document.toString()));
    QCOMPARE(reread.documentElement().firstChildElement("Name").text(), QString("O'Neil & <%1>"));
}

void TestNames::xmlDoctypeName()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(writeFile(folder.filePath("typed.xml"),
                      "<?xml version=\"1.0\"?>\n<!DOCTYPE coordsys>\n<coordsys/>\n"));
    QVERIFY(writeFile(folder.filePath("untyped.xml"), "<coordsys/>"));
    QVERIFY(writeFile(folder.filePath("broken.xml"), "<coordsys>"));
    QCOMPARE(::xmlDoctypeName(folder.filePath("typed.xml")), QString("coordsys"));
    QCOMPARE(::xmlDoctypeName(folder.filePath("untyped.xml")), QString());
    QCOMPARE(::xmlDoctypeName(folder.filePath("broken.xml")), QString());
    QCOMPARE(::xmlDoctypeName(folder.filePath("missing.xml")), QString());
}

QTEST_GUILESS_MAIN(TestNames)
#include "test_names.moc"
