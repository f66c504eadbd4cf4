#include "definitionfixtures.h"

#include "recordfixtures.h"

#include <QFile>

std::shared_ptr<CUnitDetails> arcSecond()
{
    auto unit = std::make_shared<CUnitDetails>();
    unit->scope = 2;
    unit->name = QStringLiteral("Угловая секунда");
    unit->shortName = QStringLiteral("\"");
    unit->factorB = QStringLiteral("3.14159265358979");
    unit->factorC = QStringLiteral("648000");
    unit->epsgCode = 9104;
    return unit;
}

std::shared_ptr<CUnitDetails> partsPerMillion()
{
    auto unit = std::make_shared<CUnitDetails>();
    unit->scope = 3;
    unit->name = QStringLiteral("Миллионная доля");
    unit->factorB = QStringLiteral("1");
    unit->factorC = QStringLiteral("1000000");
    unit->epsgCode = 9202;
    return unit;
}

CTransformTypeDetails transformType(int code)
{
    CTransformTypeDetails type;
    type.code = code;
    type.name = code == 3 ? QStringLiteral("Сдвиг высот") : QStringLiteral("Аффинное");
    type.description = QStringLiteral("Преобразование типа %1").arg(code);
    return type;
}

CTransformParamDetails transformParam(int code, const QString& name)
{
    CTransformParamDetails param;
    param.code = code;
    param.name = name;
    param.description = QStringLiteral("Параметр %1").arg(name);
    return param;
}

CTransformParamValueDetails paramValue(int code, const QString& value,
                                       const std::shared_ptr<CUnitDetails>& unit)
{
    CTransformParamValueDetails paramValue;
    paramValue.paramCode = code;
    paramValue.value = value;
    paramValue.unit = unit;
    return paramValue;
}

CTransformDetails affineTransform()
{
    CTransformDetails transform;
    transform.name = QStringLiteral("МСК-50 зона 1");
    transform.description = QStringLiteral("Переход от СК-42");
    transform.typeCode = 1;
    transform.transformType = transformType(1);
    const QStringList names{"A11", "A12", "A21", "A22", "B1", "B2"};
    const QStringList values{"1.0000012", "-0.0000034", "0.0000034", "1.0000012", "-12.5", "7.25"};
    for (int code = 1; code <= 6; ++code) {
        transform.params.insert(code, transformParam(code, names[code - 1]));
        transform.paramValues.insert(
            code, paramValue(code, values[code - 1], code > 4 ? metre() : nullptr));
    }
    return transform;
}

CTransformDetails heightShift()
{
    CTransformDetails transform;
    transform.name = QStringLiteral("Сдвиг БСВ");
    transform.typeCode = 3;
    transform.transformType = transformType(3);
    transform.params.insert(7, transformParam(7, QStringLiteral("dH")));
    transform.paramValues.insert(7, paramValue(7, QStringLiteral("0.35"), metre()));
    return transform;
}

CTransformListDetails transformList(int scope, const QString& identifier)
{
    CTransformListDetails list;
    list.name = QStringLiteral("Список %1").arg(identifier);
    list.description = QStringLiteral("Для проверки");
    list.scope = scope;
    list.identifier = identifier;
    list.transforms = {scope == 4 ? heightShift() : affineTransform()};
    return list;
}

CDatumShiftDetails pulkovoToWgs84()
{
    CDatumShiftDetails shift;
    shift.name = QStringLiteral("СК-42 - WGS 84");
    shift.description = QStringLiteral("ГОСТ Р 51794-2008");
    shift.type = 2;
    shift.datumShiftType.setCode(2);
    shift.translationX = QStringLiteral("23.57");
    shift.translationY = QStringLiteral("-140.95");
    shift.translationZ = QStringLiteral("-79.8");
    shift.rotationX = QStringLiteral("0");
    shift.rotationY = QStringLiteral("-0.35");
    shift.rotationZ = QStringLiteral("-0.79");
    shift.scaleChange = QStringLiteral("-0.22");
    shift.lengthUnit = metre();
    shift.angleUnit = arcSecond();
    shift.scaleUnit = partsPerMillion();
    return shift;
}

CMapProjDetails gaussKrugerZone7()
{
    CMapProjDetails projection;
    projection.name = QStringLiteral("Гаусс-Крюгер, зона 7");
    projection.shortName = QStringLiteral("ГК7");
    projection.mapProjType.setCode(1);
    projection.lengthUnit = metre();
    projection.angleUnit = degree();
    projection.scaleUnit = std::make_shared<CUnitDetails>(*partsPerMillion());
    projection.scaleUnit->name = QStringLiteral("Единица");
    projection.scaleUnit->factorC = QStringLiteral("1");
    projection.scaleUnit->epsgCode = 9201;
    projection.coord1Abbr = QStringLiteral("E");
    projection.coord2Abbr = QStringLiteral("N");
    projection.coord1Desc = QStringLiteral("Восток");
    projection.coord2Desc = QStringLiteral("Север");
    projection.coord1Sign = 1;
    projection.coord2Sign = 1;
    projection.epsgCode = 28407;
    const QStringList values{"39", "0", "1", "7500000", "0"};
    const int codes[] = {103, 11, 104, 5, 6};
    for (int i = 0; i < 5; ++i) {
        CMapProjParamDetails param;
        param.setCode(codes[i]);
        projection.params.insert(codes[i], param);
        projection.paramValues.insert(codes[i], values[i]);
    }
    return projection;
}

CDatumDetails datumFromFile(const QString& fileName)
{
    QFile file(QStringLiteral(TESTDATA_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(fileName));
    CDatumDetails datum;
    readXml(datum, QString::fromUtf8(file.readAll()));
    return datum;
}

std::shared_ptr<CUnitDetails> decimalDegree()
{
    auto unit = degree();
    unit->angleFormat = std::make_shared<CAngleFormatDetails>();
    unit->angleFormat->code = 1;
    unit->angleFormat->name = QStringLiteral("Десятичные градусы");
    return unit;
}

std::shared_ptr<CEllipsoidDetails> wgs84Ellipsoid()
{
    auto ellipsoid = std::make_shared<CEllipsoidDetails>();
    ellipsoid->name = QStringLiteral("WGS 84");
    ellipsoid->majorSemiAxis = QStringLiteral("6378137");
    ellipsoid->inverseFlattening = QStringLiteral("298.257223563");
    ellipsoid->useInverseFlattening = true;
    ellipsoid->unit = metre();
    return ellipsoid;
}

std::shared_ptr<CDatumShiftDetails> shiftToWgs84(const QStringList& values)
{
    auto shift = std::make_shared<CDatumShiftDetails>(pulkovoToWgs84());
    shift->type = 4;
    shift->datumShiftType.setCode(4);
    QString* fields[] = {&shift->translationX, &shift->translationY, &shift->translationZ,
                         &shift->rotationX,    &shift->rotationY,    &shift->rotationZ,
                         &shift->scaleChange};
    for (int i = 0; i < 7; ++i)
        *fields[i] = values.at(i);
    return shift;
}

std::shared_ptr<CDatumDetails> wgs84Datum()
{
    auto datum = std::make_shared<CDatumDetails>();
    datum->name = QStringLiteral("WGS 84");
    datum->ellipsoid = wgs84Ellipsoid();
    datum->datumShift = shiftToWgs84({"0", "0", "0", "0", "0", "0", "0"});
    return datum;
}

CMapProjDetails utmZone37()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.name = QStringLiteral("UTM 37N");
    projection.paramValues[104] = QStringLiteral("0.9996");
    projection.paramValues[5] = QStringLiteral("500000");
    return projection;
}
