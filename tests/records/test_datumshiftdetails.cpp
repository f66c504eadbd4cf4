#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "values/datumshiftinfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CDatumShiftDetails)

namespace {

template <class Change>
CDatumShiftDetails changedShift(Change change)
{
    CDatumShiftDetails shift = pulkovoToWgs84();
    change(shift);
    return shift;
}

// A ten-parameter shift with every optional field set.
CDatumShiftDetails badekasShift()
{
    return changedShift([](CDatumShiftDetails& s) {
        s.identifier = QStringLiteral("SK42-LOCAL");
        s.pairwiseRole = 3;
        s.type = 5;
        s.datumShiftType.setCode(5);
        s.pivotPointX = QStringLiteral("2845000");
        s.pivotPointY = QStringLiteral("2160000");
        s.pivotPointZ = QStringLiteral("5265000");
        s.conventionCode = 2;
        s.exact = true;
        s.epsgCode = 1234;
    });
}

} // namespace

class TestDatumShiftDetails : public QObject
{
    Q_OBJECT

private slots:
    void xmlForm();
    void roundTrip_data();
    void roundTrip();
    void reading();
    void equality_data();
    void equality();
    void treeOfSevenParameters();
    void treeOfTenParameters();
    void descriptionsWithoutTypeRecord();
    void descriptionsWithoutUnits();
    void text();
    void toInfo();
    void unreadableParameter_data();
    void unreadableParameter();
};

void TestDatumShiftDetails::xmlForm()
{
    QDomDocument document;
    QCOMPARE(childTags(pulkovoToWgs84().toXml(document, QStringLiteral("datumshift"))),
             (QStringList{"Name", "Description", "TranslationX", "TranslationY", "TranslationZ",
                          "RotationX", "RotationY", "RotationZ", "ScaleChange", "Type",
                          "DatumShiftType", "LengthUnit", "AngleUnit", "ScaleUnit"}));
    const QDomElement full = badekasShift().toXml(document, QStringLiteral("datumshift"));
    QCOMPARE(childTags(full),
             (QStringList{"Name", "Description", "Identifier", "PairwiseRole", "TranslationX",
                          "TranslationY", "TranslationZ", "RotationX", "RotationY", "RotationZ",
                          "ScaleChange", "PivotPointX", "PivotPointY", "PivotPointZ",
                          "ConventionCode", "Exact", "Type", "DatumShiftType", "LengthUnit",
                          "AngleUnit", "ScaleUnit", "EpsgCode"}));
    QCOMPARE(full.firstChildElement(QStringLiteral("Exact")).text(), QStringLiteral("1"));

    QCOMPARE(xmlText(changedShift([](CDatumShiftDetails& s) { s.type = 0; })),
             QStringLiteral("<record/>"));
    const CDatumShiftDetails untyped = changedShift([](CDatumShiftDetails& s) {
        s.type = 4;
        s.datumShiftType.clear();
        s.pairwiseRole = 7;
    });
    const QStringList tags = childTags(untyped.toXml(document, QStringLiteral("datumshift")));
    QVERIFY(!tags.contains(QStringLiteral("DatumShiftType")));
    QVERIFY(xmlText(untyped).contains(QStringLiteral("<PairwiseRole>7</PairwiseRole>")));
}

void TestDatumShiftDetails::roundTrip_data()
{
    QTest::addColumn<CDatumShiftDetails>("shift");
    QTest::newRow("seven parameters") << pulkovoToWgs84();
    QTest::newRow("ten parameters, pairwise") << badekasShift();
}

void TestDatumShiftDetails::roundTrip()
{
    QFETCH(CDatumShiftDetails, shift);
    bool read = false;
    const CDatumShiftDetails copy = ::roundTrip(shift, &read);
    QVERIFY(read);
    QVERIFY(copy == shift);
    QCOMPARE(xmlText(copy), xmlText(shift));
    QCOMPARE(copy.datumShiftType.name, shift.datumShiftType.name);
    QCOMPARE(copy.kindName(), QStringLiteral("datumshift"));
}

