#include "tablecatalogue.h"

#include "codetablesaxes.h"
#include "novalue.h"
#include "numbers.h"
#include "sqlfunctions.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <iterator>

namespace {

enum KeyColumn { NoKey, AutoKey, CodeKey };

struct CCatalogueRow {
    int id;
    const char* name;
    const char* title;
    bool codeKeyed;
    KeyColumn key;
};

const CCatalogueRow catalogue[] = {
    {TableUnitLength, "unitlength", "Единицы измерения расстояний", false, AutoKey},
    {TableUnitAngle, "unitangle", "Единицы измерения углов", false, AutoKey},
    {TableUnitScale, "unitscale", "Единицы измерения масштаба", false, AutoKey},
    {TableAngleFormat, "unitangleformat", "Форматы представления углов", true, CodeKey},
    {TableEllipsoid, "ellipsoid", "Эллипсоиды", false, AutoKey},
    {TablePrimeMeridian, "primemeridian", "Начальные меридианы", false, AutoKey},
    {TableDatum, "datum", "Датумы", false, AutoKey},
    {TableDatumShiftType, "datumshifttype", "Типы преобразования датумов", true, CodeKey},
    {TableDatumShift, "datumshift", "Преобразования датумов", false, AutoKey},
    {TableCoordSysType, "coordsystype", "Типы систем координат", true, CodeKey},
    {TableCoordSys, "coordsys", "Системы координат", false, AutoKey},
    {TableMapProjParam, "mapprojparam", "Параметры картографических проекций", true, CodeKey},
    {TableMapProjType, "mapprojtype", "Типы картографических проекций", true, CodeKey},
    {TableMapProj, "mapproj", "Картографические проекции", false, AutoKey},
    {TableMapProjParamValue, "mapprojparamvalue", "Значения папаметров картографических проекций",
     false, NoKey},
    {TableVertCoordSys, "vertcoordsys", "Системы высот", false, AutoKey},
    {TableTransformParam, "transformparam", "Параметры преобразований", true, CodeKey},
    {TableTransformParamValue, "transformparamvalue", "Значения параметров преобразований", false,
     NoKey},
    {TableTransformType, "transformtype", "Типы преобразований", true, CodeKey},
    {TableTransform, "transform", "Преобразования", false, AutoKey},
    {TableTransformList, "transformlist", "Наборы преобразований", false, AutoKey},
    {TableEpsgDatumShift, "epsgdatumshift", "EPSG коды преобразований датумов", false, CodeKey},
    {TableEpsgDatumShiftType, "epsgdatumshifttype", "EPSG коды типов преобразований датумов", false,
     CodeKey},
    {TableEpsgMapProj, "epsgmapproj", "EPSG коды картографических проекций", false, CodeKey},
    {TableEpsgCoordSys, "epsgcoordsys", "EPSG коды систем координат", false, CodeKey},
    {TableEpsgEllipsoid, "epsgellipsoid", "EPSG коды эллипсоидов", false, CodeKey},
    {TableEpsgDatum, "epsgdatum", "EPSG коды датумов", false, CodeKey},
    {TableEpsgVertCoordSys, "epsgvertcoordsys", "EPSG коды систем высот", false, CodeKey},
    {TableEpsgPrimeMeridian, "epsgprimemeridian", "EPSG коды начальных меридианов", false, CodeKey},
    {TableEpsgLengthUnit, "epsglengthunit", "EPSG коды единиц измерения расстояний", false, CodeKey},
    {TableEpsgAngleUnit, "epsgangleunit", "EPSG коды единиц измерения углов", false, CodeKey},
    {TableEpsgScaleUnit, "epsgscaleunit", "EPSG коды единиц измерения масштаба", false, CodeKey},
    {TableMapInfoUnit, "mapinfounit", "Коды MapInfo для единиц измерения расстояний", false,
     CodeKey},
    {TableMapInfoEllipsoid, "mapinfoellipsoid", "Коды MapInfo для эллипсоидов", false, CodeKey},
    {TableMapInfoDatum, "mapinfodatum", "Коды MapInfo для датумов", false, CodeKey},
    {TableMaintenance, "maintenance", "Сведения о базе данных", false, NoKey},
};

const CCatalogueRow* catalogueRow(int tableId)
{
    auto found = std::find_if(std::begin(catalogue), std::end(catalogue),
                              [tableId](const CCatalogueRow& row) { return row.id == tableId; });
    return found == std::end(catalogue) ? nullptr : found;
}

} // namespace

