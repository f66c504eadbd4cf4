#include "records/wkt/wktitems.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>

namespace {

// A finite number in the C locale's form.
bool readNumber(const QString& text, double* value)
{
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return false;
    *value = number;
    return true;
}

double numberOr(const QString& text, double fallback)
{
    double value = fallback;
    return readNumber(text, &value) ? value : fallback;
}

bool isNumberAbove(const QString& text, double bound)
{
    double value = 0.0;
    return readNumber(text, &value) && value > bound;
}

bool isDefinedNumber(const QString& text)
{
    double value = 0.0;
    return readNumber(text, &value) && value < DBL_MAX;
}

// Index of the upper-cased text in the names, 0 when absent.
int idOf(const QString& text, std::initializer_list<const char*> names)
{
    const QString upper = text.toUpper();
    int id = 1;
    for (const char* name : names) {
        if (upper == QLatin1String(name))
            return id;
        ++id;
    }
    return 0;
}

std::shared_ptr<CWktItemUNIT> makeUnit(const char* name, const char* factor, int epsgCode)
{
    try {
        auto unit = std::make_shared<CWktItemUNIT>();
        unit->name = QString::fromLatin1(name);
        unit->factorText = QString::fromLatin1(factor);
        unit->authority = CWktItemAUTHORITY::makeEpsg(epsgCode);
        return unit;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

// A unit whose factor is that of the degree, to the digits that files give it with.
bool isDegree(const CWktItemUNIT& unit)
{
    constexpr double degree = 3.14159265358979323846 / 180.0;
    return std::fabs(unit.factor() - degree) <= 1e-9 * degree;
}

const QString noName = QStringLiteral("нет названия");

QString missingNode(const char* keyword)
{
    return QStringLiteral("нет узла %1").arg(QLatin1String(keyword));
}

QString notANumber(const QString& what, const QString& text)
{
    return QStringLiteral("%1 «%2» не число").arg(what, text);
}

} // namespace

std::shared_ptr<CWktItem> CWktItem::create(const CWktType& type)
{
    switch (type.code()) {
    case CWktType::PROJCS: return std::make_shared<CWktItemPROJCS>();
    case CWktType::GEOGCS: return std::make_shared<CWktItemGEOGCS>();
    case CWktType::DATUM: return std::make_shared<CWktItemDATUM>();
    case CWktType::SPHEROID: return std::make_shared<CWktItemSPHEROID>();
    case CWktType::TOWGS84: return std::make_shared<CWktItemTOWGS84>();
    case CWktType::PRIMEM: return std::make_shared<CWktItemPRIMEM>();
    case CWktType::PROJECTION: return std::make_shared<CWktItemPROJECTION>();
    case CWktType::PARAMETER: return std::make_shared<CWktItemPARAMETER>();
    case CWktType::UNIT: return std::make_shared<CWktItemUNIT>();
    case CWktType::AXIS: return std::make_shared<CWktItemAXIS>();
    case CWktType::AUTHORITY: return std::make_shared<CWktItemAUTHORITY>();
    default: return {};
    }
}

// AUTHORITY

CWktItemAUTHORITY::CWktItemAUTHORITY()
    : CWktItem(CWktType::AUTHORITY)
{
}

void CWktItemAUTHORITY::clear()
{
    authority = WktAuthorityNone;
    codeText.clear();
}

bool CWktItemAUTHORITY::isValid() const
{
    return authority != WktAuthorityNone && !codeText.isEmpty();
}

int CWktItemAUTHORITY::epsgCode() const
{
    if (!isValid() || authority != WktAuthorityEpsg)
        return 0;
    bool ok = false;
    const int code = codeText.toInt(&ok, 10);
    return ok ? code : 0;
}

std::shared_ptr<CWktItemAUTHORITY> CWktItemAUTHORITY::makeEpsg(int code)
{
    try {
        auto item = std::make_shared<CWktItemAUTHORITY>();
        item->authority = WktAuthorityEpsg;
        item->codeText = QString::number(code);
        return item;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void CWktItemAUTHORITY::readValues(const QStringList& values)
{
    authority = idOf(values[0], {"EPSG"});
    codeText = values[1];
}

QString CWktItemAUTHORITY::invalidReason() const
{
    if (authority == WktAuthorityNone)
        return QStringLiteral("источник кода «%1» не поддерживается, только EPSG").arg(values.value(0).trimmed());
    return QStringLiteral("нет кода");
}

// UNIT

CWktItemUNIT::CWktItemUNIT()
    : CWktItem(CWktType::UNIT)
{
}

void CWktItemUNIT::clear()
{
    name.clear();
    factorText.clear();
    authority.reset();
}

bool CWktItemUNIT::isValid() const
{
    return !name.isEmpty() && isNumberAbove(factorText, 0.0);
}

double CWktItemUNIT::factor() const
{
    return numberOr(factorText, 0.0);
}

std::shared_ptr<CWktItemUNIT> CWktItemUNIT::makeMetre()
{
    return makeUnit("metre", "1", 9001);
}

std::shared_ptr<CWktItemUNIT> CWktItemUNIT::makeDegree()
{
    return makeUnit("degree", "0.0174532925199433", 9122);
}

std::shared_ptr<CWktItemUNIT> CWktItemUNIT::makeArcSecond()
{
    return makeUnit("arc-second", "0.0000048481368110953599359", 9104);
}

std::shared_ptr<CWktItemUNIT> CWktItemUNIT::makeUnity()
{
    return makeUnit("unity", "1", 9201);
}

std::shared_ptr<CWktItemUNIT> CWktItemUNIT::makePpm()
{
    return makeUnit("ppm", "0.000001", 9202);
}

void CWktItemUNIT::readValues(const QStringList& values)
{
    name = values[0];
    factorText = values[1];
}

void CWktItemUNIT::readLinks()
{
    authority = childrenOf<CWktItemAUTHORITY>().value(0);
}

QString CWktItemUNIT::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    return QStringLiteral("множитель «%1» не положительное число").arg(factorText);
}

// SPHEROID

CWktItemSPHEROID::CWktItemSPHEROID()
    : CWktItem(CWktType::SPHEROID)
{
}

void CWktItemSPHEROID::clear()
{
    name.clear();
    semiMajorAxisText.clear();
    inverseFlatteningText.clear();
    authority.reset();
    unit.reset();
}

bool CWktItemSPHEROID::isValid() const
{
    if (name.isEmpty() || !isNumberAbove(semiMajorAxisText, 0.0))
        return false;
    double inverse = 0.0;
    return !readNumber(inverseFlatteningText, &inverse) || inverse >= 0.0;
}

double CWktItemSPHEROID::semiMajorAxis() const
{
    return numberOr(semiMajorAxisText, 0.0);
}

double CWktItemSPHEROID::inverseFlattening() const
{
    return numberOr(inverseFlatteningText, 0.0);
}

std::shared_ptr<CWktItemUNIT> CWktItemSPHEROID::unitOrMetre() const
{
    return unit ? unit : CWktItemUNIT::makeMetre();
}

void CWktItemSPHEROID::readValues(const QStringList& values)
{
    name = values[0];
    semiMajorAxisText = values[1];
    inverseFlatteningText = values[2];
}

void CWktItemSPHEROID::readLinks()
{
    authority = lastChild<CWktItemAUTHORITY>();
    unit = lastChild<CWktItemUNIT>();
}

QString CWktItemSPHEROID::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    if (!isNumberAbove(semiMajorAxisText, 0.0))
        return QStringLiteral("большая полуось «%1» не положительное число").arg(semiMajorAxisText);
    return QStringLiteral("обратное сжатие «%1» отрицательно").arg(inverseFlatteningText);
}

// TOWGS84

CWktItemTOWGS84::CWktItemTOWGS84()
    : CWktItem(CWktType::TOWGS84)
{
}

void CWktItemTOWGS84::clear()
{
    for (QString* text : {&dxText, &dyText, &dzText, &exText, &eyText, &ezText, &ppmText})
        text->clear();
}

bool CWktItemTOWGS84::isValid() const
{
    for (const QString* text : {&dxText, &dyText, &dzText, &exText, &eyText, &ezText, &ppmText}) {
        if (!isDefinedNumber(*text))
            return false;
    }
    return true;
}

double CWktItemTOWGS84::dx() const { return numberOr(dxText, DBL_MAX); }
double CWktItemTOWGS84::dy() const { return numberOr(dyText, DBL_MAX); }
double CWktItemTOWGS84::dz() const { return numberOr(dzText, DBL_MAX); }
double CWktItemTOWGS84::ex() const { return numberOr(exText, DBL_MAX); }
double CWktItemTOWGS84::ey() const { return numberOr(eyText, DBL_MAX); }
double CWktItemTOWGS84::ez() const { return numberOr(ezText, DBL_MAX); }
double CWktItemTOWGS84::ppm() const { return numberOr(ppmText, DBL_MAX); }

void CWktItemTOWGS84::readValues(const QStringList& values)
{
    dxText = values[0];
    dyText = values[1];
    dzText = values[2];
    exText = values[3];
    eyText = values[4];
    ezText = values[5];
    ppmText = values[6];
}

QString CWktItemTOWGS84::invalidReason() const
{
    for (const QString* text : {&dxText, &dyText, &dzText, &exText, &eyText, &ezText, &ppmText}) {
        if (!isDefinedNumber(*text))
            return notANumber(QStringLiteral("параметр"), *text);
    }
    return QString();
}

// DATUM

CWktItemDATUM::CWktItemDATUM()
    : CWktItem(CWktType::DATUM)
{
}

void CWktItemDATUM::clear()
{
    name.clear();
    spheroid.reset();
    towgs84.reset();
    authority.reset();
}

bool CWktItemDATUM::isValid() const
{
    return !name.isEmpty() && spheroid && towgs84;
}

void CWktItemDATUM::readValues(const QStringList& values)
{
    name = values[0];
}

void CWktItemDATUM::readLinks()
{
    spheroid = lastChild<CWktItemSPHEROID>();
    towgs84 = lastChild<CWktItemTOWGS84>();
    authority = lastChild<CWktItemAUTHORITY>();
}

QString CWktItemDATUM::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    if (!spheroid)
        return missingNode("SPHEROID");
    return QStringLiteral("нет узла TOWGS84 (параметров перехода к WGS 84)");
}

// PRIMEM

CWktItemPRIMEM::CWktItemPRIMEM()
    : CWktItem(CWktType::PRIMEM)
{
}

void CWktItemPRIMEM::clear()
{
    name.clear();
    longitudeText.clear();
    unit.reset();
    authority.reset();
}

bool CWktItemPRIMEM::isValid() const
{
    return !name.isEmpty() && isDefinedNumber(longitudeText);
}

double CWktItemPRIMEM::longitude() const
{
    return numberOr(longitudeText, DBL_MAX);
}

std::shared_ptr<CWktItemUNIT> CWktItemPRIMEM::unitOrDegree() const
{
    return unit ? unit : CWktItemUNIT::makeDegree();
}

void CWktItemPRIMEM::readValues(const QStringList& values)
{
    name = values[0];
    longitudeText = values[1];
}

void CWktItemPRIMEM::readLinks()
{
    unit = lastChild<CWktItemUNIT>();
    authority = lastChild<CWktItemAUTHORITY>();
}

QString CWktItemPRIMEM::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    return notANumber(QStringLiteral("долгота"), longitudeText);
}

