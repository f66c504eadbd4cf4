#pragma once

#include "records/abstractdetails.h"
#include "records/transformlistdetails.h"

#include <memory>

class CVertCoordSysInfo;

// A vertical coordinate system: heights on one geoid of the geoid registry,
// named by its ID, with an optional transform list of vertical shifts.
class CVertCoordSysDetails : public CAbstractDetails
{
public:
    CVertCoordSysDetails();
    CVertCoordSysDetails(const CVertCoordSysDetails& other) = default;
    CVertCoordSysDetails& operator=(const CVertCoordSysDetails& other) = default;

    void clear();
    bool isValid() const;
    // Names compared exactly.
    bool operator==(const CVertCoordSysDetails& other) const;
    bool toInfo(CVertCoordSysInfo& info) const;

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString shortName;
    QString geoidId;
    std::shared_ptr<CTransformListDetails> transformList;
    int epsgCode = 0;

private:
    bool hasTransforms() const;
    bool fillInfo(CVertCoordSysInfo& info) const;
};
