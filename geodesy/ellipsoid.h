#ifndef VEXA_ELLIPSOID_H
#define VEXA_ELLIPSOID_H

#include "geodesy/coordoperation.h"

#include <string>

namespace vexa {

// Semi-axes of a reference ellipsoid; valid when a > 0, b > 0 and a >= b.
class CEllipsoidParams
{
public:
    CEllipsoidParams() = default;
    CEllipsoidParams(double a, double b) : a(a), b(b) {}

    bool setAxes(const double& a, const double& b);
    bool setInverseFlattening(const double& a, const double& invf);
    bool setEccentricity(const double& a, const double& e);
    bool setEccentricitySquared(const double& a, const double& e2);
    bool setSphere(const double& r);
    void clear();

    bool isValid() const;
    bool isEqual(const CEllipsoidParams& other) const;
    bool operator==(const CEllipsoidParams& other) const { return isEqual(other); }
    bool isSphere() const;
    double getEccentricity() const;
    double getEccentricitySquared() const;
    double getInverseFlattening() const;

    double a = 0.0;
    double b = 0.0;
};

double semiMinorFromEccentricity(double a, double e);
double semiMinorFromInverseFlattening(double a, double invf);

// Ellipsoid geometry: radii of curvature, geodetic <-> geocentric.
class CEllipsoid
{
public:
    CEllipsoid() = default;
    explicit CEllipsoid(const CEllipsoidParams& params);

    void setSphere(const double& r);
    void setAxes(const double& a, const double& b);
    void setParams(const CEllipsoidParams& params);
    void getAxes(double& a, double& b) const;
    void getParams(CEllipsoidParams& params) const;

    double getEccentricitySquared() const { return m_e2; }
    double getFlattening() const;
    double getMeridianRadius(const double& latitude) const;
    double getPrimeVerticalRadius(const double& latitude) const;
    double getParallelRadius(const double& latitude) const;

    // Latitude, longitude, height -> X, Y, Z.
    void EllipsoidalToCartesian(double point[3]) const;
    void EllipsoidalToCartesian(const CCoords& in, CCoords* out) const;
    // X, Y, Z -> latitude, longitude, height; throws std::runtime_error when it does not converge.
    void CartesianToEllipsoidal(double point[3]) const;
    void CartesianToEllipsoidal(const CCoords& in, CCoords* out) const;

    int maxIterations = 1000;
    double tolerance = 1e-12;

private:
    void init();
    double latitudeOf(double p, double z) const;
    double closedFormLatitudeOf(double p, double z) const;
    double heightOf(double p, double z, double latitude) const;

    double m_a = 0.0;
    double m_b = 0.0;
    double m_e = 0.0;
    double m_eSecond = 0.0;
    double m_e2 = 0.0;
    double m_e4 = 0.0;
    double m_e6 = 0.0;
    double m_eSecond2 = 0.0;
};

// Type 2: direction 1 geocentric to geodetic, 2 geodetic to geocentric.
class CCoordOperationEllipsoid : public CCoordOperation
{
public:
    CCoordOperationEllipsoid(const CEllipsoidParams& params, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    CEllipsoid m_ellipsoid;
    int m_direction;
};

// Type 11: stores the converted copy of the point under a name; the point stays.
class CCoordOperationAuxdatasetGeocentricToGeodetic : public CCoordOperation
{
public:
    CCoordOperationAuxdatasetGeocentricToGeodetic(const std::string& name,
                                                  const CEllipsoidParams& params, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    CEllipsoid m_ellipsoid;
    int m_direction;
    std::string m_name;
};

} // namespace vexa

#endif