// GEOGCS

CWktItemGEOGCS::CWktItemGEOGCS()
    : CWktItem(CWktType::GEOGCS)
{
}

void CWktItemGEOGCS::clear()
{
    name.clear();
    datum.reset();
    primem.reset();
    unit.reset();
    authority.reset();
}

bool CWktItemGEOGCS::isValid() const
{
    return !name.isEmpty() && datum && primem && unit;
}

void CWktItemGEOGCS::readValues(const QStringList& values)
{
    name = values[0];
}

void CWktItemGEOGCS::readLinks()
{
    datum = lastChild<CWktItemDATUM>();
    primem = lastChild<CWktItemPRIMEM>();
    unit = lastChild<CWktItemUNIT>();
    authority = lastChild<CWktItemAUTHORITY>();
    if (primem && !primem->unit && unit && isDegree(*unit))
        primem->unit = unit;
}

QString CWktItemGEOGCS::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    if (!datum)
        return missingNode("DATUM");
    if (!primem)
        return missingNode("PRIMEM");
    return missingNode("UNIT");
}

// PROJECTION

CWktItemPROJECTION::CWktItemPROJECTION()
    : CWktItem(CWktType::PROJECTION)
{
}

void CWktItemPROJECTION::clear()
{
    id = WktProjectionNone;
}