void TestDatumShiftDetails::reading()
{
    CDatumShiftDetails shift;
    QVERIFY(readXml(shift, QStringLiteral(
        "<s><Name>S</Name><Type>2</Type><exact>1</exact><TranslationX> 1.5 </TranslationX>"
        "<LengthUnit><Name>м</Name></LengthUnit><AngleUnit/></s>")));
    QVERIFY(!shift.exact);
    QCOMPARE(shift.translationX, QStringLiteral(" 1.5 "));
    QVERIFY(!shift.lengthUnit);
    QVERIFY(!shift.angleUnit);
    QCOMPARE(shift.datumShiftType.code, 0);

    QVERIFY(!readXml(shift, QStringLiteral("<s><Name>S</Name><Type>x</Type><Exact>2</Exact>"
                                          "<DatumShiftType><Code>3</Code><Name>T</Name></DatumShiftType></s>")));
    QVERIFY(shift.exact);
    QCOMPARE(shift.datumShiftType.code, 3);
    QCOMPARE(shift.type, 0);
}

void TestDatumShiftDetails::equality_data()
{
    QTest::addColumn<CDatumShiftDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << pulkovoToWgs84() << true;
    QTest::newRow("numbered name")
        << changedShift([](CDatumShiftDetails& s) { s.name += QStringLiteral(" [3]"); }) << true;
    QTest::newRow("translation within 1e-6")
        << changedShift([](CDatumShiftDetails& s) { s.translationX = "23.570001"; }) << true;
    QTest::newRow("number as a REAL comes back")
        << changedShift([](CDatumShiftDetails& s) { s.translationZ = "-79.80"; }) << true;
    QTest::newRow("empty for zero")
        << changedShift([](CDatumShiftDetails& s) { s.rotationX.clear(); }) << true;
    QTest::newRow("type record name not compared")
        << changedShift([](CDatumShiftDetails& s) { s.datumShiftType.name = "Другое"; }) << true;
    QTest::newRow("translation a millimetre off")
        << changedShift([](CDatumShiftDetails& s) { s.translationX = "23.571"; }) << false;
    QTest::newRow("rotation sign")
        << changedShift([](CDatumShiftDetails& s) { s.rotationZ = "0.79"; }) << false;
    QTest::newRow("identifier")
        << changedShift([](CDatumShiftDetails& s) { s.identifier = "X"; }) << false;
    QTest::newRow("role") << changedShift([](CDatumShiftDetails& s) { s.pairwiseRole = 1; }) << false;
    QTest::newRow("type") << changedShift([](CDatumShiftDetails& s) { s.type = 4; }) << false;
    QTest::newRow("type record code")
        << changedShift([](CDatumShiftDetails& s) { s.datumShiftType.setCode(4); }) << false;
    QTest::newRow("no type record stands for the type's")
        << changedShift([](CDatumShiftDetails& s) { s.datumShiftType.clear(); }) << true;
    QTest::newRow("exact") << changedShift([](CDatumShiftDetails& s) { s.exact = true; }) << false;
    QTest::newRow("convention")
        << changedShift([](CDatumShiftDetails& s) { s.conventionCode = 1; }) << false;
    QTest::newRow("EPSG code") << changedShift([](CDatumShiftDetails& s) { s.epsgCode = 1; }) << false;
    QTest::newRow("no scale unit")
        << changedShift([](CDatumShiftDetails& s) { s.scaleUnit.reset(); }) << false;
    QTest::newRow("angle unit of another size")
        << changedShift([](CDatumShiftDetails& s) { s.angleUnit = degree(); }) << false;
    QTest::newRow("invalid") << changedShift([](CDatumShiftDetails& s) { s.name.clear(); }) << false;
}

