#include "geodesy/mapprojectionparams.h"

#include <cmath>
#include <typeinfo>

namespace vexa {

bool isEqualLength(double a, double b)
{
    return std::fabs(a - b) <= 1e-7;
}

bool isEqualAngle(double a, double b)
{
    double difference = a - b;
    normalizeAngle(difference);
    return std::fabs(difference) <= 1e-12;
}

bool isEqualValue(double a, double b)
{
    return std::fabs(a - b) <= 1e-12;
}

bool CMapProjectionParams::isValid() const
{
    return type != 0;
}

void CMapProjectionParams::clear()
{
    type = 0;
}

bool CMapProjectionFieldParams::isEqualField(const Field& mine, const Field& theirs)
{
    switch (mine.kind) {
    case Angle:
        return isEqualAngle(*mine.value, *theirs.value);
    case Scale:
        return isEqualValue(*mine.value, *theirs.value);
    case Length:
        break;
    }
    return isEqualLength(*mine.value, *theirs.value);
}

// The records only read their fields here; the list is shared with clear().
std::vector<CMapProjectionFieldParams::Field> CMapProjectionFieldParams::constFields() const
{
    return const_cast<CMapProjectionFieldParams*>(this)->fields();
}

const int* CMapProjectionFieldParams::constPoleFlag() const
{
    return const_cast<CMapProjectionFieldParams*>(this)->poleFlag();
}

bool CMapProjectionFieldParams::isEqual(const CMapProjectionParams& other) const
{
    if (type != other.getType())
        return false;
    if (typeid(*this) != typeid(other))
        throw std::bad_cast();
    const auto& same = static_cast<const CMapProjectionFieldParams&>(other);
    const int* pole = constPoleFlag();
    if (pole && *pole != *same.constPoleFlag())
        return false;
    const std::vector<Field> mine = constFields();
    const std::vector<Field> theirs = same.constFields();
    for (size_t i = 0; i < mine.size(); ++i) {
        if (!isEqualField(mine[i], theirs[i]))
            return false;
    }
    return true;
}

bool CMapProjectionFieldParams::isValid() const
{
    const int* pole = constPoleFlag();
    if (type == 0 || (pole && *pole == 0))
        return false;
    for (const Field& field : constFields()) {
        if (!(*field.value < kUndefined))
            return false;
    }
    return true;
}

void CMapProjectionFieldParams::clear()
{
    if (int* pole = poleFlag())
        *pole = 0;
    for (const Field& field : fields())
        *field.value = kUndefined;
}

CMapProjectionTransverseMercatorParams::CMapProjectionTransverseMercatorParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionTransverseMercatorParams::fields()
{
    return {{Angle, &centralMeridian},
            {Angle, &latitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionObliqueMercatorParams::CMapProjectionObliqueMercatorParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionObliqueMercatorParams::fields()
{
    return {{Angle, &latitudeOfCentre},
            {Angle, &longitudeOfCentre},
            {Angle, &azimuth},
            {Angle, &rectifiedGridAngle},
            {Scale, &scaleFactor},
            {Length, &eastingAtCentre},
            {Length, &northingAtCentre}};
}

CMapProjectionHotineObliqueMercatorParams::CMapProjectionHotineObliqueMercatorParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionHotineObliqueMercatorParams::fields()
{
    return {{Angle, &latitudeOfCentre},
            {Angle, &longitudeOfCentre},
            {Angle, &azimuth},
            {Angle, &rectifiedGridAngle},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionNZMGParams::CMapProjectionNZMGParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionNZMGParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionAlbersEqualAreaParams::CMapProjectionAlbersEqualAreaParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionAlbersEqualAreaParams::fields()
{
    return {{Angle, &latitudeOfFirstParallel},
            {Angle, &latitudeOfSecondParallel},
            {Angle, &latitudeOfFalseOrigin},
            {Angle, &longitudeOfFalseOrigin},
            {Length, &eastingAtFalseOrigin},
            {Length, &northingAtFalseOrigin}};
}

CMapProjectionLambertConformalConic2SPParams::CMapProjectionLambertConformalConic2SPParams() : CMapProjectionLambertConformalConic2SPParams(typeCode)
{
}

CMapProjectionLambertConformalConic2SPParams::CMapProjectionLambertConformalConic2SPParams(int type) : CMapProjectionFieldParams(type)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionLambertConformalConic2SPParams::fields()
{
    return {{Angle, &latitudeOfFirstParallel},
            {Angle, &latitudeOfSecondParallel},
            {Angle, &latitudeOfFalseOrigin},
            {Angle, &longitudeOfFalseOrigin},
            {Length, &eastingAtFalseOrigin},
            {Length, &northingAtFalseOrigin}};
}

CMapProjectionLambertConformalConic2SPBelgiumParams::CMapProjectionLambertConformalConic2SPBelgiumParams()
    : CMapProjectionLambertConformalConic2SPParams(typeCode)
{
}

CMapProjectionLambertConformalConic2SPBelgiumParams::CMapProjectionLambertConformalConic2SPBelgiumParams(
    const CMapProjectionLambertConformalConic2SPBelgiumParams& other)
    : CMapProjectionLambertConformalConic2SPParams(other)
{
    type = typeCode;
}

CMapProjectionLambertConformalConic1SPParams::CMapProjectionLambertConformalConic1SPParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionLambertConformalConic1SPParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionCassiniSoldnerParams::CMapProjectionCassiniSoldnerParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionCassiniSoldnerParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionMercator2SPParams::CMapProjectionMercator2SPParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionMercator2SPParams::fields()
{
    return {{Angle, &latitudeOfFirstParallel},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionMercator1SPParams::CMapProjectionMercator1SPParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionMercator1SPParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionObliqueStereographicParams::CMapProjectionObliqueStereographicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionObliqueStereographicParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Angle, &latitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionPolarStereographicParams::CMapProjectionPolarStereographicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionPolarStereographicParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Angle, &latitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionQuasiStereographicParams::CMapProjectionQuasiStereographicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionQuasiStereographicParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Angle, &latitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionPolyconicParams::CMapProjectionPolyconicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionPolyconicParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Angle, &latitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionGaussBoagaParams::CMapProjectionGaussBoagaParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionGaussBoagaParams::fields()
{
    return {{Angle, &centralMeridian},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionKrovakParams::CMapProjectionKrovakParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionKrovakParams::fields()
{
    return {{Angle, &latitudeOfCentre},
            {Angle, &longitudeOfOrigin},
            {Angle, &coLatitudeOfConeAxis},
            {Angle, &latitudeOfPseudoStandardParallel},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionHattParams::CMapProjectionHattParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionHattParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionPolarStereographicBasicParams::CMapProjectionPolarStereographicBasicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionPolarStereographicBasicParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionPolarStereographicNaturalOriginParams::CMapProjectionPolarStereographicNaturalOriginParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionPolarStereographicNaturalOriginParams::fields()
{
    return {{Angle, &latitudeOfStandardParallel},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionPolarStereographicFalseOriginParams::CMapProjectionPolarStereographicFalseOriginParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionPolarStereographicFalseOriginParams::fields()
{
    return {{Angle, &latitudeOfStandardParallel},
            {Angle, &longitudeOfOrigin},
            {Length, &eastingAtFalseOrigin},
            {Length, &northingAtFalseOrigin}};
}

CMapProjectionLambertAzimuthalEqualAreaParams::CMapProjectionLambertAzimuthalEqualAreaParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionLambertAzimuthalEqualAreaParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionEquidistantConicParams::CMapProjectionEquidistantConicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionEquidistantConicParams::fields()
{
    return {{Angle, &latitudeOfFirstParallel},
            {Angle, &latitudeOfSecondParallel},
            {Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionOrthographicParams::CMapProjectionOrthographicParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionOrthographicParams::fields()
{
    return {{Angle, &latitudeOfOrigin},
            {Angle, &longitudeOfOrigin},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionGaussKrugerWideZoneParams::CMapProjectionGaussKrugerWideZoneParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionGaussKrugerWideZoneParams::fields()
{
    return {{Angle, &centralMeridian},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionTransverseMercatorEquatorialParams::CMapProjectionTransverseMercatorEquatorialParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionTransverseMercatorEquatorialParams::fields()
{
    return {{Angle, &centralMeridian},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

CMapProjectionSphericalMercatorParams::CMapProjectionSphericalMercatorParams() : CMapProjectionFieldParams(typeCode)
{
}

std::vector<CMapProjectionFieldParams::Field> CMapProjectionSphericalMercatorParams::fields()
{
    return {{Angle, &longitudeOfOrigin},
            {Scale, &scaleFactor},
            {Length, &falseEasting},
            {Length, &falseNorthing}};
}

} // namespace vexa
