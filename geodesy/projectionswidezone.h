#ifndef VEXA_PROJECTIONSWIDEZONE_H
#define VEXA_PROJECTIONSWIDEZONE_H

#include "geodesy/mapprojection.h"
#include "geodesy/transversemercator.h"

#include <memory>

namespace vexa {

// The conformal (Gauss) sphere of an ellipsoid: geodetic latitude to conformal latitude and
// back; longitudes pass through.
class CProjectionOntoSphereMollweide
{
public:
    // An accuracy of 0 or below selects e^10.
    CProjectionOntoSphereMollweide(const double& a, const double& b, const double& originLatitude,
                                   const double& accuracy);

    void sphereLatitude(const double& phi, double& chi) const;
    // Returns the number of iterations made (at most 10).
    int geodeticLatitude(const double& chi, double& phi) const;
    void geodeticToSphere(const double& phi, const double& lambda, double& chi,
                          double& sphereLongitude) const;
    void sphereToGeodetic(const double& chi, const double& sphereLongitude, double& phi,
                          double& lambda) const;
    unsigned iterationCount() const;
    void geodeticToSphereBySeries(const double& phi, const double& lambda, double& chi,
                                  double& sphereLongitude) const;
    void sphereToGeodeticBySeries(const double& chi, const double& sphereLongitude, double& phi,
                                  double& lambda) const;
    double scaleFactor(const double& phi) const;
    double approximateScaleFactor(const double& phi) const;

    double radius() const { return m_radius; }
    double sphereScale() const { return m_k0s; }
    double accuracy() const { return m_accuracy; }

private:
    double m_e;
    double m_e2;
    double m_halfE;
    double m_radius;
    double m_accuracy;
    double m_twoE2;
    double m_tolerance;
    double m_p2;
    double m_p4;
    double m_p6;
    double m_q2;
    double m_q4;
    double m_q6;
    double m_k0s;
    double m_originScaleTerm;
};

// Transverse Mercator through the conformal sphere and Kruger's series in the third
// flattening to n^3.
class CKrugerTransverseMercator
{
public:
    CKrugerTransverseMercator(const CEllipsoidParams& ellipsoid, double centralMeridian,
                              double scaleFactor, double falseEasting, double falseNorthing);

    void toGeodetic(CCoords* point) const;
    void toProjected(CCoords* point) const;

private:
    double m_centralMeridian;
    double m_scaleFactor;
    double m_falseEasting;
    double m_falseNorthing;
    double m_rectifyingRadius;
    double m_h1;
    double m_h2;
    double m_h3;
    double m_inverseH1;
    double m_inverseH2;
    double m_inverseH3;
    std::shared_ptr<const CProjectionOntoSphereMollweide> m_sphere;
};

// Gauss-Kruger projection for wide zones, by Kruger's series to n^6: within 0.01 mm of the
// exact transverse Mercator up to 55 degrees from the central meridian.
class CMapProjectionGaussKrugerWideZone : public CMapProjection
{
public:
    CMapProjectionGaussKrugerWideZone(const CEllipsoidParams& ellipsoid,
                                      const CMapProjectionGaussKrugerWideZoneParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CKrugerSeries m_series;
};

// Gauss-Boaga transverse Mercator, through the conformal sphere and Kruger's series to n^3; the
// inverse is refined by Newton steps on the forward.
class CMapProjectionGaussBoaga : public CMapProjection
{
public:
    CMapProjectionGaussBoaga(const CEllipsoidParams& ellipsoid,
                             const CMapProjectionGaussBoagaParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CKrugerTransverseMercator m_transverse;
};

} // namespace vexa

#endif
