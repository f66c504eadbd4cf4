#include "coordsysfixture.h"

#include "definitionfixtures.h"
#include "recordfixtures.h"
#include "testdatabase.h"

#include "browser/framedatabasepicker.h"
#include "records/angleformatstorage.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QStringList>
#include <QWidget>

namespace {

// Decimal degrees with the angle format as the database holds it.
std::shared_ptr<CUnitDetails> storedDecimalDegree()
{
    auto unit = decimalDegree();
    AngleFormatStorage::ReadDetails(1, *unit->angleFormat);
    return unit;
}

CCoordSysDetails system(int type, const QString& name)
{
    CCoordSysDetails record;
    record.name = name;
    record.type = type;
    record.coordSysType.setCode(type);
    record.datum = wgs84Datum();
    record.primeMeridian = std::make_shared<CPrimeMeridianDetails>(greenwich());
    record.primeMeridian->unit = storedDecimalDegree();
    record.heightUnit = metre();
    return record;
}

int link(int key, const QString& column)
{
    const QVariant value = coordSysColumn(key, column);
    return value.isNull() ? NoValue : value.toInt();
}

} // namespace

CCoordSysWorld storeCoordSysWorld()
{
    CCoordSysDetails geodetic = system(4, QStringLiteral("WGS 84"));
    geodetic.angleUnit = storedDecimalDegree();
    CCoordSysDetails projected = system(5, QStringLiteral("WGS 84 / UTM zone 37N"));
    projected.mapProjection = std::make_shared<CMapProjDetails>(utmZone37());
    projected.mapProjection->angleUnit = storedDecimalDegree();
    projected.lengthUnit = metre();
    CCoordSysWorld world;
    world.wgs84 = insertCoordSysDetails(geodetic, true);
    world.utm = insertCoordSysDetails(projected, true);
    if (world.wgs84 == NoValue || world.utm == NoValue
        || !CTestDatabase::exec("INSERT INTO vertcoordsys (name) VALUES ('Балтийская');"))
        return CCoordSysWorld();
    world.metre = link(world.utm, "length_unit");
    world.decimalDegree = link(world.wgs84, "angle_unit");
    world.greenwich = link(world.utm, "prime_meridian");
    world.datum = link(world.utm, "datum");
    world.ellipsoid = CTestDatabase::value("SELECT ellipsoid FROM datum WHERE autokey = ?;", {world.datum}).toInt();
    world.projection = link(world.utm, "map_proj");
    world.heightSystem = CTestDatabase::value("SELECT max(autokey) FROM vertcoordsys;").toInt();
    return world;
}

int insertCoordSysRow(const QVariantMap& columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append("?");
    const QString statement = QStringLiteral("INSERT INTO coordsys (%1) VALUES (%2);")
                                  .arg(columns.keys().join(", "), marks.join(", "));
    if (!CTestDatabase::exec(statement, columns.values()))
        return NoValue;
    return CTestDatabase::value("SELECT max(autokey) FROM coordsys;").toInt();
}

QVariant coordSysColumn(int key, const QString& column)
{
    return CTestDatabase::value(QStringLiteral("SELECT %1 FROM coordsys WHERE autokey = ?;").arg(column), {key});
}

FrameDatabasePicker* pickerOf(const QWidget* parent, int tableId, int nth)
{
    for (FrameDatabasePicker* picker : parent->findChildren<FrameDatabasePicker*>()) {
        if (picker->tableId() == tableId && nth-- == 0)
            return picker;
    }
    return nullptr;
}

void pickRecord(const QWidget* parent, int tableId, int key, int nth)
{
    FrameDatabasePicker* picker = pickerOf(parent, tableId, nth);
    picker->setKey(key);
    emit picker->picked(key);
}
