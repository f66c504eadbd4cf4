#include "database/textdecoding.h"

#include <QTest>

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
};

void TestTextDecoding::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QByteArray("A;1.5") << "A;1.5";
    QTest::newRow("UTF-8") << QByteArray("\xD0\x9C\xD0\xA1\xD0\x9A") << "МСК";
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xD0\x9C") << "М";
    QTest::newRow("Windows-1251") << QByteArray("\xCC\xD1\xCA") << "МСК";
    QTest::newRow("truncated UTF-8 read as Windows-1251") << QByteArray("A\xD0") << "AР";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestTextDecoding::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

QTEST_MAIN(TestTextDecoding)
#include "test_textdecoding.moc"
