#include "coordsysfixture.h"
#include "editorfixture.h"
#include "transformfixture.h"

#include "app/editors.h"
#include "app/shippeddata.h"
#include "browser/editorregistry.h"
#include "database/codetablestypes.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QDialog>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Row = QMap<QString, QString>;

// The tables whose records have an editor.
const QVector<int> kEditedTables{
    TableUnitLength,       TableUnitAngle,        TableUnitScale,        TableAngleFormat,
    TableEllipsoid,        TablePrimeMeridian,    TableDatum,            TableDatumShiftType,
    TableDatumShift,       TableCoordSysType,     TableCoordSys,         TableMapProjType,
    TableMapProj,          TableVertCoordSys,     TableTransform,        TableTransformList,
    TableEpsgDatumShift,   TableEpsgDatumShiftType, TableEpsgMapProj,    TableEpsgCoordSys,
    TableEpsgEllipsoid,    TableEpsgDatum,        TableEpsgVertCoordSys, TableEpsgPrimeMeridian,
    TableEpsgLengthUnit,   TableEpsgAngleUnit,    TableEpsgScaleUnit,    TableMapInfoUnit,
    TableMapInfoEllipsoid, TableMapInfoDatum};

// Every column of the row but last_use, each as SQL quotes it; NULL and an empty text alike.
Row storedRow(int tableId, int key)
{
    QSqlQuery query;
    query.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0;").arg(tableName(tableId)));
    const QSqlRecord record = query.record();
    QStringList columns;
    QStringList quoted;
    for (int i = 0; i < record.count(); ++i) {
        const QString column = record.fieldName(i);
        if (column == QLatin1String("last_use"))
            continue;
        columns << column;
        quoted << QStringLiteral("quote(%1)").arg(column);
    }
    const bool found = execQuery(query,
                                 QStringLiteral("SELECT %1 FROM %2 WHERE %3=?;")
                                     .arg(quoted.join(QStringLiteral(", ")), tableName(tableId), keyColumnName(tableId)),
                                 {key})
                       && query.next();
    Row row;
    for (int i = 0; i < columns.size(); ++i) {
        const QString text = found ? query.value(i).toString() : QString();
        row[columns.at(i)] = (text == QLatin1String("NULL") || text == QLatin1String("''")) ? QString() : text;
    }
    const QMap<int, QString> ownedValues{
        {TableMapProj, "SELECT group_concat(param || '=' || quote(value), ' ') FROM "
                       "(SELECT * FROM mapprojparamvalue WHERE map_proj=? ORDER BY param);"},
        {TableTransform, "SELECT group_concat(param || '=' || quote(value) || ' ' || quote(unit), ' ') FROM "
                         "(SELECT * FROM transformparamvalue WHERE transform=? ORDER BY param);"}};
    if (ownedValues.contains(tableId))
        row[QStringLiteral("parameter values")] = valueText(ownedValues[tableId], {key});
    return row;
}

// The differing columns of two rows, each as "column: before -> after".
QStringList differences(const Row& before, const Row& after)
{
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.value(it.key()) != it.value())
            changed << QStringLiteral("%1: %2 -> %3").arg(it.key(), it.value(), after.value(it.key()));
    }
    return changed;
}

// Opens the record in its editor as the selector does and presses the save button once the
// editor is the modal window; true when the editor reported the record stored.
bool saveUnchanged(int tableId, int key)
{
    const CModalWatch watch = whenModal<QDialog>([](QDialog* dialog) {
        click(dialog, QStringLiteral("buttonSave"));
        if (dialog->isVisible())
            dialog->reject();
    });
    return EditorRegistry::get(tableId).edit(key);
}

} // namespace

class TestSaveWithoutEdit : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();

    void storedRecordsKeepTheirRows_data();
    void storedRecordsKeepTheirRows();
    void shippedRecordsKeepTheirRows();

private:
    void prepare() override;
};

void TestSaveWithoutEdit::initTestCase()
{
    registerEditors();
}

// WGS 84, UTM zone 37N with what they link, a height system, a list of two transforms and a
// degree in degrees, minutes and seconds.
void TestSaveWithoutEdit::prepare()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("PRAGMA synchronous = OFF;")));
    QVERIFY(storeCoordSysWorld().utm != NoValue);
    QVERIFY(storeAffineList(QStringLiteral("Набор"), 2) != NoValue);
    QVERIFY(insertUnit(TableUnitAngle, QStringLiteral("Градус"), 0.0174532925199433, 1, AngleFormatDms) != NoValue);
}

