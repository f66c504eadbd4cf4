#pragma once

#include "records/abstractdetails.h"
#include "records/coordsystypedetails.h"
#include "records/datumdetails.h"
#include "records/ellipsoiddetails.h"
#include "records/mapprojdetails.h"
#include "records/primemeridiandetails.h"
#include "records/transformlistdetails.h"
#include "records/unitdetails.h"
#include "records/vertcoordsysdetails.h"

#include <QMap>

#include <memory>

class CCoordSysInfo;
class CWktItem;
class CWktItemGEOGCS;
class CWktItemPROJCS;

// A coordinate system of the table "coordsys": local Cartesian, geocentric,
// geodetic, projected or topocentric, with its linked records. Validity and
// the descriptions follow the code of the type record.
class CCoordSysDetails : public CAbstractDetails
{
public:
    using TransformListMap = QMap<QString, std::shared_ptr<CTransformListDetails>>;

    CCoordSysDetails();
    CCoordSysDetails(const CCoordSysDetails& other) = default;
    CCoordSysDetails& operator=(const CCoordSysDetails& other) = default;

    void clear();
    bool isValid() const;
    // Names by base name; linked records by their own equality.
    bool operator==(const CCoordSysDetails& other) const;
    // False, with the info cleared, when the record is not valid or a linked
    // record does not convert.
    bool toInfo(CCoordSysInfo& info) const;

    // Fills the record from a PROJCS or GEOGCS root; false (record cleared)
    // when the result is not a valid coordinate system.
    bool fromWkt(const CWktItem* root);
    static std::shared_ptr<CCoordSysDetails> createFromWkt(const CWktItem* root);
    // Parses the WKT text and fills the record from its root; false (record cleared) with
    // the reason for the user when the text is refused.
    bool fromWktText(const QString& text, QString* error = nullptr);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    // A topocentric system's origin and azimuth, each in its unit.
    QVector<CNumberText> numberTexts() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;
    // An empty name (Name), a type (Type) that is missing or not a whole number; otherwise as
    // any record.
    QString invalidReason(const QDomNode& node, const QString& fault) const override;

    QString name;
    QString description;
    QString shortName;
    int type = 0;
    CCoordSysTypeDetails coordSysType;
    std::shared_ptr<CDatumDetails> datum;
    std::shared_ptr<CEllipsoidDetails> ellipsoid;
    std::shared_ptr<CPrimeMeridianDetails> primeMeridian;
    std::shared_ptr<CMapProjDetails> mapProjection;
    bool positiveLongitude = false;
    QString originCoord1;
    QString originCoord2;
    QString originCoord3;
    std::shared_ptr<CUnitDetails> originLengthUnit;
    std::shared_ptr<CUnitDetails> originAngleUnit;
    QString azimuth;
    std::shared_ptr<CUnitDetails> azimuthUnit;
    bool swapCoords = false;
    std::shared_ptr<CVertCoordSysDetails> vertCoordSys;
    std::shared_ptr<CTransformListDetails> transformList;
    TransformListMap pairwiseTransforms;
    std::shared_ptr<CUnitDetails> lengthUnit;
    std::shared_ptr<CUnitDetails> angleUnit;
    std::shared_ptr<CUnitDetails> heightUnit;
    QString coord1Abbr;
    QString coord2Abbr;
    QString coord3Abbr;
    QString coord1Desc;
    QString coord2Desc;
    QString coord3Desc;
    int epsgCode = 0;

private:
    // The line of a linked record, with the record's own lines under it.
    template <class Record>
    static void addLinkItem(QTreeWidgetItem* parent, const QString& label,
                            const std::shared_ptr<Record>& link);

    bool fillInfo(CCoordSysInfo& info) const;
    void fillDatumAndMeridian(const CWktItemGEOGCS& geogcs);
    void fillProjected(const CWktItemPROJCS& projcs);
    void fillGeodetic(const CWktItemGEOGCS& geogcs);
    void addTypeItems(QTreeWidgetItem* parent) const;
    void addTopocentricItems(QTreeWidgetItem* parent) const;
    QString typeText() const;
    QString topocentricText() const;
};