bool CWktItemPROJECTION::isValid() const
{
    return id != WktProjectionNone;
}

void CWktItemPROJECTION::readValues(const QStringList& values)
{
    id = idOf(values[0], {"TRANSVERSE_MERCATOR"});
}

QString CWktItemPROJECTION::invalidReason() const
{
    return QStringLiteral("проекция «%1» не поддерживается, только TRANSVERSE_MERCATOR").arg(values.value(0).trimmed());
}

// PARAMETER

CWktItemPARAMETER::CWktItemPARAMETER()
    : CWktItem(CWktType::PARAMETER)
{
}

void CWktItemPARAMETER::clear()
{
    id = WktParameterNone;
    valueText.clear();
}

bool CWktItemPARAMETER::isValid() const
{
    return id != WktParameterNone && isDefinedNumber(valueText);
}

double CWktItemPARAMETER::value() const
{
    return numberOr(valueText, DBL_MAX);
}

void CWktItemPARAMETER::readValues(const QStringList& values)
{
    id = idOf(values[0], {"LATITUDE_OF_ORIGIN", "CENTRAL_MERIDIAN", "SCALE_FACTOR",
                          "FALSE_EASTING", "FALSE_NORTHING"});
    if (id != WktParameterNone)
        valueText = values[1];
}

