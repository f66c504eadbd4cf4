#include "database/xmlerrortext.h"
#include "values/filereading.h"

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Entities of ten times the one before, the first a thousand letters long.
QByteArray growingEntities()
{
    QByteArray text = "<!DOCTYPE a [<!ENTITY e0 '" + QByteArray(1000, 'x') + "'>";
    for (int i = 1; i <= 3; ++i)
        text += "<!ENTITY e" + QByteArray::number(i) + " '" + ("&e" + QByteArray::number(i - 1) + ";").repeated(10) + "'>";
    return text + "]><a>&e3;</a>";
}

} // namespace

class TestFileReading : public QObject
{
    Q_OBJECT

private slots:
    void brokenXmlIsToldInRussian_data();
    void brokenXmlIsToldInRussian();
    void anUnknownMessageStays();
};

void TestFileReading::brokenXmlIsToldInRussian_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QString cut = QStringLiteral("файл обрывается раньше конца документа");
    QTest::newRow("cut inside an element") << QByteArray("<Data>\n<Geoids>") << QString("2: ") + cut;
    QTest::newRow("cut inside a tag") << QByteArray("<Data") << QString("1: ") + cut;
    QTest::newRow("empty") << QByteArray() << QString("1: ") + cut;
    QTest::newRow("tags that differ") << QByteArray("<Data></Date>") << "1: закрывающий тег не совпадает с открывающим";
    QTest::newRow("a name that starts with a digit") << QByteArray("<1Data/>") << "1: ошибка в элементе";
    QTest::newRow("plain text") << QByteArray("55 45 00") << "1: ошибка в элементе";
    QTest::newRow("an attribute without quotes") << QByteArray("<Data id=1/>") << "1: недопустимый символ";
    QTest::newRow("text after the element") << QByteArray("<Data/>x") << "1: недопустимый символ";
    QTest::newRow("a broken reference") << QByteArray("<Data>&;</Data>") << "1: ошибка в ссылке на символ или сущность";
    QTest::newRow("a stray section end") << QByteArray("<Data>]]></Data>") << "1: ошибка в содержимом элемента";
    QTest::newRow("a broken comment") << QByteArray("<Data><!- x --></Data>") << "1: ошибка в комментарии";
    QTest::newRow("a declaration without a version") << QByteArray("<?xml encoding='UTF-8'?><Data/>")
                                                     << "1: в объявлении XML нет версии";
    QTest::newRow("a wrong standalone") << QByteArray("<?xml version='1.0' standalone='maybe'?><Data/>")
                                        << "1: недопустимое значение standalone в объявлении XML";
    QTest::newRow("an unknown declaration") << QByteArray("<?xml version='1.0' foo='x'?><Data/>")
                                            << "1: в объявлении XML ожидается encoding или standalone";
    QTest::newRow("a declaration without a name") << QByteArray("<!DOCTYPE a [ <!ELEMENT ]><a/>")
                                                  << "1: ожидается буква";
    QTest::newRow("an entity of itself") << QByteArray("<!DOCTYPE a [<!ENTITY e '&e;'>]><a>&e;</a>")
                                         << "1: сущность ссылается сама на себя";
    QTest::newRow("an external entity in an attribute")
        << QByteArray("<!DOCTYPE a [<!ENTITY e SYSTEM 'x'>]><a b='&e;'/>")
        << "1: ссылка на внешнюю сущность недопустима в значении атрибута";
    QTest::newRow("an unparsed entity in text") << QByteArray("<!DOCTYPE a [<!ENTITY e SYSTEM 'x' NDATA n>]><a>&e;</a>")
                                                << "1: ссылка на неразбираемую сущность в недопустимом месте";
    QTest::newRow("entities nested too deep")
        << QByteArray("<!DOCTYPE a [<!ENTITY % p1 '<!ENTITY &#37; p2 \"x\">'> %p1; <!ENTITY % p3 '%p2;'> %p3;]><a/>")
        << "1: вложенность определения типа документа превышает предел 2";
    QTest::newRow("an entity too long") << growingEntities()
                                        << "1: сущность XML «e1» раскрывается в слишком длинный текст "
                                           "(10000 символов при пределе 4096)";
}

// Every message of the parser that a broken file gives is told in Russian, after its line.
void TestFileReading::brokenXmlIsToldInRussian()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QTemporaryDir folder;
    const QString path = folder.filePath("broken.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QDomDocument document;
    QString fault;
    QVERIFY(!readXmlFile(path, document, &fault));
    QCOMPARE(fault, QStringLiteral("не является документом XML (строка %1)").arg(reason));
}

void TestFileReading::anUnknownMessageStays()
{
    QCOMPARE(xmlErrorText("a message of another parser"), QString("a message of another parser"));
    QCOMPARE(xmlErrorText("tag mismatch, and more"), QString("tag mismatch, and more"));
}

QTEST_MAIN(TestFileReading)
#include "test_filereading.moc"
