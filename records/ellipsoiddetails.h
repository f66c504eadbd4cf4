#pragma once

#include "records/abstractdetails.h"
#include "records/unitdetails.h"

#include "database/novalue.h"

#include <memory>

class CEllipsoidInfo;
class CWktItemSPHEROID;

// A reference ellipsoid given by its semi-major axis and either the
// semi-minor axis or the inverse flattening, or a sphere of radius a.
class CEllipsoidDetails : public CAbstractDetails
{
public:
    CEllipsoidDetails();
    CEllipsoidDetails(const CEllipsoidDetails& other) = default;
    CEllipsoidDetails& operator=(const CEllipsoidDetails& other) = default;

    void clear();
    bool isValid() const;
    // The axis numbers are compared as numbers: stored as REAL, they come back
    // from the database in the shortest form ("6378245" for "6378245.0").
    bool operator==(const CEllipsoidDetails& other) const;
    bool toInfo(CEllipsoidInfo& info) const;
    bool fromWkt(const CWktItemSPHEROID* node);
    static std::shared_ptr<CEllipsoidDetails> createFromWkt(const CWktItemSPHEROID* node);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    // The axes in their unit and the inverse flattening, one plain number.
    QVector<CNumberText> numberTexts() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString majorSemiAxis;
    QString minorSemiAxis;
    QString inverseFlattening;
    bool useInverseFlattening = false;
    bool sphere = false;
    std::shared_ptr<CUnitDetails> unit;
    int epsgCode = 0;
    int mapinfoCode = NoValue;

private:
    QStringList figureLines() const;
};
