#ifndef VEXA_MAPPROJECTIONPARAMS_H
#define VEXA_MAPPROJECTIONPARAMS_H

#include "geodesy/coords.h"

#include <vector>

namespace vexa {

// Comparison rules of projection parameters.
bool isEqualLength(double a, double b); // |a - b| <= 1e-7
bool isEqualAngle(double a, double b);  // difference reduced into [-pi, pi], then <= 1e-12
bool isEqualValue(double a, double b);  // |a - b| <= 1e-12

// Parameters of a map projection: a type code and the fields of its subclass.
// Angles in radians, lengths in metres, scale factors as ratios; kUndefined = not set.
class CMapProjectionParams
{
public:
    virtual ~CMapProjectionParams() = default;

    virtual bool isEqual(const CMapProjectionParams& other) const = 0;
    virtual bool isValid() const;
    virtual void clear();

    int getType() const { return type; }

protected:
    CMapProjectionParams() = default;
    explicit CMapProjectionParams(int type) : type(type) {}
    CMapProjectionParams(const CMapProjectionParams&) = default;
    CMapProjectionParams& operator=(const CMapProjectionParams&) = default;

    int type = 0;
};

// Common behaviour of the concrete records: validity, clearing and comparison run over
// the list of double fields each record gives, plus the pole flag where there is one.
class CMapProjectionFieldParams : public CMapProjectionParams
{
public:
    // Throws std::bad_cast when the type codes agree but the classes do not.
    bool isEqual(const CMapProjectionParams& other) const override;
    bool isValid() const override;
    void clear() override;

protected:
    enum FieldKind
    {
        Angle,
        Scale,
        Length
    };
    struct Field
    {
        FieldKind kind;
        double* value;
    };

    explicit CMapProjectionFieldParams(int type) : CMapProjectionParams(type) {}

    virtual std::vector<Field> fields() = 0;
    virtual int* poleFlag() { return nullptr; }

private:
    static bool isEqualField(const Field& mine, const Field& theirs);
    std::vector<Field> constFields() const;
    const int* constPoleFlag() const;
};

// Transverse Mercator.
class CMapProjectionTransverseMercatorParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 1;

    CMapProjectionTransverseMercatorParams();

    double centralMeridian = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Oblique Mercator.
class CMapProjectionObliqueMercatorParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 2;

    CMapProjectionObliqueMercatorParams();

    double latitudeOfCentre = kUndefined;
    double longitudeOfCentre = kUndefined;
    double azimuth = kUndefined;
    double rectifiedGridAngle = kUndefined;
    double scaleFactor = kUndefined;
    double eastingAtCentre = kUndefined;
    double northingAtCentre = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Hotine oblique Mercator.
class CMapProjectionHotineObliqueMercatorParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 3;

    CMapProjectionHotineObliqueMercatorParams();

    double latitudeOfCentre = kUndefined;
    double longitudeOfCentre = kUndefined;
    double azimuth = kUndefined;
    double rectifiedGridAngle = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// New Zealand map grid.
class CMapProjectionNZMGParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 4;

    CMapProjectionNZMGParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Albers equal-area conic.
class CMapProjectionAlbersEqualAreaParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 5;

    CMapProjectionAlbersEqualAreaParams();

    double latitudeOfFirstParallel = kUndefined;
    double latitudeOfSecondParallel = kUndefined;
    double latitudeOfFalseOrigin = kUndefined;
    double longitudeOfFalseOrigin = kUndefined;
    double eastingAtFalseOrigin = kUndefined;
    double northingAtFalseOrigin = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Lambert conformal conic with two standard parallels.
class CMapProjectionLambertConformalConic2SPParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 6;

    CMapProjectionLambertConformalConic2SPParams();

    double latitudeOfFirstParallel = kUndefined;
    double latitudeOfSecondParallel = kUndefined;
    double latitudeOfFalseOrigin = kUndefined;
    double longitudeOfFalseOrigin = kUndefined;
    double eastingAtFalseOrigin = kUndefined;
    double northingAtFalseOrigin = kUndefined;

protected:
    explicit CMapProjectionLambertConformalConic2SPParams(int type);
    std::vector<Field> fields() override;
};

// Lambert conformal conic with two standard parallels, Belgian variant.
class CMapProjectionLambertConformalConic2SPBelgiumParams
    : public CMapProjectionLambertConformalConic2SPParams
{
public:
    static constexpr int typeCode = 1201;

    CMapProjectionLambertConformalConic2SPBelgiumParams();
    CMapProjectionLambertConformalConic2SPBelgiumParams(
        const CMapProjectionLambertConformalConic2SPBelgiumParams& other);
    CMapProjectionLambertConformalConic2SPBelgiumParams& operator=(
        const CMapProjectionLambertConformalConic2SPBelgiumParams& other) = default;
};