QString tableName(int tableId)
{
    const CCatalogueRow* row = catalogueRow(tableId);
    return row ? QString::fromUtf8(row->name) : QString();
}

int tableIdOfName(const QString& name)
{
    auto found = std::find_if(std::begin(catalogue), std::end(catalogue),
                              [&name](const CCatalogueRow& row) { return name == QLatin1String(row.name); });
    return found == std::end(catalogue) ? 0 : found->id;
}

QString tableTitle(int tableId)
{
    const CCatalogueRow* row = catalogueRow(tableId);
    return row ? QString::fromUtf8(row->title) : QString();
}

bool isCodeKeyed(int tableId)
{
    const CCatalogueRow* row = catalogueRow(tableId);
    return row && row->codeKeyed;
}

QString keyColumnName(int tableId)
{
    const CCatalogueRow* row = catalogueRow(tableId);
    if (!row || row->key == NoKey)
        return QString();
    return row->key == AutoKey ? QStringLiteral("autokey") : QStringLiteral("code");
}

int maxKey(int tableId, const QString& column)
{
    const QString key = column.isEmpty() ? keyColumnName(tableId) : column;
    const QString table = tableName(tableId);
    if (key.isEmpty() || table.isEmpty())
        return NoValue;
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT %1 FROM %2 ORDER BY %1 DESC LIMIT 1;").arg(key, table)))
        return NoValue;
    return query.next() ? variantToIntOrNone(query.value(0)) : 0;
}

int nextKey(int tableId)
{
    const int largest = maxKey(tableId);
    if (largest >= NoValue - 1)
        return NoValue;
    return largest + 1;
}

int lastUsedKey(int tableId)
{
    const QString key = keyColumnName(tableId);
    const QString table = tableName(tableId);
    if (key.isEmpty() || table.isEmpty())
        return NoValue;
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT %1 FROM %2 ORDER BY last_use DESC LIMIT 1;").arg(key, table))
        || !query.next())
        return NoValue;
    return variantToIntOrNone(query.value(0));
}

bool touchLastUse(int tableId, int key)
{
    const QString keyColumn = keyColumnName(tableId);
    const QString table = tableName(tableId);
    if (keyColumn.isEmpty() || table.isEmpty())
        return false;
    QSqlQuery query;
    return execQuery(query, QString("UPDATE %1 SET last_use = ? WHERE %2 = ? ;").arg(table, keyColumn),
                     {QDateTime::currentMSecsSinceEpoch(), key})
        && query.numRowsAffected() > 0;
}

int rowCount(int tableId)
{
    const QString table = tableName(tableId);
    if (table.isEmpty())
        return 0;
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT COUNT(*) FROM %1").arg(table)) || !query.next())
        return 0;
    return variantToInt(query.value(0), 0);
}

int unitScopeFromInt(int value, int fallback)
{
    return (value >= UnitScopeLength && value <= UnitScopeScale) ? value : fallback;
}

int unitScopeOfTable(int tableId)
{
    switch (tableId) {
    case TableUnitLength:
        return UnitScopeLength;
    case TableUnitAngle:
        return UnitScopeAngle;
    case TableUnitScale:
        return UnitScopeScale;
    default:
        return 0;
    }
}

int unitTableOfScope(int scope)
{
    switch (scope) {
    case UnitScopeLength:
        return TableUnitLength;
    case UnitScopeAngle:
        return TableUnitAngle;
    case UnitScopeScale:
        return TableUnitScale;
    default:
        return 0;
    }
}

void assignTransformListScope(int& target, int value)
{
    setTransformListScope(target, value);
}

QString transformListScopeTitle(int scope)
{
    return QString::fromStdString(transformListScopeLabel(scope));
}
