#include "testfiles.h"

#include "database/filenames.h"
#include "database/validators.h"

#include "tests/support/localescope.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QValidator>
#include <QtTest>

#include <memory>

namespace {

QValidator::State validate(QValidator* validator, QString text)
{
    int position = 0;
    return validator->validate(text, position);
}

} // namespace

class TestFormHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void doubleValidator_data();
    void doubleValidator();
    void validatorOwnership();
    void angleValidators_data();
    void angleValidators();
    void unknownAngleFormats();
    void allEmpty_data();
    void allEmpty();
    void uniqueFileName_data();
    void uniqueFileName();
    void safeFileName_data();
    void safeFileName();
    void brushes();

private:
    std::unique_ptr<CLocaleScope> m_russianLocale;
};

// The validators must not follow the user's locale, which uses a decimal comma here.
void TestFormHelpers::initTestCase()
{
    m_russianLocale = std::make_unique<CLocaleScope>("ru_RU.UTF-8");
    QVERIFY2(m_russianLocale->isSet(), russianLocaleMissing);
}

void TestFormHelpers::cleanupTestCase()
{
    m_russianLocale.reset();
}

void TestFormHelpers::doubleValidator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("nine decimals") << "45.123456789" << true;
    QTest::newRow("ten decimals") << "45.1234567891" << false;
    QTest::newRow("comma") << "1,5" << false;
    QTest::newRow("exponent") << "1e3" << false;
    QTest::newRow("negative") << "-90" << true;
    QTest::newRow("out of range") << "90.5" << false;
    QTest::newRow("point") << "1.5" << true;
    QTest::newRow("grouping") << "1 000" << false;
}

void TestFormHelpers::doubleValidator()
{
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    std::unique_ptr<QValidator> validator(createDoubleValidator(-90, 90, 9, nullptr));
    QVERIFY(validator);
    QCOMPARE(validate(validator.get(), text) == QValidator::Acceptable, acceptable);
}

void TestFormHelpers::validatorOwnership()
{
    QObject parent;
    QValidator* numbers = createDoubleValidator(-1e15, 1e15, 15, &parent);
    QValidator* angles = createAngleValidator(2, &parent);
    QCOMPARE(numbers->parent(), &parent);
    QCOMPARE(angles->parent(), &parent);
    QCOMPARE(createLatitudeValidator(9, &parent), nullptr);
    QCOMPARE(parent.children().size(), 2);
}

void TestFormHelpers::angleValidators_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("angle");
    QTest::addColumn<bool>("latitude");
    QTest::addColumn<bool>("longitude");
    QTest::newRow("decimal") << 1 << "-37.5" << true << true << true;
    QTest::newRow("decimal comma") << 1 << "37,5" << false << false << false;
    QTest::newRow("dms") << 2 << "55 45 30.25" << true << true << true;
    QTest::newRow("dms wide") << 2 << "155 45 30" << true << false << true;
    QTest::newRow("hemisphere") << 3 << "55 45 30.5N" << true << true << false;
    QTest::newRow("hemisphere east") << 3 << "37 37 E" << true << false << true;
}

void TestFormHelpers::angleValidators()
{
    QFETCH(int, format);
    QFETCH(QString, text);
    QFETCH(bool, angle);
    QFETCH(bool, latitude);
    QFETCH(bool, longitude);
    QObject parent;
    QCOMPARE(validate(createAngleValidator(format, &parent), text) == QValidator::Acceptable, angle);
    QCOMPARE(validate(createLatitudeValidator(format, &parent), text) == QValidator::Acceptable, latitude);
    QCOMPARE(validate(createLongitudeValidator(format, &parent), text) == QValidator::Acceptable, longitude);
}

void TestFormHelpers::unknownAngleFormats()
{
    for (int format : {0, 4, 7, -1}) {
        QCOMPARE(createAngleValidator(format, nullptr), nullptr);
        QCOMPARE(createLatitudeValidator(format, nullptr), nullptr);
        QCOMPARE(createLongitudeValidator(format, nullptr), nullptr);
    }
}

void TestFormHelpers::allEmpty_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<bool>("empty");
    QTest::newRow("blanks") << " " << "" << "\t" << true;
    QTest::newRow("one value") << " " << "1" << "" << false;
    QTest::newRow("last value") << "" << "" << "0" << false;
}

void TestFormHelpers::allEmpty()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(bool, empty);
    QCOMPARE(::allEmpty(a, b, c), empty);
}

void TestFormHelpers::uniqueFileName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unique");
    QTest::newRow("taken") << QStringList{"grid.grd", "grid[1].grd"} << "grid.grd" << "grid[2].grd";
    QTest::newRow("numbered taken") << QStringList{"grid.grd", "grid[1].grd"} << "grid[1].grd"
                                    << "grid[2].grd";
    QTest::newRow("free") << QStringList{"grid.grd", "grid[1].grd"} << "other.grd" << "other.grd";
    QTest::newRow("free beside numbered") << QStringList{"x[1].xml"} << "x.xml" << "x.xml";
    QTest::newRow("two dots") << QStringList{"a.b.xml"} << "a.b.xml" << "a.b[1].xml";
    QTest::newRow("signed counter") << QStringList{"a[ -3].xml"} << "a[ -3].xml" << "a[1].xml";
    QTest::newRow("not a counter") << QStringList{"a[x].xml"} << "a[x].xml" << "a[x][1].xml";
    QTest::newRow("quote and percent") << QStringList{"O'Neil %1.xml"} << "O'Neil %1.xml"
                                       << "O'Neil %1[1].xml";
}

void TestFormHelpers::uniqueFileName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(QString, unique);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString& file : existing)
        QVERIFY(writeFile(folder.filePath(file)));
    QCOMPARE(::uniqueFileName(folder.path(), name), unique);
}

void TestFormHelpers::safeFileName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("safe");
    QTest::newRow("colon slash question") << "UTM 33N: WGS/84?" << "UTM 33N_ WGS_84_";
    QTest::newRow("all nine") << "<>:\"/\\|?*" << "_________";
    QTest::newRow("kept") << "СК-42 [1] 'x' %1.xml" << "СК-42 [1] 'x' %1.xml";
}

void TestFormHelpers::safeFileName()
{
    QFETCH(QString, text);
    QFETCH(QString, safe);
    QCOMPARE(::safeFileName(text), safe);
}

void TestFormHelpers::brushes()
{
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(200, 210, 220));
    QGuiApplication::setPalette(palette);
    QCOMPARE(windowBrush().color(), QColor(10, 20, 30));
    QCOMPARE(windowBrush().style(), Qt::SolidPattern);
    QCOMPARE(baseBrush().color(), QColor(200, 210, 220));
}

QTEST_MAIN(TestFormHelpers)
#include "test_formhelpers.moc"