// Each statement makes or changes the record with the table's largest key, setting columns the
// editor does not show or values it shows in another form.
void TestSaveWithoutEdit::storedRecordsKeepTheirRows_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("statement");

    const QString metre = "(SELECT min(autokey) FROM unitlength)";
    const QString degree = "(SELECT min(autokey) FROM unitangle)";
    const QString datum = "(SELECT min(autokey) FROM datum)";
    const QString dms = "(SELECT max(autokey) FROM unitangle WHERE format=2)";
    const QString meridian = "(SELECT min(autokey) FROM primemeridian)";
    const auto last = [](const QString& table, const QString& key = "autokey") {
        return QString(" WHERE %2=(SELECT max(%2) FROM %1);").arg(table, key);
    };
    QTest::newRow("linear unit, format 0") << int(TableUnitLength)
        << "UPDATE unitlength SET format=0, favourite=1, description=''" + last("unitlength");
    QTest::newRow("angular unit, format NULL") << int(TableUnitAngle)
        << "INSERT INTO unitangle (name, short_name, factor_b, factor_c, format, favourite) "
           "VALUES ('Секунда', '\"', 4.84813681109536e-06, 1, NULL, 1);";
    QTest::newRow("scale unit, format 2") << int(TableUnitScale)
        << "INSERT INTO unitscale (name, factor_b, factor_c, format, favourite) VALUES ('ppm', 1, 1000000, 2, 1);";
    QTest::newRow("angle format") << int(TableAngleFormat)
        << "UPDATE unitangleformat SET favourite=1, epsg=9110" + last("unitangleformat", "code");
    QTest::newRow("ellipsoid by b") << int(TableEllipsoid)
        << "UPDATE ellipsoid SET use_f=0, b=6356752.314245, favourite=1" + last("ellipsoid");
    QTest::newRow("prime meridian") << int(TablePrimeMeridian)
        << "INSERT INTO primemeridian (name, longitude, unit, favourite) VALUES ('Париж', '2.33722917', " + degree
               + ", 1);";
    QTest::newRow("prime meridian in degrees, minutes, seconds") << int(TablePrimeMeridian)
        << "INSERT INTO primemeridian (name, longitude, unit) VALUES ('Пулково', '30 19 42.09', " + dms + ");";
    QTest::newRow("datum") << int(TableDatum) << "UPDATE datum SET favourite=1" + last("datum");
    QTest::newRow("datum shift type") << int(TableDatumShiftType)
        << "UPDATE datumshifttype SET favourite=1" + last("datumshifttype", "code");
    QTest::newRow("Helmert shift, coordinate frame") << int(TableDatumShift)
        << "UPDATE datumshift SET type=4, convention=1, exact=1, favourite=1, px=1, py=2, pz=3, rx=-0.35, "
           "identifier='P', pairwise_role=2"
               + last("datumshift");
    QTest::newRow("Helmert shift, rotations in degrees, minutes, seconds") << int(TableDatumShift)
        << "UPDATE datumshift SET type=4, rx='-0 00 00.35', ry='0 0 1', rz=0.5, angle_unit=" + dms
               + last("datumshift");
    QTest::newRow("Molodensky shift, convention 0") << int(TableDatumShift)
        << "INSERT INTO datumshift (name, type, tx, ty, tz, rx, convention, exact, length_unit, favourite) "
           "VALUES ('Сдвиг', 1, 23.92, -141.27, -80.9, 0.5, 0, 1, " + metre + ", 1);";
    QTest::newRow("coordinate system type") << int(TableCoordSysType)
        << "UPDATE coordsystype SET favourite=1" + last("coordsystype", "code");
    QTest::newRow("geodetic system, swapped") << int(TableCoordSys)
        << "INSERT INTO coordsys (name, type, datum, prime_meridian, angle_unit, height_unit, swap_coords,"
           " positive_longitude, coord1_desc, azimuth, favourite) VALUES ('Геод', 4, " + datum + ", " + meridian
               + ", " + degree + ", " + metre + ", 1, 1, 'Ш', '5', 1);";
    QTest::newRow("projected system, swapped") << int(TableCoordSys)
        << "UPDATE coordsys SET swap_coords=1, positive_longitude=0, favourite=1, coord3_desc='H'" + last("coordsys");
    QTest::newRow("geocentric system") << int(TableCoordSys)
        << "INSERT INTO coordsys (name, type, datum, prime_meridian, length_unit, swap_coords, positive_longitude,"
           " angle_unit, favourite) VALUES ('ECEF', 3, " + datum + ", " + meridian + ", " + metre + ", 1, 0, "
               + degree + ", 1);";
    QTest::newRow("local cartesian system") << int(TableCoordSys)
        << "INSERT INTO coordsys (name, type, length_unit, swap_coords, positive_longitude, datum, favourite) "
           "VALUES ('Местная', 1, " + metre + ", 1, 0, " + datum + ", 1);";
    QTest::newRow("topocentric system") << int(TableCoordSys)
        << "INSERT INTO coordsys (name, type, datum, prime_meridian, origin_coord1, origin_coord2, origin_coord3,"
           " origin_angle_unit, origin_length_unit, azimuth, azimuth_unit, length_unit, swap_coords,"
           " positive_longitude, height_unit, favourite) VALUES ('Топо', 6, " + datum + ", " + meridian
               + ", '55.75', '37.6', '150', " + degree + ", " + metre + ", '30', " + degree + ", " + metre
               + ", 1, 0, " + metre + ", 1);";
    QTest::newRow("topocentric system in degrees, minutes, seconds") << int(TableCoordSys)
        << "INSERT INTO coordsys (name, type, datum, prime_meridian, origin_coord1, origin_coord2, origin_coord3,"
           " origin_angle_unit, origin_length_unit, azimuth, azimuth_unit, length_unit) VALUES ('Топо', 6, "
               + datum + ", " + meridian + ", '55 45 0.5', '-37 36 0', '150', " + dms + ", " + metre
               + ", '30 0 0', " + dms + ", " + metre + ");";
    QTest::newRow("map projection type") << int(TableMapProjType)
        << "UPDATE mapprojtype SET favourite=1, mapinfo=8" + last("mapprojtype", "code");
    QTest::newRow("map projection") << int(TableMapProj)
        << "UPDATE mapproj SET favourite=1, mapinfo=8, coord1_desc='N'" + last("mapproj");
    QTest::newRow("transform") << int(TableTransform)
        << "UPDATE transform SET favourite=1" + last("transform");
    QTest::newRow("transform list") << int(TableTransformList)
        << "UPDATE transformlist SET favourite=1, scope=2, owner=1, owner_table='datum'" + last("transformlist");
    QTest::newRow("height system") << int(TableVertCoordSys)
        << "UPDATE vertcoordsys SET favourite=1, geoid=''" + last("vertcoordsys");
    QTest::newRow("EPSG code") << int(TableEpsgCoordSys)
        << "INSERT INTO epsgcoordsys (code, name, description, favourite) VALUES (4326, 'WGS 84', '', 1);";
    QTest::newRow("MapInfo code") << int(TableMapInfoDatum)
        << "INSERT INTO mapinfodatum (code, name, favourite) VALUES (104, 'WGS 84', 1);";
}

