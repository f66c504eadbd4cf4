#pragma once

#include "records/abstractdetails.h"
#include "records/datumshiftdetails.h"
#include "records/ellipsoiddetails.h"
#include "records/transformlistdetails.h"

#include "database/novalue.h"

#include <QMap>

#include <map>
#include <memory>

class CDatumInfo;
class CWktItemDATUM;

// A geodetic datum with its ellipsoid, its shift to WGS 84 and the links that
// carry it directly to other datums: pairwise datum shifts and horizontal and
// vertical transform lists, each keyed by its identifier.
class CDatumDetails : public CAbstractDetails
{
public:
    using ShiftMap = std::map<QString, std::shared_ptr<CDatumShiftDetails>>;
    using TransformListMap = QMap<QString, std::shared_ptr<CTransformListDetails>>;

    CDatumDetails();
    CDatumDetails(const CDatumDetails& other) = default;
    CDatumDetails& operator=(const CDatumDetails& other) = default;

    void clear();
    bool isValid() const;
    bool operator==(const CDatumDetails& other) const;
    bool toInfo(CDatumInfo& info) const;
    bool fromWkt(const CWktItemDATUM* node);
    static std::shared_ptr<CDatumDetails> createFromWkt(const CWktItemDATUM* node);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString shortName;
    std::shared_ptr<CDatumShiftDetails> datumShift;
    std::shared_ptr<CEllipsoidDetails> ellipsoid;
    int epsgCode = 0;
    int mapinfoCode = NoValue;
    ShiftMap pairwiseDatumShifts;
    TransformListMap geographicDatumShifts;
    TransformListMap verticalDatumShifts;

private:
    // A heading with one "name: идентификатор key" item per link, each with
    // the link's own lines; nothing for no links.
    template <class Map>
    static void addLinkItems(QTreeWidgetItem* parent, const QString& heading, const Map& links);
    template <class Map>
    static QString linksText(const QString& heading, const Map& links);

    bool fillInfo(CDatumInfo& info) const;
};