// Lambert conformal conic with one standard parallel.
class CMapProjectionLambertConformalConic1SPParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 7;

    CMapProjectionLambertConformalConic1SPParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Cassini-Soldner.
class CMapProjectionCassiniSoldnerParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 8;

    CMapProjectionCassiniSoldnerParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Mercator with a standard parallel.
class CMapProjectionMercator2SPParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 9;

    CMapProjectionMercator2SPParams();

    double latitudeOfFirstParallel = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Mercator with a scale factor.
class CMapProjectionMercator1SPParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 10;

    CMapProjectionMercator1SPParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Oblique stereographic.
class CMapProjectionObliqueStereographicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 11;

    CMapProjectionObliqueStereographicParams();

    double longitudeOfOrigin = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Polar stereographic.
class CMapProjectionPolarStereographicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 12;

    CMapProjectionPolarStereographicParams();

    double longitudeOfOrigin = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Quasi-stereographic.
class CMapProjectionQuasiStereographicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 13;

    CMapProjectionQuasiStereographicParams();

    double longitudeOfOrigin = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Polyconic.
class CMapProjectionPolyconicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 14;

    CMapProjectionPolyconicParams();

    double longitudeOfOrigin = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Gauss-Boaga.
class CMapProjectionGaussBoagaParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 15;

    CMapProjectionGaussBoagaParams();

    double centralMeridian = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Krovak.
class CMapProjectionKrovakParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 16;

    CMapProjectionKrovakParams();

    double latitudeOfCentre = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double coLatitudeOfConeAxis = kUndefined;
    double latitudeOfPseudoStandardParallel = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Hatt azimuthal.
class CMapProjectionHattParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 17;

    CMapProjectionHattParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Polar stereographic with a scale factor at the pole.
class CMapProjectionPolarStereographicBasicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 21;

    CMapProjectionPolarStereographicBasicParams();

    int pole = 0; // 1 north, 2 south, 0 unset
    double longitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
    int* poleFlag() override { return &pole; }
};

// Polar stereographic with a standard parallel.
class CMapProjectionPolarStereographicNaturalOriginParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 22;

    CMapProjectionPolarStereographicNaturalOriginParams();

    int pole = 0; // 1 north, 2 south, 0 unset
    double latitudeOfStandardParallel = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
    int* poleFlag() override { return &pole; }
};

// Polar stereographic with a standard parallel and a false origin.
class CMapProjectionPolarStereographicFalseOriginParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 23;

    CMapProjectionPolarStereographicFalseOriginParams();

    int pole = 0; // 1 north, 2 south, 0 unset
    double latitudeOfStandardParallel = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double eastingAtFalseOrigin = kUndefined;
    double northingAtFalseOrigin = kUndefined;

protected:
    std::vector<Field> fields() override;
    int* poleFlag() override { return &pole; }
};

// Lambert azimuthal equal-area.
class CMapProjectionLambertAzimuthalEqualAreaParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 24;

    CMapProjectionLambertAzimuthalEqualAreaParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Equidistant conic.
class CMapProjectionEquidistantConicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 25;

    CMapProjectionEquidistantConicParams();

    double latitudeOfFirstParallel = kUndefined;
    double latitudeOfSecondParallel = kUndefined;
    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Orthographic.
class CMapProjectionOrthographicParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 26;

    CMapProjectionOrthographicParams();

    double latitudeOfOrigin = kUndefined;
    double longitudeOfOrigin = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Gauss-Kruger wide zone.
class CMapProjectionGaussKrugerWideZoneParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 101;

    CMapProjectionGaussKrugerWideZoneParams();

    double centralMeridian = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Transverse Mercator series with the origin on the equator.
class CMapProjectionTransverseMercatorEquatorialParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 1011;

    CMapProjectionTransverseMercatorEquatorialParams();

    double centralMeridian = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

// Mercator on a sphere.
class CMapProjectionSphericalMercatorParams : public CMapProjectionFieldParams
{
public:
    static constexpr int typeCode = 1313;

    CMapProjectionSphericalMercatorParams();

    double longitudeOfOrigin = kUndefined;
    double scaleFactor = kUndefined;
    double falseEasting = kUndefined;
    double falseNorthing = kUndefined;

protected:
    std::vector<Field> fields() override;
};

} // namespace vexa

#endif
