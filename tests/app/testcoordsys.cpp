#include "testcoordsys.h"

#include "testdatabase.h"

#include "app/framepanel.h"
#include "browser/dialogdatabaseselector.h"
#include "database/codetablesmapproj.h"

#include "database/novalue.h"

#include <QPushButton>
#include <QVariant>

namespace {

int lastKey(const QString& table)
{
    const QVariant key = CTestDatabase::value(QString("SELECT max(autokey) FROM %1;").arg(table));
    return key.isValid() ? key.toInt() : NoValue;
}

int insertRow(const QString& table, const QString& columns, const QVariantList& values)
{
    QStringList placeholders;
    for (int i = 0; i < values.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    if (!CTestDatabase::exec(QString("INSERT INTO %1 (%2) VALUES (%3);").arg(table, columns, placeholders.join(',')), values))
        return NoValue;
    return lastKey(table);
}

int metre()
{
    return insertRow("unitlength", "name,short_name,factor_b,factor_c", {"Метр", "м", 1.0, 1.0});
}

int degree(int angleFormat)
{
    return insertRow("unitangle", "name,short_name,factor_b,factor_c,format",
                     {QString("Градус %1").arg(angleFormat), "°", 3.14159265358979, 180.0, angleFormat});
}

int ellipsoid(int unit)
{
    return insertRow("ellipsoid", "name,a,f,use_f,sphere,unit", {"WGS 84", 6378137.0, 298.257223563, 1, 0, unit});
}

int primeMeridian(int unit)
{
    return insertRow("primemeridian", "name,longitude,unit", {"Гринвич", "0", unit});
}

int mapProjection(int lengthUnit, int angleUnit)
{
    const int key = insertRow("mapproj", "name,type,length_unit,angle_unit,coord1_abbr,coord2_abbr,coord1_sign,coord2_sign",
                              {"UTM 37", MapProjUtm, lengthUnit, angleUnit, "x", "y", 1, 1});
    std::vector<int> params;
    mapProjTypeParamCodes(MapProjUtm, params);
    for (const int param : params) {
        if (!CTestDatabase::exec("INSERT INTO mapprojparamvalue (map_proj, param, value) VALUES (?, ?, '0');",
                                 {key, param}))
            return NoValue;
    }
    return key;
}

struct CSystemRow {
    int type;
    int angleFormat;
    const char* abbreviations[3];
};

CSystemRow systemRow(TestSystem system)
{
    switch (system) {
    case TestSystem::LocalCartesian:
        return {1, 1, {"X", "Y", "Z"}};
    case TestSystem::Geocentric:
        return {3, 1, {"X", "Y", "Z"}};
    case TestSystem::GeodeticDecimal:
        return {4, 1, {"B", "L", "H"}};
    case TestSystem::GeodeticDms:
        return {4, 2, {"B", "L", "H"}};
    case TestSystem::GeodeticHemisphere:
        return {4, 3, {"B", "L", "H"}};
    case TestSystem::Projected:
        return {5, 1, {"x", "y", "h"}};
    case TestSystem::Topocentric:
        return {6, 1, {"E", "N", "U"}};
    case TestSystem::Invalid:
        return {2, 1, {"", "", ""}};
    }
    return {0, 0, {"", "", ""}};
}

} // namespace

QString testSystemName(TestSystem system)
{
    switch (system) {
    case TestSystem::LocalCartesian:
        return QStringLiteral("Местная");
    case TestSystem::Geocentric:
        return QStringLiteral("Геоцентрическая");
    case TestSystem::GeodeticDecimal:
        return QStringLiteral("Геодезическая десятичная");
    case TestSystem::GeodeticDms:
        return QStringLiteral("Геодезическая ГМС");
    case TestSystem::GeodeticHemisphere:
        return QStringLiteral("Геодезическая с полушарием");
    case TestSystem::Projected:
        return QStringLiteral("Проекция");
    case TestSystem::Topocentric:
        return QStringLiteral("Топоцентрическая");
    case TestSystem::Invalid:
        return QStringLiteral("Неизвестная");
    }
    return QString();
}

int insertTestCoordSys(TestSystem system)
{
    const CSystemRow row = systemRow(system);
    const int length = metre();
    const int angle = degree(row.angleFormat);
    const int spheroid = ellipsoid(length);
    const int meridian = primeMeridian(angle);
    const QVariant projection = row.type == 5 ? QVariant(mapProjection(length, angle)) : QVariant();
    return insertRow("coordsys",
                     "name,short_name,description,type,ellipsoid,prime_meridian,map_proj,length_unit,angle_unit,"
                     "height_unit,coord1_abbr,coord2_abbr,coord3_abbr,origin_coord1,origin_coord2,origin_coord3,"
                     "origin_angle_unit,origin_length_unit",
                     {testSystemName(system), QStringLiteral("КС"), QStringLiteral("Описание системы"), row.type,
                      spheroid, meridian, projection, length, angle, length, row.abbreviations[0],
                      row.abbreviations[1], row.abbreviations[2], "55", "37", "0", angle, length});
}

int testCoordSysKey(TestSystem system)
{
    const QVariant key = CTestDatabase::value(QStringLiteral("SELECT autokey FROM coordsys WHERE name = ?;"),
                                              {testSystemName(system)});
    return key.isValid() ? key.toInt() : insertTestCoordSys(system);
}

CModalWatch answerCoordsysSelector(int key)
{
    return whenModal<DialogDatabaseSelector>([key](DialogDatabaseSelector* selector) {
        selector->selectRowByCode(key);
        selector->findChild<QPushButton*>(QStringLiteral("buttonSelect"))->click();
    });
}

void choosePanelCoordsys(FramePanel& panel, int key)
{
    const CModalWatch watch = answerCoordsysSelector(key);
    panel.slotSelectCoordsys();
}
