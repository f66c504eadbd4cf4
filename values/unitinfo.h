#pragma once

#include <limits>
#include <memory>
#include <string>

// Angle format of an angle unit: 1 decimal, 2 degrees-minutes-seconds,
// 3 degrees-minutes-seconds with a hemisphere letter (neither read nor written).
class CAngleFormatInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;
    std::string short_name;
    int epsg = 0;

    bool isValid() const;
    bool operator==(const CAngleFormatInfo& other) const;
    void clear();

    int adjustPrecision(int precision) const;
    double toDouble(const std::string& text) const;
    std::string toString(double value, int decimals) const;
};

// Unit of measure: scope 1 length (metre), 2 angle (radian), 3 scale (ratio).
class CUnitInfo
{
public:
    int scope = 0;
    std::string name;
    std::string description;
    std::string short_name;
    std::string factor_b;
    std::string factor_c;
    std::shared_ptr<CAngleFormatInfo> format;
    int epsg = 0;
    int mapinfo = std::numeric_limits<int>::max();
    double factor = 0.0;
    double inverse_factor = 0.0;
    int precision = 0;

    bool isValid() const;
    bool operator==(const CUnitInfo& other) const;
    void clear();

    int computeFactors();
    int calcPrecision() const;

    double toBase(double value) const { return value * factor; }
    double fromBase(double value) const { return value * inverse_factor; }
    double toDouble(const std::string& text) const;
    double toBaseDouble(const std::string& text) const;
    std::string toString(double value, int decimals = -1) const;
};
