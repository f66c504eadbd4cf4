#include "schema.h"

#include "tablecatalogue.h"

#include <QStringList>

namespace {

constexpr const char* Integer = "INTEGER";
constexpr const char* Double = "DOUBLE";
constexpr const char* Text16 = "VARCHAR(16)";
constexpr const char* Text32 = "VARCHAR(32)";
constexpr const char* Text64 = "VARCHAR(64)";
constexpr const char* Text256 = "VARCHAR(256)";
constexpr const char* Stamp = "UNSIGNED BIG INT";

CColumnSchema primaryKey(const QString& name)
{
    return {name, Integer, true, true};
}

CColumnSchema required(const QString& name, const QString& type)
{
    return {name, type, true, false};
}

CColumnSchema optional(const QString& name, const QString& type)
{
    return {name, type, false, false};
}

CColumnSchema autoKeyColumn()
{
    return primaryKey(QStringLiteral("autokey"));
}

CColumnSchema codeColumn()
{
    return primaryKey(QStringLiteral("code"));
}

CColumnSchema nameColumn()
{
    return required(QStringLiteral("name"), Text64);
}

CColumnSchema nullableNameColumn()
{
    return optional(QStringLiteral("name"), Text64);
}

CColumnSchema descriptionColumn()
{
    return optional(QStringLiteral("description"), Text256);
}

CColumnSchema shortNameColumn()
{
    return optional(QStringLiteral("short_name"), Text32);
}

CColumnSchema epsgColumn()
{
    return optional(QStringLiteral("epsg"), Integer);
}

CColumnSchema mapInfoColumn()
{
    return optional(QStringLiteral("mapinfo"), Integer);
}

CColumnSchema favouriteColumn()
{
    return optional(QStringLiteral("favourite"), Integer);
}

CColumnSchema lastUseColumn()
{
    return optional(QStringLiteral("last_use"), Stamp);
}


QVector<CColumnSchema> axisColumns()
{
    return {optional("coord1_abbr", Text16), optional("coord2_abbr", Text16),
            optional("coord1_desc", Text32), optional("coord2_desc", Text32),
            optional("coord1_sign", Integer), optional("coord2_sign", Integer),
            optional("swap_coords", Integer)};
}

// codeColumn() tables without rows of their own (transform and coordinate system types) and the
// EPSG and mapInfoColumn() code lists.
CTableSchema codeTable(int table)
{
    return {table, {codeColumn(), nameColumn(), descriptionColumn(), favouriteColumn(), lastUseColumn()}, {}, true};
}

CTableSchema unitTable(int table)
{
    return {table,
            {autoKeyColumn(), nameColumn(), descriptionColumn(), shortNameColumn(), required("factor_b", Double),
             required("factor_c", Double), optional("format", Integer), epsgColumn(), mapInfoColumn(), favouriteColumn(),
             lastUseColumn()},
            {},
            false};
}

CTableSchema datumShiftTable()
{
    QVector<CColumnSchema> columns{autoKeyColumn(),
                                   nameColumn(),
                                   descriptionColumn(),
                                   optional("identifier", Text64),
                                   optional("datum", Integer),
                                   optional("pairwise_role", Integer),
                                   optional("type", Integer)};
    for (const char* parameter : {"tx", "ty", "tz", "rx", "ry", "rz", "dm", "px", "py", "pz"})
        columns.append(optional(parameter, Double));
    columns += {optional("convention", Integer), optional("exact", Integer),
                optional("length_unit", Integer), optional("angle_unit", Integer),
                optional("scale_unit", Integer), epsgColumn(), favouriteColumn(), lastUseColumn()};
    return {TableDatumShift,
            columns,
            {{"type", TableDatumShiftType},
             {"length_unit", TableUnitLength},
             {"angle_unit", TableUnitAngle},
             {"scale_unit", TableUnitScale}},
            false};
}

CTableSchema mapProjTypeTable()
{
    return {TableMapProjType,
            QVector<CColumnSchema>{codeColumn(), nullableNameColumn(), descriptionColumn(), shortNameColumn()} + axisColumns()
                + QVector<CColumnSchema>{epsgColumn(), mapInfoColumn(), favouriteColumn(), lastUseColumn()},
            {},
            true};
}

CTableSchema mapProjTable()
{
    return {TableMapProj,
            QVector<CColumnSchema>{autoKeyColumn(), nullableNameColumn(), descriptionColumn(), shortNameColumn(),
                                   required("type", Integer), optional("length_unit", Integer),
                                   optional("angle_unit", Integer), optional("scale_unit", Integer)}
                + axisColumns() + QVector<CColumnSchema>{epsgColumn(), mapInfoColumn(), favouriteColumn(), lastUseColumn()},
            {{"type", TableMapProjType},
             {"length_unit", TableUnitLength},
             {"angle_unit", TableUnitAngle},
             {"scale_unit", TableUnitScale}},
            false};
}

CTableSchema coordSysTable()
{
    return {TableCoordSys,
            {autoKeyColumn(),
             nameColumn(),
             descriptionColumn(),
             shortNameColumn(),
             required("type", Integer),
             optional("datum", Integer),
             optional("ellipsoid", Integer),
             optional("prime_meridian", Integer),
             optional("map_proj", Integer),
             optional("positive_longitude", Integer),
             optional("origin_coord1", Text32),
             optional("origin_coord2", Text32),
             optional("origin_coord3", Text32),
             optional("origin_angle_unit", Integer),
             optional("origin_length_unit", Integer),
             optional("azimuth", Text32),
             optional("azimuth_unit", Integer),
             optional("swap_coords", Integer),
             optional("vert_coordsys", Integer),
             optional("transform_list", Integer),
             optional("length_unit", Integer),
             optional("angle_unit", Integer),
             optional("height_unit", Integer),
             optional("coord1_abbr", Text16),
             optional("coord2_abbr", Text16),
             optional("coord3_abbr", Text16),
             optional("coord1_desc", Text32),
             optional("coord2_desc", Text32),
             optional("coord3_desc", Text32),
             epsgColumn(),
             favouriteColumn(),
             lastUseColumn()},
            {{"type", TableCoordSysType},
             {"datum", TableDatum},
             {"ellipsoid", TableEllipsoid},
             {"prime_meridian", TablePrimeMeridian},
             {"map_proj", TableMapProj},
             {"origin_angle_unit", TableUnitAngle},
             {"origin_length_unit", TableUnitLength},
             {"azimuth_unit", TableUnitAngle},
             {"vert_coordsys", TableVertCoordSys},
             {"transform_list", TableTransformList},
             {"length_unit", TableUnitLength},
             {"angle_unit", TableUnitAngle},
             {"height_unit", TableUnitLength}},
            false};
}

QVector<CTableSchema> buildSchema()
{
    QVector<CTableSchema> schema{
        {TableAngleFormat, {codeColumn(), nameColumn(), descriptionColumn(), shortNameColumn(), epsgColumn(), favouriteColumn(), lastUseColumn()}, {}, true},
        unitTable(TableUnitLength),
        unitTable(TableUnitAngle),
        unitTable(TableUnitScale),
        {TableEllipsoid,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), required("a", Double), optional("b", Double),
          optional("f", Double), required("use_f", Integer), required("sphere", Integer),
          required("unit", Integer), epsgColumn(), mapInfoColumn(), favouriteColumn(), lastUseColumn()},
         {{"unit", TableUnitLength}},
         false},
        {TablePrimeMeridian,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), required("longitude", Text64), required("unit", Integer), epsgColumn(),
          favouriteColumn(), lastUseColumn()},
         {{"unit", TableUnitAngle}},
         false},
        {TableDatumShiftType, {codeColumn(), nameColumn(), descriptionColumn(), epsgColumn(), favouriteColumn(), lastUseColumn()}, {}, true},
        datumShiftTable(),
        {TableDatum,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), shortNameColumn(), optional("ellipsoid", Integer),
          optional("datum_shift", Integer), epsgColumn(), mapInfoColumn(), favouriteColumn(), lastUseColumn()},
         {{"ellipsoid", TableEllipsoid}, {"datum_shift", TableDatumShift}},
         false},
        {TableTransformList,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), optional("owner", Integer), optional("owner_table", Text32),
          optional("identifier", Text64), optional("scope", Integer), favouriteColumn(), lastUseColumn()},
         {},
         false},
        codeTable(TableTransformType),
        {TableTransform,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), required("type", Integer), required("transform_list", Integer),
          required("number", Integer), favouriteColumn(), lastUseColumn()},
         {{"type", TableTransformType}, {"transform_list", TableTransformList}},
         false},
        {TableTransformParam, {codeColumn(), nameColumn(), descriptionColumn(), shortNameColumn()}, {}, true},
        {TableTransformParamValue,
         {required("param", Integer), required("transform", Integer), optional("value", Text64),
          optional("unit", Integer)},
         {{"param", TableTransformParam}, {"transform", TableTransform}},
         false},
        mapProjTypeTable(),
        mapProjTable(),
        {TableMapProjParam,
         {codeColumn(), nullableNameColumn(), descriptionColumn(), shortNameColumn(), epsgColumn(), optional("wkt", Text32)},
         {},
         true},
        {TableMapProjParamValue,
         {required("map_proj", Integer), required("param", Integer), optional("value", Text256)},
         {{"map_proj", TableMapProj}, {"param", TableMapProjParam}},
         false},
        {TableVertCoordSys,
         {autoKeyColumn(), nameColumn(), descriptionColumn(), shortNameColumn(), optional("geoid", Text64),
          optional("transform_list", Integer), epsgColumn(), favouriteColumn(), lastUseColumn()},
         {{"transform_list", TableTransformList}},
         false},
        codeTable(TableCoordSysType),
        coordSysTable(),
    };
    for (int reference : {TableMapInfoUnit, TableMapInfoEllipsoid, TableMapInfoDatum,
                          TableEpsgLengthUnit, TableEpsgAngleUnit, TableEpsgScaleUnit,
                          TableEpsgEllipsoid, TableEpsgPrimeMeridian, TableEpsgDatum,
                          TableEpsgDatumShift, TableEpsgDatumShiftType, TableEpsgMapProj,
                          TableEpsgVertCoordSys, TableEpsgCoordSys})
        schema.append(codeTable(reference));
    schema.append({TableMaintenance,
                   {primaryKey("database_version"), nameColumn(), descriptionColumn(),
                    optional("software_version", Text64), optional("creation_date", Text64),
                    required("language", Text32), optional("readonly", Integer)},
                   {},
                   true});
    return schema;
}

QString columnDefinition(const CColumnSchema& column)
{
    QString definition = column.name + QLatin1Char(' ') + column.type;
    if (column.notNull)
        definition += QStringLiteral(" NOT NULL");
    if (column.primaryKey)
        definition += QStringLiteral(" PRIMARY KEY");
    return definition;
}

QString foreignKeyDefinition(const CForeignKeySchema& key)
{
    return QString("FOREIGN KEY(%1) REFERENCES %2(%3)")
        .arg(key.column, tableName(key.table), keyColumnName(key.table));
}

} // namespace

const QVector<CTableSchema>& databaseSchema()
{
    static const QVector<CTableSchema> schema = buildSchema();
    return schema;
}

QString createTableStatement(const CTableSchema& table)
{
    QStringList definitions;
    for (const CColumnSchema& column : table.columns)
        definitions.append(columnDefinition(column));
    for (const CForeignKeySchema& key : table.foreignKeys)
        definitions.append(foreignKeyDefinition(key));
    return QString("CREATE TABLE %1 (%2)%3;")
        .arg(tableName(table.table), definitions.join(QLatin1Char(',')),
             table.withoutRowid ? QStringLiteral(" WITHOUT ROWID") : QString());
}