QString CWktItemPARAMETER::invalidReason() const
{
    if (id == WktParameterNone)
        return QStringLiteral("параметр «%1» не поддерживается").arg(values.value(0).trimmed());
    return notANumber(QStringLiteral("значение"), valueText);
}

// AXIS

CWktItemAXIS::CWktItemAXIS()
    : CWktItem(CWktType::AXIS)
{
}

void CWktItemAXIS::clear()
{
    name.clear();
    direction = WktAxisNone;
}

bool CWktItemAXIS::isValid() const
{
    return !name.isEmpty() && direction != WktAxisNone;
}

void CWktItemAXIS::readValues(const QStringList& values)
{
    name = values[0];
    direction = idOf(values[1], {"NORTH", "EAST", "SOUTH", "WEST", "OTHER"});
}

QString CWktItemAXIS::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    return QStringLiteral("направление «%1» не поддерживается").arg(values.value(1).trimmed());
}

// PROJCS

CWktItemPROJCS::CWktItemPROJCS()
    : CWktItem(CWktType::PROJCS)
{
}

void CWktItemPROJCS::clear()
{
    name.clear();
    geogcs.reset();
    projection.reset();
    parameterList.clear();
    unit.reset();
    axes.clear();
    authority.reset();
}

bool CWktItemPROJCS::isValid() const
{
    return !name.isEmpty() && geogcs && unit && parameters(nullptr) && !unreadAxis();
}

std::shared_ptr<CWktItem> CWktItemPROJCS::unreadAxis() const
{
    for (const auto& child : failedChildren) {
        if (child->type().code() == CWktType::AXIS)
            return child;
    }
    return {};
}

bool CWktItemPROJCS::parameters(QMap<int, QString>* values) const
{
    QMap<int, QString> found;
    if (projection && projection->id == WktProjectionTransverseMercator) {
        for (const auto& parameter : parameterList) {
            if (parameter->id > WktParameterNone && parameter->id <= WktParameterFalseNorthing)
                found.insert(parameter->id, parameter->valueText);
        }
    }
    const bool complete = found.size() == WktParameterFalseNorthing && !repeatedParameter();
    if (values)
        *values = complete ? found : QMap<int, QString>();
    return complete;
}

std::shared_ptr<CWktItemPARAMETER> CWktItemPROJCS::repeatedParameter() const
{
    for (auto later = parameterList.cbegin(); later != parameterList.cend(); ++later) {
        const auto earlier = std::find_if(parameterList.cbegin(), later,
                                          [&later](const auto& parameter) { return parameter->id == (*later)->id; });
        if (earlier != later)
            return *earlier;
    }
    return {};
}

void CWktItemPROJCS::readValues(const QStringList& values)
{
    name = values[0];
}

void CWktItemPROJCS::readLinks()
{
    geogcs = lastChild<CWktItemGEOGCS>();
    projection = lastChild<CWktItemPROJECTION>();
    parameterList = childrenOf<CWktItemPARAMETER>();
    unit = lastChild<CWktItemUNIT>();
    axes = childrenOf<CWktItemAXIS>();
    authority = lastChild<CWktItemAUTHORITY>();
}

QString CWktItemPROJCS::invalidReason() const
{
    if (name.isEmpty())
        return noName;
    if (!geogcs)
        return missingNode("GEOGCS");
    if (!unit)
        return missingNode("UNIT");
    if (!projection)
        return missingNode("PROJECTION");
    if (const auto axis = unreadAxis())
        return QStringLiteral("ось %1 не прочитана, порядок координат неизвестен").arg(axis->label());
    QStringList missing;
    const char* const names[] = {"LATITUDE_OF_ORIGIN", "CENTRAL_MERIDIAN", "SCALE_FACTOR", "FALSE_EASTING",
                                 "FALSE_NORTHING"};
    for (int id = WktParameterLatitudeOfOrigin; id <= WktParameterFalseNorthing; ++id) {
        const bool found = std::any_of(parameterList.cbegin(), parameterList.cend(),
                                       [id](const auto& parameter) { return parameter->id == id; });
        if (!found)
            missing.append(QLatin1String(names[id - 1]));
    }
    if (!missing.isEmpty())
        return QStringLiteral("нет параметров: %1").arg(missing.join(QStringLiteral(", ")));
    return repeatedReason();
}

QString CWktItemPROJCS::repeatedReason() const
{
    const auto repeated = repeatedParameter();
    QStringList texts;
    for (const auto& parameter : parameterList) {
        if (parameter->id == repeated->id)
            texts.append(parameter->valueText);
    }
    return QStringLiteral("параметр «%1» задан повторно: %2")
        .arg(repeated->values.value(0), texts.join(QStringLiteral(", ")));
}
