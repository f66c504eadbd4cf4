#include "testfiles.h"

#include "app/textfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFiles : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void writeReplacesTheWholeFile();
    void failuresGiveTheReason();
};

void TestTextFiles::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("final line feed") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("no final line feed") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << "a\n\n\nb\n\n" << QStringList{"a", "", "", "b", ""};
    QTest::newRow("CRLF") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TestTextFiles::lines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(textLines(text), lines);
}

void TestTextFiles::writeReplacesTheWholeFile()
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("points.txt");
    QVERIFY(writeFile(path, QByteArray(1000, 'x')));
    QVERIFY(writeTextFile(path, QStringLiteral("Пункт; 1; 2; 3\n")));
    QString text;
    QVERIFY(readTextFile(path, text));
    QCOMPARE(text, QStringLiteral("Пункт; 1; 2; 3\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QStringLiteral("Пункт; 1; 2; 3\n").toUtf8());
}

void TestTextFiles::failuresGiveTheReason()
{
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath("missing.txt");
    QString text = QStringLiteral("unchanged");
    QString error;
    QVERIFY(!readTextFile(missing, text, &error));
    QCOMPARE(text, QStringLiteral("unchanged"));
    QVERIFY(error.contains(QDir::toNativeSeparators(missing)));

    const QString intoMissingFolder = QDir(folder.path()).filePath("none/points.txt");
    error.clear();
    QVERIFY(!writeTextFile(intoMissingFolder, QStringLiteral("A"), &error));
    QVERIFY(error.contains(QDir::toNativeSeparators(intoMissingFolder)));
    QVERIFY(!QFileInfo::exists(intoMissingFolder));
}

QTEST_MAIN(TestTextFiles)
#include "test_textfiles.moc"