void TestSaveWithoutEdit::storedRecordsKeepTheirRows()
{
    QFETCH(int, tableId);
    QFETCH(QString, statement);
    QVERIFY(CTestDatabase::exec(statement));
    const int key = maxKey(tableId);
    const Row before = storedRow(tableId, key);
    const int rows = rowCount(tableId);

    QVERIFY(saveUnchanged(tableId, key));
    const QStringList changed = differences(before, storedRow(tableId, key));
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
    QCOMPARE(rowCount(tableId), rows);
    QVERIFY2(messages().isEmpty(), qPrintable(messages().join('\n')));
}

void TestSaveWithoutEdit::shippedRecordsKeepTheirRows()
{
    QTemporaryDir folder;
    QString message;
    QVERIFY2(makeDataFolder(QStringLiteral(SHARED_DATA_DIR "/coordsys.wkt"), folder.filePath("data"),
                            folder.filePath("stamp"), &message),
             qPrintable(message));
    QVERIFY(CTestDatabase::reopen(QDir(folder.filePath("data")).filePath(shippedDatabaseName)));
    QVERIFY(CTestDatabase::exec(QStringLiteral("PRAGMA synchronous = OFF;")));
    QStringList changed;
    int records = 0;
    for (const int tableId : kEditedTables) {
        QVERIFY(EditorRegistry::get(tableId).edit);
        for (const QVariant& key : CTestDatabase::column(
                 QStringLiteral("SELECT %1 FROM %2;").arg(keyColumnName(tableId), tableName(tableId)))) {
            ++records;
            const Row before = storedRow(tableId, key.toInt());
            const bool saved = saveUnchanged(tableId, key.toInt());
            const QStringList columns = differences(before, storedRow(tableId, key.toInt()));
            if (!saved || !columns.isEmpty())
                changed << QStringLiteral("%1 %2%3: %4")
                               .arg(tableName(tableId), key.toString(), saved ? "" : " (not saved)",
                                    columns.join(", "));
        }
    }
    QVERIFY(records > 400);
    QVERIFY2(changed.isEmpty(), qPrintable(QString::number(changed.size()) + "\n" + changed.join('\n')));
    QVERIFY2(messages().isEmpty(), qPrintable(messages().join('\n')));
}

QTEST_MAIN(TestSaveWithoutEdit)
#include "test_savewithoutedit.moc"