void TestDatumShiftDetails::equality()
{
    QFETCH(CDatumShiftDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(pulkovoToWgs84() == other, equal);
    QCOMPARE(other == pulkovoToWgs84(), equal);
}

void TestDatumShiftDetails::treeOfSevenParameters()
{
    const QStringList lines = treeLines(pulkovoToWgs84());
    const int params = lines.indexOf(QStringLiteral("Параметры преобразования"));
    QCOMPARE(lines.mid(0, 5), (QStringList{"Название: СК-42 - WGS 84", "Описание: ГОСТ Р 51794-2008",
                                           "Тип преобразования: Поворот-сдвиг-масштаб",
                                           "  Название: Поворот-сдвиг-масштаб",
                                           "  Описание: Направление поворотов, принятое в РФ"}));
    QCOMPARE(lines.mid(params, 9),
             (QStringList{"Параметры преобразования", "  Сдвиг по X: 23.57 м",
                          "  Сдвиг по Y: -140.95 м", "  Сдвиг по Z: -79.8 м",
                          "  Поворот вокруг оси X: 0 \"", "  Поворот вокруг оси Y: -0.35 \"",
                          "  Поворот вокруг оси Z: -0.79 \"",
                          "  Поправка масштаба: -0.22 (Миллионная доля)",
                          "  Единицы измерения параметров"}));
    QVERIFY(lines.contains(QStringLiteral("    Единица измерения длин: Метр")));
    QVERIFY(lines.contains(QStringLiteral("    Единица измерения углов: Угловая секунда")));
    QVERIFY(lines.contains(QStringLiteral("    Единица измерения масштаба: Миллионная доля")));
    QVERIFY(lines.contains(QStringLiteral("      Название: Миллионная доля")));
    QVERIFY(!lines.contains(QStringLiteral("Экспорт")));
}

void TestDatumShiftDetails::treeOfTenParameters()
{
    const QStringList lines = treeLines(badekasShift());
    QCOMPARE(lines.mid(2, 3), (QStringList{"Попарное преобразование: SK42-LOCAL",
                                           "  Идентификатор: SK42-LOCAL",
                                           "  Применение попарного преобразования: Результат"}));
    const int params = lines.indexOf(QStringLiteral("Параметры преобразования"));
    QCOMPARE(lines.mid(params + 4, 3),
             (QStringList{"  X начальной точки: 2845000 м", "  Y начальной точки: 2160000 м",
                          "  Z начальной точки: 5265000 м"}));
    QCOMPARE(lines.mid(lines.size() - 3),
             (QStringList{"Формулы пересчета: нелинеаризованные", "Экспорт",
                          "  Код EPSG (GeoTIFF): 1234"}));

    const CDatumShiftDetails threeAxes = changedShift([](CDatumShiftDetails& s) {
        s.datumShiftType.setCode(1);
        s.exact = true;
    });
    const QStringList threeLines = treeLines(threeAxes);
    QVERIFY(!threeLines.join('\n').contains(QStringLiteral("Формулы пересчета")));
    QVERIFY(!threeLines.join('\n').contains(QStringLiteral("Поворот")));
    QVERIFY(!threeLines.join('\n').contains(QStringLiteral("Единица измерения углов")));
    QVERIFY(!threeAxes.infoText().contains(QStringLiteral("Формулы пересчета")));
}

void TestDatumShiftDetails::descriptionsWithoutTypeRecord()
{
    const CDatumShiftDetails shift = changedShift([](CDatumShiftDetails& s) {
        s.type = 4;
        s.datumShiftType.clear();
        s.pairwiseRole = 7;
    });
    QCOMPARE(treeLines(shift), (QStringList{"Название: СК-42 - WGS 84", "Описание: ГОСТ Р 51794-2008",
                                            "Параметры преобразования",
                                            "  Единицы измерения параметров"}));
    QCOMPARE(shift.infoText(), QStringLiteral("Название: СК-42 - WGS 84\nОписание: ГОСТ Р 51794-2008\n"
                                              "Тип: \nПараметры: \n"));
}

void TestDatumShiftDetails::descriptionsWithoutUnits()
{
    const CDatumShiftDetails shift = changedShift([](CDatumShiftDetails& s) {
        s.lengthUnit.reset();
        s.angleUnit.reset();
        s.scaleUnit.reset();
    });
    const QStringList lines = treeLines(shift);
    QVERIFY(lines.contains(QStringLiteral("  Сдвиг по X: 23.57 ")));
    QVERIFY(lines.contains(QStringLiteral("  Поправка масштаба: -0.22 ")));
    QVERIFY(lines.last() == QStringLiteral("  Единицы измерения параметров"));
    QVERIFY(shift.infoText().contains(QStringLiteral("    Поворот вокруг оси Y: -0.35 \n")));
}

void TestDatumShiftDetails::text()
{
    QCOMPARE(pulkovoToWgs84().infoText(),
             QStringLiteral("Название: СК-42 - WGS 84\nОписание: ГОСТ Р 51794-2008\n"
                            "Тип: Поворот-сдвиг-масштаб\nПараметры: \n"
                            "    Сдвиг по X: 23.57 м\n    Сдвиг по Y: -140.95 м\n"
                            "    Сдвиг по Z: -79.8 м\n    Поворот вокруг оси X: 0 \"\n"
                            "    Поворот вокруг оси Y: -0.35 \"\n    Поворот вокруг оси Z: -0.79 \"\n"
                            "    Поправка масштаба: -0.22 (Миллионная доля)\n"));
    const QString text = badekasShift().infoText();
    QVERIFY(text.contains(QStringLiteral("\nИдентификатор: SK42-LOCAL\n"
                                         "Применение попарного преобразования: Результат\n")));
    QVERIFY(text.endsWith(QStringLiteral("    Поправка масштаба: -0.22 (Миллионная доля)\n"
                                         "Формулы пересчета: нелинеаризованные\n"
                                         "Код EPSG (GeoTIFF): 1234\n")));
}

void TestDatumShiftDetails::toInfo()
{
    CDatumShiftInfo info;
    const CDatumShiftDetails shift = changedShift([](CDatumShiftDetails& s) { s.pairwiseRole = 7; });
    QVERIFY(shift.toInfo(info));
    QCOMPARE(info.name, shift.name.toStdString());
    QCOMPARE(info.pairwise_role, 7);
    QCOMPARE(info.type, 2);
    QCOMPARE(info.tx, std::string("23.57"));
    QCOMPARE(info.ry, std::string("-0.35"));
    QCOMPARE(info.dm, std::string("-0.22"));
    QVERIFY(info.px.empty());
    QVERIFY(info.length_unit && info.angle_unit && info.scale_unit);
    QCOMPARE(info.scale_unit->factor, 1e-6);
    QCOMPARE(info.type_info.code, 2);
    QCOMPARE(info.type_info.epsg, 1032);

    QVERIFY(badekasShift().toInfo(info));
    QCOMPARE(info.pz, std::string("5265000"));
    QVERIFY(info.exact);
    QCOMPARE(info.convention, 2);
    QCOMPARE(info.epsg, 1234);

    const CDatumShiftDetails brokenUnit = changedShift([](CDatumShiftDetails& s) {
        s.scaleUnit = partsPerMillion();
        s.scaleUnit->factorB = QStringLiteral("nan");
    });
    QVERIFY(!brokenUnit.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.length_unit);
    QCOMPARE(info.type, 0);

    CDatumShiftDetails untyped = pulkovoToWgs84();
    untyped.datumShiftType.clear();
    QVERIFY(untyped.toInfo(info));
    QCOMPARE(info.type_info.code, 0);
    untyped.type = 0;
    QVERIFY(!untyped.toInfo(info));
}

void TestDatumShiftDetails::unreadableParameter_data()
{
    QTest::addColumn<CDatumShiftDetails>("shift");
    QTest::addColumn<QString>("reason");
    const auto with = [](int type, QString CDatumShiftDetails::*field, const QString& text) {
        return changedShift([=](CDatumShiftDetails& s) {
            s.type = type;
            s.*field = text;
        });
    };
    const auto refused = [](const QString& label, const QString& text, const QString& unit) {
        return QStringLiteral("Параметр «%1» преобразования датума «СК-42 - WGS 84»: «%2» не является числом%3")
            .arg(label, text, unit.isEmpty() ? QString() : QStringLiteral(" в единице «%1»").arg(unit));
    };
    const QString metreName = metre()->name;
    const QString arcSecondName = arcSecond()->name;
    const QString ppmName = partsPerMillion()->name;

    QTest::newRow("numbers") << pulkovoToWgs84() << QString();
    QTest::newRow("empty") << with(2, &CDatumShiftDetails::translationX, QString()) << QString();
    QTest::newRow("blanks") << with(2, &CDatumShiftDetails::translationX, QStringLiteral("  ")) << QString();
    QTest::newRow("blanks around a number") << with(2, &CDatumShiftDetails::rotationY, QStringLiteral(" -0.35 "))
                                            << QString();
    QTest::newRow("decimal comma") << with(2, &CDatumShiftDetails::translationX, QStringLiteral("1,5"))
                                   << refused(QStringLiteral("Сдвиг по X"), QStringLiteral("1,5"), metreName);
    QTest::newRow("nan") << with(2, &CDatumShiftDetails::rotationZ, QStringLiteral("nan"))
                         << refused(QStringLiteral("Поворот вокруг оси Z"), QStringLiteral("nan"), arcSecondName);
    QTest::newRow("overflow") << with(4, &CDatumShiftDetails::scaleChange, QStringLiteral("1e309"))
                              << refused(QStringLiteral("Поправка масштаба"), QStringLiteral("1e309"), ppmName);
    QTest::newRow("underflow") << with(5, &CDatumShiftDetails::pivotPointY, QStringLiteral("1e-400"))
                               << refused(QStringLiteral("Y начальной точки"), QStringLiteral("1e-400"), metreName);
    QTest::newRow("minutes in a decimal unit") << with(2, &CDatumShiftDetails::rotationX, QStringLiteral("12 30"))
                                               << refused(QStringLiteral("Поворот вокруг оси X"),
                                                          QStringLiteral("12 30"), arcSecondName);
    CDatumShiftDetails inDegrees = with(2, &CDatumShiftDetails::rotationX, QStringLiteral("12 30"));
    inDegrees.angleUnit = degree();
    QTest::newRow("minutes in degrees, minutes and seconds") << inDegrees << QString();
    inDegrees.rotationX = QStringLiteral("12,5");
    QTest::newRow("decimal comma in degrees, minutes and seconds")
        << inDegrees << refused(QStringLiteral("Поворот вокруг оси X"), QStringLiteral("12,5"), degree()->name);
    // Used by the types 3 and 5 only, and the rotations and scale not by type 1.
    QTest::newRow("pivot of seven parameters") << with(2, &CDatumShiftDetails::pivotPointX, QStringLiteral("nan"))
                                               << QString();
    QTest::newRow("rotation of translations") << with(1, &CDatumShiftDetails::rotationX, QStringLiteral("nan"))
                                              << QString();
    QTest::newRow("no type uses nothing") << with(9, &CDatumShiftDetails::translationX, QStringLiteral("nan"))
                                          << QString();
    // The type, not the type record, says what is used, as for the recalculation.
    CDatumShiftDetails byType = with(1, &CDatumShiftDetails::rotationX, QStringLiteral("nan"));
    byType.datumShiftType.setCode(2);
    QTest::newRow("type record of another type") << byType << QString();
    CDatumShiftDetails noUnit = with(1, &CDatumShiftDetails::translationZ, QStringLiteral("1e309"));
    noUnit.lengthUnit.reset();
    QTest::newRow("no unit") << noUnit
                             << refused(QStringLiteral("Сдвиг по Z"), QStringLiteral("1e309"), QString());
    for (const char* text : {"nan", "inf"}) {
        noUnit.translationZ = QString::fromLatin1(text);
        QTest::newRow(qPrintable(QStringLiteral("%1 without a unit").arg(text)))
            << noUnit << refused(QStringLiteral("Сдвиг по Z"), noUnit.translationZ, QString());
    }
    noUnit.translationZ = QStringLiteral("1.5");
    QTest::newRow("number without a unit") << noUnit << QString();
}

// A parameter that its type uses and its unit does not read is named with its text and unit.
void TestDatumShiftDetails::unreadableParameter()
{
    QFETCH(CDatumShiftDetails, shift);
    QFETCH(QString, reason);
    QCOMPARE(shift.unreadableParameter(), reason);
}

QTEST_MAIN(TestDatumShiftDetails)
#include "test_datumshiftdetails.moc"
