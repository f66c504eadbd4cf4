#pragma once

#include "records/wkt/wktitem.h"

#include <QMap>

enum WktProjectionId { WktProjectionNone = 0, WktProjectionTransverseMercator = 1 };

enum WktParameterId {
    WktParameterNone = 0,
    WktParameterLatitudeOfOrigin,
    WktParameterCentralMeridian,
    WktParameterScaleFactor,
    WktParameterFalseEasting,
    WktParameterFalseNorthing
};

enum WktAxisDirection {
    WktAxisNone = 0,
    WktAxisNorth,
    WktAxisEast,
    WktAxisSouth,
    WktAxisWest,
    WktAxisOther
};

enum WktAuthority { WktAuthorityNone = 0, WktAuthorityEpsg = 1 };

class CWktItemAUTHORITY : public CWktItem
{
public:
    CWktItemAUTHORITY();
    void clear() override;
    bool isValid() const override;

    // The code of a valid EPSG authority, else 0.
    int epsgCode() const;
    static std::shared_ptr<CWktItemAUTHORITY> makeEpsg(int code);

    int authority = WktAuthorityNone;
    QString codeText;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 2; }
    void readValues(const QStringList& values) override;
};

class CWktItemUNIT : public CWktItem
{
public:
    CWktItemUNIT();
    void clear() override;
    bool isValid() const override;

    // 0 when the factor is not a number.
    double factor() const;

    static std::shared_ptr<CWktItemUNIT> makeMetre();
    static std::shared_ptr<CWktItemUNIT> makeDegree();
    static std::shared_ptr<CWktItemUNIT> makeArcSecond();
    static std::shared_ptr<CWktItemUNIT> makeUnity();
    static std::shared_ptr<CWktItemUNIT> makePpm();

    QString name;
    QString factorText;
    std::shared_ptr<CWktItemAUTHORITY> authority;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 2; }
    void readValues(const QStringList& values) override;
    void readLinks() override;
};

class CWktItemSPHEROID : public CWktItem
{
public:
    CWktItemSPHEROID();
    void clear() override;
    bool isValid() const override;

    // 0 when the text is not a number.
    double semiMajorAxis() const;
    double inverseFlattening() const;
    // The spheroid's unit, or a new metre unit when it has none.
    std::shared_ptr<CWktItemUNIT> unitOrMetre() const;

    QString name;
    QString semiMajorAxisText;
    QString inverseFlatteningText;
    std::shared_ptr<CWktItemAUTHORITY> authority;
    std::shared_ptr<CWktItemUNIT> unit;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 3; }
    void readValues(const QStringList& values) override;
    void readLinks() override;
};

class CWktItemTOWGS84 : public CWktItem
{
public:
    CWktItemTOWGS84();
    void clear() override;
    bool isValid() const override;

    // The undefined value DBL_MAX when a text is not a number.
    double dx() const;
    double dy() const;
    double dz() const;
    double ex() const;
    double ey() const;
    double ez() const;
    double ppm() const;

    QString dxText;
    QString dyText;
    QString dzText;
    QString exText;
    QString eyText;
    QString ezText;
    QString ppmText;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 7; }
    void readValues(const QStringList& values) override;
};

class CWktItemDATUM : public CWktItem
{
public:
    CWktItemDATUM();
    void clear() override;
    bool isValid() const override;

    QString name;
    std::shared_ptr<CWktItemSPHEROID> spheroid;
    std::shared_ptr<CWktItemTOWGS84> towgs84;
    std::shared_ptr<CWktItemAUTHORITY> authority;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 1; }
    void readValues(const QStringList& values) override;
    void readLinks() override;
};

class CWktItemPRIMEM : public CWktItem
{
public:
    CWktItemPRIMEM();
    void clear() override;
    bool isValid() const override;

    // DBL_MAX when the text is not a number.
    double longitude() const;
    // The meridian's unit, or a new degree unit when it has none.
    std::shared_ptr<CWktItemUNIT> unitOrDegree() const;

    QString name;
    QString longitudeText;
    std::shared_ptr<CWktItemUNIT> unit;
    std::shared_ptr<CWktItemAUTHORITY> authority;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 2; }
    void readValues(const QStringList& values) override;
    void readLinks() override;
};

class CWktItemGEOGCS : public CWktItem
{
public:
    CWktItemGEOGCS();
    void clear() override;
    bool isValid() const override;

    QString name;
    std::shared_ptr<CWktItemDATUM> datum;
    std::shared_ptr<CWktItemPRIMEM> primem;
    std::shared_ptr<CWktItemUNIT> unit;
    std::shared_ptr<CWktItemAUTHORITY> authority;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 1; }
    void readValues(const QStringList& values) override;
    // A prime meridian without a unit of its own takes the system's unit when that is a
    // degree: files give its longitude in degrees whatever the system's unit.
    void readLinks() override;
};

class CWktItemPROJECTION : public CWktItem
{
public:
    CWktItemPROJECTION();
    void clear() override;
    bool isValid() const override;

    int id = WktProjectionNone;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 1; }
    void readValues(const QStringList& values) override;
};

class CWktItemPARAMETER : public CWktItem
{
public:
    CWktItemPARAMETER();
    void clear() override;
    bool isValid() const override;

    // DBL_MAX when the text is not a number.
    double value() const;

    int id = WktParameterNone;
    QString valueText;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 2; }
    void readValues(const QStringList& values) override;
};

class CWktItemAXIS : public CWktItem
{
public:
    CWktItemAXIS();
    void clear() override;
    bool isValid() const override;

    QString name;
    int direction = WktAxisNone;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 2; }
    void readValues(const QStringList& values) override;
};

class CWktItemPROJCS : public CWktItem
{
public:
    CWktItemPROJCS();
    void clear() override;
    bool isValid() const override;

    // The value texts of the five transverse Mercator parameters by
    // WktParameterId; false when the projection is not one, or a parameter
    // is missing or given more than once. The map, when given, is emptied on failure.
    bool parameters(QMap<int, QString>* values) const;
    // The first PARAMETER whose parameter a later one gives again, if any.
    std::shared_ptr<CWktItemPARAMETER> repeatedParameter() const;
    // The first AXIS child that failed, if any: the axis order is then unknown.
    std::shared_ptr<CWktItem> unreadAxis() const;

    QString name;
    std::shared_ptr<CWktItemGEOGCS> geogcs;
    std::shared_ptr<CWktItemPROJECTION> projection;
    QList<std::shared_ptr<CWktItemPARAMETER>> parameterList;
    std::shared_ptr<CWktItemUNIT> unit;
    QList<std::shared_ptr<CWktItemAXIS>> axes;
    std::shared_ptr<CWktItemAUTHORITY> authority;

protected:
    QString invalidReason() const override;
    int valueCount() const override { return 1; }
    void readValues(const QStringList& values) override;
    void readLinks() override;

private:
    // The repeated parameter as the text names it, with every value given to it.
    QString repeatedReason() const;
};
